// Small bitmaps for painter tests, a scope for the true-colour flag, and a character
// picture of their pixels so that a test can show the expected drawing at a glance.
#pragma once

#include "controls/RzCommon.h"
#include "toolkit/graphics/Graphics.h"

#include <map>
#include <memory>
#include <string>

// Switches the painters' true-colour flag for one test (to see the palette-display look) and
// puts it back afterwards.
class TrueColorScope {
public:
    explicit TrueColorScope(bool value) : saved_(TrueColorFlag()) { SetTrueColorFlag(value); }
    ~TrueColorScope() { SetTrueColorFlag(saved_); }
    TrueColorScope(const TrueColorScope&) = delete;
    TrueColorScope& operator=(const TrueColorScope&) = delete;

private:
    bool saved_;
};

// The background every test bitmap starts with; no painter uses it.
constexpr TColor kCanvasBackground = 0x123456;

inline std::unique_ptr<TBitmap> MakeTestBitmap(int width, int height, TColor background = kCanvasBackground) {
    auto bitmap = std::make_unique<TBitmap>(width, height);
    bitmap->Canvas()->Brush()->SetColor(background);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}

inline TColor PixelAt(const TBitmap& bitmap, int x, int y) {
    return PixelToColor(bitmap.Buffer().At(x, y) & 0xFFFFFFu);
}

// One character per pixel of the area, rows separated by newlines; the background is '.',
// colours of the legend their character (system colours resolved), anything else '?'.
inline std::string Picture(const TBitmap& bitmap, const std::map<TColor, char>& legend, TRect area) {
    std::map<TColor, char> resolved{{kCanvasBackground, '.'}};
    for (const auto& [color, symbol] : legend) {
        resolved[ColorToRGB(color)] = symbol;
    }
    std::string text;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x) {
            const auto found = resolved.find(PixelAt(bitmap, x, y));
            text += found != resolved.end() ? found->second : '?';
        }
        text += '\n';
    }
    return text;
}

inline std::string Picture(const TBitmap& bitmap, const std::map<TColor, char>& legend) {
    return Picture(bitmap, legend, Rect(0, 0, bitmap.Width(), bitmap.Height()));
}
