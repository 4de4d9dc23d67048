// The painted check box and radio button: glyph placement, the focus outline, the marks of
// each state and custom glyph strips.
#include "RzButtonTestSupport.h"

namespace {

class GlyphPaintTest : public ButtonFormTest {
protected:
    void SetUp() override {
        ButtonFormTest::SetUp();
        box = Place(new TRzCheckBox(form), form, 20, 20, 193, 17);
        box->SetCaption("Auto-run");
        box->SetHotTrack(true);
        box->SetColor(clBtnFace);
        box->SetFrameColor(clHighlight);
        radio = Place(new TRzRadioButton(form), form, 20, 60, 129, 17);
        radio->SetCaption("Shutdown");
        radio->SetHotTrack(true);
        other = Place(new TRzCheckBox(form), form, 20, 100, 100, 17);
        ShowForm();
        other->SetFocus();
        Idle();
    }
    // The colour at the centre of the radio mark.
    TColor RadioCentre() { return Pixel(radio, 6, 2 + 6); }

    TRzCheckBox* box = nullptr;
    TRzRadioButton* radio = nullptr;
    TRzCheckBox* other = nullptr;
};

} // namespace

TEST_F(GlyphPaintTest, TheGlyphOfASeventeenPixelControlCoversRowsTwoToFourteen) {
    EXPECT_EQ(box->GlyphRect(), Rect(0, 2, 13, 15));
    const TColor frame = ColorToRGB(clHighlight);
    EXPECT_EQ(Pixel(box, 6, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(Pixel(box, 6, 2), frame);
    EXPECT_EQ(Pixel(box, 0, 8), frame);
    EXPECT_EQ(Pixel(box, 6, 14), frame);
    EXPECT_EQ(Pixel(box, 6, 15), ColorToRGB(clBtnFace));
    EXPECT_EQ(Pixel(box, 6, 8), ColorToRGB(clWindow));
}

TEST_F(GlyphPaintTest, TheFocusOutlineIsCutToTheCaptionWidthPlusThree) {
    box->SetFocus();
    Idle();
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(*box->Font());
    const int right = 17 + measure.Canvas()->TextWidth(box->Caption()) + 3;
    auto dotted = [&](int x, int y) {
        return Pixel(box, x, y) == clBlack;
    };
    // Dots every second pixel along the top and bottom rows, and up the sides.
    EXPECT_TRUE(dotted(17, 0) || dotted(18, 0));
    EXPECT_TRUE(dotted(17, 16) || dotted(18, 16));
    EXPECT_TRUE(dotted(right - 1, 4) || dotted(right - 1, 5));
    for (int x = right; x < box->Width(); ++x) {
        EXPECT_FALSE(dotted(x, 0)) << x;
        EXPECT_FALSE(dotted(x, 16)) << x;
    }
    other->SetFocus();
    Idle();
    EXPECT_FALSE(dotted(17, 0) || dotted(18, 0));
}

TEST_F(GlyphPaintTest, AFocusOutlineNeverOutgrowsTheCaptionArea) {
    box->SetWidth(60);
    box->SetFocus();
    Idle();
    EXPECT_TRUE(Pixel(box, 59, 4) == clBlack || Pixel(box, 59, 5) == clBlack);
}

TEST_F(GlyphPaintTest, TheRadioMarkShowsEachState) {
    EXPECT_EQ(RadioCentre(), ColorToRGB(clWindow));
    radio->SetChecked(true);
    EXPECT_EQ(RadioCentre(), ColorToRGB(clHighlight));

    MouseMove(radio, 300, 8);
    const TColor idleRing = Pixel(radio, 2, 2 + 6);
    MouseMove(radio, 6, 8);
    ASSERT_TRUE(radio->MouseOver());
    EXPECT_NE(Pixel(radio, 2, 2 + 6), idleRing);
    EXPECT_EQ(RadioCentre(), ColorToRGB(clHighlight));
    MouseMove(radio, 300, 8);

    radio->SetEnabled(false);
    Idle();
    EXPECT_EQ(RadioCentre(), ColorToRGB(clBtnShadow));
    radio->SetChecked(false);
    EXPECT_EQ(RadioCentre(), ColorToRGB(clBtnFace));
}

TEST_F(GlyphPaintTest, ACheckedBoxShowsItsMarkInTheHighlightColour) {
    box->SetChecked(true);
    EXPECT_EQ(Pixel(box, 3, 2 + 5), ColorToRGB(clHighlight));
    box->SetState(cbGrayed);
    EXPECT_EQ(Pixel(box, 6, 2 + 6), ColorToRGB(clHighlight));
}

TEST_F(GlyphPaintTest, CustomGlyphStripsSwitchTheGlyphSource) {
    TBitmap strip(117, 13);
    for (int cell = 0; cell < 9; ++cell) {
        strip.Canvas()->Brush()->SetColor(RGB(std::uint8_t(cell * 20), 0, 0));
        strip.Canvas()->FillRect(Rect(cell * 13, 0, cell * 13 + 13, 13));
    }
    box->SetCustomGlyphs(&strip);
    EXPECT_TRUE(box->UseCustomGlyphs());
    EXPECT_EQ(box->GlyphSize(), (TSize{13, 13}));
    Idle();
    EXPECT_EQ(Pixel(box, 6, 8), RGB(0, 0, 0));
    box->SetChecked(true);
    EXPECT_EQ(Pixel(box, 6, 8), RGB(20, 0, 0));
    box->SetEnabled(false);
    Idle();
    EXPECT_EQ(Pixel(box, 6, 8), RGB(140, 0, 0));

    TBitmap empty;
    box->SetCustomGlyphs(&empty);
    EXPECT_FALSE(box->UseCustomGlyphs());
}

TEST_F(GlyphPaintTest, ATransparentRadioButtonShowsItsParentAroundTheMark) {
    auto* panel = Place(new TCustomControl(form), form, 200, 20, 150, 40);
    panel->SetControlStyle(panel->ControlStyle() | csAcceptsControls);
    panel->SetColor(clYellow);
    auto* onPanel = Place(new TRzRadioButton(form), panel, 10, 10, 100, 17);
    onPanel->SetCaption("Logoff");
    onPanel->SetHotTrack(true);
    onPanel->SetColor(clBtnFace);
    onPanel->SetTransparent(true);
    Idle();
    EXPECT_EQ(Pixel(onPanel, 0, 2), ColorToRGB(clYellow));
    EXPECT_EQ(Pixel(onPanel, 90, 8), ColorToRGB(clYellow));
    EXPECT_EQ(Pixel(onPanel, 6, 8), ColorToRGB(clWindow));
    // The half-covered edge pixels take half of the frame colour.
    const TColor edge = Pixel(onPanel, 4, 2);
    EXPECT_NE(edge, ColorToRGB(clYellow));
    EXPECT_NE(edge, ColorToRGB(clBtnShadow));
}
