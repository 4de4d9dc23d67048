// Fonts: a face found by family name and style, and its glyphs rasterised at a pixel size. The
// toolkit derives its line metrics from these values (the same rule on every platform) and
// caches faces and glyphs; a backend only finds faces and renders glyphs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// A face's design values in font units (the font's head, hhea, post and OS/2 tables). A value
// the font does not carry is 0.
struct FontDesign {
    int unitsPerEm = 0;
    int winAscent = 0;          // OS/2 usWinAscent
    int winDescent = 0;         // OS/2 usWinDescent
    int ascender = 0;           // hhea ascender (positive, above the baseline)
    int descender = 0;          // hhea descender (negative, below the baseline)
    int lineHeight = 0;         // hhea ascender - descender + line gap
    int averageCharWidth = 0;   // OS/2 xAvgCharWidth
    int underlinePosition = 0;  // post underlinePosition: centre of the stroke, negative below
    int underlineThickness = 0; // post underlineThickness
    int strikeoutPosition = 0;  // OS/2 yStrikeoutPosition
};

// A glyph's hinted outline box at the face's pixel size, in 1/64 pixel: top above the
// baseline, bottom (negative below it), the advance.
struct GlyphBox {
    bool present = false; // false: the face has no glyph for the character
    long top = 0;
    long bottom = 0;
    long advance = 0;
};

// One rendered glyph: grey coverage rows (0..255) placed relative to the pen position on the
// baseline (left = columns to the right, top = rows above the baseline), advance in pixels.
struct GlyphBitmap {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int advance = 0;
    std::vector<std::uint8_t> coverage;
};

// A face stays usable after the IFonts that opened it is gone: the toolkit keeps its faces
// for the life of the process.
class IFontFace {
public:
    virtual ~IFontFace() = default;
    // The family actually found (a substitute's name when the asked family is missing).
    virtual std::string FamilyName() = 0;
    virtual FontDesign Design() = 0;
    // Sets the em size in pixels for the calls below; false when the face cannot take it.
    virtual bool SetPixelSize(int em) = 0;
    virtual GlyphBox MeasureGlyph(char32_t code) = 0;
    // Hinted, antialiased; bold or italic asked for but missing from the face is synthesised.
    virtual GlyphBitmap RenderGlyph(char32_t code) = 0;
};

class IFonts {
public:
    virtual ~IFonts() = default;
    // The best face for the family and style, or nullptr when there is no usable font at all.
    virtual std::unique_ptr<IFontFace> OpenFace(const std::string& family, bool bold, bool italic) = 0;
};

} // namespace platform
