// The library's edit boxes: TRzCustomEdit (colour states for focused, disabled and read-only,
// a flat frame painted in the non-client area with optional hot tracking, Tab-on-Enter, a beep
// for refused keys, mouse enter/leave, frame controller), TRzEdit (the same, published) and
// TRzNumericEdit (one number kept as formatted text: key filter, parser, display format,
// range check when the focus leaves).
#pragma once

#include "controls/RzCommon.h"
#include "controls/RzFrameController.h"
#include "controls/RzGrafx.h"
#include "toolkit/text/FormatFloat.h"
#include "toolkit/widgets/Edit.h"

#include <cstdint>
#include <functional>
#include <string>

// Which side the text keeps to: only taLeftJustify and taRightJustify are used.
using TLeftRight = TAlignment;

// The two conditions that make an edit hot.
enum TRzHotStateKind { hsFocusInside, hsMouseOver };

class TRzCustomEdit : public TCustomMaskEdit, public IRzFrameControllerClient {
public:
    explicit TRzCustomEdit(TComponent* owner);
    ~TRzCustomEdit() override;

    TLeftRight Alignment() const { return alignment_; }
    virtual void SetAlignment(TLeftRight value);
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
    bool BeepOnInvalidKey() const { return beepOnInvalidKey_; }
    void SetBeepOnInvalidKey(bool value) { beepOnInvalidKey_ = value; }

    TColor DisabledColor() const { return disabledColor_; }
    virtual void SetDisabledColor(TColor value);
    TColor FocusColor() const { return focusColor_; }
    virtual void SetFocusColor(TColor value);
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value);
    TRzFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TRzFrameController* value);
    TRzFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
    void SetFrameControllerNotifications(TRzFrameControllerNotifications value) { notifications_ = value; }
    TColor FrameHotColor() const { return frameHotColor_; }
    virtual void SetFrameHotColor(TColor value);
    bool FrameHotTrack() const { return frameHotTrack_; }
    virtual void SetFrameHotTrack(bool value);
    TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
    virtual void SetFrameHotStyle(TFrameStyle value);
    TSides FrameSides() const { return frameSides_; }
    virtual void SetFrameSides(TSides value);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    virtual void SetFrameStyle(TFrameStyle value);
    bool FrameVisible() const { return frameVisible_; }
    virtual void SetFrameVisible(bool value);
    TFramingPreference FramingPreference() const { return framingPreference_; }
    virtual void SetFramingPreference(TFramingPreference value);
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    virtual void SetReadOnlyColor(TColor value);
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    void SetReadOnlyColorOnFocus(bool value);
    void SetReadOnly(bool value) override;

    // Hot: hot tracking on, and focused or under the mouse.
    bool IsHot() const { return frameHotTrack_ && (focusInside_ || mouseOver_); }
    // True when active visual themes draw the border instead of the custom frame.
    virtual bool UsesThemedFrame();

    // IRzFrameControllerClient: copies the controller's settings this edit takes.
    void FramingChanged() override;

protected:
    virtual void UpdateColors();
    virtual void UpdateHotState(TRzHotStateKind which, bool value);
    virtual void RedrawFrame();
    // Called when ReadOnly turns on and off.
    virtual void ReadOnlyOn() {}
    virtual void ReadOnlyOff() {}
    virtual void ReadOnlyChanged();

    void CreateParams(TCreateParams& params) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void KeyPress(char& key) override;
    void DoEnter() override;
    void DoExit() override;
    void Dispatch(TMessage& message) override;

    bool FocusInside() const { return focusInside_; }

private:
    void ColorChanged();
    void PaintFrame(TMessage& message);
    void SendNCPaint();

    TLeftRight alignment_ = taLeftJustify;
    bool tabOnEnter_ = false;
    bool beepOnInvalidKey_ = true;
    bool updatingColor_ = false;
    TColor disabledColor_ = clBtnFace;
    TColor focusColor_ = clWindow;
    TColor normalColor_ = clWindow;
    TColor frameColor_ = clBtnShadow;
    TColor frameHotColor_ = clBtnShadow;
    TRzFrameController* frameController_ = nullptr;
    TRzFrameControllerNotifications notifications_ = fcpAll;
    bool frameHotTrack_ = false;
    TFrameStyle frameHotStyle_ = fsFlatBold;
    TSides frameSides_ = sdAllSides;
    TFrameStyle frameStyle_ = fsFlat;
    TFramingPreference framingPreference_ = fpXPThemes;
    TColor readOnlyColor_ = clInfoBk;
    bool readOnlyColorOnFocus_ = false;
    TCanvas frameCanvas_;
    bool focusInside_ = false;
    bool mouseOver_ = false;
    bool frameVisible_ = false;
};

class TRzEdit : public TRzCustomEdit {
public:
    explicit TRzEdit(TComponent* owner) : TRzCustomEdit(owner) {}
};

// ---------------------------------------------------------------------------------------
// TRzNumericEdit

// Asked before an out-of-range value is corrected; clearing autoCorrect keeps the text and
// the focus.
using TRzRangeErrorEvent =
    std::function<void(TObject* sender, Extended enteredValue, Extended adjustedValue, bool& autoCorrect)>;

// Rounds to the nearest integer, halves to the even neighbour.
Extended RoundHalfToEven(Extended value);

class TRzNumericEdit : public TRzCustomEdit {
public:
    explicit TRzNumericEdit(TComponent* owner);

    bool AllowBlank() const { return allowBlank_; }
    void SetAllowBlank(bool value) { allowBlank_ = value; }
    Extended BlankValue() const { return blankValue_; }
    void SetBlankValue(Extended value) { blankValue_ = value; }
    bool CheckRange() const { return checkRange_; }
    void SetCheckRange(bool value) { checkRange_ = value; }
    bool IntegersOnly() const { return integersOnly_; }
    virtual void SetIntegersOnly(bool value);
    Extended Min() const { return min_; }
    virtual void SetMin(Extended value);
    Extended Max() const { return max_; }
    virtual void SetMax(Extended value);
    const std::string& DisplayFormat() const { return displayFormat_; }
    virtual void SetDisplayFormat(const std::string& value);

    // The number: reading parses the text (an empty text becomes Min unless blanks are
    // allowed), writing formats into the text; neither clamps to Min/Max.
    virtual Extended Value();
    virtual void SetValue(Extended value);
    // Value rounded halves-to-even, limited to the 32-bit range.
    virtual std::int32_t ValueAsInteger();
    virtual void SetValueAsInteger(std::int32_t value);

    virtual bool CharAcceptable(char key);
    virtual std::string FormatNumber(Extended value);
    virtual Extended ParseText();
    // The value to keep for v; sets rejected when a range-error handler refused the correction.
    virtual Extended CheckValueRange(Extended value, bool& rejected);

    TRzRangeErrorEvent OnRangeError;

protected:
    virtual void NotifyRangeError(bool& autoCorrect, Extended enteredValue, Extended adjustedValue);

    void Loaded() override;
    void Change() override;
    void KeyPress(char& key) override;
    void DoEnter() override;
    void DoExit() override;
    void Dispatch(TMessage& message) override;

private:
    bool allowBlank_ = false;
    Extended blankValue_ = 0;
    bool checkRange_ = false;
    bool integersOnly_ = true;
    Extended min_ = 0;
    Extended max_ = 0;
    std::string displayFormat_ = ",0;(,0)";
    bool FReformatting = false;
};
