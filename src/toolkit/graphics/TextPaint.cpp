#include "toolkit/graphics/TextPaint.h"

#include "toolkit/graphics/Raster.h"

namespace {

// Advance of one character at pen position `penX` (relative to the line start).
int StepWidth(TFontInstance& font, char32_t code, int penX, int tabWidth) {
    if (code == U'\t' && tabWidth > 0) {
        return (penX / tabWidth + 1) * tabWidth - penX;
    }
    return font.Advance(code);
}

void PaintGlyph(HDC dc, const TGlyphImage& glyph, int x, int baseline, std::uint32_t pixel,
                const TRect& clip) {
    const int left = x + glyph.left;
    const int top = baseline - glyph.top;
    for (int row = 0; row < glyph.height; ++row) {
        const int y = top + row;
        if (y < clip.Top || y >= clip.Bottom) {
            continue;
        }
        const std::uint8_t* coverage = glyph.coverage.data() + std::size_t(row) * std::size_t(glyph.width);
        for (int column = 0; column < glyph.width; ++column) {
            const int px = left + column;
            if (px >= clip.Left && px < clip.Right) {
                raster::BlendPixel(dc, px, y, pixel, coverage[column]);
            }
        }
    }
}

void PaintBar(HDC dc, int left, int right, int top, int thickness, std::uint32_t pixel, const TRect& clip) {
    TRect bar;
    if (IntersectRect(bar, Rect(left, top, right, top + thickness), clip)) {
        raster::FillSolid(dc, bar, pixel);
    }
}

} // namespace

int LineWidth(TFontInstance& font, const std::u32string& chars, int tabWidth) {
    int width = 0;
    for (char32_t code : chars) {
        width += StepWidth(font, code, width, tabWidth);
    }
    return width;
}

void PaintLine(HDC dc, TFontInstance& font, TFontStyles styles, int x, int baseline, const TTextLine& line,
               TColor color, const TRect& clip, int tabWidth) {
    if (dc == nullptr || dc->Target() == nullptr) {
        return;
    }
    const std::uint32_t pixel = ColorToPixel(ColorToRGB(color));
    const TFontMetrics& metrics = font.Metrics();
    const int underlineTop = baseline + metrics.underlineOffset;
    int penX = 0;
    for (std::size_t i = 0; i < line.chars.size(); ++i) {
        const char32_t code = line.chars[i];
        const int step = StepWidth(font, code, penX, tabWidth);
        if (code != U'\t') {
            PaintGlyph(dc, font.Glyph(code), x + penX, baseline, pixel, clip);
        }
        if (i < line.marked.size() && line.marked[i]) {
            PaintBar(dc, x + penX, x + penX + step, underlineTop, metrics.underlineThickness, pixel, clip);
        }
        penX += step;
    }
    if ((styles & fsUnderline) != 0) {
        PaintBar(dc, x, x + penX, underlineTop, metrics.underlineThickness, pixel, clip);
    }
    if ((styles & fsStrikeOut) != 0) {
        PaintBar(dc, x, x + penX, baseline - metrics.strikeoutOffset, metrics.underlineThickness, pixel,
                 clip);
    }
}
