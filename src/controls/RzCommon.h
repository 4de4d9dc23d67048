// Shared vocabulary of the component library: the drawing enumerations every control uses,
// lightness arithmetic on colours, and the two pieces of module state (the true-colour flag
// and the theme colour scheme).
#pragma once

#include "toolkit/base/Types.h"

#include <cstdint>
#include <initializer_list>

// ---------------------------------------------------------------------------------------
// Drawing enumerations

enum TFrameStyleEx {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
    fsFlatBold,
    fsFlatRounded
};
// The range fsNone..fsFlatBold; a plain frame style never takes fsFlatRounded.
using TFrameStyle = TFrameStyleEx;

enum TSide { sdLeft, sdTop, sdRight, sdBottom };

// A set of sides; painters draw and shrink their rectangle only on the sides in the set.
class TSides {
public:
    constexpr TSides() = default;
    constexpr TSides(std::initializer_list<TSide> sides) {
        for (TSide side : sides) {
            bits_ |= Bit(side);
        }
    }
    constexpr bool Contains(TSide side) const { return (bits_ & Bit(side)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSides With(TSide side) const { return FromBits(bits_ | Bit(side)); }
    constexpr TSides Without(TSide side) const { return FromBits(bits_ & ~Bit(side)); }
    friend constexpr bool operator==(TSides, TSides) = default;

private:
    static constexpr unsigned Bit(TSide side) { return 1u << unsigned(side); }
    static constexpr TSides FromBits(unsigned bits) {
        TSides sides;
        sides.bits_ = bits;
        return sides;
    }
    unsigned bits_ = 0;
};

constexpr TSides sdAllSides{sdLeft, sdTop, sdRight, sdBottom};

enum TRzVisualStyle { vsClassic, vsWinXP, vsGradient };
enum TRzGradientColorStyle { gcsSystem, gcsMSOffice, gcsCustom };
enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };

// Where the start colour of a gradient lies; the stop colour lies on the opposite side
// (the centre line or the centre of the box for the centre and box ramps).
enum TGradientDirection {
    gdHorizontalEnd,
    gdHorizontalCenter,
    gdHorizontalBox,
    gdVerticalEnd,
    gdVerticalCenter,
    gdVerticalBox,
    gdSquareBox,
    gdBigSquareBox,
    gdDiagonalUp,
    gdDiagonalDown
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// Vertical placement of a caption inside its rectangle (buttons, check boxes, panels).
enum TAlignmentVertical { avTop, avCenter, avBottom };

// Which part of a hot-tracked glyph shows the hot colours.
enum TRzButtonHotTrackStyle { htsInterior, htsFrame };

// The look a check box or radio mark is drawn in.
enum TRzDrawState { dsNormal = 0, dsPressed = 1, dsHot = 2, dsDisabled = 3 };

// ---------------------------------------------------------------------------------------
// Lightness arithmetic: hue, saturation and lightness bytes on a 0..240 scale
// (hue 0 red, 80 green, 160 blue). Every routine resolves system colours first.

struct THueSatLum {
    std::uint8_t Hue = 0;
    std::uint8_t Saturation = 0;
    std::uint8_t Lightness = 0;
    friend bool operator==(const THueSatLum&, const THueSatLum&) = default;
};

THueSatLum ColorToHueSatLum(TColor color);
// Lightness above 240 (LightenColor allows up to 255) gives white or near-white.
TColor HueSatLumToColor(std::uint8_t hue, std::uint8_t saturation, std::uint8_t lightness);
std::uint8_t HueOfColor(TColor color);
TColor DarkenColor(TColor color, std::uint8_t amount);
TColor LightenColor(TColor color, std::uint8_t amount);
// Negative amounts darken, positive ones lighten; zero returns the colour untouched
// (a system colour stays a system colour).
TColor ShiftLightness(TColor color, int amount);
// Per channel, weight/255 of the first colour and the rest of the second.
TColor MixColors(TColor first, TColor second, std::uint8_t weight);
// Close in hue and lightness; saturation is not compared.
bool ColorsTooSimilar(TColor a, TColor b);
// The hue a third of the way round the circle, fully saturated, at the given lightness.
TColor OppositeHueColor(TColor color, std::uint8_t lightness);

// ---------------------------------------------------------------------------------------
// Module state

// Whether the screen shows more than a palette. Every surface of this toolkit is a 32-bit
// buffer, so the answer is always yes.
bool ScreenIsTrueColor();
// The flag the painters consult: ScreenIsTrueColor at start-up. Tests switch it off to see
// the palette-display look.
bool TrueColorFlag();
void SetTrueColorFlag(bool value);

// Whether the platform's visual-style engine paints controls. This platform has none.
bool ThemeEngineActive();

// Colour scheme of the desktop theme: 0 default (blue), 1 olive, 2 silver.
int DetectThemeColorScheme();
int ThemeColorScheme();
// Reads the scheme again (the panels call it when the desktop theme changes).
void RefreshThemeColorScheme();

struct TGradientColors {
    TColor Start = clWhite;
    TColor Stop = clWhite;
};
struct TBandColors {
    TColor First = clWhite;
    TColor Second = clWhite;
    TColor Third = clWhite;
};

// The colours of gradient looks: the theme scheme's own for gcsMSOffice under an active theme
// engine, otherwise ones derived from the system colours.
TGradientColors SchemeGradientColors(TRzGradientColorStyle style);
TColor SchemeLineColor(TRzGradientColorStyle style);
TBandColors SchemeBandColors(TRzGradientColorStyle style);

// The same for a given engine state and scheme (out-of-range schemes count as 0).
TGradientColors SchemeGradientColors(TRzGradientColorStyle style, bool themeActive, int scheme);
TColor SchemeLineColor(TRzGradientColorStyle style, bool themeActive, int scheme);
TBandColors SchemeBandColors(TRzGradientColorStyle style, bool themeActive, int scheme);

// A colour of the active theme for an element kind 0..6. Without a theme engine every kind
// answers clBtnFace.
TColor ThemedPartColor(int kind);
