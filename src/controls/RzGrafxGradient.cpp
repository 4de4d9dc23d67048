// Gradient fills in bands of one colour, and the hot-track ring built on them.
#include "controls/RzGrafx.h"

#include <cmath>
#include <vector>

namespace {

// Steps a band of one colour spans at least.
int BandThickness(int granularity) {
    if (granularity <= 8) {
        return std::max(granularity, 1);
    }
    return 255 / granularity + 1;
}

// The colour of each step of an n-step ramp: every channel advances by (stop - start) / n
// per step in 16.16 fixed point. A band keeps its first step's colour for at least
// `thickness` steps and for as long as the following steps compute the same colour.
std::vector<TColor> RampColors(TColor start, TColor stop, int steps, int thickness) {
    const TColor from = ColorToRGB(start);
    const TColor to = ColorToRGB(stop);
    auto channelAt = [steps](std::uint8_t first, std::uint8_t last, int step) {
        const long long delta = (long long)(int(last) - int(first)) * 65536 / steps;
        return std::uint8_t(((long long)first * 65536 + step * delta) >> 16);
    };
    std::vector<TColor> computed(static_cast<std::size_t>(steps));
    for (int step = 0; step < steps; ++step) {
        computed[std::size_t(step)] = RGB(channelAt(GetRValue(from), GetRValue(to), step),
                                          channelAt(GetGValue(from), GetGValue(to), step),
                                          channelAt(GetBValue(from), GetBValue(to), step));
    }
    std::vector<TColor> bands(computed.size());
    std::size_t begin = 0;
    while (begin < computed.size()) {
        const TColor color = computed[begin];
        std::size_t end = begin + 1;
        while (end < computed.size() && (end - begin < std::size_t(thickness) || computed[end] == color)) {
            ++end;
        }
        std::fill(bands.begin() + std::ptrdiff_t(begin), bands.begin() + std::ptrdiff_t(end), color);
        begin = end;
    }
    return bands;
}

// Calls fill(first, last, colour) for every run of positions 0..count-1 whose steps share
// one colour.
template <typename StepOf, typename Fill>
void ForEachRun(int count, const std::vector<TColor>& colors, StepOf stepOf, Fill fill) {
    int begin = 0;
    while (begin < count) {
        const TColor color = colors[std::size_t(stepOf(begin))];
        int end = begin + 1;
        while (end < count && colors[std::size_t(stepOf(end))] == color) {
            ++end;
        }
        fill(begin, end, color);
        begin = end;
    }
}

void FillBand(TCanvas* canvas, const TRect& band, TColor color) {
    canvas->Brush()->SetColor(color);
    canvas->FillRect(band);
}

// Distance from the nearer of two opposite edges: mirrors a ramp about the centre line.
int MirroredIndex(int position, int size) {
    return std::min(position, size - 1 - position);
}

// Horizontal bands (one colour per row) or vertical bands (one per column).
void PaintStraightRamp(TCanvas* canvas, int width, int height, bool rows, bool centred, TColor start,
                       TColor stop, int thickness) {
    const int length = rows ? height : width;
    const int steps = centred ? (length + 1) / 2 : length;
    const std::vector<TColor> colors = RampColors(start, stop, steps, thickness);
    auto stepOf = [&](int position) {
        return centred ? MirroredIndex(position, length) : position;
    };
    ForEachRun(length, colors, stepOf, [&](int first, int last, TColor color) {
        FillBand(canvas, rows ? Rect(0, first, width, last) : Rect(first, 0, last, height), color);
    });
}

// Bands that each step maps pixels to: row by row, runs of pixels with one colour.
template <typename StepAt>
void PaintAreaRamp(TCanvas* canvas, int width, int height, const std::vector<TColor>& colors, StepAt stepAt) {
    for (int y = 0; y < height; ++y) {
        ForEachRun(
            width, colors, [&](int x) { return stepAt(x, y); },
            [&](int first, int last, TColor color) { FillBand(canvas, Rect(first, y, last, y + 1), color); });
    }
}

// Bands parallel to the other diagonal: the step of a pixel is its position between the
// start corner and the opposite one, measured at the pixel's centre.
void PaintDiagonalRamp(TCanvas* canvas, int width, int height, bool fromBottom, TColor start, TColor stop,
                       int thickness) {
    const int steps = int(std::sqrt(double(width) * width + double(height) * height)) + 1;
    const std::vector<TColor> colors = RampColors(start, stop, steps, thickness);
    const long long scale = 4LL * width * height;
    PaintAreaRamp(canvas, width, height, colors, [&](int x, int y) {
        const int row = fromBottom ? height - 1 - y : y;
        const long long position = (2LL * x + 1) * height + (2LL * row + 1) * width;
        return int(position * steps / scale);
    });
}

// Concentric rings from the edges (start) to the centre (stop), symmetric in all four
// quadrants. The box kinds differ in how ring thickness follows the rectangle's shape.
void PaintBoxRamp(TCanvas* canvas, int width, int height, TGradientDirection direction, TColor start,
                  TColor stop, int thickness) {
    const int halfWidth = (width + 1) / 2;
    const int halfHeight = (height + 1) / 2;
    int steps = std::max(halfWidth, halfHeight);
    if (direction == gdHorizontalBox) {
        steps = halfHeight;
    } else if (direction == gdVerticalBox) {
        steps = halfWidth;
    } else if (direction == gdSquareBox) {
        steps = std::min(halfWidth, halfHeight);
    }
    const std::vector<TColor> colors = RampColors(start, stop, steps, thickness);
    PaintAreaRamp(canvas, width, height, colors, [&](int x, int y) {
        const int dx = MirroredIndex(x, width);
        const int dy = MirroredIndex(y, height);
        int step = std::min(dx, dy);
        if (direction == gdHorizontalBox) {
            step = std::min(dy, dx * halfHeight / halfWidth);
        } else if (direction == gdVerticalBox) {
            step = std::min(dx, dy * halfWidth / halfHeight);
        }
        return std::min(step, steps - 1);
    });
}

void PaintRamp(TCanvas* canvas, int width, int height, TGradientDirection direction, TColor start,
               TColor stop, int thickness) {
    switch (direction) {
    case gdHorizontalEnd:
    case gdHorizontalCenter:
        PaintStraightRamp(canvas, width, height, true, direction == gdHorizontalCenter, start, stop,
                          thickness);
        break;
    case gdVerticalEnd:
    case gdVerticalCenter:
        PaintStraightRamp(canvas, width, height, false, direction == gdVerticalCenter, start, stop,
                          thickness);
        break;
    case gdDiagonalUp:
    case gdDiagonalDown:
        PaintDiagonalRamp(canvas, width, height, direction == gdDiagonalUp, start, stop, thickness);
        break;
    default:
        PaintBoxRamp(canvas, width, height, direction, start, stop, thickness);
        break;
    }
}

} // namespace

void PaintGradientFill(TCanvas* canvas, TRect bounds, TGradientDirection direction, TColor start, TColor stop,
                       int granularity) {
    const int width = bounds.Width();
    const int height = bounds.Height();
    if (width <= 0 || height <= 0) {
        return;
    }
    // The ramp is composed off screen and drawn once, so the target never shows a half ramp.
    TBitmap ramp(width, height);
    TCanvas* rampCanvas = ramp.Canvas();
    rampCanvas->Pen()->SetStyle(psClear);
    rampCanvas->Brush()->SetStyle(bsSolid);
    if (ColorToRGB(start) == ColorToRGB(stop)) {
        FillBand(rampCanvas, Rect(0, 0, width, height), start);
    } else {
        PaintRamp(rampCanvas, width, height, direction, start, stop, BandThickness(granularity));
    }
    canvas->Draw(bounds.Left, bounds.Top, ramp);
}

void PaintHotTrackBox(TCanvas* canvas, TRect bounds, TGradientDirection direction, TColor start,
                      TColor stop) {
    if (!TrueColorFlag()) {
        return;
    }
    HDC dc = canvas->Handle();
    const TRegion saved = dc->Clip();
    TRect inner = bounds;
    InflateRect(inner, -2, -2);
    ExcludeClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
    PaintGradientFill(canvas, bounds, direction, start, stop, 1);
    // The caller's clip comes back rather than none, so later drawing stays where it was.
    dc->SetClip(saved);
}
