#include "RzGrafxPicture.h"
#include "controls/RzGrafx.h"

#include <gtest/gtest.h>

namespace {

// A 2 x 2 glyph: red, key (olive), blue, red.
std::unique_ptr<TBitmap> Glyph() {
    auto glyph = MakeTestBitmap(2, 2);
    TCanvas* canvas = glyph->Canvas();
    canvas->SetPixel(0, 0, clRed);
    canvas->SetPixel(1, 0, clOlive);
    canvas->SetPixel(0, 1, clBlue);
    canvas->SetPixel(1, 1, clRed);
    return glyph;
}

const std::map<TColor, char> kGlyphLegend{{clRed, 'R'}, {clBlue, 'B'}, {clOlive, 'o'}};

} // namespace

TEST(GlyphBlit, KeyColourPixelsLeaveTheTargetUntouched) {
    auto target = MakeTestBitmap(3, 2);
    DrawGlyphTransparent(target->Canvas(), *Glyph(), Rect(0, 0, 2, 2), clOlive, Rect(0, 0, 2, 2));
    EXPECT_EQ(Picture(*target, kGlyphLegend), "R..\n"
                                              "BR.\n");
}

TEST(GlyphBlit, SourcePartIsStretchedToTheDestination) {
    auto target = MakeTestBitmap(4, 4);
    DrawGlyphTransparent(target->Canvas(), *Glyph(), Rect(0, 0, 4, 4), clOlive, Rect(0, 0, 2, 2));
    EXPECT_EQ(Picture(*target, kGlyphLegend), "RR..\n"
                                              "RR..\n"
                                              "BBRR\n"
                                              "BBRR\n");
    auto cell = MakeTestBitmap(2, 2);
    DrawGlyphTransparent(cell->Canvas(), *Glyph(), Rect(0, 0, 2, 2), clOlive, Rect(0, 1, 2, 2));
    EXPECT_EQ(Picture(*cell, kGlyphLegend), "BR\n"
                                            "BR\n");
}

TEST(GlyphBlit, EmptyRectanglesDrawNothing) {
    auto target = MakeTestBitmap(2, 2);
    DrawGlyphTransparent(target->Canvas(), *Glyph(), Rect(0, 0, 2, 2), clOlive, Rect(1, 1, 1, 2));
    DrawGlyphTransparent(target->Canvas(), *Glyph(), Rect(0, 0, 0, 2), clOlive, Rect(0, 0, 2, 2));
    EXPECT_EQ(Picture(*target, kGlyphLegend), "..\n..\n");
}

TEST(GlyphBlit, DrawnAtTheDestinationsTopLeft) {
    auto target = MakeTestBitmap(3, 3);
    DrawGlyphTransparent(target->Canvas(), *Glyph(), Rect(1, 1, 3, 3), clOlive, Rect(0, 0, 2, 2));
    EXPECT_EQ(Picture(*target, kGlyphLegend), "...\n"
                                              ".R.\n"
                                              ".BR\n");
}

TEST(AccelMarkers, AmpersandsAreRemovedOrUndoubled) {
    EXPECT_EQ(RemoveAccelMarkers("&Start"), "Start");
    EXPECT_EQ(RemoveAccelMarkers("Save && Exit"), "Save & Exit");
    EXPECT_EQ(RemoveAccelMarkers("a&&b"), "a&b");
    EXPECT_EQ(RemoveAccelMarkers("Tom&"), "Tom&");
    EXPECT_EQ(RemoveAccelMarkers("&"), "&");
    EXPECT_EQ(RemoveAccelMarkers(""), "");
}
