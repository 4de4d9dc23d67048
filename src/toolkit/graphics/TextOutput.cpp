#include "toolkit/graphics/Raster.h"
#include "toolkit/graphics/TextPaint.h"

namespace {

TRect ToDevice(HDC dc, const TRect& r) {
    TRect moved = r;
    OffsetRect(moved, dc->Origin().X, dc->Origin().Y);
    return moved;
}

// Left end of the text for the horizontal alignment of the DC.
int AlignedLeft(unsigned align, int x, int width) {
    if ((align & TA_CENTER) == TA_CENTER) {
        return x - width / 2;
    }
    if ((align & TA_RIGHT) != 0) {
        return x - width;
    }
    return x;
}

// Top of the text cell for the vertical alignment of the DC.
int AlignedTop(unsigned align, int y, const TFontMetrics& metrics) {
    if ((align & TA_BASELINE) == TA_BASELINE) {
        return y - metrics.ascent;
    }
    if ((align & TA_BOTTOM) != 0) {
        return y - metrics.height;
    }
    return y;
}

} // namespace

bool ExtTextOut(HDC dc, int x, int y, unsigned options, const TRect* rect, const std::string& text) {
    if (dc == nullptr) {
        return false;
    }
    TFontInstance& font = FontInstanceFor(dc->font);
    const TFontMetrics& metrics = font.Metrics();
    const TTextLine line{DecodeUtf8(text), {}};
    const int width = LineWidth(font, line.chars);
    const int left = AlignedLeft(dc->textAlign, x, width) + dc->Origin().X;
    const int top = AlignedTop(dc->textAlign, y, metrics) + dc->Origin().Y;
    const TRect box = rect != nullptr ? ToDevice(dc, *rect) : TRect{};
    const TRect clip = rect != nullptr && (options & ETO_CLIPPED) != 0 ? box : kNoClip;
    const std::uint32_t back = ColorToPixel(ColorToRGB(dc->backColor));
    if (rect != nullptr && (options & ETO_OPAQUE) != 0) {
        raster::FillSolid(dc, box, back);
    } else if (dc->backMode == OPAQUE) {
        TRect cell;
        if (IntersectRect(cell, Rect(left, top, left + width, top + metrics.height), clip)) {
            raster::FillSolid(dc, cell, back);
        }
    }
    PaintLine(dc, font, dc->font.Style(), left, top + metrics.ascent, line, dc->textColor, clip);
    return true;
}

bool GetTextExtentPoint32(HDC dc, const std::string& text, TSize& size) {
    if (dc == nullptr) {
        size = TSize{};
        return false;
    }
    size = MeasureText(dc->font, text);
    return true;
}

TSize MeasureText(const TFont& font, const std::string& text) {
    TFontInstance& instance = FontInstanceFor(font);
    return TSize{LineWidth(instance, DecodeUtf8(text)), instance.Metrics().height};
}

bool GetTextMetrics(HDC dc, TTextMetric& metric) {
    if (dc == nullptr) {
        return false;
    }
    const TFontMetrics& m = FontInstanceFor(dc->font).Metrics();
    metric.tmHeight = m.height;
    metric.tmAscent = m.ascent;
    metric.tmDescent = m.descent;
    metric.tmAveCharWidth = m.aveCharWidth;
    metric.tmMaxCharWidth = m.maxCharWidth;
    metric.tmExternalLeading = m.externalLeading;
    metric.tmInternalLeading = std::max(0, m.height - m.emSize);
    return true;
}
