// Measuring and painting single lines of text with a font instance; shared by TextOut,
// ExtTextOut and DrawText.
#pragma once

#include "toolkit/graphics/FontEngine.h"

#include <string>
#include <vector>

// A line of text with a flag per character telling whether it carries an accelerator
// underline ("&x").
struct TTextLine {
    std::u32string chars;
    std::vector<bool> marked;
};

// Width of a line; with tabWidth > 0 a tab advances to the next multiple of tabWidth from
// the line's start, otherwise control characters take no room.
int LineWidth(TFontInstance& font, const std::u32string& chars, int tabWidth = 0);

// Paints a line with its left end at device x and its baseline at device y, in `color`,
// inside `clip` (device coordinates) and the DC's clip region. The font's underline and
// strike-out styles apply to the whole line, marked characters are underlined alone.
void PaintLine(HDC dc, TFontInstance& font, TFontStyles styles, int x, int baseline, const TTextLine& line,
               TColor color, const TRect& clip, int tabWidth = 0);

// A device rectangle larger than any buffer, for text that is not clipped.
constexpr TRect kNoClip{-(1 << 28), -(1 << 28), 1 << 28, 1 << 28};
