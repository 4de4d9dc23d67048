#include "RzGrafxPicture.h"
#include "controls/RzGrafx.h"

#include <gtest/gtest.h>

namespace {

const std::map<TColor, char> kRedBlue{{clRed, 'R'}, {clBlue, 'B'}};
const std::map<TColor, char> kSystemLegend{
    {clBtnShadow, 'S'}, {clBtnHighlight, 'H'}, {cl3DDkShadow, 'K'}, {cl3DLight, 'l'}, {clBtnText, 'T'}};

} // namespace

TEST(LinePainters, PaintSidesDrawsUpperLeftThenLowerRightAndShrinks) {
    auto bitmap = MakeTestBitmap(5, 4);
    const TRect inner = PaintSides(bitmap->Canvas(), Rect(0, 0, 5, 4), clRed, clBlue);
    EXPECT_EQ(Picture(*bitmap, kRedBlue), "RRRRB\n"
                                          "R...B\n"
                                          "R...B\n"
                                          "BBBBB\n");
    EXPECT_EQ(inner, Rect(1, 1, 4, 3));
}

TEST(LinePainters, PaintSidesWithNoneSkipsThePairButStillShrinks) {
    auto bitmap = MakeTestBitmap(5, 4);
    const TRect inner = PaintSides(bitmap->Canvas(), Rect(0, 0, 5, 4), clNone, clBlue);
    EXPECT_EQ(Picture(*bitmap, kRedBlue), "....B\n"
                                          "....B\n"
                                          "....B\n"
                                          "BBBBB\n");
    EXPECT_EQ(inner, Rect(1, 1, 4, 3));
}

TEST(LinePainters, SidesOutsideTheSetAreNeitherDrawnNorShrunk) {
    auto bitmap = MakeTestBitmap(5, 4);
    const TRect inner = PaintSides(bitmap->Canvas(), Rect(0, 0, 5, 4), clRed, clBlue, {sdTop, sdRight});
    EXPECT_EQ(Picture(*bitmap, kRedBlue), "RRRRB\n"
                                          "....B\n"
                                          "....B\n"
                                          "....B\n");
    EXPECT_EQ(inner, Rect(0, 1, 4, 4));
}

TEST(LinePainters, BevelRingsNestInsideEachOther) {
    auto bitmap = MakeTestBitmap(6, 6);
    const TRect inner = PaintBevelRings(bitmap->Canvas(), Rect(0, 0, 6, 6), clRed, clBlue, sdAllSides, 2);
    EXPECT_EQ(Picture(*bitmap, kRedBlue), "RRRRRB\n"
                                          "RRRRBB\n"
                                          "RR..BB\n"
                                          "RR..BB\n"
                                          "RBBBBB\n"
                                          "BBBBBB\n");
    EXPECT_EQ(inner, Rect(2, 2, 4, 4));
}

TEST(LinePainters, RoundedOutlineCutsCornersWhereDrawnSidesMeet) {
    auto bitmap = MakeTestBitmap(7, 6);
    const TRect inner = PaintRoundedOutline(bitmap->Canvas(), Rect(0, 0, 7, 6), clRed, sdAllSides);
    EXPECT_EQ(Picture(*bitmap, kRedBlue), "..RRR..\n"
                                          ".R...R.\n"
                                          "R.....R\n"
                                          "R.....R\n"
                                          ".R...R.\n"
                                          "..RRR..\n");
    EXPECT_EQ(inner, Rect(2, 2, 5, 4));
}

TEST(LinePainters, RoundedOutlineRunsStraightToAMissingSide) {
    auto bitmap = MakeTestBitmap(6, 4);
    const TRect inner = PaintRoundedOutline(bitmap->Canvas(), Rect(0, 0, 6, 4), clRed, {sdLeft, sdTop});
    EXPECT_EQ(Picture(*bitmap, kRedBlue), "..RRRR\n"
                                          ".R....\n"
                                          "R.....\n"
                                          "R.....\n");
    EXPECT_EQ(inner, Rect(2, 2, 6, 4));
}

TEST(LinePainters, DottedFocusFrameSetsEverySecondPixelBlack) {
    auto bitmap = MakeTestBitmap(6, 5);
    const TRect inner = PaintDottedFocusFrame(bitmap->Canvas(), Rect(0, 0, 6, 5));
    EXPECT_EQ(Picture(*bitmap, {{clBlack, 'K'}}), ".K.K.K\n"
                                                  "K....K\n"
                                                  "......\n"
                                                  "K....K\n"
                                                  ".K.K.K\n");
    EXPECT_EQ(inner, Rect(1, 1, 5, 4));
}

TEST(SystemFrames, FlatAndBoldRings) {
    auto bitmap = MakeTestBitmap(6, 6);
    EXPECT_EQ(PaintFrame(bitmap->Canvas(), Rect(0, 0, 6, 6), fsFlat), Rect(1, 1, 5, 5));
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(PaintFrame(bitmap->Canvas(), Rect(0, 0, 6, 6), fsFlatBold), Rect(2, 2, 4, 4));
    EXPECT_EQ(PixelAt(*bitmap, 1, 4), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PaintFrame(bitmap->Canvas(), Rect(0, 0, 6, 6), fsNone), Rect(0, 0, 6, 6));
}

TEST(SystemFrames, LoweredIsShadowOverDarkShadowInside) {
    auto bitmap = MakeTestBitmap(4, 4);
    const TRect inner = PaintFrame(bitmap->Canvas(), Rect(0, 0, 4, 4), fsLowered);
    EXPECT_EQ(Picture(*bitmap, kSystemLegend), "SSSH\n"
                                               "SKlH\n"
                                               "SllH\n"
                                               "HHHH\n");
    EXPECT_EQ(inner, Rect(2, 2, 2, 2));
}

TEST(SystemFrames, ButtonEdgesUpAndDown) {
    auto up = MakeTestBitmap(4, 4);
    PaintButtonEdge(up->Canvas(), Rect(0, 0, 4, 4), false);
    EXPECT_EQ(Picture(*up, kSystemLegend), "HHHK\n"
                                           "HlSK\n"
                                           "HSSK\n"
                                           "KKKK\n");
    auto down = MakeTestBitmap(4, 4);
    PaintFrame(down->Canvas(), Rect(0, 0, 4, 4), fsButtonDown);
    EXPECT_EQ(Picture(*down, kSystemLegend), "TTTT\n"
                                             "TSST\n"
                                             "TSST\n"
                                             "TTTT\n");
}

TEST(EtchedFrames, GrooveOnAllSides) {
    auto bitmap = MakeTestBitmap(6, 5);
    const TRect inner = PaintFrame(bitmap->Canvas(), Rect(0, 0, 6, 5), fsGroove);
    EXPECT_EQ(Picture(*bitmap, kSystemLegend), "SSSSSH\n"
                                               "SHHHSH\n"
                                               "SH..SH\n"
                                               "SSSSSH\n"
                                               "HHHHHH\n");
    EXPECT_EQ(inner, Rect(2, 2, 4, 3));
}

TEST(EtchedFrames, EndPixelsCloseLinesWithoutTheirNeighbourSides) {
    auto bitmap = MakeTestBitmap(6, 5);
    const TRect inner = PaintFrameSides(bitmap->Canvas(), Rect(0, 0, 6, 5), fsGroove, {sdTop, sdBottom});
    EXPECT_EQ(Picture(*bitmap, kSystemLegend), "SSSSSS\n"
                                               "HHHHHH\n"
                                               "......\n"
                                               "SSSSSS\n"
                                               "HHHHHH\n");
    EXPECT_EQ(inner, Rect(0, 2, 6, 3));
}

TEST(EtchedFrames, BumpOnLeftAndRightOnly) {
    auto bitmap = MakeTestBitmap(5, 4);
    const TRect inner = PaintFrameSides(bitmap->Canvas(), Rect(0, 0, 5, 4), fsBump, {sdLeft, sdRight});
    EXPECT_EQ(Picture(*bitmap, kSystemLegend), "HS.HS\n"
                                               "HS.HS\n"
                                               "HS.HS\n"
                                               "HS.HS\n");
    EXPECT_EQ(inner, Rect(2, 0, 3, 4));
}

TEST(TintedFrames, RaisedRingsInLightenAndDarkenSteps) {
    const TColor base = 0x808080;
    auto bitmap = MakeTestBitmap(4, 4);
    EXPECT_EQ(PaintTintedFrame(bitmap->Canvas(), Rect(0, 0, 4, 4), base, fsRaised), Rect(2, 2, 2, 2));
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), LightenColor(base, 50));
    EXPECT_EQ(PixelAt(*bitmap, 3, 3), DarkenColor(base, 100));
    EXPECT_EQ(PixelAt(*bitmap, 1, 1), LightenColor(base, 100));
    EXPECT_EQ(PixelAt(*bitmap, 2, 2), DarkenColor(base, 50));
}

TEST(TintedFrames, ButtonEdgeUpAndPressed) {
    const TColor base = 0xDDE6E6;
    auto up = MakeTestBitmap(4, 4);
    EXPECT_EQ(PaintTintedButtonEdge(up->Canvas(), Rect(0, 0, 4, 4), base, false), Rect(2, 2, 2, 2));
    EXPECT_EQ(PixelAt(*up, 0, 0), LightenColor(base, 100));
    EXPECT_EQ(PixelAt(*up, 3, 0), DarkenColor(base, 100));
    EXPECT_EQ(PixelAt(*up, 1, 1), LightenColor(base, 40));
    EXPECT_EQ(PixelAt(*up, 2, 2), DarkenColor(base, 50));
    auto pressed = MakeTestBitmap(4, 4);
    PaintTintedFrame(pressed->Canvas(), Rect(0, 0, 4, 4), base, fsButtonDown);
    EXPECT_EQ(PixelAt(*pressed, 0, 0), DarkenColor(base, 100));
    EXPECT_EQ(PixelAt(*pressed, 3, 3), DarkenColor(base, 100));
    EXPECT_EQ(PixelAt(*pressed, 1, 1), DarkenColor(base, 50));
}

TEST(TintedFrames, StatusAndGroove) {
    const TColor base = 0x808080;
    auto status = MakeTestBitmap(3, 3);
    EXPECT_EQ(PaintTintedFrame(status->Canvas(), Rect(0, 0, 3, 3), base, fsStatus), Rect(1, 1, 2, 2));
    EXPECT_EQ(PixelAt(*status, 0, 0), DarkenColor(base, 50));
    EXPECT_EQ(PixelAt(*status, 2, 2), LightenColor(base, 100));
    auto groove = MakeTestBitmap(4, 4);
    PaintTintedFrame(groove->Canvas(), Rect(0, 0, 4, 4), base, fsGroove);
    EXPECT_EQ(PixelAt(*groove, 0, 0), DarkenColor(base, 50));
    EXPECT_EQ(PixelAt(*groove, 1, 1), LightenColor(base, 100));
}

TEST(PanelBorder, RoundedOuterFrameShowsParentInTheCutCorners) {
    auto bitmap = MakeTestBitmap(7, 6);
    TRzPanelBorder border;
    border.OuterStyle = fsFlatRounded;
    border.FlatColor = clMedGray;
    border.ParentColor = clRed;
    border.ControlColor = clBlue;
    const TRect inner = PaintInnerOuterFrames(bitmap->Canvas(), Rect(0, 0, 7, 6), border);
    EXPECT_EQ(Picture(*bitmap, {{clRed, 'P'}, {clBlue, 'C'}, {0xC3C0C0, 'F'}}), "PPFFFPP\n"
                                                                                "PFCCCFP\n"
                                                                                "FC...CF\n"
                                                                                "FC...CF\n"
                                                                                "PFCCCFP\n"
                                                                                "PPFFFPP\n");
    EXPECT_EQ(inner, Rect(2, 2, 5, 4));
}

TEST(PanelBorder, OuterThenBorderRingsThenInner) {
    auto bitmap = MakeTestBitmap(7, 7);
    TRzPanelBorder border;
    border.OuterStyle = fsFlat;
    border.InnerStyle = fsStatus;
    border.BorderWidth = 1;
    border.BorderColor = clBlue;
    border.FlatColor = clRed;
    border.FlatColorAdjustment = 0;
    const TRect inner = PaintInnerOuterFrames(bitmap->Canvas(), Rect(0, 0, 7, 7), border);
    EXPECT_EQ(inner, Rect(3, 3, 4, 4));
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), clRed);
    EXPECT_EQ(PixelAt(*bitmap, 1, 1), clBlue);
    EXPECT_EQ(PixelAt(*bitmap, 2, 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(*bitmap, 4, 4), ColorToRGB(clBtnHighlight));
}

TEST(PanelBorder, RoundedFlatInnerLeavesCornerPixelsOpen) {
    auto bitmap = MakeTestBitmap(5, 4);
    TRzPanelBorder border;
    border.InnerStyle = fsFlat;
    border.RoundedFlatInner = true;
    border.FlatColor = clRed;
    border.FlatColorAdjustment = 0;
    const TRect inner = PaintInnerOuterFrames(bitmap->Canvas(), Rect(0, 0, 5, 4), border);
    EXPECT_EQ(Picture(*bitmap, kRedBlue), ".RRR.\n"
                                          "R...R\n"
                                          "R...R\n"
                                          ".RRR.\n");
    EXPECT_EQ(inner, Rect(1, 1, 4, 3));
}

TEST(EditFrame, ClearedRingUnderAFlatFrameOnThreeSides) {
    auto bitmap = MakeTestBitmap(6, 5);
    PaintEditFrame(bitmap->Canvas(), 6, 5, true, {sdLeft, sdTop, sdRight}, clRed, clBlue, fsFlat);
    EXPECT_EQ(Picture(*bitmap, {{clRed, 'R'}, {clBlue, 'C'}}), "RRRRRR\n"
                                                               "RCCCCR\n"
                                                               "RC..CR\n"
                                                               "RCCCCR\n"
                                                               "RCCCCR\n");
}

TEST(EditFrame, WindowColourTakesSystemFramesOtherColoursTinted) {
    auto system = MakeTestBitmap(4, 4);
    PaintEditFrame(system->Canvas(), 4, 4, false, sdAllSides, clRed, clWindow, fsLowered);
    EXPECT_EQ(PixelAt(*system, 0, 0), ColorToRGB(clBtnShadow));
    auto tinted = MakeTestBitmap(4, 4);
    PaintEditFrame(tinted->Canvas(), 4, 4, false, sdAllSides, clRed, 0xDDE6E6, fsLowered);
    EXPECT_EQ(PixelAt(*tinted, 0, 0), DarkenColor(0xDDE6E6, 50));
}
