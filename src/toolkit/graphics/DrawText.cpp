#include "toolkit/graphics/Raster.h"
#include "toolkit/graphics/TextPaint.h"

namespace {

// Splits text into paragraphs at CR LF, CR or LF; a single-line format keeps one paragraph
// and drops the line-break characters.
std::vector<std::u32string> SplitParagraphs(const std::u32string& text, bool singleLine) {
    std::vector<std::u32string> paragraphs(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c != U'\r' && c != U'\n') {
            paragraphs.back().push_back(c);
            continue;
        }
        if (c == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') {
            ++i;
        }
        if (!singleLine) {
            paragraphs.emplace_back();
        }
    }
    return paragraphs;
}

// "&x" marks x for underlining and "&&" stands for "&"; a final lone "&" is kept as text.
TTextLine ApplyPrefixes(const std::u32string& chars, bool noPrefix) {
    TTextLine line;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        bool marked = false;
        if (!noPrefix && chars[i] == U'&' && i + 1 < chars.size()) {
            ++i;
            marked = chars[i] != U'&';
        }
        line.chars.push_back(chars[i]);
        line.marked.push_back(marked);
    }
    return line;
}

TTextLine Slice(const TTextLine& line, std::size_t from, std::size_t to) {
    return TTextLine{line.chars.substr(from, to - from),
                     std::vector<bool>(line.marked.begin() + std::ptrdiff_t(from),
                                       line.marked.begin() + std::ptrdiff_t(to))};
}

// Greedy word wrap at blanks: a line ends before the word that would pass maxWidth; a word
// wider than maxWidth stays whole on its own line. Blanks at a break are dropped.
void WrapParagraph(TFontInstance& font, const TTextLine& paragraph, int maxWidth, int tabWidth,
                   std::vector<TTextLine>& lines) {
    const std::u32string& chars = paragraph.chars;
    std::size_t start = 0;
    while (true) {
        std::size_t end = start;
        std::size_t lastFit = start;
        while (end < chars.size()) {
            std::size_t wordEnd = end;
            while (wordEnd < chars.size() && chars[wordEnd] == U' ') {
                ++wordEnd;
            }
            while (wordEnd < chars.size() && chars[wordEnd] != U' ') {
                ++wordEnd;
            }
            if (lastFit > start &&
                LineWidth(font, chars.substr(start, wordEnd - start), tabWidth) > maxWidth) {
                break;
            }
            lastFit = wordEnd;
            end = wordEnd;
        }
        std::size_t visibleEnd = lastFit;
        while (visibleEnd > start && chars[visibleEnd - 1] == U' ') {
            --visibleEnd;
        }
        lines.push_back(Slice(paragraph, start, visibleEnd));
        start = lastFit;
        while (start < chars.size() && chars[start] == U' ') {
            ++start;
        }
        if (start >= chars.size()) {
            return;
        }
    }
}

// Shortens a line that does not fit to its longest start followed by "...".
void AddEndEllipsis(TFontInstance& font, TTextLine& line, int maxWidth, int tabWidth) {
    if (LineWidth(font, line.chars, tabWidth) <= maxWidth) {
        return;
    }
    const std::u32string dots = U"...";
    while (!line.chars.empty() && LineWidth(font, line.chars + dots, tabWidth) > maxWidth) {
        line.chars.pop_back();
        line.marked.pop_back();
    }
    line.chars += dots;
    line.marked.resize(line.chars.size(), false);
}

std::vector<TTextLine> LayOutLines(TFontInstance& font, const std::string& text, const TRect& rect,
                                   unsigned format, int tabWidth) {
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    std::vector<TTextLine> lines;
    for (const std::u32string& paragraph : SplitParagraphs(DecodeUtf8(text), singleLine)) {
        const TTextLine prefixed = ApplyPrefixes(paragraph, (format & DT_NOPREFIX) != 0);
        if ((format & DT_WORDBREAK) != 0 && !singleLine) {
            WrapParagraph(font, prefixed, rect.Width(), tabWidth, lines);
        } else {
            lines.push_back(prefixed);
        }
    }
    if ((format & DT_END_ELLIPSIS) != 0 && (format & DT_CALCRECT) == 0) {
        for (TTextLine& line : lines) {
            AddEndEllipsis(font, line, rect.Width(), tabWidth);
        }
    }
    return lines;
}

// Top of the first line: vertical centring and bottom alignment apply to single lines only.
int FirstLineTop(const TRect& rect, unsigned format, int textHeight) {
    if ((format & DT_SINGLELINE) == 0) {
        return rect.Top;
    }
    if ((format & DT_VCENTER) != 0) {
        return rect.Top + (rect.Height() - textHeight) / 2;
    }
    if ((format & DT_BOTTOM) != 0) {
        return rect.Bottom - textHeight;
    }
    return rect.Top;
}

int LineLeft(const TRect& rect, unsigned format, int width) {
    if ((format & DT_CENTER) != 0) {
        return rect.Left + (rect.Width() - width) / 2;
    }
    if ((format & DT_RIGHT) != 0) {
        return rect.Right - width;
    }
    return rect.Left;
}

} // namespace

// Right-to-left reading is drawn left to right; callers choose the alignment themselves.
int DrawText(HDC dc, const std::string& text, TRect& rect, unsigned format) {
    if (dc == nullptr) {
        return 0;
    }
    TFontInstance& font = FontInstanceFor(dc->font);
    const TFontMetrics& metrics = font.Metrics();
    const int tabWidth = (format & DT_EXPANDTABS) != 0 ? 8 * metrics.aveCharWidth : 0;
    const std::vector<TTextLine> lines = LayOutLines(font, text, rect, format, tabWidth);
    const int textHeight = int(lines.size()) * metrics.height;
    if ((format & DT_CALCRECT) != 0) {
        int widest = 0;
        for (const TTextLine& line : lines) {
            widest = std::max(widest, LineWidth(font, line.chars, tabWidth));
        }
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + textHeight;
        return textHeight;
    }
    const TPoint origin = dc->Origin();
    TRect clip = kNoClip;
    if ((format & DT_NOCLIP) == 0) {
        clip = rect;
        OffsetRect(clip, origin.X, origin.Y);
    }
    const std::uint32_t back = ColorToPixel(ColorToRGB(dc->backColor));
    int top = FirstLineTop(rect, format, textHeight);
    for (const TTextLine& line : lines) {
        const int width = LineWidth(font, line.chars, tabWidth);
        const int left = LineLeft(rect, format, width) + origin.X;
        const int deviceTop = top + origin.Y;
        TRect cell;
        if (dc->backMode == OPAQUE &&
            IntersectRect(cell, Rect(left, deviceTop, left + width, deviceTop + metrics.height), clip)) {
            raster::FillSolid(dc, cell, back);
        }
        PaintLine(dc, font, dc->font.Style(), left, deviceTop + metrics.ascent, line, dc->textColor, clip,
                  tabWidth);
        top += metrics.height;
    }
    return top - rect.Top;
}
