// Fonts for the canvas: the platform's font source finds a face for a font name and style
// and renders its glyphs; this engine derives the line metrics from them by one rule on every
// platform. Faces, metrics and glyphs are cached per name, style and height for the life of
// the process.
#pragma once

#include "platform/Fonts.h"
#include "toolkit/graphics/Graphics.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// One rendered glyph: coverage rows (0..255) placed relative to the pen position on the
// baseline (left = columns to the right, top = rows above the baseline).
using TGlyphImage = platform::GlyphBitmap;

// Line metrics in whole pixels. `height` is ascent + descent, where ascent and descent are
// the highest hinted glyph top and the lowest hinted glyph bottom over the printable
// Western characters (32-126 and 160-255), rounded outward.
struct TFontMetrics {
    int emSize = 0;
    int ascent = 0;
    int descent = 0;
    int height = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int externalLeading = 0;
    int underlineOffset = 1; // rows below the baseline
    int underlineThickness = 1;
    int strikeoutOffset = 0; // rows above the baseline
};

// A face at one pixel size.
class TFontInstance {
public:
    // `fonts`: the source of the face; nullptr gives an instance without one.
    TFontInstance(platform::IFonts* fonts, const std::string& name, bool bold, bool italic, int height);
    ~TFontInstance();
    TFontInstance(const TFontInstance&) = delete;
    TFontInstance& operator=(const TFontInstance&) = delete;

    const TFontMetrics& Metrics() const { return metrics_; }
    // The family of the face found ("" when no font could be loaded; text then has metrics
    // but draws nothing).
    const std::string& FamilyName() const { return family_; }
    // The glyph of a character; control characters and missing faces give an empty glyph.
    const TGlyphImage& Glyph(char32_t code);
    int Advance(char32_t code) { return Glyph(code).advance; }

private:
    void ComputeMetrics(int height);
    TGlyphImage Render(char32_t code);

    std::unique_ptr<platform::IFontFace> face_;
    std::string family_;
    TFontMetrics metrics_;
    std::vector<TGlyphImage> latin_; // glyphs 0..255, rendered on first use
    std::vector<bool> latinReady_;
    std::map<char32_t, TGlyphImage> others_;
};

// The shared instance for a font's name, style and height, from the installed platform's
// font source.
TFontInstance& FontInstanceFor(const TFont& font);

// UTF-8 to code points; a byte that is not valid UTF-8 stands for the Latin-1 character of
// the same value, so single-byte text still shows.
std::u32string DecodeUtf8(const std::string& text);
