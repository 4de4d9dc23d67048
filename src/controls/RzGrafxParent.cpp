// Routines that work on controls rather than on a canvas: the parent-background copy under a
// transparent control and the invalidation helpers.
#include "controls/RzGrafx.h"
#include "toolkit/runtime/Controls.h"
#include "toolkit/runtime/Forms.h"
#include "toolkit/runtime/Messages.h"

namespace {

// Restores a device context's saved state however the painting in between ends.
class TSavedDCState {
public:
    explicit TSavedDCState(HDC dc) : dc_(dc), index_(SaveDC(dc)) {}
    ~TSavedDCState() { RestoreDC(dc_, index_); }
    TSavedDCState(const TSavedDCState&) = delete;
    TSavedDCState& operator=(const TSavedDCState&) = delete;

private:
    HDC dc_;
    int index_;
};

bool PaintsItself(TWinControl* control) {
    return dynamic_cast<TCustomControl*>(control) != nullptr ||
           dynamic_cast<TCustomForm*>(control) != nullptr;
}

} // namespace

void CopyParentBackground(TControl* control, HDC dc, bool invalidateParent) {
    TWinControl* parent = control != nullptr ? control->Parent() : nullptr;
    if (parent == nullptr || dc == nullptr) {
        return;
    }
    {
        const TSavedDCState saved(dc);
        // The parent paints in its own client coordinates: shift them so that the control's
        // position lands on the DC's origin.
        TPoint origin;
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.X - control->Left(), origin.Y - control->Top(), nullptr);
        const TRect client = parent->ClientRect();
        IntersectClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
        parent->Perform(WM_ERASEBKGND, WPARAM(dc), 0);
        parent->Perform(WM_PAINT, WPARAM(dc), 0);
    }
    if (invalidateParent && !PaintsItself(parent) && !control->InState(csDesigning)) {
        parent->Invalidate();
    }
}

void InvalidateFrameArea(TWinControl* window, TRect rect) {
    if (window == nullptr) {
        return;
    }
    HDC dc = GetWindowDC(window);
    TRect box;
    const int kind = GetClipBox(dc, box);
    TCustomForm* form = window->ParentForm();
    // A window that is not on screen has nothing to repaint, whatever its DC reports.
    if (kind != 0 && kind != NULLREGION && form != nullptr && window->Showing()) {
        // The rectangle is in client coordinates; widened over the border it reaches the
        // frame, so the frame is painted again too.
        const TPoint client = window->ClientOffsetInForm();
        const TPoint whole = window->WindowOffsetInForm();
        const TRect border = window->NonClientBorder();
        TRect area = Rect(rect.Left - border.Left, rect.Top - border.Top, rect.Right + border.Right,
                          rect.Bottom + border.Bottom);
        OffsetRect(area, client.X, client.Y);
        if (IntersectRect(area, area, Bounds(whole.X, whole.Y, window->Width(), window->Height()))) {
            form->InvalidateFormRect(area);
        }
    }
    ReleaseDC(window, dc);
}

void InvalidateChildren(TWinControl* container) {
    if (container == nullptr) {
        return;
    }
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* child = container->Controls(i);
        const auto* transparent = dynamic_cast<const IRzTransparentControl*>(child);
        if (transparent != nullptr && transparent->Transparent()) {
            child->Invalidate();
        }
    }
}
