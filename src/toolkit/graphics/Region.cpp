#include "toolkit/graphics/Graphics.h"

namespace {

// Appends the parts of `piece` that lie outside `hole` (at most four bands).
void AppendDifference(std::vector<TRect>& out, const TRect& piece, const TRect& hole) {
    TRect common;
    if (!IntersectRect(common, piece, hole)) {
        out.push_back(piece);
        return;
    }
    if (piece.Top < common.Top) {
        out.push_back(Rect(piece.Left, piece.Top, piece.Right, common.Top));
    }
    if (common.Bottom < piece.Bottom) {
        out.push_back(Rect(piece.Left, common.Bottom, piece.Right, piece.Bottom));
    }
    if (piece.Left < common.Left) {
        out.push_back(Rect(piece.Left, common.Top, common.Left, common.Bottom));
    }
    if (common.Right < piece.Right) {
        out.push_back(Rect(common.Right, common.Top, piece.Right, common.Bottom));
    }
}

} // namespace

TRegion::TRegion(const TRect& rect) {
    if (!rect.IsEmpty()) {
        rects_.push_back(rect);
    }
}

bool TRegion::IsEmpty() const {
    return rects_.empty();
}

bool TRegion::Contains(int x, int y) const {
    const TPoint p{x, y};
    for (const TRect& r : rects_) {
        if (r.Contains(p)) {
            return true;
        }
    }
    return false;
}

TRect TRegion::BoundingBox() const {
    if (rects_.empty()) {
        return TRect{};
    }
    TRect box = rects_.front();
    for (const TRect& r : rects_) {
        box.Left = std::min(box.Left, r.Left);
        box.Top = std::min(box.Top, r.Top);
        box.Right = std::max(box.Right, r.Right);
        box.Bottom = std::max(box.Bottom, r.Bottom);
    }
    return box;
}

void TRegion::Intersect(const TRect& rect) {
    std::vector<TRect> kept;
    for (const TRect& r : rects_) {
        TRect common;
        if (IntersectRect(common, r, rect)) {
            kept.push_back(common);
        }
    }
    rects_ = std::move(kept);
}

void TRegion::Exclude(const TRect& rect) {
    if (rect.IsEmpty()) {
        return;
    }
    std::vector<TRect> kept;
    for (const TRect& r : rects_) {
        AppendDifference(kept, r, rect);
    }
    rects_ = std::move(kept);
}

void TRegion::Union(const TRect& rect) {
    if (rect.IsEmpty()) {
        return;
    }
    // Add only the parts of the new rectangle not yet covered, so the list stays disjoint.
    std::vector<TRect> pieces{rect};
    for (const TRect& r : rects_) {
        std::vector<TRect> rest;
        for (const TRect& piece : pieces) {
            AppendDifference(rest, piece, r);
        }
        pieces = std::move(rest);
    }
    rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void TRegion::Offset(int dx, int dy) {
    for (TRect& r : rects_) {
        OffsetRect(r, dx, dy);
    }
}
