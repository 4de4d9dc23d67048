// Painting of a form: the invalid region is repainted in z-order (each windowed control's
// border, background, own paint and graphic children, then its windowed children) into the back
// buffer, or band by band into a small buffer when the form keeps no pixels, and the changed
// pixels are presented to the native window.
#include "platform/Geometry.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "toolkit/runtime/Forms.h"

#include <algorithm>

void TCustomForm::InvalidateFormRect(const TRect& formRect) {
    TRect r;
    if (IntersectRect(r, formRect, Rect(0, 0, Width(), Height()))) {
        invalid_.Union(r);
        if (platform::IWindowSystem* windows = platform::Current().windows) {
            windows->Wake();
        }
    }
}

void TCustomForm::MarkPresent(const TRect& formRect) {
    TRect r;
    if (KeepsPixels() && IntersectRect(r, formRect, Rect(0, 0, Width(), Height()))) {
        presentDirty_.Union(r);
    }
}

namespace {

// A band holds at most this many pixels (64 KiB), and starts on a multiple of eight pixels, so
// that hatch and pattern brushes, aligned to the pixels' own coordinates, fall as on the form.
constexpr int kBandPixels = 16384;
constexpr int kPatternCell = 8;

} // namespace

bool TCustomForm::KeepsPixels() const {
    return Application == nullptr || Application->FormsKeepPixels();
}

void TCustomForm::Present(const TRect& area) {
    if (!KeepsPixels()) {
        // Nothing kept to show again: the area is painted anew.
        InvalidateFormRect(area);
        return;
    }
    if (native_ == nullptr || !shown_ || backBuffer_.Width() == 0 || backBuffer_.Height() == 0) {
        return;
    }
    PresentPixels(backBuffer_, TPoint{}, area);
}

void TCustomForm::PresentPixels(const TPixelBuffer& pixels, TPoint origin, const TRect& area) {
    if (native_ == nullptr || !shown_) {
        return;
    }
    platform::PixelView view{pixels.Data(),  pixels.Width(), pixels.Height(),
                             pixels.Width(), origin.X,       origin.Y};
    native_->Present(view, platform::Rect{area.Left, area.Top, area.Right, area.Bottom});
}

TCustomForm::TPaintSurface TCustomForm::PaintSurface() {
    if (painting_) {
        return surface_;
    }
    return KeepsPixels() ? TPaintSurface{&backBuffer_, TPoint{}} : TPaintSurface{};
}

void TCustomForm::PaintArea(TPixelBuffer& pixels, TPoint origin, const TRegion& region) {
    // The outer surface comes back however the painting ends, an exception included.
    struct TRestore {
        TCustomForm& form;
        TPaintSurface surface;
        bool painting;
        ~TRestore() {
            form.surface_ = surface;
            form.painting_ = painting;
        }
    } restore{*this, surface_, painting_};
    surface_ = TPaintSurface{&pixels, origin};
    painting_ = true;
    PaintWinControl(this, region);
}

void TCustomForm::PaintInvalid() {
    if (painting_ || !Showing()) {
        return;
    }
    if (KeepsPixels()) {
        PaintKeptPixels();
    } else {
        PaintInBands();
    }
}

void TCustomForm::PaintKeptPixels() {
    if (!invalid_.IsEmpty()) {
        TRegion region = invalid_;
        invalid_ = TRegion();
        PaintArea(backBuffer_, TPoint{}, region);
        presentDirty_.Union(region.BoundingBox());
    }
    if (!presentDirty_.IsEmpty()) {
        TRect area = presentDirty_.BoundingBox();
        presentDirty_ = TRegion();
        Present(area);
    }
}

// Each band of the invalid region's bounding box is painted whole into one small buffer and
// presented at once; the screen keeps the pixels.
void TCustomForm::PaintInBands() {
    if (invalid_.IsEmpty()) {
        return;
    }
    TRect box = invalid_.BoundingBox();
    invalid_ = TRegion();
    box.Left -= box.Left % kPatternCell;
    box.Top -= box.Top % kPatternCell;
    const int rows = std::max(kPatternCell, kBandPixels / box.Width() / kPatternCell * kPatternCell);
    TPixelBuffer band;
    for (int top = box.Top; top < box.Bottom; top += rows) {
        const TRect area = Rect(box.Left, top, box.Right, std::min(top + rows, box.Bottom));
        const TPoint origin{area.Left, area.Top};
        band.Resize(area.Width(), area.Height());
        PaintArea(band, origin, TRegion(area));
        PresentPixels(band, origin, area);
    }
}

void TCustomForm::PaintWinControl(TWinControl* control, const TRegion& clip) {
    TPoint window = control->WindowOffsetInForm();
    TRegion windowClip = clip;
    windowClip.Intersect(Bounds(window.X, window.Y, control->Width(), control->Height()));
    if (windowClip.IsEmpty()) {
        return;
    }
    TRect border = control->NonClientBorder();
    if (border.Left != 0 || border.Top != 0 || border.Right != 0 || border.Bottom != 0) {
        control->Perform(WM_NCPAINT, 1);
    }
    TPoint client = control->ClientOffsetInForm();
    TRect clientRect = control->ClientRect();
    OffsetRect(clientRect, client.X, client.Y);
    TRegion clientClip = windowClip;
    clientClip.Intersect(clientRect);
    if (clientClip.IsEmpty()) {
        return;
    }
    TRegion ownClip = clientClip;
    std::vector<TWinControl*> children;
    for (int i = 0; i < control->ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(control->Controls(i));
        if (child != nullptr && child->Visible()) {
            children.push_back(child);
            if (control->Params().Style & WS_CLIPCHILDREN) {
                TRect r = child->BoundsRect();
                OffsetRect(r, client.X, client.Y);
                ownClip.Exclude(r);
            }
        }
    }
    if (!ownClip.IsEmpty()) {
        const TPoint origin = surface_.origin;
        TDeviceContext dc(surface_.pixels);
        dc.SetWindowOrigin(TPoint{client.X - origin.X, client.Y - origin.Y});
        TRect view = clientRect;
        OffsetRect(view, -origin.X, -origin.Y);
        dc.SetViewBounds(view);
        ownClip.Offset(-origin.X, -origin.Y);
        dc.SetClip(ownClip);
        control->Perform(WM_ERASEBKGND, WPARAM(&dc));
        control->Perform(WM_PAINT, WPARAM(&dc));
    }
    for (TWinControl* child : children) {
        PaintWinControl(child, clientClip);
    }
}

void TCustomForm::Paint() {
    if (OnPaint) {
        OnPaint(this);
    }
}

void TCustomForm::PaintWindow(HDC dc) {
    canvas_.FreeHandle();
    canvas_.SetHandle(dc);
    Paint();
    canvas_.SetHandle(nullptr);
}
