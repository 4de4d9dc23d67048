// Toggle groups, stock kinds, glyph strips and their sub-images, and the Margin rule.
#include "RzButtonTestSupport.h"

namespace {

// A glyph strip of `cells` cells of 16 x 16 on a fuchsia key; cell i is filled with colors[i].
void MakeStrip(TBitmap* strip, int width, int height, std::initializer_list<TColor> colors) {
    strip->SetSize(width, height);
    strip->Canvas()->Brush()->SetColor(clFuchsia);
    strip->Canvas()->FillRect(Rect(0, 0, width, height));
    int left = 0;
    for (TColor color : colors) {
        strip->Canvas()->Brush()->SetColor(color);
        strip->Canvas()->FillRect(Rect(left + 4, 4, left + 12, 12));
        left += height;
    }
}

class ButtonGlyphTest : public ButtonFormTest {
protected:
    void SetUp() override {
        ButtonFormTest::SetUp();
        button = WindowButton(10, 10, 100, 30, clBtnFace, "Update");
    }
    TRzBitBtn* button = nullptr;
};

class ToggleGroupTest : public ButtonFormTest {
protected:
    void SetUp() override {
        ButtonFormTest::SetUp();
        for (int i = 0; i < 3; ++i) {
            group[i] = Place(new TRzButton(form), form, 10, 10 + 30 * i, 75, 25);
            group[i]->SetGroupIndex(1);
        }
        loner = Place(new TRzButton(form), form, 100, 10, 75, 25);
        ShowForm();
    }
    TRzButton* group[3] = {};
    TRzButton* loner = nullptr;
};

} // namespace

// ---------------------------------------------------------------------------------------
// Toggle groups

TEST_F(ToggleGroupTest, GoingDownReleasesTheOtherButtonOfTheGroup) {
    group[0]->SetDown(true);
    group[1]->SetDown(true);
    EXPECT_FALSE(group[0]->Down());
    EXPECT_TRUE(group[1]->Down());
    EXPECT_EQ(group[1]->ButtonState(), rbsExclusive);
    EXPECT_EQ(group[0]->ButtonState(), rbsUp);
}

TEST_F(ToggleGroupTest, ADownButtonStaysDownUnlessTheGroupAllowsAllUp) {
    group[0]->SetDown(true);
    group[0]->SetDown(false);
    EXPECT_TRUE(group[0]->Down());
    group[2]->SetAllowAllUp(true);
    EXPECT_TRUE(group[0]->AllowAllUp());
    group[0]->SetDown(false);
    EXPECT_FALSE(group[0]->Down());
}

TEST_F(ToggleGroupTest, AClickTogglesAGroupedButton) {
    ClickOn(group[1]);
    EXPECT_TRUE(group[1]->Down());
    ClickOn(group[2]);
    EXPECT_FALSE(group[1]->Down());
    EXPECT_TRUE(group[2]->Down());
}

TEST_F(ToggleGroupTest, AnUngroupedButtonIsNeverDown) {
    loner->SetDown(true);
    EXPECT_FALSE(loner->Down());
    ClickOn(loner);
    EXPECT_FALSE(loner->Down());
}

TEST_F(ToggleGroupTest, EnterClicksWithoutToggling) {
    group[0]->SetFocus();
    Press(VK_RETURN);
    EXPECT_FALSE(group[0]->Down());
}

// ---------------------------------------------------------------------------------------
// Kinds

TEST_F(ButtonGlyphTest, KindOkPresetsCaptionResultDefaultAndGlyph) {
    button->SetCaption("");
    button->SetKind(bkOK);
    EXPECT_EQ(button->Kind(), bkOK);
    EXPECT_EQ(button->Caption(), "OK");
    EXPECT_EQ(button->ModalResult(), mrOk);
    EXPECT_TRUE(button->Default());
    EXPECT_FALSE(button->Cancel());
    EXPECT_EQ(button->Glyph()->Width(), 32);
    EXPECT_EQ(button->Glyph()->Height(), 16);
    EXPECT_EQ(button->NumGlyphs(), 2);
}

TEST_F(ButtonGlyphTest, ChangingAPresetRevertsTheKindToCustom) {
    button->SetKind(bkOK);
    button->SetModalResult(mrNone);
    EXPECT_EQ(button->Kind(), bkCustom);
    EXPECT_EQ(button->Caption(), "OK");

    button->SetKind(bkNo);
    EXPECT_TRUE(button->Cancel());
    TBitmap own;
    MakeStrip(&own, 32, 16, {clRed, clBlue});
    button->SetGlyph(&own);
    EXPECT_EQ(button->Kind(), bkCustom);
}

TEST_F(ButtonGlyphTest, WhileLoadingAKindKeepsAStoredCaption) {
    button->BeginLoading();
    button->SetKind(bkCancel);
    button->EndLoading();
    EXPECT_EQ(button->Caption(), "Update");
    EXPECT_EQ(button->ModalResult(), mrCancel);
}

// ---------------------------------------------------------------------------------------
// Glyph strips

TEST_F(ButtonGlyphTest, NumGlyphsFollowsTheStripWidth) {
    TBitmap strip;
    strip.SetSize(32, 16);
    button->SetGlyph(&strip);
    EXPECT_EQ(button->NumGlyphs(), 2);
    strip.SetSize(48, 16);
    button->SetGlyph(&strip);
    EXPECT_EQ(button->NumGlyphs(), 3);
    strip.SetSize(80, 16);
    button->SetGlyph(&strip);
    EXPECT_EQ(button->NumGlyphs(), 1);
    button->SetNumGlyphs(4);
    strip.SetSize(30, 16);
    button->SetGlyph(&strip);
    EXPECT_EQ(button->NumGlyphs(), 4);
}

TEST_F(ButtonGlyphTest, ADisabledButtonShowsTheSecondSubImage) {
    TBitmap strip;
    MakeStrip(&strip, 32, 16, {clRed, clBlue});
    button->SetGlyph(&strip);
    ShowForm();
    const TRect glyph = button->GlyphRect();
    EXPECT_EQ(glyph, Rect(7, 7, 23, 23));
    EXPECT_EQ(Pixel(button, glyph.Left + 8, glyph.Top + 8), ColorToRGB(clRed));
    EXPECT_NE(Pixel(button, glyph.Left + 1, glyph.Top + 1), ColorToRGB(clFuchsia));
    button->SetEnabled(false);
    Idle();
    EXPECT_EQ(Pixel(button, glyph.Left + 8, glyph.Top + 8), ColorToRGB(clBlue));
}

TEST_F(ButtonGlyphTest, WithOneGlyphADisabledButtonShowsTheSameImage) {
    TBitmap strip;
    MakeStrip(&strip, 16, 16, {clRed});
    button->SetGlyph(&strip);
    button->SetEnabled(false);
    ShowForm();
    const TRect glyph = button->GlyphRect();
    EXPECT_EQ(Pixel(button, glyph.Left + 8, glyph.Top + 8), ColorToRGB(clRed));
}

TEST_F(ButtonGlyphTest, TheImageListEntryTakesPrecedenceOverTheGlyph) {
    TBitmap strip;
    MakeStrip(&strip, 32, 16, {clRed, clBlue});
    button->SetGlyph(&strip);
    auto* images = new TImageList(form, 16, 16);
    TBitmap green(16, 16);
    green.Canvas()->Brush()->SetColor(clLime);
    green.Canvas()->FillRect(Rect(0, 0, 16, 16));
    images->AddMasked(green, clFuchsia);
    button->SetImages(images);
    button->SetImageIndex(0);
    ShowForm();
    const TRect glyph = button->GlyphRect();
    EXPECT_EQ(Pixel(button, glyph.Left + 8, glyph.Top + 8), ColorToRGB(clLime));

    button->SetImageIndex(-1);
    Idle();
    EXPECT_EQ(Pixel(button, glyph.Left + 8, glyph.Top + 8), ColorToRGB(clRed));

    button->SetImageIndex(0);
    delete images;
    EXPECT_EQ(button->Images(), nullptr);
}

TEST_F(ButtonGlyphTest, MarginBelowMinusOneIsIgnored) {
    button->SetMargin(-2);
    EXPECT_EQ(button->Margin(), 2);
    button->SetMargin(-1);
    EXPECT_EQ(button->Margin(), -1);
}

TEST_F(ButtonGlyphTest, EveryLayoutPlacesGlyphAndCaption) {
    TBitmap strip;
    MakeStrip(&strip, 32, 16, {clRed, clBlue});
    button->SetGlyph(&strip);
    // Client 100 x 30: caption area (5, 5, 95, 25).
    button->SetLayout(blGlyphRight);
    EXPECT_EQ(button->GlyphRect(), Rect(77, 7, 93, 23));
    EXPECT_EQ(button->CaptionRect(), Rect(5, 5, 73, 25));
    button->SetLayout(blGlyphTop);
    EXPECT_EQ(button->GlyphRect(), Rect(42, 7, 58, 23));
    EXPECT_EQ(button->CaptionRect(), Rect(5, 27, 95, 25));
    button->SetLayout(blGlyphBottom);
    EXPECT_EQ(button->GlyphRect(), Rect(42, 7, 58, 23));
    EXPECT_EQ(button->CaptionRect(), Rect(5, 5, 95, 3));
    // Without a margin the glyph and the 14-pixel caption line are centred together.
    button->SetMargin(-1);
    button->SetLayout(blGlyphTop);
    EXPECT_EQ(button->GlyphRect(), Rect(42, -2, 58, 14));
    EXPECT_EQ(button->CaptionRect(), Rect(5, 19, 95, 33));
    button->SetLayout(blGlyphLeft);
    EXPECT_EQ(button->GlyphRect(), Rect(5, 7, 21, 23));
    EXPECT_EQ(button->CaptionRect(), Rect(24, 5, 95, 25));
}

TEST_F(ToggleGroupTest, AStuckDownClassicButtonShowsTheCheckerPattern) {
    group[0]->SetDown(true);
    Idle();
    const TColor a = Pixel(group[0], 20, 12);
    const TColor b = Pixel(group[0], 21, 12);
    EXPECT_NE(a, b);
    EXPECT_TRUE(a == clSilver || b == clSilver);
    EXPECT_TRUE(a == ColorToRGB(clBtnFace) || b == ColorToRGB(clBtnFace));
    group[0]->SetShowDownPattern(false);
    Idle();
    EXPECT_EQ(Pixel(group[0], 20, 12), Pixel(group[0], 21, 12));
}

TEST_F(ToggleGroupTest, TheFocusedClassicButtonIsOutlinedInTheWindowFrameColour) {
    loner->SetFocus();
    Idle();
    EXPECT_EQ(Pixel(loner, 0, 0), ColorToRGB(clWindowFrame));
    EXPECT_EQ(Pixel(loner, 74, 24), ColorToRGB(clWindowFrame));
    group[0]->SetFocus();
    Idle();
    EXPECT_NE(Pixel(loner, 0, 0), ColorToRGB(clWindowFrame));
}
