// TRzCustomButton: mouse tracking with the pressed flag, the mouse-over flag, caption text
// styles, focus and background-erase handling, and the action link.
#include "controls/RzButton.h"

#include "controls/RzGrafx.h"
#include "toolkit/base/Store.h"

namespace {

// The height of the caption wrapped to the width of rect.
int CaptionTextHeight(TCanvas* canvas, const std::string& caption, TRect rect) {
    return DrawText(canvas->Handle(), caption, rect,
                    DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
}

// The band of rect that the caption's text fills, placed by the vertical alignment.
TRect CaptionBand(TRect rect, int textHeight, TAlignmentVertical alignment) {
    switch (alignment) {
    case avTop:
        rect.Bottom = rect.Top + textHeight;
        break;
    case avCenter:
        rect.Top = (rect.Top + rect.Bottom - textHeight) / 2;
        rect.Bottom = rect.Top + textHeight;
        break;
    case avBottom:
        rect.Top = rect.Bottom - textHeight - 1;
        break;
    }
    return rect;
}

} // namespace

TRzCustomButton::TRzCustomButton(TComponent* owner) : TCustomControl(owner) {
    // The button decides itself when a click happens, so no csClickEvents; not opaque, so
    // background erase reaches it.
    SetControlStyle(csCaptureMouse | csSetCaption | csDoubleClicks | csReplicatable | csReflector);
    SetBounds(Left(), Top(), 115, 17);
    SetTabStop(true);
}

TRzCustomButton::~TRzCustomButton() {
    Destroying();
}

// ---------------------------------------------------------------------------------------
// Properties

void TRzCustomButton::SetAlignmentVertical(TAlignmentVertical value) {
    if (!Store(alignmentVertical_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomButton::SetHotTrackColor(TColor value) {
    if (!Store(hotTrackColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomButton::SetHotTrackColorType(TRzHotTrackColorType value) {
    if (!Store(hotTrackColorType_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomButton::SetHighlightColor(TColor value) {
    if (!Store(highlightColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomButton::SetLightTextStyle(bool value) {
    if (!Store(lightTextStyle_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomButton::SetTextStyle(TTextStyle value) {
    if (!Store(textStyle_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomButton::SetTextHighlightColor(TColor value) {
    if (!Store(textHighlightColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomButton::SetTextShadowColor(TColor value) {
    if (!Store(textShadowColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomButton::SetTextShadowDepth(int value) {
    if (!Store(textShadowDepth_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomButton::SetHotTrack(bool value) {
    if (!Store(hotTrack_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomButton::SetThemeAware(bool value) {
    if (!Store(themeAware_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomButton::SetTransparent(bool value) {
    if (!Store(transparent_, value)) {
        return;
    }
    Invalidate();
}

// ---------------------------------------------------------------------------------------
// Actions

TBasicAction* TRzCustomButton::Action() const {
    return actionLink_ ? actionLink_->Action() : nullptr;
}

void TRzCustomButton::SetAction(TBasicAction* value) {
    if (value == Action()) {
        return;
    }
    if (value == nullptr) {
        actionLink_.reset();
        return;
    }
    if (!actionLink_) {
        actionLink_ = CreateActionLink();
        actionLink_->OnChange = [this](TObject* sender) {
            ActionChange(sender, false);
        };
    }
    actionLink_->SetAction(value);
    value->FreeNotification(this);
    ActionChange(value, value->InState(csLoading));
}

std::unique_ptr<TActionLink> TRzCustomButton::CreateActionLink() {
    return std::make_unique<TControlActionLink>(this);
}

void TRzCustomButton::ActionChange(TObject* sender, bool checkDefaults) {
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (action == nullptr) {
        return;
    }
    if (!checkDefaults || Caption().empty()) {
        SetCaption(action->Caption());
    }
    if (!checkDefaults || Enabled()) {
        SetEnabled(action->Enabled());
    }
}

void TRzCustomButton::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component != nullptr && component == Action()) {
        SetAction(nullptr);
    }
}

void TRzCustomButton::Click() {
    if (OnClick) {
        OnClick(this);
    } else if (actionLink_) {
        actionLink_->Execute();
    }
}

// ---------------------------------------------------------------------------------------
// Virtual operations

void TRzCustomButton::PaintBackdrop(HDC /*dc*/) {}

void TRzCustomButton::RepaintPressState() {}

void TRzCustomButton::RepaintFocusState() {
    Repaint();
}

TRect TRzCustomButton::GetHotRect() {
    return ClientRect();
}

void TRzCustomButton::PerformClick() {}

void TRzCustomButton::PaintNow() {
    if (!Showing()) {
        return;
    }
    Paint();
    // A canvas that had to fetch its own device context lets it go again.
    static_cast<TControlCanvas*>(Canvas())->FreeHandle();
}

void TRzCustomButton::DrawCaptionCopy(TCanvas* canvas, TRect rect, int dx, int dy, TColor color,
                                      unsigned flags) {
    OffsetRect(rect, dx, dy);
    canvas->Font()->SetColor(color);
    DrawText(canvas->Handle(), Caption(), rect, flags);
}

void TRzCustomButton::DrawCaptionText(TCanvas* canvas, TRect rect, unsigned flags) {
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(*Font());
    rect = CaptionBand(rect, CaptionTextHeight(canvas, Caption(), rect), alignmentVertical_);
    if (Enabled()) {
        DrawCaptionRelief(canvas, rect, flags);
        // Right-aligned text moves left by the shadow depth, so that a shadow below right of it
        // stays inside the rectangle.
        if ((flags & DT_RIGHT) != 0) {
            OffsetRect(rect, -textShadowDepth_, 0);
        }
        DrawCaptionCopy(canvas, rect, 0, 0, Font()->Color(), flags);
    } else {
        // Engraved: a highlight copy below right, the shadow-coloured text on it.
        DrawCaptionCopy(canvas, rect, 1, 1, clBtnHighlight, flags);
        DrawCaptionCopy(canvas, rect, 0, 0, clBtnShadow, flags);
    }
    canvas->Brush()->SetStyle(bsSolid);
}

void TRzCustomButton::DrawCaptionRelief(TCanvas* canvas, const TRect& rect, unsigned flags) {
    if (textStyle_ == tsShadow) {
        // Right-aligned text moves left instead (see DrawCaptionText).
        const int dx = (flags & DT_RIGHT) != 0 ? 0 : textShadowDepth_;
        DrawCaptionCopy(canvas, rect, dx, textShadowDepth_, textShadowColor_, flags);
        return;
    }
    if (textStyle_ != tsRaised && textStyle_ != tsRecessed) {
        return;
    }
    // Raised text has its dark copy below right and its light copy above left, recessed text
    // the other way round; the light style leaves out the copy on the shadow side.
    const bool raised = textStyle_ == tsRaised;
    const TColor light = raised ? textHighlightColor_ : textShadowColor_;
    const TColor dark = raised ? textShadowColor_ : textHighlightColor_;
    if (!(raised && lightTextStyle_)) {
        DrawCaptionCopy(canvas, rect, 1, 1, dark, flags);
    }
    if (raised || !lightTextStyle_) {
        DrawCaptionCopy(canvas, rect, -1, -1, light, flags);
    }
}

// ---------------------------------------------------------------------------------------
// Mouse tracking

void TRzCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) {
        return;
    }
    ::SetFocus(Handle());
    if (!Focused()) {
        return;
    }
    pressed_ = true;
    RepaintPressState();
    tracking_ = true;
}

void TRzCustomButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!tracking_) {
        return;
    }
    const bool inside = ClientRect().Contains(Point(x, y));
    if (Store(pressed_, inside)) {
        RepaintPressState();
    }
}

void TRzCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    // The release of any mouse button ends the press.
    if (!tracking_) {
        return;
    }
    tracking_ = false;
    pressed_ = false;
    if (ClientRect().Contains(Point(x, y))) {
        PerformClick();
    }
    RepaintPressState();
}

// ---------------------------------------------------------------------------------------
// Messages

void TRzCustomButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
        CMMouseEnter(message);
        return;
    case CM_MOUSELEAVE:
        CMMouseLeave(message);
        return;
    case CM_TEXTCHANGED:
        CMTextChanged(message);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        WMFocus(message);
        return;
    case WM_ERASEBKGND:
        WMEraseBkgnd(message);
        return;
    default:
        TCustomControl::Dispatch(message);
    }
}

void TRzCustomButton::CMMouseEnter(TMessage& message) {
    if (InState(csDesigning)) {
        return;
    }
    mouseOver_ = true;
    TCustomControl::Dispatch(message);
    if (hotTrack_) {
        InvalidateRect(GetHotRect(), false);
    }
}

void TRzCustomButton::CMMouseLeave(TMessage& message) {
    mouseOver_ = false;
    TCustomControl::Dispatch(message);
    if (hotTrack_) {
        InvalidateRect(GetHotRect(), false);
    }
}

void TRzCustomButton::CMTextChanged(TMessage& message) {
    TCustomControl::Dispatch(message);
    Repaint();
}

void TRzCustomButton::WMFocus(TMessage& message) {
    TCustomControl::Dispatch(message);
    RepaintFocusState();
}

void TRzCustomButton::WMEraseBkgnd(TMessage& message) {
    if (message.WParam != 0) {
        PaintBackdrop(reinterpret_cast<HDC>(message.WParam));
    }
    message.Result = 1;
}
