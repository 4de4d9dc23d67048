// Self-painted push buttons: TRzCustomButton (mouse tracking, hot-track state, caption text
// styles, focus and enabled handling), TRzButton (Default/Cancel keys, ModalResult, toggle
// groups, the hot-track and classic faces, the focus outline) and TRzBitBtn (a glyph from
// its own bitmap or an image list beside the caption, and the stock kinds).
#pragma once

#include "controls/RzCommon.h"
#include "toolkit/graphics/Graphics.h"
#include "toolkit/runtime/Actions.h"
#include "toolkit/runtime/Controls.h"
#include "toolkit/runtime/Forms.h"

#include <memory>
#include <string>

enum TRzHotTrackColorType { htctComplement, htctActual };
enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
using TImageIndex = int;

// Sent to the parent's controls when a grouped button goes down or its group settings
// change: WParam = GroupIndex, LParam = the sending TRzButton.
constexpr unsigned CM_RZBUTTONPRESSED = 0x2421;

// The button state byte of TRzButton.
enum TRzButtonState : unsigned char { rbsUp = 0, rbsDisabled = 1, rbsDown = 2, rbsExclusive = 3 };

// ---------------------------------------------------------------------------------------

class TRzCustomButton : public TCustomControl {
public:
    explicit TRzCustomButton(TComponent* owner);
    ~TRzCustomButton() override;

    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    virtual void SetAlignmentVertical(TAlignmentVertical value);
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor value);
    TRzHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    void SetHotTrackColorType(TRzHotTrackColorType value);
    TColor HighlightColor() const { return highlightColor_; }
    virtual void SetHighlightColor(TColor value);
    bool LightTextStyle() const { return lightTextStyle_; }
    virtual void SetLightTextStyle(bool value);
    TTextStyle TextStyle() const { return textStyle_; }
    virtual void SetTextStyle(TTextStyle value);
    TColor TextHighlightColor() const { return textHighlightColor_; }
    virtual void SetTextHighlightColor(TColor value);
    TColor TextShadowColor() const { return textShadowColor_; }
    virtual void SetTextShadowColor(TColor value);
    int TextShadowDepth() const { return textShadowDepth_; }
    virtual void SetTextShadowDepth(int value);
    bool HotTrack() const { return hotTrack_; }
    virtual void SetHotTrack(bool value);
    bool ThemeAware() const { return themeAware_; }
    virtual void SetThemeAware(bool value);
    bool Transparent() const { return transparent_; }

    // The linked action: a click executes it when there is no OnClick handler.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);

    // Transient state, readable for descendants and tests.
    bool MouseOver() const { return mouseOver_; }
    bool Pressed() const { return pressed_; }
    bool Tracking() const { return tracking_; }

protected:
    virtual void PaintBackdrop(HDC dc);
    virtual void RepaintPressState();
    virtual void RepaintFocusState();
    virtual TRect GetHotRect();
    virtual void DrawCaptionText(TCanvas* canvas, TRect rect, unsigned flags);
    virtual void PerformClick();
    virtual void SetTransparent(bool value);

    void Click() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

    virtual std::unique_ptr<TActionLink> CreateActionLink();
    // The linked action changed (or was just assigned, then checkDefaults is true).
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    TActionLink* ActionLink() const { return actionLink_.get(); }

    // Paints the control at once when it is on screen, without waiting for the queue.
    void PaintNow();

    bool tracking_ = false;
    bool mouseOver_ = false;
    bool pressed_ = false;

private:
    void CMMouseEnter(TMessage& message);
    void CMMouseLeave(TMessage& message);
    void CMEnabledChanged(TMessage& message);
    void CMTextChanged(TMessage& message);
    void WMFocus(TMessage& message);
    void WMEraseBkgnd(TMessage& message);
    void DrawCaptionCopy(TCanvas* canvas, TRect rect, int dx, int dy, TColor color, unsigned flags);
    // The copies of the caption that the text style draws under it: raised, recessed or shadow.
    void DrawCaptionRelief(TCanvas* canvas, const TRect& rect, unsigned flags);

    TAlignmentVertical alignmentVertical_ = avCenter;
    TColor hotTrackColor_ = 0x149BF0;
    TRzHotTrackColorType hotTrackColorType_ = htctActual;
    TColor highlightColor_ = clHighlight;
    bool lightTextStyle_ = false;
    TTextStyle textStyle_ = tsNormal;
    TColor textHighlightColor_ = clBtnHighlight;
    TColor textShadowColor_ = clBtnShadow;
    int textShadowDepth_ = 2;
    bool hotTrack_ = false;
    bool transparent_ = false;
    bool themeAware_ = true;
    std::unique_ptr<TActionLink> actionLink_;
};

// ---------------------------------------------------------------------------------------

class TRzButton : public TRzCustomButton {
public:
    explicit TRzButton(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment value);
    bool Default() const { return default_; }
    virtual void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool AllowAllUp() const { return allowAllUp_; }
    virtual void SetAllowAllUp(bool value);
    bool Down() const { return down_; }
    virtual void SetDown(bool value);
    int GroupIndex() const { return groupIndex_; }
    virtual void SetGroupIndex(int value);
    bool ShowDownPattern() const { return showDownPattern_; }
    virtual void SetShowDownPattern(bool value);
    bool ShowFocusRect() const { return showFocusRect_; }
    virtual void SetShowFocusRect(bool value);
    bool DropDownOnEnter() const { return dropDownOnEnter_; }
    void SetDropDownOnEnter(bool value) { dropDownOnEnter_ = value; }
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value);
    void SetHotTrack(bool value) override;

    // Whether Enter would press this button now.
    bool Active() const { return active_; }
    TRzButtonState ButtonState() const { return state_; }
    bool Clicking() const { return clicking_; }
    bool EnterClick() const { return enterClick_; }

protected:
    virtual void GetCaptionRect(TRect& rect);
    virtual void DrawFaceContent();
    virtual void BuildDownPattern(TBitmap* bitmap);

    void Paint() override;
    void PaintBackdrop(HDC dc) override;
    void RepaintPressState() override;
    void PerformClick() override;
    void Click() override;
    void KeyDown(unsigned& key, TShiftState shift) override;
    void KeyUp(unsigned& key, TShiftState shift) override;
    void CreateWnd() override;
    void Dispatch(TMessage& message) override;

    // The pressed look: stuck down, exclusive, or held by mouse or Space.
    bool PressedLook() const { return state_ == rbsDown || state_ == rbsExclusive || pressed_; }
    // The text format of the caption: alignment, word break, expanded tabs.
    unsigned CaptionFormat() const;

private:
    void PaintHotTrackFace(TRect& r);
    void PaintHotTrackRing(int width, int height);
    void PaintHotTrackFrameLine(const TRect& r, TColor color);
    void PaintPlainFace(TRect r);
    void PaintClassicFace(TRect& r);
    void PaintDownPattern(const TRect& r);
    void BroadcastGroupPress();
    void WMKillFocus(TMessage& message);
    void CMDialogKey(TMessage& message);
    void CMDialogChar(TMessage& message);
    void CMFocusChanged(TMessage& message);
    void CMButtonPressed(TMessage& message);

    TAlignment alignment_ = taCenter;
    bool clicking_ = false;
    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    TModalResult modalResult_ = mrNone;
    bool spaceDown_ = false;
    bool allowAllUp_ = false;
    bool down_ = false;
    int groupIndex_ = 0;
    bool showDownPattern_ = true;
    bool showFocusRect_ = true;
    bool dropDownOnEnter_ = true;
    TColor frameColor_ = cl3DDkShadow;
    TRzButtonState state_ = rbsUp;
    bool enterClick_ = false;
};

// ---------------------------------------------------------------------------------------

class TRzBitBtn : public TRzButton {
public:
    explicit TRzBitBtn(TComponent* owner);
    ~TRzBitBtn() override;

    TBitmap* Glyph() { return &glyph_; }
    virtual void SetGlyph(const TBitmap* value);
    // Reverts the stored kind to bkCustom when the presets no longer hold.
    virtual TBitBtnKind Kind();
    virtual void SetKind(TBitBtnKind value);
    TButtonLayout Layout() const { return layout_; }
    virtual void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    virtual void SetMargin(int value);
    int NumGlyphs() const { return numGlyphs_; }
    virtual void SetNumGlyphs(int value);
    int Spacing() const { return spacing_; }
    virtual void SetSpacing(int value);
    TImageIndex ImageIndex() const { return imageIndex_; }
    virtual void SetImageIndex(TImageIndex value);
    TImageIndex DisabledIndex() const { return disabledIndex_; }
    virtual void SetDisabledIndex(TImageIndex value);
    TCustomImageList* Images() const { return images_; }
    virtual void SetImages(TCustomImageList* value);

    // The caption and glyph rectangles the face is laid out with (for tests and painting).
    TRect CaptionRect();
    TRect GlyphRect();

protected:
    virtual TSize GetGlyphSize();
    virtual void GetGlyphRect(TRect& rect);
    virtual void DrawImageListGlyph(const TRect& rect);
    virtual void DrawBitmapGlyph(const TRect& rect);

    void GetCaptionRect(TRect& rect) override;
    void DrawFaceContent() override;
    void Notification(TComponent* component, TOperation operation) override;
    void ActionChange(TObject* sender, bool checkDefaults) override;

private:
    bool HasGlyph() const;
    bool UsesImageList() const { return images_ != nullptr && imageIndex_ != -1; }
    // The image list entry is drawn only for bkCustom; a stock kind draws its bitmap.
    bool DrawsImageList() { return Kind() == bkCustom && UsesImageList(); }
    int MeasuredTextHeight(const TRect& rect);
    int SubImageIndex() const;
    void GlyphChanged();
    void ImagesChanged();

    TBitmap glyph_;
    TBitBtnKind kind_ = bkCustom;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = 2;
    int numGlyphs_ = 1;
    int spacing_ = 4;
    bool glyphModified_ = false;
    TImageIndex imageIndex_ = -1;
    TImageIndex disabledIndex_ = -1;
    TCustomImageList* images_ = nullptr;
    TChangeLink imageChangeLink_;
};

// ---------------------------------------------------------------------------------------
// Stock kinds

struct TBitBtnKindPreset {
    const char* Caption;
    TModalResult ModalResult;
    bool Default;
    bool Cancel;
    const char* ResourceName;
};

// The presets of a kind (bkCustom has no caption and no bitmap).
const TBitBtnKindPreset& BitBtnKindPreset(TBitBtnKind kind);
// The shared stock bitmap of a kind, loaded from the program's resources on first use; an
// empty bitmap when the kind has none or the resource is missing.
const TBitmap& StockGlyph(TBitBtnKind kind);
