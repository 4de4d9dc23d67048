#include "toolkit/graphics/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace raster {

namespace {

TRect TargetBounds(HDC dc) {
    TPixelBuffer* target = dc->Target();
    return target != nullptr ? Rect(0, 0, target->Width(), target->Height()) : TRect{};
}

bool Visible(HDC dc, int x, int y) {
    return TargetBounds(dc).Contains(Point(x, y)) && dc->Clip().Contains(x, y);
}

std::uint32_t Blend(std::uint32_t dest, std::uint32_t source, int alpha) {
    if (alpha >= 255) {
        return source;
    }
    if (alpha <= 0) {
        return dest;
    }
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = int((dest >> shift) & 0xFF);
        const int s = int((source >> shift) & 0xFF);
        const int mixed = (d * (255 - alpha) + s * alpha + 127) / 255;
        result |= std::uint32_t(mixed) << shift;
    }
    return result;
}

std::uint32_t ApplyPenMode(std::uint32_t dest, std::uint32_t pen, TPenMode mode) {
    switch (mode) {
    case pmNot:
        return ~dest & 0xFFFFFF;
    case pmXor:
        return (dest ^ pen) & 0xFFFFFF;
    case pmMaskPenNot:
        return dest & ~pen & 0xFFFFFF;
    case pmCopy:
        break;
    }
    return pen;
}

// On/off run lengths of the cosmetic pen styles, in pixels.
std::vector<int> DashPattern(TPenStyle style) {
    switch (style) {
    case psDash:
        return {18, 6};
    case psDot:
        return {3, 3};
    case psDashDot:
        return {9, 6, 3, 6};
    case psDashDotDot:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

bool PatternOn(const std::vector<int>& pattern, int step) {
    if (pattern.empty()) {
        return true;
    }
    int period = 0;
    for (int run : pattern) {
        period += run;
    }
    int position = step % period;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (position < pattern[i]) {
            return i % 2 == 0;
        }
        position -= pattern[i];
    }
    return false;
}

// Whether pixel (x, y) of an 8 x 8 hatch cell carries the hatch line.
bool HatchBit(TBrushStyle style, int x, int y) {
    x &= 7;
    y &= 7;
    switch (style) {
    case bsHorizontal:
        return y == 7;
    case bsVertical:
        return x == 7;
    case bsFDiagonal:
        return x == y;
    case bsBDiagonal:
        return x == 7 - y;
    case bsCross:
        return x == 7 || y == 7;
    case bsDiagCross:
        return x == y || x == 7 - y;
    default:
        return true;
    }
}

int FloorMod(int value, int modulus) {
    const int r = value % modulus;
    return r < 0 ? r + modulus : r;
}

long long MinorOffset(long long step, long long delta, long long steps) {
    return static_cast<long long>(std::floor((2.0 * double(step) * double(delta) / double(steps) + 1) / 2));
}

// The steps of a line whose major coordinate lies within the target (plus the pen's
// width), so that far-away coordinates cost nothing.
std::pair<long long, long long> StepsNearTarget(TPoint from, long long dx, long long dy, long long steps,
                                                const TPixelBuffer& target, int width) {
    const bool xMajor = std::llabs(dx) == steps;
    const long long start = xMajor ? from.X : from.Y;
    const long long direction = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const long long low = -width;
    const long long high = (xMajor ? target.Width() : target.Height()) + width;
    long long a = (low - start) * direction;
    long long b = (high - start) * direction;
    if (a > b) {
        std::swap(a, b);
    }
    return {std::clamp<long long>(a, 0, steps), std::clamp<long long>(b + 1, 0, steps)};
}

// One coordinate of step i of a line: the major axis moves one pixel a step, the minor one
// follows the exact slope, rounded half up.
long long LineCoordinate(int start, long long i, long long delta, long long steps) {
    if (std::llabs(delta) == steps) {
        return start + (delta < 0 ? -i : i);
    }
    return start + MinorOffset(i, delta, steps);
}

// Whether a pen dot of the width at (x, y) can touch the target at all.
bool DotNearTarget(long long x, long long y, int width, const TPixelBuffer& target) {
    return x >= -width && y >= -width && x <= target.Width() + width && y <= target.Height() + width;
}

// The pen's square of width x width pixels at (x, y), the extra pixels of an even width
// falling right and below.
void PenDot(HDC dc, int x, int y, int width, std::uint32_t color, TPenMode mode) {
    const int before = (width - 1) / 2;
    TPixelBuffer& target = *dc->Target();
    for (int py = y - before; py < y - before + width; ++py) {
        for (int px = x - before; px < x - before + width; ++px) {
            if (Visible(dc, px, py)) {
                std::uint32_t& dest = target.At(px, py);
                dest = ApplyPenMode(dest, color, mode);
            }
        }
    }
}

// A blit's source of the destination buffer itself, copied: the source rectangle (zero where
// it leaves the buffer) at the origin. False when none of it lies inside the buffer.
bool TakeSnapshot(const TPixelBuffer& source, const TRect& sourceRect, TPixelBuffer& snapshot) {
    TRect inside;
    if (!IntersectRect(inside, sourceRect, Rect(0, 0, source.Width(), source.Height()))) {
        return false;
    }
    snapshot.Resize(sourceRect.Width(), sourceRect.Height());
    for (int y = inside.Top; y < inside.Bottom; ++y) {
        std::copy(source.Row(y) + inside.Left, source.Row(y) + inside.Right,
                  snapshot.Row(y - sourceRect.Top) + (inside.Left - sourceRect.Left));
    }
    return true;
}

// How one axis of a blit's destination maps onto its source: each destination pixel takes
// the source pixel its offset falls on, scaled by the ratio of the two sizes.
struct TStretch {
    int destStart;
    long long destSize;
    int sourceStart;
    long long sourceSize;

    int SourceOf(int destCoordinate) const {
        return sourceStart + int((destCoordinate - destStart) * sourceSize / destSize);
    }
};

// How a blit combines a source pixel (its top byte the alpha) with the destination pixel.
struct TBlitRule {
    TBlitMode mode;
    std::uint32_t keyPixel;
    std::uint32_t brushPixel;

    std::uint32_t Combine(std::uint32_t dest, std::uint32_t source) const {
        const std::uint32_t color = source & 0xFFFFFF;
        switch (mode) {
        case TBlitMode::Copy:
            return color;
        case TBlitMode::KeyedCopy:
            return color != keyPixel ? color : dest;
        case TBlitMode::KeyToBrush:
            return color == keyPixel ? brushPixel : color;
        case TBlitMode::AlphaBlend:
            return Blend(dest, color, int(source >> 24));
        }
        return dest;
    }
};

// Blits the columns left..right of one destination row from source row sy.
void BlitRow(std::uint32_t* row, int left, int right, const TPixelBuffer& source, int sy,
             const TStretch& columns, const TBlitRule& rule) {
    const std::uint32_t* sourceRow = source.Row(sy);
    for (int x = left; x < right; ++x) {
        const int sx = columns.SourceOf(x);
        if (sx >= 0 && sx < source.Width()) {
            row[x] = rule.Combine(row[x], sourceRow[sx]);
        }
    }
}

} // namespace

std::vector<TRect> ClipRects(HDC dc, const TRect& area) {
    std::vector<TRect> result;
    if (dc == nullptr || dc->Target() == nullptr) {
        return result;
    }
    TRect bounds;
    if (!IntersectRect(bounds, TargetBounds(dc), area)) {
        return result;
    }
    for (const TRect& r : dc->Clip().Rects()) {
        TRect visible;
        if (IntersectRect(visible, r, bounds)) {
            result.push_back(visible);
        }
    }
    return result;
}

void PutPixel(HDC dc, int x, int y, std::uint32_t pixel) {
    if (dc != nullptr && dc->Target() != nullptr && Visible(dc, x, y)) {
        dc->Target()->At(x, y) = pixel;
    }
}

void BlendPixel(HDC dc, int x, int y, std::uint32_t pixel, int coverage) {
    if (coverage <= 0 || dc == nullptr || dc->Target() == nullptr || !Visible(dc, x, y)) {
        return;
    }
    std::uint32_t& dest = dc->Target()->At(x, y);
    dest = coverage >= 255 ? pixel : Blend(dest, pixel, coverage);
}

void FillSolid(HDC dc, const TRect& rect, std::uint32_t pixel) {
    for (const TRect& part : ClipRects(dc, rect)) {
        for (int y = part.Top; y < part.Bottom; ++y) {
            std::uint32_t* row = dc->Target()->Row(y);
            std::fill(row + part.Left, row + part.Right, pixel);
        }
    }
}

void FillWithBrush(HDC dc, const TRect& rect, const TBrush& brush) {
    if (brush.Style() == bsClear && brush.Bitmap() == nullptr) {
        return;
    }
    const std::uint32_t color = ColorToPixel(ColorToRGB(brush.Color()));
    const TBitmap* pattern = brush.Bitmap();
    if (pattern != nullptr && pattern->Empty()) {
        pattern = nullptr;
    }
    if (pattern == nullptr && brush.Style() == bsSolid) {
        FillSolid(dc, rect, color);
        return;
    }
    const TPoint origin = dc->WindowOrigin();
    const std::uint32_t back = ColorToPixel(ColorToRGB(dc->backColor));
    for (const TRect& part : ClipRects(dc, rect)) {
        for (int y = part.Top; y < part.Bottom; ++y) {
            std::uint32_t* row = dc->Target()->Row(y);
            for (int x = part.Left; x < part.Right; ++x) {
                if (pattern != nullptr) {
                    const TPixelBuffer& tile = pattern->Buffer();
                    row[x] =
                        tile.At(FloorMod(x - origin.X, tile.Width()), FloorMod(y - origin.Y, tile.Height()));
                } else if (HatchBit(brush.Style(), x - origin.X, y - origin.Y)) {
                    row[x] = color;
                } else if (dc->backMode == OPAQUE) {
                    row[x] = back;
                }
            }
        }
    }
}

void PenLine(HDC dc, TPoint from, TPoint to, const TPen& pen) {
    if (pen.Style() == psClear || dc == nullptr || dc->Target() == nullptr) {
        return;
    }
    const std::uint32_t color = ColorToPixel(ColorToRGB(pen.Color()));
    const std::vector<int> dashes = DashPattern(pen.Style());
    const int width = pen.Style() == psSolid || pen.Style() == psInsideFrame ? pen.Width() : 1;
    // 64-bit arithmetic: the ends may lie anywhere in the int range.
    const long long dx = static_cast<long long>(to.X) - from.X;
    const long long dy = static_cast<long long>(to.Y) - from.Y;
    const long long steps = std::max(std::llabs(dx), std::llabs(dy));
    const TPixelBuffer& target = *dc->Target();
    const auto [first, last] = StepsNearTarget(from, dx, dy, steps, target, width);
    for (long long i = first; i < last; ++i) {
        if (!PatternOn(dashes, int(i % 1000000))) {
            continue;
        }
        const long long x = LineCoordinate(from.X, i, dx, steps);
        const long long y = LineCoordinate(from.Y, i, dy, steps);
        if (DotNearTarget(x, y, width, target)) {
            PenDot(dc, int(x), int(y), width, color, pen.Mode());
        }
    }
}

void FillPolygon(HDC dc, const std::vector<TPoint>& points, const TBrush& brush) {
    if (points.size() < 3 || (brush.Style() == bsClear && brush.Bitmap() == nullptr)) {
        return;
    }
    int top = points.front().Y;
    int bottom = top;
    for (const TPoint& p : points) {
        top = std::min(top, p.Y);
        bottom = std::max(bottom, p.Y);
    }
    // Only rows and columns of the target matter; this also keeps the casts below in range.
    const TRect bounds = TargetBounds(dc);
    top = std::max(top, bounds.Top);
    bottom = std::min(bottom, bounds.Bottom);
    std::vector<double> crossings;
    for (int y = top; y < bottom; ++y) {
        // Pixel centres decide: a pixel is inside when its centre is.
        const double cy = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const TPoint& a = points[i];
            const TPoint& b = points[(i + 1) % points.size()];
            if ((a.Y <= cy) == (b.Y <= cy)) {
                continue;
            }
            crossings.push_back(a.X + (cy - a.Y) * double(b.X - a.X) / double(b.Y - a.Y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const double limitLeft = bounds.Left - 1;
            const double limitRight = bounds.Right + 1;
            const int left = int(std::ceil(std::clamp(crossings[i], limitLeft, limitRight) - 0.5));
            const int right = int(std::ceil(std::clamp(crossings[i + 1], limitLeft, limitRight) - 0.5));
            FillWithBrush(dc, Rect(left, y, right, y + 1), brush);
        }
    }
}

void Blit(HDC dc, const TRect& dest, const TPixelBuffer& source, const TRect& sourceRect, TBlitMode mode,
          std::uint32_t keyPixel, std::uint32_t brushPixel) {
    if (dc == nullptr || dc->Target() == nullptr || dest.IsEmpty() || sourceRect.IsEmpty()) {
        return;
    }
    // Copying within one buffer reads from a snapshot so overlapping areas stay intact.
    TPixelBuffer snapshot;
    const TPixelBuffer* from = &source;
    TRect fromRect = sourceRect;
    if (&source == dc->Target()) {
        if (!TakeSnapshot(source, sourceRect, snapshot)) {
            return;
        }
        from = &snapshot;
        fromRect = Rect(0, 0, sourceRect.Width(), sourceRect.Height());
    }
    const TStretch columns{dest.Left, dest.Width(), fromRect.Left, fromRect.Width()};
    const TStretch rows{dest.Top, dest.Height(), fromRect.Top, fromRect.Height()};
    const TBlitRule rule{mode, keyPixel, brushPixel};
    for (const TRect& part : ClipRects(dc, dest)) {
        for (int y = part.Top; y < part.Bottom; ++y) {
            const int sy = rows.SourceOf(y);
            if (sy >= 0 && sy < from->Height()) {
                BlitRow(dc->Target()->Row(y), part.Left, part.Right, *from, sy, columns, rule);
            }
        }
    }
}

} // namespace raster
