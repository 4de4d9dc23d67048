#include "controls/RzGrafx.h"

namespace {

void Line(TCanvas* canvas, int x1, int y1, int x2, int y2) {
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
}

TRect ShrinkSides(TRect bounds, TSides sides) {
    if (sides.Contains(sdLeft)) {
        ++bounds.Left;
    }
    if (sides.Contains(sdTop)) {
        ++bounds.Top;
    }
    if (sides.Contains(sdRight)) {
        --bounds.Right;
    }
    if (sides.Contains(sdBottom)) {
        --bounds.Bottom;
    }
    return bounds;
}

} // namespace

TRect PaintSides(TCanvas* canvas, TRect bounds, TColor upperLeft, TColor lowerRight, TSides sides) {
    const TRect& r = bounds;
    if (upperLeft != clNone) {
        canvas->Pen()->SetColor(upperLeft);
        if (sides.Contains(sdLeft)) {
            Line(canvas, r.Left, r.Top, r.Left, r.Bottom);
        }
        if (sides.Contains(sdTop)) {
            Line(canvas, r.Left, r.Top, r.Right, r.Top);
        }
    }
    if (lowerRight != clNone) {
        canvas->Pen()->SetColor(lowerRight);
        if (sides.Contains(sdRight)) {
            Line(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom);
        }
        if (sides.Contains(sdBottom)) {
            Line(canvas, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
        }
    }
    return ShrinkSides(bounds, sides);
}

TRect PaintBevelRings(TCanvas* canvas, TRect bounds, TColor upperLeft, TColor lowerRight, TSides sides,
                      int ringCount) {
    canvas->Pen()->SetWidth(1);
    for (int ring = 0; ring < ringCount; ++ring) {
        bounds = PaintSides(canvas, bounds, upperLeft, lowerRight, sides);
    }
    return bounds;
}

TRect PaintBoxOutline(TCanvas* canvas, TRect bounds, TColor color) {
    return PaintSides(canvas, bounds, color, color, sdAllSides);
}

TRect PaintOpenCornerOutline(TCanvas* canvas, TRect bounds, TColor color) {
    const TRect& r = bounds;
    canvas->Pen()->SetColor(color);
    canvas->MoveTo(r.Left, r.Top + 1);
    canvas->LineTo(r.Left, r.Bottom - 1);
    canvas->MoveTo(r.Left + 1, r.Top);
    canvas->LineTo(r.Right - 1, r.Top);
    canvas->MoveTo(r.Right - 1, r.Top + 1);
    canvas->LineTo(r.Right - 1, r.Bottom - 1);
    canvas->MoveTo(r.Left + 1, r.Bottom - 1);
    canvas->LineTo(r.Right - 1, r.Bottom - 1);
    InflateRect(bounds, -1, -1);
    return bounds;
}

TRect PaintRoundedOutline(TCanvas* canvas, TRect bounds, TColor color, TSides sides) {
    const TRect& r = bounds;
    const bool left = sides.Contains(sdLeft);
    const bool top = sides.Contains(sdTop);
    const bool right = sides.Contains(sdRight);
    const bool bottom = sides.Contains(sdBottom);
    // The straight parts stop two pixels short of a corner where another drawn side meets them.
    const TRect range{left ? r.Left + 2 : r.Left, top ? r.Top + 2 : r.Top, right ? r.Right - 2 : r.Right,
                      bottom ? r.Bottom - 2 : r.Bottom};
    canvas->Pen()->SetColor(color);
    if (left) {
        Line(canvas, r.Left, range.Top, r.Left, range.Bottom);
    }
    if (top) {
        Line(canvas, range.Left, r.Top, range.Right, r.Top);
    }
    if (right) {
        Line(canvas, r.Right - 1, range.Top, r.Right - 1, range.Bottom);
    }
    if (bottom) {
        Line(canvas, range.Left, r.Bottom - 1, range.Right, r.Bottom - 1);
    }
    if (left && top) {
        canvas->SetPixel(r.Left + 1, r.Top + 1, color);
    }
    if (top && right) {
        canvas->SetPixel(r.Right - 2, r.Top + 1, color);
    }
    if (right && bottom) {
        canvas->SetPixel(r.Right - 2, r.Bottom - 2, color);
    }
    if (bottom && left) {
        canvas->SetPixel(r.Left + 1, r.Bottom - 2, color);
    }
    return range;
}

TRect PaintDottedFocusFrame(TCanvas* canvas, TRect bounds) {
    const TRect& r = bounds;
    for (int y = r.Top + 1; y < r.Bottom; y += 2) {
        canvas->SetPixel(r.Left, y, clBlack);
        canvas->SetPixel(r.Right - 1, y, clBlack);
    }
    for (int x = r.Left + 1; x < r.Right; x += 2) {
        canvas->SetPixel(x, r.Top, clBlack);
        canvas->SetPixel(x, r.Bottom - 1, clBlack);
    }
    InflateRect(bounds, -1, -1);
    return bounds;
}

void DrawGlyphTransparent(TCanvas* canvas, const TBitmap& source, TRect dest, TColor transparentColor,
                          TRect sourceRect) {
    if (dest.IsEmpty() || sourceRect.IsEmpty()) {
        return;
    }
    TransparentStretchBlt(canvas->Handle(), dest, source.Buffer(), sourceRect, transparentColor);
}

std::string RemoveAccelMarkers(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool last = i + 1 == text.size();
        if (text[i] != '&' || last) {
            result += text[i];
        } else if (text[i + 1] == '&') {
            result += '&';
            ++i;
        }
    }
    return result;
}
