#include "controls/RzStatus.h"

#include "controls/RzPanel.h"
#include "toolkit/base/Store.h"
#include "toolkit/runtime/Actions.h"
#include "toolkit/runtime/Timer.h"

#include <algorithm>

namespace {

// Space between the grip-side edge of the status bar's client area and the hit-test zone.
constexpr int kGripHitWidth = 12;

} // namespace

// ---------------------------------------------------------------------------------------
// Construction

TRzCustomStatusPane::TRzCustomStatusPane(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle((ControlStyle() & ~unsigned(csOpaque)) | csNoDesignVisible);
    SetBounds(Left(), Top(), 100, 20);
    SetParentColor(true);
    parentFillColor_ = true;
    fillColor_ = Color();
    transparent_ = true;
    TRzBlinkingControlsList::Join(this);
}

TRzCustomStatusPane::~TRzCustomStatusPane() {
    Destroying();
    if (frameController_ != nullptr) {
        frameController_->RemoveControl(this);
    }
    TRzBlinkingControlsList::Leave(this);
}

void TRzCustomStatusPane::Loaded() {
    TGraphicControl::Loaded();
    if (!ParentColor()) {
        transparent_ = false;
    }
    normalTextColor_ = Font()->Color();
    currentTextColor_ = Font()->Color();
    AdjustPaneWidth();
}

// ---------------------------------------------------------------------------------------
// Setters

void TRzCustomStatusPane::SetAlignment(TAlignment value) {
    if (!Store(alignment_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomStatusPane::SetAutoSize(bool value) {
    if (!Store(autoSize_, value)) {
        return;
    }
    AdjustPaneWidth();
}

void TRzCustomStatusPane::SetDefaultWidth(int value) {
    if (!Store(defaultWidth_, value)) {
        return;
    }
    AdjustPaneWidth();
}

void TRzCustomStatusPane::SetBlinking(bool value) {
    if (!Store(blinking_, value)) {
        return;
    }
    // Starting waits for the next tick of the shared rhythm; stopping shows the normal
    // colour at once.
    if (!value) {
        currentTextColor_ = normalTextColor_;
        Refresh();
    }
}

void TRzCustomStatusPane::SetBlinkColor(TColor value) {
    if (!Store(blinkColor_, value)) {
        return;
    }
    Invalidate();
}

std::uint16_t TRzCustomStatusPane::BlinkIntervalOff() const {
    return TRzBlinkingControlsList::Instance()->BlinkIntervalOff();
}

void TRzCustomStatusPane::SetBlinkIntervalOff(std::uint16_t value) {
    TRzBlinkingControlsList::Instance()->SetBlinkIntervalOff(value);
}

std::uint16_t TRzCustomStatusPane::BlinkIntervalOn() const {
    return TRzBlinkingControlsList::Instance()->BlinkIntervalOn();
}

void TRzCustomStatusPane::SetBlinkIntervalOn(std::uint16_t value) {
    TRzBlinkingControlsList::Instance()->SetBlinkIntervalOn(value);
}

void TRzCustomStatusPane::SetBorderWidth(int value) {
    if (!Store(borderWidth_, std::max(value, 0))) {
        return;
    }
    Invalidate();
}

void TRzCustomStatusPane::SetCaptionOffset(int value) {
    if (!Store(captionOffset_, value)) {
        return;
    }
    Invalidate();
    AdjustPaneWidth();
}

void TRzCustomStatusPane::SetFillColor(TColor value) {
    if (!Store(fillColor_, value)) {
        return;
    }
    parentFillColor_ = false;
    Invalidate();
}

void TRzCustomStatusPane::SetParentFillColor(bool value) {
    if (!Store(parentFillColor_, value)) {
        return;
    }
    if (Parent() != nullptr && !InState(csReading)) {
        Perform(CM_PARENTCOLORCHANGED);
    }
}

void TRzCustomStatusPane::SetFlatColor(TColor value) {
    if (!Store(flatColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomStatusPane::SetFlatColorAdjustment(int value) {
    if (!Store(flatColorAdjustment_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomStatusPane::SetFrameStyle(TFrameStyle value) {
    if (!Store(frameStyle_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomStatusPane::SetTransparent(bool value) {
    if (!Store(transparent_, value)) {
        return;
    }
    SetStyleBit(csOpaque, !value);
    Invalidate();
}

// ---------------------------------------------------------------------------------------
// Frame controller

// Unlike the other setters this one does not compare: setting the same controller again
// registers the pane anew, which applies the controller's settings once more.
void TRzCustomStatusPane::SetFrameController(TRzFrameController* value) {
    LinkFrameController(frameController_, value, this);
}

void TRzCustomStatusPane::FramingChanged() {
    ApplyControllerSettings();
}

void TRzCustomStatusPane::ApplyControllerSettings() {
    if (frameController_ == nullptr || !frameController_->FrameVisible()) {
        return;
    }
    if (frameControllerNotifications_.Contains(fcpFrameStyle)) {
        SetFrameStyle(frameController_->FrameStyle());
    }
    if (frameControllerNotifications_.Contains(fcpFrameColor)) {
        flatColor_ = frameController_->FrameColor();
        flatColorAdjustment_ = 0;
    }
    if (frameControllerNotifications_.Contains(fcpColor)) {
        SetFillColor(frameController_->Color());
    }
    if (frameControllerNotifications_.Contains(fcpParentColor)) {
        SetParentColor(frameController_->ParentColor());
    }
    Invalidate();
}

void TRzCustomStatusPane::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == frameController_) {
        frameController_ = nullptr;
    }
}

// ---------------------------------------------------------------------------------------
// Geometry

TRzStatusBar* TRzCustomStatusPane::StatusBar() const {
    return dynamic_cast<TRzStatusBar*>(Parent());
}

int TRzCustomStatusPane::FrameInset() const {
    switch (frameStyle_) {
    case fsFlat:
    case fsStatus:
    case fsPopup:
        return 1;
    case fsGroove:
    case fsBump:
    case fsLowered:
    case fsButtonDown:
    case fsRaised:
    case fsButtonUp:
    case fsFlatBold:
        return 2;
    default:
        return 0;
    }
}

TRect TRzCustomStatusPane::GetTextArea() {
    TRect r = ClientRect();
    const int inset = borderWidth_ + FrameInset();
    InflateRect(r, -inset, -inset);
    return r;
}

int TRzCustomStatusPane::MeasurePaneWidth(TCanvas* canvas) {
    const std::string caption = Caption();
    if (caption.empty()) {
        return defaultWidth_;
    }
    // The whole caption is measured, however long it is.
    canvas->Font()->Assign(*Font());
    TRect r = ClientRect();
    DrawText(canvas->Handle(), caption, r, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    return r.Width() + 2 * borderWidth_ + captionOffset_ + 6;
}

void TRzCustomStatusPane::AdjustPaneWidth() {
    if (InState(csReading) || !autoSize_) {
        return;
    }
    // Measured on the screen's device context, so no window of the pane is needed.
    HDC screen = GetDC(nullptr);
    TCanvas canvas;
    canvas.SetHandle(screen);
    const int width = MeasurePaneWidth(&canvas);
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, screen);
    SetWidth(width);
}

bool TRzCustomStatusPane::ReachesSizeGrip(const TRect& rect) {
    TRzStatusBar* bar = StatusBar();
    if (bar == nullptr || !bar->ShowSizeGrip()) {
        return false;
    }
    const TRect barClient = bar->GetClientRect();
    const TPoint paneCorner = ClientToScreen(Point(rect.Right, rect.Bottom));
    const TPoint barCorner = bar->ClientToScreen(Point(barClient.Right, barClient.Bottom));
    return paneCorner.X >= barCorner.X;
}

// ---------------------------------------------------------------------------------------
// Painting

void TRzCustomStatusPane::Paint() {
    PaintFrameAndFill();
    PaintCaption(Caption());
}

void TRzCustomStatusPane::PaintFrameAndFill() {
    TCanvas* canvas = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    if (!transparent_) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
    }
    canvas->Pen()->SetWidth(1);
    InflateRect(r, -borderWidth_, -borderWidth_);

    if (TRzStatusBar* bar = StatusBar(); bar != nullptr && bar->VisualStyle() == vsGradient) {
        // Gradient bars separate their panes by one line left of every pane but the first.
        if (Left() <= bar->BorderWidth()) {
            return;
        }
        canvas->Pen()->SetColor(TRzStatusBar::ColorSet(bar->GradientColorStyle()).Third);
        canvas->MoveTo(r.Left, r.Top + 1);
        canvas->LineTo(r.Left, r.Bottom - 1);
        return;
    }

    if (frameStyle_ != fsFlat) {
        PaintFrame(canvas, r, frameStyle_);
        return;
    }
    PaintOpenCornerOutline(canvas, r, ShiftLightness(flatColor_, flatColorAdjustment_));
}

void TRzCustomStatusPane::PaintCaption(const std::string& text) {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(*Font());
    canvas->Font()->SetColor(currentTextColor_);
    const TRect a = GetTextArea();

    int x = a.Left + captionOffset_ + 1;
    unsigned align = TA_LEFT;
    if (alignment_ == taRightJustify) {
        x = a.Right - captionOffset_ - 1;
        align = TA_RIGHT;
    } else if (alignment_ == taCenter) {
        x = a.Left + (a.Right - a.Left) / 2;
        align = TA_CENTER;
    }
    const int y = a.Top + (a.Bottom - a.Top - canvas->TextHeight("Pp")) / 2;
    const unsigned previousAlign = SetTextAlign(canvas->Handle(), align);

    if (transparent_) {
        canvas->Brush()->SetStyle(bsClear);
    } else {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(fillColor_);
    }
    if (!Enabled()) {
        canvas->Font()->SetColor(clBtnHighlight);
        canvas->TextRect(a, x + 1, y + 1, text);
        canvas->Font()->SetColor(clBtnShadow);
        canvas->Brush()->SetStyle(bsClear);
    }
    canvas->TextRect(a, x, y, text);
    SetTextAlign(canvas->Handle(), previousAlign);
}

void TRzCustomStatusPane::ShowBlinkPhase(bool phase) {
    currentTextColor_ = phase ? blinkColor_ : normalTextColor_;
    Refresh();
}

// ---------------------------------------------------------------------------------------
// Messages

void TRzCustomStatusPane::FollowColor() {
    if (parentFillColor_) {
        fillColor_ = Color();
    }
    Invalidate();
}

void TRzCustomStatusPane::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case RZM_BLINKQUERY:
        TGraphicControl::Dispatch(message);
        message.Result = blinking_ ? 1 : 0;
        return;
    case RZM_BLINKTOGGLE:
        TGraphicControl::Dispatch(message);
        if (blinking_) {
            ShowBlinkPhase(message.WParam != 0);
        }
        return;
    case CM_FONTCHANGED:
        TGraphicControl::Dispatch(message);
        if (!InState(csLoading)) {
            normalTextColor_ = Font()->Color();
            if (!blinking_) {
                currentTextColor_ = Font()->Color();
            }
            AdjustPaneWidth();
        }
        return;
    case CM_TEXTCHANGED:
        TGraphicControl::Dispatch(message);
        Invalidate();
        AdjustPaneWidth();
        return;
    case CM_HITTEST:
        CMHitTest(message);
        return;
    case CM_MOUSEENTER:
        if (!InState(csDesigning)) {
            TGraphicControl::Dispatch(message);
        }
        return;
    case CM_PARENTCOLORCHANGED:
    case CM_COLORCHANGED:
        TGraphicControl::Dispatch(message);
        FollowColor();
        return;
    default:
        TGraphicControl::Dispatch(message);
    }
}

void TRzCustomStatusPane::CMHitTest(TMessage& message) {
    TGraphicControl::Dispatch(message);
    const TRect client = ClientRect();
    if (!ReachesSizeGrip(client) || !StatusBar()->SizeGripUsable()) {
        return;
    }
    // Near a grip that can size the form the status bar answers for the pane; a grip that
    // cannot (fixed border, maximised) takes nothing from it.
    TRzStatusBar* bar = StatusBar();
    const TRect barClient = bar->GetClientRect();
    const int g = ScreenToClient(bar->ClientToScreen(Point(barClient.Right, barClient.Bottom))).X;
    const TRect zone = Rect(g - kGripHitWidth, 0, g, client.Height());
    if (zone.Contains(LParamToPoint(message.LParam))) {
        message.Result = bar->Perform(WM_NCHITTEST, message.WParam, message.LParam);
    }
}

// ---------------------------------------------------------------------------------------
// Automatic hint

bool TRzCustomStatusPane::ExecuteAction(TBasicAction* action) {
    auto* hintAction = dynamic_cast<THintAction*>(action);
    if (autoHint_ && hintAction != nullptr) {
        SetCaption(hintAction->Hint());
        return true;
    }
    return TGraphicControl::ExecuteAction(action);
}
