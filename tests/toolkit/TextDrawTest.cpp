#include "GraphicsTestSupport.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/ScopedPlatform.h"
#include "toolkit/graphics/FontEngine.h"

#include <gtest/gtest.h>

namespace {

struct TextSurface {
    platform::headless::HeadlessPlatform platform; // the test fonts
    ScopedPlatform installed{platform};
    TBitmap bitmap{200, 80};
    TCanvas& canvas = *bitmap.Canvas();
    TPixelBuffer& pixels = bitmap.Buffer();
    HDC dc = canvas.Handle();

    TextSurface() {
        canvas.Font()->SetName("Arial");
        canvas.Font()->SetHeight(-11);
        canvas.Font()->SetColor(clBlack);
        canvas.Brush()->SetStyle(bsClear);
        canvas.Refresh();
    }
    const TFontMetrics& Metrics() { return FontInstanceFor(*canvas.Font()).Metrics(); }
    // Columns of row y holding dark (text) pixels.
    std::vector<int> DarkColumns(int y) {
        std::vector<int> columns;
        for (int x = 0; x < pixels.Width(); ++x) {
            if ((pixels.At(x, y) & 0xFF) < 0x80) {
                columns.push_back(x);
            }
        }
        return columns;
    }
};

} // namespace

TEST(AcceleratorPrefix, AmpersandUnderlinesTheNextLetterOnly) {
    TextSurface s;
    TRect r = Rect(10, 10, 190, 40);
    DrawText(s.dc, "&File", r, DT_SINGLELINE);
    const int underlineRow = 10 + s.Metrics().ascent + s.Metrics().underlineOffset;
    const std::vector<int> underline = s.DarkColumns(underlineRow);
    ASSERT_FALSE(underline.empty());
    EXPECT_EQ(underline.front(), 10);
    EXPECT_EQ(underline.back(), 10 + s.canvas.TextWidth("F") - 1);
    EXPECT_EQ(int(underline.size()), s.canvas.TextWidth("F"));
}

TEST(AcceleratorPrefix, DoubledAmpersandShowsOneAndNoPrefixShowsAll) {
    TextSurface s;
    TRect measured = Rect(0, 0, 200, 40);
    DrawText(s.dc, "a&&b", measured, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(measured.Width(), s.canvas.TextWidth("a&b"));
    measured = Rect(0, 0, 200, 40);
    DrawText(s.dc, "a&b", measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(measured.Width(), s.canvas.TextWidth("a&b"));
    measured = Rect(0, 0, 200, 40);
    DrawText(s.dc, "a&b", measured, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(measured.Width(), s.canvas.TextWidth("ab"));
}

TEST(WordWrap, CalcRectReturnsTheHeightOfTheWrappedLines) {
    TextSurface s;
    const std::string text = "the quick brown fox jumps over the lazy dog";
    const int lineHeight = s.canvas.TextHeight(text);
    TRect r = Rect(0, 0, 60, 0);
    const int height = DrawText(s.dc, text, r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(height, 3 * lineHeight);
    EXPECT_EQ(height % lineHeight, 0);
    EXPECT_EQ(r.Bottom, height);
    EXPECT_LE(r.Width(), 60);
    EXPECT_EQ(CountChanged(s.pixels), 0); // measuring draws nothing

    TRect single = Rect(0, 0, 60, 0);
    EXPECT_EQ(DrawText(s.dc, text, single, DT_CALCRECT | DT_SINGLELINE), lineHeight);
    EXPECT_EQ(single.Width(), s.canvas.TextWidth(text));
}

TEST(WordWrap, LongWordStaysWholeAndLineBreaksCount) {
    TextSurface s;
    const int lineHeight = s.canvas.TextHeight("x");
    TRect r = Rect(0, 0, 10, 0);
    EXPECT_EQ(DrawText(s.dc, "Unbreakable", r, DT_CALCRECT | DT_WORDBREAK), lineHeight);
    EXPECT_EQ(r.Width(), s.canvas.TextWidth("Unbreakable"));
    TRect lines = Rect(0, 0, 200, 0);
    EXPECT_EQ(DrawText(s.dc, "one\r\ntwo\nthree", lines, DT_CALCRECT), 3 * lineHeight);
}

TEST(DrawTextPlacement, CentreRightAndVerticalCentre) {
    TextSurface s;
    const int width = s.canvas.TextWidth("Stop");
    TRect r = Rect(0, 0, 200, 80);
    DrawText(s.dc, "Stop", r, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    TRect ink = ChangedBounds(s.pixels);
    EXPECT_LE(ink.Right, 200);
    EXPECT_GE(ink.Left, 200 - width);
    EXPECT_GT(ink.Top, 80 - s.canvas.TextHeight("Stop"));

    TextSurface c;
    TRect box = Rect(0, 0, 200, 80);
    DrawText(c.dc, "Stop", box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    ink = ChangedBounds(c.pixels);
    EXPECT_NEAR((ink.Left + ink.Right) / 2, 100, 3);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 40, 4);
}

TEST(DrawTextPlacement, ExpandTabsUsesEightAverageCharacters) {
    TextSurface s;
    TRect r = Rect(0, 0, 200, 40);
    DrawText(s.dc, "\tx", r, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
    EXPECT_EQ(r.Width(), 8 * s.Metrics().aveCharWidth + s.canvas.TextWidth("x"));
}

TEST(TextOutput, AlignmentPlacesTheReferencePoint) {
    TextSurface s;
    const int width = s.canvas.TextWidth("Help");
    SetTextAlign(s.dc, TA_RIGHT | TA_TOP);
    s.canvas.TextOut(100, 10, "Help");
    TRect ink = ChangedBounds(s.pixels);
    EXPECT_LE(ink.Right, 100);
    EXPECT_GE(ink.Left, 100 - width);

    TextSurface b;
    SetTextAlign(b.dc, TA_LEFT | TA_BASELINE);
    b.canvas.TextOut(10, 40, "H");
    EXPECT_EQ(ChangedBounds(b.pixels).Bottom, 40);
}

TEST(TextOutput, OpaqueModeFillsTheTextCell) {
    TextSurface s;
    s.canvas.Brush()->SetColor(clYellow);
    s.canvas.TextOut(10, 10, "OK");
    const int width = s.canvas.TextWidth("OK");
    EXPECT_EQ(s.pixels.At(10, 10), ColorToPixel(clYellow));
    EXPECT_EQ(s.pixels.At(10 + width - 1, 10 + 13), ColorToPixel(clYellow));
    EXPECT_EQ(s.pixels.At(10, 10 + 14), kWhitePixel);
    EXPECT_EQ(s.pixels.At(9, 10), kWhitePixel);
    EXPECT_EQ(s.canvas.PenPos(), Point(10 + s.canvas.TextWidth("OK"), 10));
}

TEST(TextOutput, TextRectClipsAndFillsWithASolidBrush) {
    TextSurface s;
    s.canvas.TextRect(Rect(10, 10, 16, 30), 10, 10, "Wide text here");
    EXPECT_GE(ChangedBounds(s.pixels).Left, 10);
    EXPECT_LE(ChangedBounds(s.pixels).Right, 16);

    TextSurface f;
    f.canvas.Brush()->SetColor(clRed);
    f.canvas.TextRect(Rect(0, 0, 50, 30), 5, 5, "");
    EXPECT_EQ(ChangedBounds(f.pixels), Rect(0, 0, 50, 30));
}

TEST(TextOutput, UnderlineStyleDrawsUnderTheWholeText) {
    TextSurface s;
    s.canvas.Font()->SetStyle(fsUnderline);
    s.canvas.TextOut(10, 10, "ab");
    const int row = 10 + s.Metrics().ascent + s.Metrics().underlineOffset;
    EXPECT_EQ(int(s.DarkColumns(row).size()), s.canvas.TextWidth("ab"));
}

TEST(TextOutput, MetricsMatchTheDeviceContextFont) {
    TextSurface s;
    TTextMetric tm;
    ASSERT_TRUE(GetTextMetrics(s.dc, tm));
    EXPECT_EQ(tm.tmHeight, 14);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    TSize size;
    ASSERT_TRUE(GetTextExtentPoint32(s.dc, "Start", size));
    EXPECT_EQ(size, s.canvas.TextExtent("Start"));
}

TEST(CanvasHandle, HandingOutTheContextSelectsTheCurrentFont) {
    TextSurface s;
    s.canvas.Font()->SetHeight(-20);
    s.canvas.Font()->SetColor(clRed);
    TRect r = Rect(0, 0, 200, 0);
    DrawText(s.canvas.Handle(), "Wide", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Width(), s.canvas.TextWidth("Wide"));
    EXPECT_EQ(r.Height(), s.canvas.TextHeight("Wide"));
    EXPECT_EQ(s.dc->textColor, clRed);
}
