#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/ScopedPlatform.h"
#include "toolkit/graphics/FontEngine.h"

#include <gtest/gtest.h>

namespace {

TFont MakeFont(const std::string& name, int height, TFontStyles style = 0) {
    TFont font;
    font.SetName(name);
    font.SetHeight(height);
    font.SetStyle(style);
    return font;
}

// Text measured with the headless platform's fonts.
class FontTest : public ::testing::Test {
protected:
    platform::headless::HeadlessPlatform platform;
    ScopedPlatform installed{platform};
};

using FontLookup = FontTest;
using TextMetrics = FontTest;

} // namespace

TEST_F(FontLookup, AnInstanceNamesTheFamilyOfItsFace) {
    EXPECT_EQ(FontInstanceFor(MakeFont("Arial", -11)).FamilyName(), "Liberation Sans");
    EXPECT_EQ(FontInstanceFor(MakeFont("MS Sans Serif", -11, fsBold)).FamilyName(), "Liberation Sans");
}

TEST_F(FontLookup, WithoutAFontSourceTextHasMetricsAndLaterGetsTheRealFace) {
    const TFont font = MakeFont("Arial", -23, fsItalic);
    {
        ScopedPlatform fontless{[](platform::Platform& set) {
            set.fonts = nullptr;
        }};
        const TFontInstance& faceless = FontInstanceFor(font);
        EXPECT_EQ(faceless.FamilyName(), "");
        EXPECT_EQ(faceless.Metrics().emSize, 23);
        EXPECT_GT(faceless.Metrics().height, 0);
    }
    EXPECT_EQ(FontInstanceFor(font).FamilyName(), "Liberation Sans");
}

TEST_F(TextMetrics, ArialMinusElevenHasTextHeightFourteen) {
    TFont font = MakeFont("Arial", -11);
    EXPECT_EQ(MeasureText(font, "Actions").cy, 14);
    EXPECT_EQ(FontInstanceFor(font).Metrics().emSize, 11);
}

TEST_F(TextMetrics, HeightsFollowTheHintedGlyphExtremes) {
    const std::pair<int, int> expected[] = {{8, 11},  {9, 12},  {10, 12}, {11, 14}, {12, 15},
                                            {13, 15}, {14, 17}, {15, 17}, {16, 19}};
    for (const auto& [em, height] : expected) {
        EXPECT_EQ(FontInstanceFor(MakeFont("Arial", -em)).Metrics().height, height) << em;
    }
}

TEST_F(TextMetrics, PositiveHeightIsTheCellHeight) {
    const TFontMetrics& metrics = FontInstanceFor(MakeFont("Arial", 14)).Metrics();
    EXPECT_LT(metrics.emSize, 14);
    EXPECT_GE(metrics.height, 13);
}

TEST_F(TextMetrics, BoldIsWiderAndWidthsAddUp) {
    const TFont regular = MakeFont("Arial", -11);
    const TFont bold = MakeFont("Arial", -11, fsBold);
    EXPECT_GT(MeasureText(bold, "Shutdown Now").cx, MeasureText(regular, "Shutdown Now").cx);
    EXPECT_EQ(MeasureText(regular, "ab").cx, MeasureText(regular, "a").cx + MeasureText(regular, "b").cx);
    EXPECT_EQ(MeasureText(regular, "").cx, 0);
}

TEST(TextDecoding, InvalidUtf8FallsBackToLatinOne) {
    EXPECT_EQ(DecodeUtf8("a\xC3\xA9"), U"a\u00E9");
    EXPECT_EQ(DecodeUtf8("\xE9t\xC3"), U"\u00E9t\u00C3");
    EXPECT_EQ(DecodeUtf8("\xE2\x82\xAC"), U"\u20AC");
}
