// The framed container family: TRzCustomPanel (outer frame, border rings, inner frame, fills,
// caption, the enabled-state rule for children), the captioned TRzCustomGroupBox and the
// TRzStatusBar that holds the status panes.
#pragma once

#include "controls/RzCommon.h"
#include "controls/RzFrameController.h"
#include "controls/RzGrafx.h"
#include "toolkit/runtime/Controls.h"

#include <string>
#include <utility>
#include <vector>

// ---------------------------------------------------------------------------------------
// TRzCustomPanel

class TRzCustomPanel : public TCustomControl, public IRzFrameControllerClient, public IRzTransparentControl {
public:
    explicit TRzCustomPanel(TComponent* owner);
    ~TRzCustomPanel() override;

    // The toolkit panel's own properties.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value) { fullRepaint_ = value; }
    bool Locked() const { return locked_; }
    void SetLocked(bool value) { locked_ = value; }

    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    void SetAlignmentVertical(TAlignmentVertical value);
    TFrameStyleEx BorderInner() const { return borderInner_; }
    virtual void SetBorderInner(TFrameStyleEx value);
    TFrameStyleEx BorderOuter() const { return borderOuter_; }
    virtual void SetBorderOuter(TFrameStyleEx value);
    TSides BorderSides() const { return borderSides_; }
    virtual void SetBorderSides(TSides value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    TColor BorderHighlight() const { return borderHighlight_; }
    void SetBorderHighlight(TColor value);
    TColor BorderShadow() const { return borderShadow_; }
    void SetBorderShadow(TColor value);
    TColor FlatColor() const { return flatColor_; }
    void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    void SetFlatColorAdjustment(int value);
    TRzFrameController* FrameController() const { return frameController_; }
    void SetFrameController(TRzFrameController* value);
    TRzFrameControllerNotifications FrameControllerNotifications() const {
        return frameControllerNotifications_;
    }
    void SetFrameControllerNotifications(TRzFrameControllerNotifications value) {
        frameControllerNotifications_ = value;
    }
    TRzGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
    void SetGradientColorStyle(TRzGradientColorStyle value);
    TColor GradientColorStart() const { return gradientColorStart_; }
    void SetGradientColorStart(TColor value);
    TColor GradientColorStop() const { return gradientColorStop_; }
    void SetGradientColorStop(TColor value);
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    void SetGradientDirection(TGradientDirection value);
    bool PaintClientArea() const { return paintClientArea_; }
    void SetPaintClientArea(bool value);
    bool Transparent() const override { return transparent_; }
    void SetTransparent(bool value);
    int TextMargin() const { return textMargin_; }
    void SetTextMargin(int value);
    int TextMarginVertical() const { return textMarginVertical_; }
    void SetTextMarginVertical(int value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    TRzVisualStyle VisualStyle() const { return visualStyle_; }
    void SetVisualStyle(TRzVisualStyle value);

    void SetBounds(int left, int top, int width, int height) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void AdjustClientRect(TRect& rect) override;
    void Notification(TComponent* component, TOperation operation) override;

    // IRzFrameControllerClient
    void FramingChanged() override;

    // The recorded enabled state of a child ("1" or "0"), empty when none is recorded.
    std::string RecordedEnabledState(const TControl* child) const;

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;

    virtual TPoint GetCursorClientPos();
    // Moves the sides in BorderSides inward by the outer and inner frame insets, after taking
    // BorderWidth off all four sides when asked.
    virtual void ShrinkByFrames(TRect& rect, bool includeBorderWidth);
    virtual TRect GetWholeRect();
    virtual TSize GetEdgeRepaintWidth();
    virtual TGradientColors GetGradientColors();
    virtual std::pair<TColor, int> GetFlatColors();
    virtual void DrawPanelCaption(TRect rect);
    virtual void ApplyFrameSettings();

    // Pixels a frame style takes from each side it is drawn on.
    int FrameInset(TFrameStyleEx style) const;
    // After a resize: the whole panel, or only the strips along the moved right and bottom
    // edges when neither FullRepaint nor a caption asks for more.
    void InvalidateResizedEdges(int oldWidth, int oldHeight);

private:
    void CMEnabledChanged(TMessage& message);
    void WMEraseBkgnd(TMessage& message);
    void RecordChildrenAndDisable();
    void RestoreChildren();
    void ForgetChild(const TControl* child);

    TAlignment alignment_ = taCenter;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    bool fullRepaint_ = true;
    bool locked_ = false;
    TAlignmentVertical alignmentVertical_ = avCenter;
    TFrameStyleEx borderInner_ = fsNone;
    TFrameStyleEx borderOuter_ = fsRaised;
    TSides borderSides_ = sdAllSides;
    TColor borderColor_ = clBtnFace;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    bool paintClientArea_ = true;
    TRzVisualStyle visualStyle_ = vsWinXP;
    TRzGradientColorStyle gradientColorStyle_ = gcsSystem;
    TColor gradientColorStart_ = clWhite;
    TColor gradientColorStop_ = clBtnFace;
    TGradientDirection gradientDirection_ = gdHorizontalEnd;
    bool transparent_ = false;
    int textMargin_ = 0;
    int textMarginVertical_ = 0;
    bool wordWrap_ = true;
    // (text, child): "1" when the child was enabled as the panel became disabled.
    std::vector<std::pair<std::string, TControl*>> enabledStates_;
    TRzFrameController* frameController_ = nullptr;
    TRzFrameControllerNotifications frameControllerNotifications_ = fcpAll;
};

// ---------------------------------------------------------------------------------------
// TRzCustomGroupBox

enum TRzGroupBoxStyle { gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline };

class TRzCustomGroupBox : public TRzCustomPanel {
public:
    explicit TRzCustomGroupBox(TComponent* owner);

    TRzGroupBoxStyle GroupStyle() const { return groupStyle_; }
    virtual void SetGroupStyle(TRzGroupBoxStyle value);

    void AdjustClientRect(TRect& rect) override;

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;
    void ApplyFrameSettings() override;

    // The band the caption is drawn in, empty without caption and for gsCustom.
    TRect CaptionBand(int width);

private:
    void PaintGroupFrame(const TRect& frame, TColor line, const TRect& band);
    void PaintFlatFrame(const TRect& frame, TColor line);
    void PaintBanner(const TRect& band, TColor line);
    void PaintGroupCaption(TRect band);
    void CMDialogChar(TMessage& message);

    TRzGroupBoxStyle groupStyle_ = gsFlat;
};

class TRzGroupBox : public TRzCustomGroupBox {
public:
    using TRzCustomGroupBox::TRzCustomGroupBox;
};

// ---------------------------------------------------------------------------------------
// TRzStatusBar

class TRzStatusBar : public TRzCustomPanel {
public:
    explicit TRzStatusBar(TComponent* owner);
    ~TRzStatusBar() override;

    bool AutoStyle() const { return autoStyle_; }
    void SetAutoStyle(bool value) { autoStyle_ = value; }
    bool SimpleStatus() const { return simpleStatus_; }
    virtual void SetSimpleStatus(bool value);
    const std::string& SimpleCaption() const { return simpleCaption_; }
    virtual void SetSimpleCaption(const std::string& value);
    TFrameStyle SimpleFrameStyle() const { return simpleFrameStyle_; }
    virtual void SetSimpleFrameStyle(TFrameStyle value);
    bool ShowSizeGrip() const { return showSizeGrip_; }
    virtual void SetShowSizeGrip(bool value);
    bool AutoScalePanes() const { return autoScalePanes_; }
    void SetAutoScalePanes(bool value) { autoScalePanes_ = value; }
    // Whether the parent form can be resized from the grip, as last computed.
    bool SizeGripUsable() const { return gripUsable_; }

    void SetBorderInner(TFrameStyleEx value) override;
    void SetBorderOuter(TFrameStyleEx value) override;
    void SetBorderSides(TSides value) override;

    // The client-rectangle query: the rectangle the panes are aligned in and the bar paints
    // its simple frame and grip in (the window's client area itself stays whole).
    virtual TRect GetClientRect();
    void AlignControls(TControl* control, TRect& rect) override;
    void WndProc(TMessage& message) override;

    // The status-bar colour set for a gradient colour style.
    static TBandColors ColorSet(TRzGradientColorStyle style);

protected:
    void Loaded() override;
    void CreateWnd() override;
    void Paint() override;
    void Dispatch(TMessage& message) override;
    void Resize() override;
    TGradientColors GetGradientColors() override;

    virtual void DrawSimpleFrame(TRect rect);
    virtual void ApplyAutoStyle();

private:
    void UpdateGripUsable();
    TRect GripZone() const;
    void WMSetCursor(TMessage& message);
    void DrawSizeGrip(TRect rect);
    void ScalePanes();

    bool autoStyle_ = true;
    TControlCanvas gripCanvas_;
    bool simpleStatus_ = false;
    std::string simpleCaption_;
    TFrameStyle simpleFrameStyle_ = fsFlat;
    bool gripUsable_ = false;
    bool showSizeGrip_ = true;
    bool autoScalePanes_ = false;
    bool firstResize_ = true;
    int widthChange_ = 0;
    int lastWidth_ = 0;
};
