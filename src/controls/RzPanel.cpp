#include "controls/RzPanel.h"

#include "toolkit/base/Store.h"

#include <algorithm>

namespace {

unsigned AlignmentFlag(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

} // namespace

TRzCustomPanel::TRzCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(
        (csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks | csReplicatable) &
        ~unsigned(csSetCaption | csParentBackground));
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

TRzCustomPanel::~TRzCustomPanel() {
    Destroying();
    if (frameController_ != nullptr) {
        frameController_->RemoveControl(this);
    }
}

// ---------------------------------------------------------------------------------------
// Setters

void TRzCustomPanel::SetAlignment(TAlignment value) {
    if (!Store(alignment_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomPanel::SetBevelWidth(int value) {
    if (!Store(bevelWidth_, value)) {
        return;
    }
    Realign();
    Invalidate();
}

void TRzCustomPanel::SetBorderWidth(int value) {
    if (!Store(borderWidth_, std::max(value, 0))) {
        return;
    }
    Realign();
    Invalidate();
}

void TRzCustomPanel::SetAlignmentVertical(TAlignmentVertical value) {
    if (!Store(alignmentVertical_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomPanel::SetBorderColor(TColor value) {
    if (!Store(borderColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomPanel::SetBorderInner(TFrameStyleEx value) {
    if (!Store(borderInner_, value)) {
        return;
    }
    Realign();
    Invalidate();
}

void TRzCustomPanel::SetBorderOuter(TFrameStyleEx value) {
    if (!Store(borderOuter_, value)) {
        return;
    }
    Realign();
    Invalidate();
}

void TRzCustomPanel::SetBorderSides(TSides value) {
    if (!Store(borderSides_, value)) {
        return;
    }
    Realign();
    Invalidate();
}

void TRzCustomPanel::SetBorderHighlight(TColor value) {
    if (!Store(borderHighlight_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomPanel::SetBorderShadow(TColor value) {
    if (!Store(borderShadow_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomPanel::SetFlatColor(TColor value) {
    if (!Store(flatColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomPanel::SetFlatColorAdjustment(int value) {
    if (!Store(flatColorAdjustment_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomPanel::SetFrameController(TRzFrameController* value) {
    if (value == frameController_) {
        return;
    }
    LinkFrameController(frameController_, value, this);
    Invalidate();
}

void TRzCustomPanel::SetGradientColorStyle(TRzGradientColorStyle value) {
    if (!Store(gradientColorStyle_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomPanel::SetGradientColorStart(TColor value) {
    if (!Store(gradientColorStart_, value)) {
        return;
    }
    Invalidate();
    InvalidateChildren(this);
}

void TRzCustomPanel::SetGradientColorStop(TColor value) {
    if (!Store(gradientColorStop_, value)) {
        return;
    }
    Invalidate();
    InvalidateChildren(this);
}

void TRzCustomPanel::SetGradientDirection(TGradientDirection value) {
    if (!Store(gradientDirection_, value)) {
        return;
    }
    Invalidate();
    InvalidateChildren(this);
}

void TRzCustomPanel::SetPaintClientArea(bool value) {
    if (!Store(paintClientArea_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomPanel::SetTransparent(bool value) {
    if (!Store(transparent_, value)) {
        return;
    }
    SetStyleBit(csOpaque, !value);
    Invalidate();
    for (int i = 0; i < ControlCount(); ++i) {
        Controls(i)->Invalidate();
    }
}

void TRzCustomPanel::SetTextMargin(int value) {
    if (!Store(textMargin_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomPanel::SetTextMarginVertical(int value) {
    if (!Store(textMarginVertical_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomPanel::SetWordWrap(bool value) {
    if (!Store(wordWrap_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomPanel::SetVisualStyle(TRzVisualStyle value) {
    if (!Store(visualStyle_, value)) {
        return;
    }
    Invalidate();
}

// ---------------------------------------------------------------------------------------
// Geometry

int TRzCustomPanel::FrameInset(TFrameStyleEx style) const {
    switch (style) {
    case fsNone:
        return 0;
    case fsFlat:
        return 1;
    case fsStatus:
    case fsPopup:
        return bevelWidth_;
    default:
        return 2;
    }
}

void TRzCustomPanel::ShrinkByFrames(TRect& rect, bool includeBorderWidth) {
    if (includeBorderWidth) {
        InflateRect(rect, -borderWidth_, -borderWidth_);
    }
    for (TFrameStyleEx style : {borderOuter_, borderInner_}) {
        const int inset = FrameInset(style);
        rect.Left += borderSides_.Contains(sdLeft) ? inset : 0;
        rect.Top += borderSides_.Contains(sdTop) ? inset : 0;
        rect.Right -= borderSides_.Contains(sdRight) ? inset : 0;
        rect.Bottom -= borderSides_.Contains(sdBottom) ? inset : 0;
    }
}

TRect TRzCustomPanel::GetWholeRect() {
    return Rect(0, 0, Width(), Height());
}

TSize TRzCustomPanel::GetEdgeRepaintWidth() {
    return TSize{1, 1};
}

TPoint TRzCustomPanel::GetCursorClientPos() {
    TPoint p;
    GetCursorPos(&p);
    return ScreenToClient(p);
}

void TRzCustomPanel::AlignControls(TControl* control, TRect& rect) {
    // BorderWidth comes off in AdjustClientRect, which the toolkit's alignment calls.
    ShrinkByFrames(rect, false);
    TCustomControl::AlignControls(control, rect);
}

void TRzCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    InflateRect(rect, -borderWidth_, -borderWidth_);
}

void TRzCustomPanel::SetBounds(int left, int top, int width, int height) {
    // A panel docked to the bottom or the right grows away from that edge.
    if (Align() == alBottom && height != Height()) {
        top = Top() + Height() - height;
    } else if (Align() == alRight && width != Width()) {
        left = Left() + Width() - width;
    }
    const int oldWidth = Width();
    const int oldHeight = Height();
    TCustomControl::SetBounds(left, top, width, height);
    if (Width() != oldWidth || Height() != oldHeight) {
        InvalidateResizedEdges(oldWidth, oldHeight);
    }
}

void TRzCustomPanel::InvalidateResizedEdges(int oldWidth, int oldHeight) {
    if (fullRepaint_ || !Caption().empty()) {
        Invalidate();
        return;
    }
    // The frames along the right and bottom edges moved: repaint from the inner edge of the
    // smaller of the two sizes out to the larger one.
    TRect before = Rect(0, 0, oldWidth, oldHeight);
    TRect after = GetWholeRect();
    ShrinkByFrames(before, true);
    ShrinkByFrames(after, true);
    const TSize edge = GetEdgeRepaintWidth();
    if (Width() != oldWidth) {
        InvalidateRect(Rect(std::min(before.Right, after.Right) - edge.cx, 0, std::max(oldWidth, Width()),
                            std::max(oldHeight, Height())),
                       true);
    }
    if (Height() != oldHeight) {
        InvalidateRect(Rect(0, std::min(before.Bottom, after.Bottom) - edge.cy, std::max(oldWidth, Width()),
                            std::max(oldHeight, Height())),
                       true);
    }
}

// ---------------------------------------------------------------------------------------
// Painting

TGradientColors TRzCustomPanel::GetGradientColors() {
    if (gradientColorStyle_ == gcsCustom) {
        return {gradientColorStart_, gradientColorStop_};
    }
    return SchemeGradientColors(gradientColorStyle_);
}

std::pair<TColor, int> TRzCustomPanel::GetFlatColors() {
    if (visualStyle_ == vsGradient && gradientColorStyle_ != gcsCustom) {
        return {SchemeLineColor(gradientColorStyle_), 0};
    }
    return {flatColor_, flatColorAdjustment_};
}

void TRzCustomPanel::Paint() {
    TRect r = GetWholeRect();
    const auto [flat, adjustment] = GetFlatColors();
    TRzPanelBorder border;
    border.OuterStyle = borderOuter_;
    border.InnerStyle = borderInner_;
    border.Sides = borderSides_;
    border.BevelWidth = bevelWidth_;
    border.BorderWidth = borderWidth_;
    border.BorderColor = borderColor_;
    border.BorderHighlight = borderHighlight_;
    border.BorderShadow = borderShadow_;
    border.FlatColor = flat;
    border.FlatColorAdjustment = adjustment;
    border.ControlColor = Color();
    border.ParentColor = Parent() != nullptr ? Parent()->Color() : Color();
    border.Transparent = transparent_;
    r = PaintInnerOuterFrames(Canvas(), r, border);

    if (!transparent_ && paintClientArea_) {
        if (visualStyle_ == vsGradient) {
            const TGradientColors colors = GetGradientColors();
            PaintGradientFill(Canvas(), r, gradientDirection_, colors.Start, colors.Stop, 1);
        } else {
            Canvas()->Brush()->SetStyle(bsSolid);
            Canvas()->Brush()->SetColor(Color());
            Canvas()->FillRect(r);
        }
    }

    Canvas()->Brush()->SetStyle(bsClear);
    DrawPanelCaption(r);
    Canvas()->Brush()->SetStyle(bsSolid);
    if (OnPaint) {
        OnPaint(this);
    }
}

void TRzCustomPanel::DrawPanelCaption(TRect rect) {
    const std::string caption = Caption();
    if (caption.empty()) {
        return;
    }
    Canvas()->Font()->Assign(*Font());
    TRect q = rect;
    InflateRect(q, -textMargin_, -textMarginVertical_);
    const unsigned flags =
        DT_EXPANDTABS | DT_VCENTER | (wordWrap_ ? DT_WORDBREAK : 0u) | AlignmentFlag(alignment_);

    TRect measured = q;
    DrawText(Canvas()->Handle(), caption, measured, flags | DT_CALCRECT);
    const int h = measured.Height();
    switch (alignmentVertical_) {
    case avTop:
        q.Bottom = std::min(q.Bottom, q.Top + h);
        break;
    case avCenter:
        q.Top = (q.Top + q.Bottom - h) / 2;
        q.Bottom = std::min(q.Bottom, q.Top + h);
        break;
    case avBottom:
        q.Top = std::max(q.Top, q.Bottom - h - 1);
        break;
    }

    if (!Enabled()) {
        TRect raised = q;
        OffsetRect(raised, 1, 1);
        Canvas()->Font()->SetColor(clBtnHighlight);
        DrawText(Canvas()->Handle(), caption, raised, flags);
        Canvas()->Font()->SetColor(clBtnShadow);
    }
    DrawText(Canvas()->Handle(), caption, q, flags);
}

// ---------------------------------------------------------------------------------------
// Frame controller

void TRzCustomPanel::FramingChanged() {
    ApplyFrameSettings();
}

void TRzCustomPanel::ApplyFrameSettings() {
    if (frameController_ == nullptr) {
        return;
    }
    if (frameControllerNotifications_.Contains(fcpFrameStyle)) {
        SetBorderOuter(frameController_->FrameStyle());
    }
    if (frameControllerNotifications_.Contains(fcpFrameSides)) {
        SetBorderSides(frameController_->FrameSides());
    }
    if (frameControllerNotifications_.Contains(fcpFrameColor)) {
        flatColor_ = frameController_->FrameColor();
        flatColorAdjustment_ = 0;
    }
    Invalidate();
}

void TRzCustomPanel::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == frameController_) {
        frameController_ = nullptr;
    }
}

// ---------------------------------------------------------------------------------------
// Messages

void TRzCustomPanel::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND:
        WMEraseBkgnd(message);
        return;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(message);
        return;
    case WM_THEMECHANGED:
        TCustomControl::Dispatch(message);
        RefreshThemeColorScheme();
        return;
    case CM_MOUSEENTER:
        if (!InState(csDesigning)) {
            TCustomControl::Dispatch(message);
        }
        return;
    case CM_CONTROLLISTCHANGE:
        // A child that leaves takes its recorded state with it, so a later child cannot
        // inherit a stale entry.
        if (message.LParam == 0) {
            ForgetChild(reinterpret_cast<const TControl*>(message.WParam));
        }
        TCustomControl::Dispatch(message);
        return;
    default:
        TCustomControl::Dispatch(message);
    }
}

void TRzCustomPanel::WMEraseBkgnd(TMessage& message) {
    if (transparent_ && paintClientArea_) {
        CopyParentBackground(this, reinterpret_cast<HDC>(message.WParam));
    }
    message.Result = 1;
}

void TRzCustomPanel::CMEnabledChanged(TMessage& message) {
    TCustomControl::Dispatch(message);
    Repaint();
    if (Enabled()) {
        RestoreChildren();
    } else {
        RecordChildrenAndDisable();
    }
}

void TRzCustomPanel::RecordChildrenAndDisable() {
    enabledStates_.clear();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        enabledStates_.emplace_back(child->Enabled() ? "1" : "0", child);
    }
    for (int i = 0; i < ControlCount(); ++i) {
        Controls(i)->SetEnabled(false);
    }
}

void TRzCustomPanel::RestoreChildren() {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (RecordedEnabledState(child) != "0") {
            child->SetEnabled(true);
        }
    }
}

std::string TRzCustomPanel::RecordedEnabledState(const TControl* child) const {
    for (const auto& [text, control] : enabledStates_) {
        if (control == child) {
            return text;
        }
    }
    return {};
}

void TRzCustomPanel::ForgetChild(const TControl* child) {
    std::erase_if(enabledStates_, [child](const auto& entry) { return entry.second == child; });
}
