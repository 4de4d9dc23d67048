#include "controls/RzPanel.h"
#include "toolkit/base/Store.h"
#include "toolkit/runtime/Forms.h"

#include <cmath>

namespace {

// The system command that sizes a window from its bottom-right corner.
constexpr WPARAM kSizeFromBottomRight = SC_SIZE + 8;
// Width of the zone at the right edge where a press sizes the form.
constexpr int kGripZoneWidth = 13;
// The corner of the client area the grip's dots lie in.
constexpr int kGripCorner = 14;

// Runs EnableAlign on the container when the scope ends, also when a step raises.
class TAlignSuspension {
public:
    explicit TAlignSuspension(TWinControl* container) : container_(container) { container_->DisableAlign(); }
    ~TAlignSuspension() { container_->EnableAlign(); }
    TAlignSuspension(const TAlignSuspension&) = delete;
    TAlignSuspension& operator=(const TAlignSuspension&) = delete;

private:
    TWinControl* container_;
};

} // namespace

TRzStatusBar::TRzStatusBar(TComponent* owner) : TRzCustomPanel(owner) {
    gripCanvas_.SetControl(this);
    SetAlign(alBottom);
    SetBorderInner(fsNone);
    SetBorderOuter(fsNone);
    SetBorderSides(sdAllSides);
    SetHeight(19);
    SetBorderWidth(0);
    autoStyle_ = true;
    showSizeGrip_ = true;
    simpleStatus_ = false;
    simpleFrameStyle_ = fsFlat;
    firstResize_ = true;
}

TRzStatusBar::~TRzStatusBar() {
    Destroying();
    gripCanvas_.FreeHandle();
}

TBandColors TRzStatusBar::ColorSet(TRzGradientColorStyle style) {
    return SchemeBandColors(style);
}

// ---------------------------------------------------------------------------------------
// Style

void TRzStatusBar::Loaded() {
    TRzCustomPanel::Loaded();
    if (autoStyle_) {
        ApplyAutoStyle();
    }
}

void TRzStatusBar::ApplyAutoStyle() {
    // The border setters below switch AutoStyle off; it is put back however the steps end.
    struct TRestore {
        TRzStatusBar* bar;
        bool value;
        ~TRestore() { bar->autoStyle_ = value; }
    } restore{this, autoStyle_};
    SetBorderInner(fsNone);
    SetBorderOuter(fsNone);
    SetBorderSides(sdAllSides);
    SetHeight(19);
    SetBorderWidth(0);
}

void TRzStatusBar::SetBorderInner(TFrameStyleEx value) {
    if (value != BorderInner()) {
        TRzCustomPanel::SetBorderInner(value);
        autoStyle_ = false;
    }
}

void TRzStatusBar::SetBorderOuter(TFrameStyleEx value) {
    if (value != BorderOuter()) {
        TRzCustomPanel::SetBorderOuter(value);
        autoStyle_ = false;
    }
}

void TRzStatusBar::SetBorderSides(TSides value) {
    if (value != BorderSides()) {
        TRzCustomPanel::SetBorderSides(value);
        autoStyle_ = false;
    }
}

void TRzStatusBar::SetShowSizeGrip(bool value) {
    if (!Store(showSizeGrip_, value)) {
        return;
    }
    UpdateGripUsable();
    Invalidate();
}

void TRzStatusBar::SetSimpleCaption(const std::string& value) {
    if (!Store(simpleCaption_, value)) {
        return;
    }
    Invalidate();
}

void TRzStatusBar::SetSimpleFrameStyle(TFrameStyle value) {
    if (!Store(simpleFrameStyle_, value)) {
        return;
    }
    Invalidate();
}

void TRzStatusBar::SetSimpleStatus(bool value) {
    if (!Store(simpleStatus_, value)) {
        return;
    }
    {
        const TAlignSuspension suspension(this);
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* child = Controls(i);
            if (InState(csDesigning)) {
                child->SetControlStyle(child->ControlStyle() | csNoDesignVisible);
            }
            child->SetVisible(!simpleStatus_);
        }
    }
    Invalidate();
}

// ---------------------------------------------------------------------------------------
// Geometry

// The platform the windows were laid out on has the visual-style library (whether or not the
// program uses it), so the panes are aligned in the whole client area, and in simple mode
// one pixel inside it on the left, top and right.
TRect TRzStatusBar::GetClientRect() {
    TRect r = ClientRect();
    if (simpleStatus_) {
        r.Left += 1;
        r.Top += 1;
        r.Right -= 1;
    }
    return r;
}

void TRzStatusBar::AlignControls(TControl* control, TRect& rect) {
    rect = GetClientRect();
    TRzCustomPanel::AlignControls(control, rect);
}

void TRzStatusBar::Resize() {
    TRzCustomPanel::Resize();
    if (firstResize_) {
        widthChange_ = 0;
        lastWidth_ = Width();
        firstResize_ = false;
    } else {
        widthChange_ = Width() - lastWidth_;
    }
    ScalePanes();
    lastWidth_ = Width();
}

void TRzStatusBar::ScalePanes() {
    // A bar that had no width has no proportions to keep.
    if (!autoScalePanes_ || ControlCount() == 0 || widthChange_ == 0 || lastWidth_ <= 0) {
        return;
    }
    const TAlignSuspension suspension(this);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        const float ratio = float(child->Width()) / float(lastWidth_);
        const int growth = int(std::rint(double(widthChange_) * double(ratio)));
        child->SetWidth(growth + child->Width());
    }
}

// ---------------------------------------------------------------------------------------
// Size grip

void TRzStatusBar::UpdateGripUsable() {
    TCustomForm* form = ParentForm();
    gripUsable_ = form != nullptr &&
                  (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin) &&
                  form->WindowState() != wsMaximized;
}

TRect TRzStatusBar::GripZone() const {
    return Rect(Width() - kGripZoneWidth, 0, Width(), Height());
}

void TRzStatusBar::CreateWnd() {
    UpdateGripUsable();
    TRzCustomPanel::CreateWnd();
}

void TRzStatusBar::WndProc(TMessage& message) {
    if (message.Msg == WM_LBUTTONDOWN && gripUsable_ && !InState(csDesigning) && showSizeGrip_) {
        const TPoint p =
            Point(LOWORD(std::uintptr_t(message.LParam)), HIWORD(std::uintptr_t(message.LParam)));
        TCustomForm* form = ParentForm();
        if (form != nullptr && GripZone().Contains(p)) {
            if (form->CaptureControl() != nullptr) {
                form->SetCaptureControl(nullptr);
            }
            form->Perform(WM_SYSCOMMAND, kSizeFromBottomRight, 0);
            return;
        }
    }
    TRzCustomPanel::WndProc(message);
}

void TRzStatusBar::WMSetCursor(TMessage& message) {
    if (showSizeGrip_ && gripUsable_ && !InState(csDesigning) && GripZone().Contains(GetCursorClientPos())) {
        if (TCustomForm* form = ParentForm()) {
            form->ApplyCursor(crSizeNWSE);
        }
        message.Result = 1;
        return;
    }
    TRzCustomPanel::Dispatch(message);
}

void TRzStatusBar::DrawSizeGrip(TRect rect) {
    TColor light = clBtnHighlight;
    TColor dark = clBtnShadow;
    if (VisualStyle() == vsGradient) {
        const TBandColors colors = ColorSet(GradientColorStyle());
        light = colors.Second;
        dark = colors.Third;
    }
    const int r = rect.Right;
    const int b = rect.Bottom;
    const TPoint dots[] = {{r - 5, b - 12}, {r - 5, b - 8}, {r - 5, b - 4},
                           {r - 9, b - 8},  {r - 9, b - 4}, {r - 13, b - 4}};
    // Light dots first, then the dark ones one pixel up and left, leaving a light edge.
    for (const auto& [color, shift] : {std::pair{light, 0}, std::pair{dark, 1}}) {
        gripCanvas_.Pen()->SetColor(color);
        gripCanvas_.Brush()->SetColor(color);
        gripCanvas_.Brush()->SetStyle(bsSolid);
        for (const TPoint& dot : dots) {
            gripCanvas_.Rectangle(dot.X - shift, dot.Y - shift, dot.X - shift + 2, dot.Y - shift + 2);
        }
    }
    gripCanvas_.FreeHandle();
}

// ---------------------------------------------------------------------------------------
// Painting

TGradientColors TRzStatusBar::GetGradientColors() {
    if (GradientColorStyle() == gcsCustom) {
        return {GradientColorStop(), GradientColorStart()};
    }
    const TBandColors colors = ColorSet(GradientColorStyle());
    return {colors.First, colors.Second};
}

void TRzStatusBar::Paint() {
    TRzCustomPanel::Paint();
    if (!simpleStatus_) {
        return;
    }
    TRect r = GetClientRect();
    r.Bottom -= 1;
    DrawSimpleFrame(r);
    InflateRect(r, -1, -1);
    if (simpleCaption_.empty()) {
        return;
    }
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(*Font());
    canvas->Brush()->SetStyle(bsClear);
    const int y = r.Top + (r.Bottom - r.Top - canvas->TextHeight("Pp")) / 2;
    canvas->TextRect(r, r.Left + 2, y, simpleCaption_);
    canvas->Brush()->SetStyle(bsSolid);
}

void TRzStatusBar::DrawSimpleFrame(TRect rect) {
    // Without a theme engine only the classic style draws a frame.
    if (VisualStyle() != vsClassic) {
        return;
    }
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetWidth(1);
    if (simpleFrameStyle_ != fsFlat) {
        PaintFrame(canvas, rect, simpleFrameStyle_);
        return;
    }
    // Four lines that leave the corner pixels open.
    canvas->Pen()->SetColor(ShiftLightness(FlatColor(), FlatColorAdjustment()));
    canvas->MoveTo(rect.Left, rect.Top + 1);
    canvas->LineTo(rect.Left, rect.Bottom - 1);
    canvas->MoveTo(rect.Left + 1, rect.Top);
    canvas->LineTo(rect.Right - 1, rect.Top);
    canvas->MoveTo(rect.Right - 1, rect.Top + 1);
    canvas->LineTo(rect.Right - 1, rect.Bottom - 1);
    canvas->MoveTo(rect.Left + 1, rect.Bottom - 1);
    canvas->LineTo(rect.Right - 1, rect.Bottom - 1);
}

void TRzStatusBar::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT: {
        TRzCustomPanel::Dispatch(message);
        TRect r = GetClientRect();
        r.Bottom -= 1;
        UpdateGripUsable();
        // The grip draws through a device context of its own, which shows the whole bar
        // again: only a paint that reaches the grip's corner draws it.
        TRect paintBox = r;
        if (message.WParam != 0) {
            GetClipBox(reinterpret_cast<HDC>(message.WParam), paintBox);
        }
        TRect reached;
        const TRect gripCorner = Rect(r.Right - kGripCorner, r.Bottom - kGripCorner, r.Right, r.Bottom);
        if (showSizeGrip_ && gripUsable_ && IntersectRect(reached, paintBox, gripCorner)) {
            DrawSizeGrip(r);
        }
        return;
    }
    case WM_SETCURSOR:
        WMSetCursor(message);
        return;
    default:
        TRzCustomPanel::Dispatch(message);
    }
}
