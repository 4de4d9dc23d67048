#include "toolkit/graphics/Graphics.h"

// Everything SaveDC keeps: the selected objects, the text state, the viewport origin and the
// clip region.
struct TDeviceContext::SavedState {
    TPen pen;
    TBrush brush;
    TFont font;
    TColor textColor = clBlack;
    TColor backColor = clWhite;
    int backMode = OPAQUE;
    unsigned textAlign = TA_LEFT | TA_TOP;
    TPoint viewportOrigin;
    TRegion clip;
};

TDeviceContext::TDeviceContext(TPixelBuffer* target) : target_(nullptr) {
    SetTarget(target);
}

TDeviceContext::~TDeviceContext() = default;

void TDeviceContext::SetTarget(TPixelBuffer* target) {
    target_ = target;
    SetViewBounds(target != nullptr ? Rect(0, 0, target->Width(), target->Height()) : TRect{});
}

void TDeviceContext::SetWindowOrigin(TPoint origin) {
    windowOrigin_ = origin;
}

void TDeviceContext::SetViewportOrigin(TPoint origin) {
    viewportOrigin_ = origin;
}

void TDeviceContext::SetClip(const TRegion& clip) {
    clip_ = clip;
}

void TDeviceContext::SetViewBounds(const TRect& bounds) {
    viewBounds_ = bounds;
    ResetClip();
}

void TDeviceContext::ResetClip() {
    clip_ = TRegion(viewBounds_);
}

int SaveDC(HDC dc) {
    if (dc == nullptr) {
        return 0;
    }
    auto state = std::make_unique<TDeviceContext::SavedState>();
    state->pen.Assign(dc->pen);
    state->brush.Assign(dc->brush);
    state->font.Assign(dc->font);
    state->textColor = dc->textColor;
    state->backColor = dc->backColor;
    state->backMode = dc->backMode;
    state->textAlign = dc->textAlign;
    state->viewportOrigin = dc->viewportOrigin_;
    state->clip = dc->clip_;
    dc->saved_.push_back(std::move(state));
    return int(dc->saved_.size());
}

bool RestoreDC(HDC dc, int savedIndex) {
    if (dc == nullptr || dc->saved_.empty()) {
        return false;
    }
    const int count = int(dc->saved_.size());
    // A negative index counts back from the most recent save; other indices must exist.
    const int target = savedIndex < 0 ? count + 1 + savedIndex : savedIndex;
    if (target < 1 || target > count) {
        return false;
    }
    const TDeviceContext::SavedState& state = *dc->saved_[std::size_t(target - 1)];
    dc->pen.Assign(state.pen);
    dc->brush.Assign(state.brush);
    dc->font.Assign(state.font);
    dc->textColor = state.textColor;
    dc->backColor = state.backColor;
    dc->backMode = state.backMode;
    dc->textAlign = state.textAlign;
    dc->viewportOrigin_ = state.viewportOrigin;
    dc->clip_ = state.clip;
    dc->saved_.resize(std::size_t(target - 1));
    return true;
}

bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* previous) {
    if (dc == nullptr) {
        return false;
    }
    if (previous != nullptr) {
        *previous = dc->ViewportOrigin();
    }
    dc->SetViewportOrigin(Point(x, y));
    return true;
}

bool GetViewportOrgEx(HDC dc, TPoint* origin) {
    if (dc == nullptr || origin == nullptr) {
        return false;
    }
    *origin = dc->ViewportOrigin();
    return true;
}

namespace {

int RegionKind(const TRegion& region) {
    if (region.IsEmpty()) {
        return NULLREGION;
    }
    return region.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// A rectangle in logical coordinates moved to device coordinates.
TRect ToDevice(HDC dc, int left, int top, int right, int bottom) {
    TRect r = Rect(left, top, right, bottom);
    OffsetRect(r, dc->Origin().X, dc->Origin().Y);
    return r;
}

} // namespace

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    if (dc == nullptr) {
        return 0;
    }
    TRegion clip = dc->Clip();
    clip.Exclude(ToDevice(dc, left, top, right, bottom));
    dc->SetClip(clip);
    return RegionKind(clip);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    if (dc == nullptr) {
        return 0;
    }
    TRegion clip = dc->Clip();
    clip.Intersect(ToDevice(dc, left, top, right, bottom));
    dc->SetClip(clip);
    return RegionKind(clip);
}

int GetClipBox(HDC dc, TRect& box) {
    if (dc == nullptr) {
        box = TRect{};
        return 0;
    }
    box = dc->Clip().BoundingBox();
    if (!box.IsEmpty()) {
        OffsetRect(box, -dc->Origin().X, -dc->Origin().Y);
    }
    return RegionKind(dc->Clip());
}

unsigned SetTextAlign(HDC dc, unsigned align) {
    if (dc == nullptr) {
        return 0;
    }
    const unsigned previous = dc->textAlign;
    dc->textAlign = align;
    return previous;
}

TColor SetTextColor(HDC dc, TColor color) {
    if (dc == nullptr) {
        return clNone;
    }
    const TColor previous = dc->textColor;
    dc->textColor = color;
    return previous;
}

int SetBkMode(HDC dc, int mode) {
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    const int previous = dc->backMode;
    dc->backMode = mode;
    return previous;
}

TColor SetBkColor(HDC dc, TColor color) {
    if (dc == nullptr) {
        return clNone;
    }
    const TColor previous = dc->backColor;
    dc->backColor = color;
    return previous;
}
