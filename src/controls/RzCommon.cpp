#include "controls/RzCommon.h"

#include "toolkit/graphics/Graphics.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounds half to even, as the lightness arithmetic expects (120.5 gives 120).
int RoundEven(double value) {
    return int(std::lrint(value));
}

std::uint8_t ToByte(double unitValue, double scale) {
    return std::uint8_t(std::clamp(RoundEven(unitValue * scale), 0, 255));
}

struct TUnitRgb {
    double R = 0;
    double G = 0;
    double B = 0;
};

// Channels of one sextant of the hue circle, as fractions of full intensity.
TUnitRgb SextantChannels(int sextant, double v, double m, double up, double down) {
    switch (sextant) {
    case 1:
        return {down, v, m};
    case 2:
        return {m, v, up};
    case 3:
        return {m, down, v};
    case 4:
        return {up, m, v};
    case 5:
        return {v, m, down};
    default:
        return {v, up, m};
    }
}

std::uint8_t ChannelByte(double value) {
    return ToByte(std::min(value, 1.0), 255.0);
}

std::uint8_t ClampByte(int value) {
    return std::uint8_t(std::clamp(value, 0, 255));
}

// Light, middle and dark colour of each theme colour scheme.
struct TSchemeColors {
    TColor Light;
    TColor Middle;
    TColor Dark;
};
constexpr TSchemeColors kSchemes[] = {
    {0xFFEFE3, 0xEABB99, 0xBF7F57}, // default (blue)
    {0xEDFFFF, 0x92C7B8, 0x77A17F}, // olive
    {0xFFF9F9, 0xD0BCBD, 0xB19F9F}, // silver
};

const TSchemeColors& SchemeColors(int scheme) {
    if (scheme < 0 || scheme > 2) {
        scheme = 0;
    }
    return kSchemes[scheme];
}

bool UsesSchemeColors(TRzGradientColorStyle style, bool themeActive) {
    return style == gcsMSOffice && themeActive;
}

bool gTrueColorFlag = ScreenIsTrueColor();
int gThemeColorScheme = DetectThemeColorScheme();

} // namespace

// ---------------------------------------------------------------------------------------
// Lightness arithmetic

THueSatLum ColorToHueSatLum(TColor color) {
    const TColor rgb = ColorToRGB(color);
    const double r = GetRValue(rgb) / 255.0;
    const double g = GetGValue(rgb) / 255.0;
    const double b = GetBValue(rgb) / 255.0;
    const double maxValue = std::max({r, g, b});
    const double minValue = std::min({r, g, b});
    const double lightness = (maxValue + minValue) / 2;
    double hue = 0;
    double saturation = 0;
    if (maxValue != minValue) {
        const double delta = maxValue - minValue;
        saturation = lightness < 0.5 ? delta / (maxValue + minValue) : delta / (2 - maxValue - minValue);
        if (r == maxValue) {
            hue = (g - b) / delta;
        } else if (g == maxValue) {
            hue = (b - r) / delta + 2;
        } else {
            hue = (r - g) / delta + 4;
        }
        hue /= 6;
        if (hue < 0) {
            hue += 1;
        }
    }
    return {ToByte(hue, 240), ToByte(saturation, 240), ToByte(lightness, 240)};
}

TColor HueSatLumToColor(std::uint8_t hue, std::uint8_t saturation, std::uint8_t lightness) {
    // The hue is divided by 239, not 240: pure green comes back with a trace of blue.
    const double h = hue / 239.0;
    const double s = saturation / 240.0;
    const double l = lightness / 240.0;
    const double v = l < 0.5 ? l * (1 + s) : l + s - l * s;
    if (v <= 0) {
        return clBlack;
    }
    const double m = 2 * l - v;
    const double sv = (v - m) / v;
    const double h6 = h * 6;
    const int sextant = int(h6);
    const double t = v * sv * (h6 - sextant);
    const TUnitRgb unit = SextantChannels(sextant, v, m, m + t, v - t);
    return RGB(ChannelByte(unit.R), ChannelByte(unit.G), ChannelByte(unit.B));
}

std::uint8_t HueOfColor(TColor color) {
    return ColorToHueSatLum(color).Hue;
}

TColor DarkenColor(TColor color, std::uint8_t amount) {
    const THueSatLum hsl = ColorToHueSatLum(color);
    return HueSatLumToColor(hsl.Hue, hsl.Saturation, ClampByte(int(hsl.Lightness) - amount));
}

TColor LightenColor(TColor color, std::uint8_t amount) {
    // Capped at 255, not 240: lightness past the scale still converts (to white or nearly).
    const THueSatLum hsl = ColorToHueSatLum(color);
    return HueSatLumToColor(hsl.Hue, hsl.Saturation, ClampByte(int(hsl.Lightness) + amount));
}

TColor ShiftLightness(TColor color, int amount) {
    if (amount < 0) {
        return DarkenColor(color, ClampByte(-amount));
    }
    if (amount > 0) {
        return LightenColor(color, ClampByte(amount));
    }
    return color;
}

TColor MixColors(TColor first, TColor second, std::uint8_t weight) {
    const TColor a = ColorToRGB(first);
    const TColor b = ColorToRGB(second);
    // The weight is held in single precision; the blend itself is not.
    const double x = double(float(weight) / 255.0f);
    auto mix = [x](std::uint8_t channelA, std::uint8_t channelB) {
        return ClampByte(RoundEven(channelA * x + (1 - x) * channelB));
    };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
               mix(GetBValue(a), GetBValue(b)));
}

bool ColorsTooSimilar(TColor a, TColor b) {
    const THueSatLum first = ColorToHueSatLum(a);
    const THueSatLum second = ColorToHueSatLum(b);
    return std::abs(int(first.Hue) - int(second.Hue)) < 20 &&
           std::abs(int(first.Lightness) - int(second.Lightness)) < 60;
}

TColor OppositeHueColor(TColor color, std::uint8_t lightness) {
    const int hue = HueOfColor(color);
    const int opposite = hue < 120 ? hue + 120 : hue - 120;
    return HueSatLumToColor(std::uint8_t(opposite), 240, lightness);
}

// ---------------------------------------------------------------------------------------
// Module state

bool ScreenIsTrueColor() {
    return true;
}

bool TrueColorFlag() {
    return gTrueColorFlag;
}

void SetTrueColorFlag(bool value) {
    gTrueColorFlag = value;
}

bool ThemeEngineActive() {
    return false;
}

// The scheme comes from the desktop theme's colour name; this platform keeps no such name,
// so the default scheme applies.
int DetectThemeColorScheme() {
    return 0;
}

int ThemeColorScheme() {
    return gThemeColorScheme;
}

void RefreshThemeColorScheme() {
    gThemeColorScheme = DetectThemeColorScheme();
}

TGradientColors SchemeGradientColors(TRzGradientColorStyle style) {
    return SchemeGradientColors(style, ThemeEngineActive(), ThemeColorScheme());
}

TColor SchemeLineColor(TRzGradientColorStyle style) {
    return SchemeLineColor(style, ThemeEngineActive(), ThemeColorScheme());
}

TBandColors SchemeBandColors(TRzGradientColorStyle style) {
    return SchemeBandColors(style, ThemeEngineActive(), ThemeColorScheme());
}

TGradientColors SchemeGradientColors(TRzGradientColorStyle style, bool themeActive, int scheme) {
    if (UsesSchemeColors(style, themeActive)) {
        const TSchemeColors& colors = SchemeColors(scheme);
        return {colors.Light, colors.Middle};
    }
    return {clWindow, DarkenColor(clBtnFace, 10)};
}

TColor SchemeLineColor(TRzGradientColorStyle style, bool themeActive, int scheme) {
    if (UsesSchemeColors(style, themeActive)) {
        return SchemeColors(scheme).Dark;
    }
    return LightenColor(clBtnShadow, 30);
}

TBandColors SchemeBandColors(TRzGradientColorStyle style, bool themeActive, int scheme) {
    if (UsesSchemeColors(style, themeActive)) {
        const TSchemeColors& colors = SchemeColors(scheme);
        return {colors.Middle, colors.Light, colors.Middle};
    }
    return {DarkenColor(clBtnFace, 20), clWindow, DarkenColor(clBtnFace, 40)};
}

TColor ThemedPartColor(int /*kind*/) {
    return clBtnFace;
}
