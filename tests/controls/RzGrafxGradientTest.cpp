#include "RzGrafxPicture.h"
#include "controls/RzGrafx.h"

#include <gtest/gtest.h>

namespace {

// Reds 0, 42, 85, 127, 170, 212: the six steps of a black-to-red ramp in six steps.
const std::map<TColor, char> kRedSteps{{0x000000, '0'}, {0x00002A, '1'}, {0x000055, '2'},
                                       {0x00007F, '3'}, {0x0000AA, '4'}, {0x0000D4, '5'}};

} // namespace

TEST(GradientFill, EmptyRectangleDrawsNothing) {
    auto bitmap = MakeTestBitmap(4, 4);
    PaintGradientFill(bitmap->Canvas(), Rect(1, 1, 1, 4), gdHorizontalEnd, clBlack, clWhite);
    PaintGradientFill(bitmap->Canvas(), Rect(1, 1, 4, 1), gdDiagonalDown, clBlack, clWhite);
    EXPECT_EQ(Picture(*bitmap, {}), "....\n....\n....\n....\n");
}

TEST(GradientFill, HorizontalEndStepsOneRowAtATimeAndStopsOneStepShort) {
    auto bitmap = MakeTestBitmap(3, 4);
    PaintGradientFill(bitmap->Canvas(), Rect(0, 0, 3, 4), gdHorizontalEnd, clBlack, 0x000040);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(PixelAt(*bitmap, x, y), TColor(16 * y)) << x << "," << y;
        }
    }
}

TEST(GradientFill, DrawsAtTheRectanglePosition) {
    auto bitmap = MakeTestBitmap(4, 4);
    PaintGradientFill(bitmap->Canvas(), Rect(1, 2, 3, 4), gdHorizontalEnd, clRed, clRed);
    EXPECT_EQ(Picture(*bitmap, {{clRed, 'R'}}), "....\n"
                                                "....\n"
                                                ".RR.\n"
                                                ".RR.\n");
}

TEST(GradientFill, GranularityMakesBandsThicker) {
    auto two = MakeTestBitmap(1, 4);
    PaintGradientFill(two->Canvas(), Rect(0, 0, 1, 4), gdHorizontalEnd, clBlack, 0x000040, 2);
    EXPECT_EQ(PixelAt(*two, 0, 1), clBlack);
    EXPECT_EQ(PixelAt(*two, 0, 2), TColor(32));
    EXPECT_EQ(PixelAt(*two, 0, 3), TColor(32));
    // Above 8 the value counts bands per ramp: 255 div 16 + 1 = 16 steps per band.
    auto coarse = MakeTestBitmap(1, 4);
    PaintGradientFill(coarse->Canvas(), Rect(0, 0, 1, 4), gdHorizontalEnd, clBlack, 0x000040, 16);
    EXPECT_EQ(PixelAt(*coarse, 0, 3), clBlack);
}

TEST(GradientFill, CentreRampsMirrorAboutTheMiddle) {
    auto rows = MakeTestBitmap(1, 5);
    PaintGradientFill(rows->Canvas(), Rect(0, 0, 1, 5), gdHorizontalCenter, clBlack, 0x000030);
    EXPECT_EQ(PixelAt(*rows, 0, 0), clBlack);
    EXPECT_EQ(PixelAt(*rows, 0, 4), clBlack);
    EXPECT_EQ(PixelAt(*rows, 0, 1), PixelAt(*rows, 0, 3));
    EXPECT_EQ(PixelAt(*rows, 0, 2), TColor(0x20));
    auto columns = MakeTestBitmap(4, 1);
    PaintGradientFill(columns->Canvas(), Rect(0, 0, 4, 1), gdVerticalCenter, clBlack, 0x000020);
    EXPECT_EQ(Picture(*columns, {{clBlack, 'K'}, {0x000010, 'M'}}), "KMMK\n");
}

TEST(GradientFill, VerticalEndStepsOneColumnAtATime) {
    auto bitmap = MakeTestBitmap(4, 2);
    PaintGradientFill(bitmap->Canvas(), Rect(0, 0, 4, 2), gdVerticalEnd, clBlack, 0x000040);
    EXPECT_EQ(PixelAt(*bitmap, 0, 1), clBlack);
    EXPECT_EQ(PixelAt(*bitmap, 3, 1), TColor(48));
}

TEST(GradientFill, DiagonalDownRunsFromTopLeftInBandsAcrossTheDiagonal) {
    auto bitmap = MakeTestBitmap(4, 4);
    PaintGradientFill(bitmap->Canvas(), Rect(0, 0, 4, 4), gdDiagonalDown, clBlack, clRed);
    EXPECT_EQ(Picture(*bitmap, kRedSteps), "0123\n"
                                           "1233\n"
                                           "2334\n"
                                           "3345\n");
}

TEST(GradientFill, DiagonalUpRunsFromBottomLeft) {
    auto bitmap = MakeTestBitmap(4, 4);
    PaintGradientFill(bitmap->Canvas(), Rect(0, 0, 4, 4), gdDiagonalUp, clBlack, clRed);
    EXPECT_EQ(Picture(*bitmap, kRedSteps), "3345\n"
                                           "2334\n"
                                           "1233\n"
                                           "0123\n");
}

TEST(GradientFill, BoxRampsRunFromTheEdgesToTheCentre) {
    auto bitmap = MakeTestBitmap(5, 5);
    PaintGradientFill(bitmap->Canvas(), Rect(0, 0, 5, 5), gdSquareBox, clBlack, 0x000030);
    EXPECT_EQ(Picture(*bitmap, {{clBlack, 'a'}, {0x000010, 'b'}, {0x000020, 'c'}}), "aaaaa\n"
                                                                                    "abbba\n"
                                                                                    "abcba\n"
                                                                                    "abbba\n"
                                                                                    "aaaaa\n");
}

TEST(GradientFill, EqualColoursFillSolid) {
    auto bitmap = MakeTestBitmap(3, 3);
    PaintGradientFill(bitmap->Canvas(), Rect(0, 0, 3, 3), gdDiagonalDown, clBtnFace, ColorToRGB(clBtnFace));
    EXPECT_EQ(Picture(*bitmap, {{clBtnFace, 'F'}}), "FFF\nFFF\nFFF\n");
}

TEST(HotTrackBox, PaintsATwoPixelRingOfTheRamp) {
    auto bitmap = MakeTestBitmap(6, 6);
    PaintHotTrackBox(bitmap->Canvas(), Rect(0, 0, 6, 6), gdHorizontalEnd, clBlack, 0x000060);
    EXPECT_EQ(Picture(*bitmap, {{0x000000, '0'},
                                {0x000010, '1'},
                                {0x000020, '2'},
                                {0x000030, '3'},
                                {0x000040, '4'},
                                {0x000050, '5'}}),
              "000000\n"
              "111111\n"
              "22..22\n"
              "33..33\n"
              "444444\n"
              "555555\n");
}

TEST(HotTrackBox, KeepsTheCallersClipAfterwards) {
    auto bitmap = MakeTestBitmap(6, 6);
    PaintHotTrackBox(bitmap->Canvas(), Rect(0, 0, 6, 6), gdHorizontalEnd, clBlack, 0x000060);
    bitmap->Canvas()->Brush()->SetColor(clRed);
    bitmap->Canvas()->FillRect(Rect(0, 0, 6, 6));
    EXPECT_EQ(PixelAt(*bitmap, 3, 3), clRed);
}

TEST(HotTrackBox, PaletteDisplayDrawsNothing) {
    const TrueColorScope palette(false);
    auto bitmap = MakeTestBitmap(6, 6);
    PaintHotTrackBox(bitmap->Canvas(), Rect(0, 0, 6, 6), gdHorizontalEnd, clBlack, clRed);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), kCanvasBackground);
}

// The hot-track face of the windows' 111 x 33 buttons with Color 0xDDE6E6, painted the way
// the button paints it: bottom lines, face ramp, then a ring ramp inside the frame line.
class ButtonFaceValues : public ::testing::Test {
protected:
    static constexpr TColor kColor = 0xDDE6E6;

    void PaintFace() {
        TCanvas* canvas = bitmap_->Canvas();
        canvas->Pen()->SetColor(DarkenColor(kColor, 20));
        canvas->MoveTo(face_.Left, face_.Bottom - 2);
        canvas->LineTo(face_.Right - 1, face_.Bottom - 2);
        canvas->Pen()->SetColor(DarkenColor(kColor, 30));
        canvas->MoveTo(face_.Left, face_.Bottom - 1);
        canvas->LineTo(face_.Right - 1, face_.Bottom - 1);
        PaintGradientFill(canvas, Rect(face_.Left, face_.Top, face_.Right, face_.Bottom - 2), gdHorizontalEnd,
                          LightenColor(kColor, 30), DarkenColor(kColor, 10));
    }

    std::unique_ptr<TBitmap> bitmap_ = MakeTestBitmap(111, 33);
    const TRect face_ = Rect(2, 2, 109, 31);
};

TEST_F(ButtonFaceValues, FaceRunsFromWhiteTowardsTheDarkenedColour) {
    PaintFace();
    EXPECT_EQ(PixelAt(*bitmap_, 50, 2), clWhite);
    // 27 rows from 0xFFFFFF towards 0xD0DDDD: the last row is one step short.
    EXPECT_EQ(PixelAt(*bitmap_, 50, 28), TColor(0xD1DEDE));
    EXPECT_EQ(PixelAt(*bitmap_, 50, 29), TColor(0xC4D4D4));
    EXPECT_EQ(PixelAt(*bitmap_, 50, 30), TColor(0xB8CBCB));
    // The lines end before Right - 1: the frame line's corner stays open.
    EXPECT_EQ(PixelAt(*bitmap_, 107, 30), TColor(0xB8CBCB));
    EXPECT_EQ(PixelAt(*bitmap_, 108, 30), kCanvasBackground);
}

TEST_F(ButtonFaceValues, HotRingRunsFromTheHotColourToItsWhiteMix) {
    PaintFace();
    const TColor faceInside = PixelAt(*bitmap_, 50, 4);
    const TColor top = 0x3CC7FF;
    const TColor bottom = MixColors(clWhite, top, 190);
    ASSERT_EQ(bottom, TColor(0xCDF1FF));
    PaintHotTrackBox(bitmap_->Canvas(), face_, gdHorizontalEnd, top, bottom);
    EXPECT_EQ(PixelAt(*bitmap_, 2, 2), top);
    EXPECT_EQ(PixelAt(*bitmap_, 108, 3), PixelAt(*bitmap_, 2, 3));
    // 29 rows: the last is 28/29 of the way (blue 60 -> 200, green 199 -> 239).
    EXPECT_EQ(PixelAt(*bitmap_, 50, 30), TColor(0xC8EFFF));
    // Inside the ring the face stays.
    EXPECT_EQ(PixelAt(*bitmap_, 50, 4), faceInside);
    EXPECT_EQ(PixelAt(*bitmap_, 50, 28), TColor(0xD1DEDE));
}

TEST_F(ButtonFaceValues, FocusRingMixesTheHighlightWithTheLightenedColour) {
    PaintFace();
    const TColor base = 0xF48D6A;
    ASSERT_FALSE(ColorsTooSimilar(base, clBtnFace));
    const TColor light = LightenColor(kColor, 30);
    const TColor top = MixColors(base, light, 160);
    const TColor bottom = MixColors(base, light, 60);
    ASSERT_EQ(top, TColor(0xF8B7A2));
    ASSERT_EQ(bottom, TColor(0xFCE4DC));
    PaintHotTrackBox(bitmap_->Canvas(), face_, gdHorizontalEnd, top, bottom);
    EXPECT_EQ(PixelAt(*bitmap_, 3, 10), PixelAt(*bitmap_, 107, 10));
    EXPECT_EQ(PixelAt(*bitmap_, 40, 2), top);
}
