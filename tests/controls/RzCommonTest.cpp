#include "controls/RzCommon.h"

#include "toolkit/graphics/Graphics.h"

#include <gtest/gtest.h>

TEST(LightnessScale, PureGreenConvertsToScaleAndBackWithTraceOfBlue) {
    EXPECT_EQ(ColorToHueSatLum(clLime), (THueSatLum{80, 240, 120}));
    EXPECT_EQ(HueSatLumToColor(80, 240, 120), TColor(0x02FF00));
    EXPECT_EQ(HueOfColor(clBlue), 160);
    EXPECT_EQ(HueOfColor(clRed), 0);
}

TEST(LightnessScale, GreysHaveNoHueOrSaturation) {
    EXPECT_EQ(ColorToHueSatLum(clGray), (THueSatLum{0, 0, 120}));
    EXPECT_EQ(ColorToHueSatLum(clWhite), (THueSatLum{0, 0, 240}));
    EXPECT_EQ(HueSatLumToColor(0, 0, 0), clBlack);
}

TEST(LightnessScale, SystemColoursAreResolvedFirst) {
    EXPECT_EQ(ColorToHueSatLum(clBtnFace), ColorToHueSatLum(ColorToRGB(clBtnFace)));
    EXPECT_EQ(DarkenColor(clBtnShadow, 20), DarkenColor(ColorToRGB(clBtnShadow), 20));
}

TEST(DarkenAndLighten, WorkedExamples) {
    EXPECT_EQ(DarkenColor(0x808080, 20), TColor(0x6A6A6A));
    EXPECT_EQ(LightenColor(0x808080, 20), TColor(0x959595));
    EXPECT_EQ(LightenColor(clMedGray, 30), TColor(0xC3C0C0));
}

TEST(DarkenAndLighten, ClampAtBothEnds) {
    EXPECT_EQ(LightenColor(clWhite, 1), clWhite);
    EXPECT_EQ(LightenColor(clWhite, 255), clWhite);
    EXPECT_EQ(DarkenColor(0x808080, 200), clBlack);
    // Lightness past 240 is allowed and saturates to white.
    EXPECT_EQ(LightenColor(0xDDE6E6, 30), clWhite);
}

TEST(DarkenAndLighten, ButtonFaceColoursOfTheWindows) {
    EXPECT_EQ(DarkenColor(0xDDE6E6, 10), TColor(0xD0DDDD));
    EXPECT_EQ(DarkenColor(0xDDE6E6, 20), TColor(0xC4D4D4));
    EXPECT_EQ(DarkenColor(0xDDE6E6, 30), TColor(0xB8CBCB));
    EXPECT_EQ(DarkenColor(0xF0F4F4, 10), TColor(0xE4EBEB));
    EXPECT_EQ(DarkenColor(0xF0F4F4, 20), TColor(0xD8E2E2));
    EXPECT_EQ(DarkenColor(0xF0F4F4, 30), TColor(0xCBD9D9));
}

TEST(ShiftLightness, ZeroKeepsTheColourUnresolved) {
    EXPECT_EQ(ShiftLightness(clBtnShadow, 0), clBtnShadow);
    EXPECT_EQ(ShiftLightness(clMedGray, 30), TColor(0xC3C0C0));
    EXPECT_EQ(ShiftLightness(0x808080, -20), TColor(0x6A6A6A));
    EXPECT_FALSE(IsSystemColor(ShiftLightness(clBtnShadow, 1)));
}

TEST(ShiftLightness, AmountsBeyondAByteClamp) {
    EXPECT_EQ(ShiftLightness(0x808080, -1000), clBlack);
    EXPECT_EQ(ShiftLightness(0x808080, 1000), clWhite);
}

TEST(MixColors, WeightIsTheShareOfTheFirstColour) {
    EXPECT_EQ(MixColors(clWhite, clBlack, 128), TColor(0x808080));
    EXPECT_EQ(MixColors(clWhite, clBlack, 255), clWhite);
    EXPECT_EQ(MixColors(clWhite, clBlack, 0), clBlack);
    EXPECT_EQ(MixColors(clWhite, 0x3CC7FF, 190), TColor(0xCDF1FF));
}

TEST(MixColors, FocusRingOfTheWindows) {
    EXPECT_EQ(MixColors(0xF48D6A, clWhite, 160), TColor(0xF8B7A2));
    EXPECT_EQ(MixColors(0xF48D6A, clWhite, 60), TColor(0xFCE4DC));
}

TEST(ColorsTooSimilar, ComparesHueAndLightnessOnly) {
    // Same lightness, very different saturation, hue 0 for both.
    EXPECT_TRUE(ColorsTooSimilar(0x808080, 0x6060A0));
    EXPECT_FALSE(ColorsTooSimilar(clWhite, clBlack));
    EXPECT_FALSE(ColorsTooSimilar(clRed, clLime));
    EXPECT_FALSE(ColorsTooSimilar(0xF48D6A, clBtnFace));
}

TEST(OppositeHueColor, TurnsTheHueByHalfTheScale) {
    const TColor opposite = OppositeHueColor(clRed, 120);
    EXPECT_EQ(HueOfColor(opposite), 120);
    EXPECT_EQ(ColorToHueSatLum(opposite).Saturation, 240);
    EXPECT_EQ(HueOfColor(OppositeHueColor(clBlue, 120)), 40);
}

TEST(TrueColorFlag, TheScreenIsTrueColourAndTestsCanSwitchTheFlag) {
    EXPECT_TRUE(ScreenIsTrueColor());
    EXPECT_TRUE(TrueColorFlag());
    SetTrueColorFlag(false);
    EXPECT_FALSE(TrueColorFlag());
    SetTrueColorFlag(true);
}

TEST(ThemeColorScheme, WithoutThemeEngineTheSystemColoursApply) {
    EXPECT_FALSE(ThemeEngineActive());
    RefreshThemeColorScheme();
    EXPECT_EQ(ThemeColorScheme(), 0);
    EXPECT_EQ(SchemeGradientColors(gcsMSOffice).Start, clWindow);
    EXPECT_EQ(SchemeGradientColors(gcsMSOffice).Stop, DarkenColor(clBtnFace, 10));
    EXPECT_EQ(SchemeLineColor(gcsSystem), LightenColor(clBtnShadow, 30));
    const TBandColors bands = SchemeBandColors(gcsSystem);
    EXPECT_EQ(bands.First, DarkenColor(clBtnFace, 20));
    EXPECT_EQ(bands.Second, clWindow);
    EXPECT_EQ(bands.Third, DarkenColor(clBtnFace, 40));
    EXPECT_EQ(ThemedPartColor(6), clBtnFace);
}

TEST(ThemeColorScheme, OfficeStyleUnderActiveThemeUsesTheSchemeColours) {
    EXPECT_EQ(SchemeGradientColors(gcsMSOffice, true, 1).Start, TColor(0xEDFFFF));
    EXPECT_EQ(SchemeGradientColors(gcsMSOffice, true, 1).Stop, TColor(0x92C7B8));
    EXPECT_EQ(SchemeLineColor(gcsMSOffice, true, 2), TColor(0xB19F9F));
    const TBandColors bands = SchemeBandColors(gcsMSOffice, true, 0);
    EXPECT_EQ(bands.First, TColor(0xEABB99));
    EXPECT_EQ(bands.Second, TColor(0xFFEFE3));
    EXPECT_EQ(bands.Third, TColor(0xEABB99));
    // Only the Office style follows the theme; unknown schemes fall back to the default.
    EXPECT_EQ(SchemeLineColor(gcsSystem, true, 1), LightenColor(clBtnShadow, 30));
    EXPECT_EQ(SchemeLineColor(gcsMSOffice, true, 7), TColor(0xBF7F57));
}

TEST(Sides, SetMembership) {
    const TSides topAndBottom{sdTop, sdBottom};
    EXPECT_TRUE(topAndBottom.Contains(sdTop));
    EXPECT_FALSE(topAndBottom.Contains(sdLeft));
    EXPECT_EQ(sdAllSides.Without(sdLeft).Without(sdRight), topAndBottom);
    EXPECT_TRUE(TSides{}.Empty());
}
