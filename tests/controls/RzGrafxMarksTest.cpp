#include "RzGrafxPicture.h"
#include "controls/RzGrafx.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor kFrame = 0x800000;
constexpr TColor kMark = 0x000080;
constexpr TColor kFill = 0xFFFFFF;
constexpr TColor kControl = 0x00FFFF;

TRzMarkColors MarkColors() {
    TRzMarkColors colors;
    colors.Frame = kFrame;
    colors.Mark = kMark;
    colors.Fill = kFill;
    colors.Focus = 0xE0FFFF;
    colors.Disabled = 0xC0C0C0;
    colors.HotFill = 0xCCFFFF;
    colors.HotFrame = 0x0080FF;
    colors.ReadOnly = 0xE0E0E0;
    return colors;
}

const std::map<TColor, char> kBoxLegend{{kFrame, 'F'}, {kMark, 'M'}, {kFill, 'W'}};

std::unique_ptr<TBitmap> CheckBox(TCheckBoxState state, TRzDrawState drawState = dsNormal,
                                  bool focused = false, TRzButtonHotTrackStyle hotStyle = htsInterior,
                                  const TRzMarkColors& colors = MarkColors()) {
    auto bitmap = MakeTestBitmap(13, 13);
    PaintCheckMarkBox(bitmap->Canvas(), Rect(0, 0, 13, 13), state, drawState, focused, hotStyle, colors);
    return bitmap;
}

std::unique_ptr<TBitmap> RadioMark(bool checked, TRzDrawState drawState = dsNormal,
                                   TRzButtonHotTrackStyle hotStyle = htsInterior, bool transparent = false) {
    auto bitmap = MakeTestBitmap(13, 13);
    PaintRadioMark(bitmap->Canvas(), Rect(0, 0, 13, 13), checked, drawState, false, hotStyle, MarkColors(),
                   TRzRadioSurround{kControl, transparent, clOlive});
    return bitmap;
}

} // namespace

TEST(CheckMarkBox, CheckedBoxHasTheTwentyOnePixelMark) {
    const auto bitmap = CheckBox(cbChecked);
    EXPECT_EQ(Picture(*bitmap, kBoxLegend), "FFFFFFFFFFFFF\n"
                                            "FWWWWWWWWWWWF\n"
                                            "FWWWWWWWWWWWF\n"
                                            "FWWWWWWWWMWWF\n"
                                            "FWWWWWWWMMWWF\n"
                                            "FWWMWWWMMMWWF\n"
                                            "FWWMMWMMMWWWF\n"
                                            "FWWMMMMMWWWWF\n"
                                            "FWWWMMMWWWWWF\n"
                                            "FWWWWMWWWWWWF\n"
                                            "FWWWWWWWWWWWF\n"
                                            "FWWWWWWWWWWWF\n"
                                            "FFFFFFFFFFFFF\n");
}

TEST(CheckMarkBox, GreyStateFillsTheInnerSquare) {
    const auto bitmap = CheckBox(cbGrayed);
    EXPECT_EQ(PixelAt(*bitmap, 2, 2), kFill);
    EXPECT_EQ(PixelAt(*bitmap, 3, 3), kMark);
    EXPECT_EQ(PixelAt(*bitmap, 9, 9), kMark);
    EXPECT_EQ(PixelAt(*bitmap, 10, 10), kFill);
}

TEST(CheckMarkBox, InteriorColourFollowsTheState) {
    EXPECT_EQ(PixelAt(*CheckBox(cbUnchecked, dsPressed), 5, 5), DarkenColor(0xE0FFFF, 20));
    EXPECT_EQ(PixelAt(*CheckBox(cbUnchecked, dsNormal, true), 5, 5), TColor(0xE0FFFF));
    TRzMarkColors readOnly = MarkColors();
    readOnly.IsReadOnly = true;
    EXPECT_EQ(PixelAt(*CheckBox(cbUnchecked, dsNormal, false, htsInterior, readOnly), 5, 5),
              TColor(0xE0E0E0));
    EXPECT_EQ(PixelAt(*CheckBox(cbUnchecked, dsNormal, true, htsInterior, readOnly), 5, 5), TColor(0xE0FFFF));
    readOnly.ReadOnlyColorOnFocus = true;
    EXPECT_EQ(PixelAt(*CheckBox(cbUnchecked, dsNormal, true, htsInterior, readOnly), 5, 5), TColor(0xE0E0E0));
}

TEST(CheckMarkBox, DisabledBoxShowsTheMarkInButtonShadow) {
    const auto bitmap = CheckBox(cbChecked, dsDisabled);
    EXPECT_EQ(PixelAt(*bitmap, 5, 5), TColor(0xC0C0C0));
    EXPECT_EQ(PixelAt(*bitmap, 9, 3), ColorToRGB(clBtnShadow));
}

TEST(CheckMarkBox, HotFrameStyleDrawsTwoOutlinesInTheHotFrameColour) {
    const auto bitmap = CheckBox(cbUnchecked, dsHot, false, htsFrame);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), TColor(0x0080FF));
    EXPECT_EQ(PixelAt(*bitmap, 1, 1), TColor(0x0080FF));
    EXPECT_EQ(PixelAt(*bitmap, 11, 11), TColor(0x0080FF));
    EXPECT_EQ(PixelAt(*bitmap, 2, 2), kFill);
}

TEST(CheckMarkBox, HotInteriorStyleRingsTheInsideWithADiagonalRamp) {
    const auto bitmap = CheckBox(cbChecked, dsHot, false, htsInterior);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), kFrame);
    EXPECT_EQ(PixelAt(*bitmap, 1, 1), TColor(0xCCFFFF));
    EXPECT_NE(PixelAt(*bitmap, 11, 11), TColor(0xCCFFFF));
    EXPECT_EQ(PixelAt(*bitmap, 3, 3), kFill);
    EXPECT_EQ(PixelAt(*bitmap, 9, 3), kMark);
}

TEST(CheckMarkBox, PaletteDisplayHasNoHotRing) {
    const TrueColorScope palette(false);
    const auto bitmap = CheckBox(cbUnchecked, dsHot, false, htsInterior);
    EXPECT_EQ(PixelAt(*bitmap, 1, 1), kFill);
}

TEST(RadioMark, PixelRolesOfAPlainMark) {
    const auto bitmap = RadioMark(false);
    const TColor light = LightenColor(kFrame, 10);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), kControl);   // outside the circle
    EXPECT_EQ(PixelAt(*bitmap, 12, 10), kControl); // mirrored corner
    EXPECT_EQ(PixelAt(*bitmap, 4, 0), MixColors(kFrame, kControl, 128));
    EXPECT_EQ(PixelAt(*bitmap, 3, 12), MixColors(kFrame, kControl, 40));
    EXPECT_EQ(PixelAt(*bitmap, 6, 0), kFrame);
    EXPECT_EQ(PixelAt(*bitmap, 12, 7), light);
    EXPECT_EQ(PixelAt(*bitmap, 4, 1), MixColors(kFrame, kFill, 128));
    EXPECT_EQ(PixelAt(*bitmap, 3, 2), MixColors(kFrame, kFill, 80));
    EXPECT_EQ(PixelAt(*bitmap, 6, 11), MixColors(kFrame, kFill, 40));
    EXPECT_EQ(PixelAt(*bitmap, 6, 6), kFill);
}

TEST(RadioMark, TransparentMarkUsesTheTransparentColourOutside) {
    const auto bitmap = RadioMark(false, dsNormal, htsInterior, true);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), clOlive);
    EXPECT_EQ(PixelAt(*bitmap, 4, 0), clOlive);
    EXPECT_EQ(PixelAt(*bitmap, 3, 0), clOlive);
    EXPECT_EQ(PixelAt(*bitmap, 6, 0), kFrame);
}

TEST(RadioMark, PaletteDisplayUsesPlainColours) {
    const TrueColorScope palette(false);
    const auto bitmap = RadioMark(true);
    EXPECT_EQ(PixelAt(*bitmap, 4, 0), kFrame);
    EXPECT_EQ(PixelAt(*bitmap, 3, 0), kControl);
    EXPECT_EQ(PixelAt(*bitmap, 5, 0), kFrame);
    EXPECT_EQ(PixelAt(*bitmap, 4, 1), kFrame);
    EXPECT_EQ(PixelAt(*bitmap, 5, 1), clSilver);
    EXPECT_EQ(PixelAt(*bitmap, 6, 1), kFill);
    EXPECT_EQ(PixelAt(*bitmap, 5, 4), kMark);
}

TEST(RadioMark, CheckedDotHasSoftenedEdges) {
    const auto bitmap = RadioMark(true);
    const TColor edge = MixColors(kMark, kFill, 153);
    EXPECT_EQ(Picture(*bitmap, {{kMark, 'D'}, {edge, 'e'}, {kFill, 'W'}}, Rect(4, 4, 9, 9)), "WeDeW\n"
                                                                                             "eDDDe\n"
                                                                                             "DDDDD\n"
                                                                                             "eDDDe\n"
                                                                                             "WeDeW\n");
}

TEST(RadioMark, DisabledDotIsButtonShadow) {
    const auto bitmap = RadioMark(true, dsDisabled);
    EXPECT_EQ(PixelAt(*bitmap, 6, 6), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(*bitmap, 2, 6), TColor(0xC0C0C0));
}

TEST(RadioMark, HotFrameStyleRedrawsTheInnerRing) {
    const auto bitmap = RadioMark(false, dsHot, htsFrame);
    const TColor hotFrame = 0x0080FF;
    const TColor light = LightenColor(hotFrame, 10);
    EXPECT_EQ(PixelAt(*bitmap, 6, 0), hotFrame);
    EXPECT_EQ(PixelAt(*bitmap, 6, 1), light);
    EXPECT_EQ(PixelAt(*bitmap, 4, 1), hotFrame);
    EXPECT_EQ(PixelAt(*bitmap, 3, 2), MixColors(hotFrame, kFill, 150));
    EXPECT_EQ(PixelAt(*bitmap, 4, 2), MixColors(hotFrame, kFill, 80));
}

TEST(RadioMark, HotInteriorStyleRampsAroundTheCentre) {
    const auto bitmap = RadioMark(false, dsHot, htsInterior);
    auto ramp = MakeTestBitmap(13, 13);
    PaintGradientFill(ramp->Canvas(), Rect(0, 0, 13, 13), gdDiagonalDown, 0xCCFFFF, 0x0080FF);
    EXPECT_EQ(PixelAt(*bitmap, 3, 3), PixelAt(*ramp, 3, 3));
    EXPECT_EQ(PixelAt(*bitmap, 9, 2), MixColors(kFrame, PixelAt(*ramp, 9, 2), 80));
    EXPECT_EQ(PixelAt(*bitmap, 6, 6), kFill);
    EXPECT_EQ(PixelAt(*bitmap, 6, 3), kFill);
}

TEST(RadioMark, DrawnAtTheRectanglesTopLeft) {
    auto bitmap = MakeTestBitmap(16, 16);
    PaintRadioMark(bitmap->Canvas(), Rect(3, 2, 16, 15), false, dsNormal, false, htsInterior, MarkColors(),
                   TRzRadioSurround{kControl, false, clOlive});
    EXPECT_EQ(PixelAt(*bitmap, 2, 2), kCanvasBackground);
    EXPECT_EQ(PixelAt(*bitmap, 3, 2), kControl);
    EXPECT_EQ(PixelAt(*bitmap, 9, 2), kFrame);
}
