// Painting of a form: the invalid region is repainted into the back buffer in z-order
// (each windowed control's border, background, own paint and graphic children, then its
// windowed children), and the changed pixels are presented to the native window.
#include "platform/Geometry.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "toolkit/runtime/Forms.h"

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
    if (IntersectRect(r, formRect, Rect(0, 0, Width(), Height()))) {
        presentDirty_.Union(r);
    }
}

void TCustomForm::Present(const TRect& area) {
    if (native_ == nullptr || !shown_ || backBuffer_.Width() == 0 || backBuffer_.Height() == 0) {
        return;
    }
    platform::PixelView view{backBuffer_.Data(), backBuffer_.Width(), backBuffer_.Height(),
                             backBuffer_.Width()};
    native_->Present(view, platform::Rect{area.Left, area.Top, area.Right, area.Bottom});
}

void TCustomForm::PaintInvalid() {
    if (painting_ || !Showing()) {
        return;
    }
    if (!invalid_.IsEmpty()) {
        painting_ = true;
        TRegion region = invalid_;
        invalid_ = TRegion();
        try {
            PaintWinControl(this, region);
        } catch (...) {
            painting_ = false;
            throw;
        }
        painting_ = false;
        presentDirty_.Union(region.BoundingBox());
    }
    if (!presentDirty_.IsEmpty()) {
        TRect area = presentDirty_.BoundingBox();
        presentDirty_ = TRegion();
        Present(area);
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
        TDeviceContext dc(&backBuffer_);
        dc.SetWindowOrigin(client);
        dc.SetViewBounds(clientRect);
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
