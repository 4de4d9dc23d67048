// The hot-track face of the main window's Start button in every state, with the worked
// colours, and the glyph and caption layout beside it.
#include "RzButtonTestSupport.h"
#include "controls/RzGrafx.h"

namespace {

// BTNStart: 111 x 33, face 0xDDE6E6, with a 32 x 32 image-list glyph.
class StartFaceTest : public ButtonFormTest {
protected:
    void SetUp() override {
        ButtonFormTest::SetUp();
        images = new TImageList(form, 32, 32);
        TBitmap art(32, 32);
        art.Canvas()->Brush()->SetColor(clRed);
        art.Canvas()->FillRect(Rect(0, 0, 32, 32));
        images->AddMasked(art, clFuchsia);
        images->AddMasked(art, clFuchsia);
        start = WindowButton(191, 244 - 200, 111, 33, kStartFace, "Start");
        start->SetImages(images);
        start->SetImageIndex(1);
        other = WindowButton(10, 10, 75, 25, clBtnFace, "Other");
        ShowForm();
        other->SetFocus();
        Idle();
    }

    TImageList* images = nullptr;
    TRzBitBtn* start = nullptr;
    TRzBitBtn* other = nullptr;
};

} // namespace

TEST_F(StartFaceTest, IdleFaceRunsFromWhiteToTheTwoShadedBottomLines) {
    EXPECT_EQ(Pixel(start, 50, 2), 0xFFFFFFu);
    EXPECT_EQ(Pixel(start, 50, 29), 0xC4D4D4u);
    EXPECT_EQ(Pixel(start, 50, 30), 0xB8CBCBu);
    // Frame line without its corners, the outer ring in button-face shades, cut corners.
    EXPECT_EQ(Pixel(start, 1, 10), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(start, 50, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(start, 1, 1), DarkenColor(clBtnFace, 20));
    EXPECT_EQ(Pixel(start, 0, 10), DarkenColor(clBtnFace, 20));
    EXPECT_EQ(Pixel(start, 50, 0), DarkenColor(clBtnFace, 20));
    EXPECT_EQ(Pixel(start, 110, 10), LightenColor(clBtnFace, 20));
    EXPECT_EQ(Pixel(start, 109, 31), LightenColor(clBtnFace, 20));
    EXPECT_EQ(Pixel(start, 0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(Pixel(start, 110, 32), ColorToRGB(clBtnFace));
}

TEST_F(StartFaceTest, HoverShowsTheHotRingFromTheHotColourDown) {
    MouseMove(start, 60, 15);
    ASSERT_TRUE(start->MouseOver());
    EXPECT_EQ(Pixel(start, 50, 2), 0x3CC7FFu);
    EXPECT_EQ(Pixel(start, 2, 10), Pixel(start, 3, 10));
    EXPECT_NE(Pixel(start, 50, 30), 0xB8CBCBu);
    // The ring is two pixels wide; the face shows inside it.
    EXPECT_EQ(Pixel(start, 50, 4), Pixel(start, 100, 4));
    EXPECT_NE(Pixel(start, 50, 4), 0x3CC7FFu);

    MouseMove(start, 200, 15);
    EXPECT_FALSE(start->MouseOver());
    EXPECT_EQ(Pixel(start, 50, 2), 0xFFFFFFu);
}

TEST_F(StartFaceTest, FocusShowsTheHighlightRingAndHoverTakesPrecedence) {
    start->SetFocus();
    Idle();
    EXPECT_EQ(Pixel(start, 50, 2), 0xF8B7A2u);
    MouseMove(start, 60, 15);
    EXPECT_EQ(Pixel(start, 50, 2), 0x3CC7FFu);
}

TEST_F(StartFaceTest, PressedFaceIsFlatAndTheContentStaysPut) {
    const TRect glyphBefore = start->GlyphRect();
    const TRect captionBefore = start->CaptionRect();
    MouseDown(start, 100, 5);
    ASSERT_TRUE(start->Pressed());
    EXPECT_EQ(Pixel(start, 100, 5), 0xD0DDDDu);
    EXPECT_EQ(Pixel(start, 100, 27), 0xD0DDDDu);
    EXPECT_EQ(start->GlyphRect(), glyphBefore);
    EXPECT_EQ(start->CaptionRect(), captionBefore);
    MouseUp(start, 100, 5);
}

TEST_F(StartFaceTest, DisabledFaceHasNoRingAndAFlatFill) {
    start->SetEnabled(false);
    Idle();
    EXPECT_EQ(Pixel(start, 0, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(Pixel(start, 1, 10), DarkenColor(kStartFace, 80));
    EXPECT_EQ(Pixel(start, 100, 3), kStartFace);
    EXPECT_EQ(Pixel(start, 100, 30), kStartFace);
}

TEST_F(StartFaceTest, DisabledButtonOfFaceColourUsesALightShadowLine) {
    other->SetEnabled(false);
    Idle();
    EXPECT_EQ(Pixel(other, 1, 10), LightenColor(clBtnShadow, 30));
}

TEST_F(StartFaceTest, LayoutPutsTheCaptionBesideTheImage) {
    EXPECT_EQ(start->CaptionRect(), Rect(43, 5, 106, 28));
    EXPECT_EQ(start->GlyphRect(), Rect(7, 1, 39, 33));
    EXPECT_EQ(Pixel(start, 7, 1), ColorToRGB(clRed));
    EXPECT_EQ(Pixel(start, 38, 32), ColorToRGB(clRed));
    EXPECT_NE(Pixel(start, 39, 15), ColorToRGB(clRed));
}

TEST_F(StartFaceTest, ADisabledImageListGlyphIsGreyed) {
    start->SetEnabled(false);
    Idle();
    const TColor glyph = Pixel(start, 20, 15);
    EXPECT_NE(glyph, ColorToRGB(clRed));
    EXPECT_EQ(GetRValue(glyph), GetGValue(glyph));
}

TEST_F(StartFaceTest, TheCutCornersShowTheParent) {
    auto* panel = Place(new TCustomControl(form), form, 10, 120, 150, 60);
    panel->SetControlStyle(panel->ControlStyle() | csAcceptsControls);
    panel->SetColor(clYellow);
    auto* button = WindowButton(10, 10, 111, 33, kStartFace, "Start");
    button->SetParent(panel);
    Idle();
    EXPECT_EQ(Pixel(button, 0, 0), ColorToRGB(clYellow));
    EXPECT_EQ(Pixel(button, 1, 0), ColorToRGB(clYellow));
    EXPECT_EQ(Pixel(button, 110, 32), ColorToRGB(clYellow));
    EXPECT_EQ(Pixel(button, 1, 1), DarkenColor(clBtnFace, 20));
    button->SetEnabled(false);
    Idle();
    EXPECT_EQ(Pixel(button, 0, 10), ColorToRGB(clYellow));
    EXPECT_EQ(Pixel(button, 50, 32), ColorToRGB(clYellow));
}

TEST_F(StartFaceTest, RightAlignedCaptionsKeepTheShadowDepthFromTheEdge) {
    auto* plain = Place(new TRzButton(form), form, 10, 120, 100, 30);
    plain->SetCaption("W");
    plain->SetAlignment(taRightJustify);
    plain->SetTextShadowDepth(0);
    Idle();
    auto rightmost = [&] {
        int found = -1;
        for (int y = 5; y < 25; ++y) {
            for (int x = 5; x < 95; ++x) {
                if (Pixel(plain, x, y) == ColorToRGB(clWindowText)) {
                    found = std::max(found, x);
                }
            }
        }
        return found;
    };
    const int flush = rightmost();
    ASSERT_GT(flush, 80);
    for (TTextStyle style : {tsNormal, tsRaised, tsRecessed, tsShadow}) {
        plain->SetTextStyle(style);
        plain->SetTextShadowDepth(3);
        Idle();
        EXPECT_EQ(rightmost(), flush - 3) << int(style);
        plain->SetTextShadowDepth(0);
    }
}
