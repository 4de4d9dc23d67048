// The system's Arial through GDI: design values from its tables, glyph boxes and grey glyphs.
#include "platform/win32/GdiFonts.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

class GdiFontsTest : public ::testing::Test {
protected:
    void SetUp() override {
        face = fonts.OpenFace("Arial", false, false);
        ASSERT_NE(face, nullptr);
    }
    platform::win32::GdiFonts fonts;
    std::unique_ptr<platform::IFontFace> face;
};

TEST_F(GdiFontsTest, TheDesignValuesAreArials) {
    // Arial and its metric twin Liberation Sans share these.
    const platform::FontDesign design = face->Design();
    EXPECT_EQ(design.unitsPerEm, 2048);
    EXPECT_EQ(design.winAscent, 1854);
    EXPECT_EQ(design.winDescent, 434);
    EXPECT_EQ(design.ascender, 1854);
    EXPECT_EQ(design.descender, -434);
    EXPECT_EQ(design.lineHeight, 1854 + 434 + 67);
    EXPECT_LT(design.underlinePosition, 0);
    EXPECT_GT(design.underlineThickness, 0);
    EXPECT_GT(design.strikeoutPosition, 0);
}

TEST_F(GdiFontsTest, GlyphBoxesAreInSixtyFourthsAndTheBlankHasNoInk) {
    ASSERT_TRUE(face->SetPixelSize(11));
    const platform::GlyphBox a = face->MeasureGlyph(U'A');
    ASSERT_TRUE(a.present);
    EXPECT_EQ(a.top % 64, 0);
    EXPECT_GE(a.top, 7 * 64);
    EXPECT_EQ(a.bottom, 0);
    EXPECT_EQ(a.advance, 7 * 64);
    const platform::GlyphBox g = face->MeasureGlyph(U'g');
    EXPECT_LT(g.bottom, 0);
    const platform::GlyphBox blank = face->MeasureGlyph(U' ');
    EXPECT_TRUE(blank.present);
    EXPECT_EQ(blank.top, 0);
    EXPECT_EQ(blank.bottom, 0);
    EXPECT_GT(blank.advance, 0);
    EXPECT_FALSE(face->MeasureGlyph(U'\U0001F600').present);
}

TEST_F(GdiFontsTest, RenderedGlyphsCoverTheirBoxInFullGrey) {
    ASSERT_TRUE(face->SetPixelSize(20));
    const platform::GlyphBitmap l = face->RenderGlyph(U'l');
    ASSERT_GT(l.width, 0);
    ASSERT_EQ(l.coverage.size(), std::size_t(l.width) * std::size_t(l.height));
    EXPECT_EQ(*std::max_element(l.coverage.begin(), l.coverage.end()), 255);
    EXPECT_GT(l.top, 10);
    EXPECT_GT(l.advance, 0);
    const platform::GlyphBitmap blank = face->RenderGlyph(U' ');
    EXPECT_EQ(blank.width, 0);
    EXPECT_GT(blank.advance, 0);
}

TEST_F(GdiFontsTest, BoldIsWiderAndTheFamilyIsNamed) {
    std::unique_ptr<platform::IFontFace> bold = fonts.OpenFace("Arial", true, false);
    ASSERT_NE(bold, nullptr);
    ASSERT_TRUE(face->SetPixelSize(40));
    ASSERT_TRUE(bold->SetPixelSize(40));
    EXPECT_GT(bold->MeasureGlyph(U'm').advance, face->MeasureGlyph(U'm').advance);
    EXPECT_FALSE(face->FamilyName().empty());
}

} // namespace
