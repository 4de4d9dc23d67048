// Self-painted check box and radio button: TRzCustomGlyphButton (glyph sources and
// placement, the cached background, the off-screen paint sequence, hot-track colours,
// read-only state, Tab-on-Enter, frame controller and action link), TRzCustomCheckBox /
// TRzCheckBox (three states) and TRzRadioButton (exclusive among its siblings).
#pragma once

#include "controls/RzButton.h"
#include "controls/RzFrameController.h"
#include "controls/RzGrafx.h"

#include <memory>

// Which side the caption lies on: only taLeftJustify and taRightJustify are used.
using TLeftRight = TAlignment;

class TRzCustomGlyphButton : public TRzCustomButton,
                             public IRzFrameControllerClient,
                             public IRzTransparentControl {
public:
    explicit TRzCustomGlyphButton(TComponent* owner);
    ~TRzCustomGlyphButton() override;

    TLeftRight Alignment() const { return alignment_; }
    virtual void SetAlignment(TLeftRight value);
    virtual bool Checked() const;
    virtual void SetChecked(bool value);
    TBitmap* CustomGlyphs() { return &customGlyphs_; }
    virtual void SetCustomGlyphs(const TBitmap* value);
    TColor FillColor() const { return fillColor_; }
    virtual void SetFillColor(TColor value);
    TColor FocusColor() const { return focusColor_; }
    virtual void SetFocusColor(TColor value);
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value);
    TRzFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TRzFrameController* value);
    TRzFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
    void SetFrameControllerNotifications(TRzFrameControllerNotifications value) { notifications_ = value; }
    bool UseCustomGlyphs() const { return useCustomGlyphs_; }
    virtual void SetUseCustomGlyphs(bool value);
    TColor DisabledColor() const { return disabledColor_; }
    virtual void SetDisabledColor(TColor value);
    bool ReadOnly() const { return readOnly_; }
    virtual void SetReadOnly(bool value);
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    virtual void SetReadOnlyColor(TColor value);
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    void SetReadOnlyColorOnFocus(bool value);
    TColor TransparentColor() const { return transparentColor_; }
    virtual void SetTransparentColor(TColor value);
    TColor WinMaskColor() const { return winMaskColor_; }
    virtual void SetWinMaskColor(TColor value);
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
    TRzButtonHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
    void SetHotTrackStyle(TRzButtonHotTrackStyle value);

    bool Transparent() const override { return TRzCustomButton::Transparent(); }
    void SetTransparent(bool value) override;

    // Where the glyph sits in the control (also the area repainted on mouse enter/leave).
    TRect GlyphRect();
    TSize GlyphSize() const { return TSize{glyphWidth_, glyphHeight_}; }

    // IRzFrameControllerClient
    void FramingChanged() override;

protected:
    virtual void PaintGlyphImage(TBitmap* image) = 0;
    virtual void SmoothGlyphEdges(TBitmap* glyph);
    // Puts the glyph onto canvas (the control's own canvas when null) at its place.
    virtual void ComposeGlyph(TCanvas* canvas);
    virtual void ExtractGlyphCell(int index, TBitmap* target, int height, int width, const TBitmap& source);

    void Paint() override;
    void PaintBackdrop(HDC dc) override;
    void RepaintPressState() override;
    void RepaintFocusState() override;
    TRect GetHotRect() override;
    void KeyDown(unsigned& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    std::unique_ptr<TActionLink> CreateActionLink() override;
    void ActionChange(TObject* sender, bool checkDefaults) override;

    // Hot-track glyph support for the descendants.
    TRzDrawState DrawState() const;
    TRzMarkColors MarkColors() const;
    void SetGlyphStateCount(int value) { glyphStateCount_ = value; }
    void MarkBackgroundStale() { backgroundStale_ = true; }
    bool MouseActivation() const { return mouseActivation_; }
    bool ClickSuppressed() const { return clickSuppressed_; }
    // Stores a read-only change without the radio group's broadcast.
    void StoreReadOnly(bool value) { readOnly_ = value; }

private:
    friend class TRzCheckedActionLink;

    void CustomGlyphsChanged();
    void ReplaceMaskColor(TBitmap* composite) const;

    TLeftRight alignment_ = taRightJustify;
    TColor frameColor_ = clBtnShadow;
    int glyphStateCount_ = 2;
    TBitmap customGlyphs_;
    bool useCustomGlyphs_ = false;
    TColor transparentColor_ = clOlive;
    TColor winMaskColor_ = clLime;
    TColor fillColor_ = clWindow;
    TColor focusColor_ = clWindow;
    TColor disabledColor_ = clBtnFace;
    bool readOnly_ = false;
    bool readOnlyColorOnFocus_ = false;
    TColor readOnlyColor_ = clInfoBk;
    int glyphWidth_ = 13;
    int glyphHeight_ = 13;
    bool tabOnEnter_ = false;
    TRzButtonHotTrackStyle hotTrackStyle_ = htsInterior;
    TRzFrameController* frameController_ = nullptr;
    TRzFrameControllerNotifications notifications_ = fcpAll;
    bool clickSuppressed_ = false;
    TBitmap background_;
    bool backgroundStale_ = true;
    bool mouseActivation_ = false;
};

// ---------------------------------------------------------------------------------------

class TRzCustomCheckBox : public TRzCustomGlyphButton {
public:
    explicit TRzCustomCheckBox(TComponent* owner);

    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    TCheckBoxState State() const { return state_; }
    virtual void SetState(TCheckBoxState value);
    bool Checked() const override { return state_ == cbChecked; }
    void SetChecked(bool value) override;

protected:
    void PaintGlyphImage(TBitmap* image) override;
    void PerformClick() override;
    void KeyDown(unsigned& key, TShiftState shift) override;
    void KeyUp(unsigned& key, TShiftState shift) override;
    void DoExit() override;
    void Dispatch(TMessage& message) override;

private:
    void CMDialogChar(TMessage& message);
    int GlyphCell() const;

    bool allowGrayed_ = false;
    TCheckBoxState state_ = cbUnchecked;
    bool spacePending_ = false;
};

class TRzCheckBox : public TRzCustomCheckBox {
public:
    explicit TRzCheckBox(TComponent* owner) : TRzCustomCheckBox(owner) {}
};

// ---------------------------------------------------------------------------------------

class TRzRadioButton : public TRzCustomGlyphButton {
public:
    explicit TRzRadioButton(TComponent* owner);

    bool Checked() const override { return checked_; }
    void SetChecked(bool value) override;
    // A radio group is read-only as a whole: the siblings follow.
    void SetReadOnly(bool value) override;

protected:
    void PaintGlyphImage(TBitmap* image) override;
    void SmoothGlyphEdges(TBitmap* glyph) override;
    void PerformClick() override;
    void Dispatch(TMessage& message) override;

private:
    void CMDialogChar(TMessage& message);
    int GlyphCell() const;

    bool checked_ = false;
};

// ---------------------------------------------------------------------------------------

// Keeps a check box's or radio button's Checked in step with an action's checked state,
// without firing OnClick for the changes the action pushes.
class TRzCheckedActionLink : public TControlActionLink {
public:
    explicit TRzCheckedActionLink(TRzCustomGlyphButton* client)
        : TControlActionLink(client), button_(client) {}
    bool IsCheckedLinked() const override;
    void SetChecked(bool value) override;

private:
    TRzCustomGlyphButton* button_;
};
