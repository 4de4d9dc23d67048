#include "GraphicsTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kRed = ColorToPixel(clRed);
constexpr std::uint32_t kBlue = ColorToPixel(clBlue);

struct Surface {
    TBitmap bitmap{40, 40};
    TCanvas& canvas = *bitmap.Canvas();
    TPixelBuffer& pixels = bitmap.Buffer();
    HDC dc = canvas.Handle();
};

} // namespace

TEST(SystemColours, ResolveFromTheSchemeTable) {
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(160, 160, 160));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), RGB(105, 105, 105));
    EXPECT_EQ(ColorToRGB(cl3DLight), RGB(227, 227, 227));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(0, 120, 215));
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
    EXPECT_EQ(ColorToRGB(clWindowFrame), RGB(100, 100, 100));
    EXPECT_EQ(ColorToRGB(clGrayText), RGB(109, 109, 109));
    EXPECT_EQ(ColorToRGB(clMedGray), clMedGray);
    EXPECT_EQ(ColorToRGB(0xFF0000FF), clBlack); // unknown index: a safe fallback
}

TEST(Lines, LeaveOutTheEndPointInAllEightDirections) {
    const TPoint directions[] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
    for (const TPoint& d : directions) {
        Surface s;
        s.canvas.Pen()->SetColor(clRed);
        s.canvas.MoveTo(20, 20);
        s.canvas.LineTo(20 + 5 * d.X, 20 + 5 * d.Y);
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(s.pixels.At(20 + k * d.X, 20 + k * d.Y), kRed) << d.X << "," << d.Y << " step " << k;
        }
        EXPECT_EQ(s.pixels.At(20 + 5 * d.X, 20 + 5 * d.Y), kWhitePixel) << d.X << "," << d.Y;
        EXPECT_EQ(CountChanged(s.pixels), 5);
        EXPECT_EQ(s.canvas.PenPos(), Point(20 + 5 * d.X, 20 + 5 * d.Y));
    }
}

TEST(Lines, ClearPenDrawsNothingAndWidePensAreThicker) {
    Surface s;
    s.canvas.Pen()->SetStyle(psClear);
    s.canvas.MoveTo(0, 5);
    s.canvas.LineTo(30, 5);
    EXPECT_EQ(CountChanged(s.pixels), 0);

    s.canvas.Pen()->SetStyle(psSolid);
    s.canvas.Pen()->SetWidth(3);
    s.canvas.MoveTo(5, 10);
    s.canvas.LineTo(15, 10);
    EXPECT_EQ(ChangedBounds(s.pixels), Rect(4, 9, 16, 12));
}

TEST(Rectangles, ExcludeRightAndBottomEdges) {
    Surface s;
    s.canvas.Brush()->SetColor(clBlue);
    s.canvas.FillRect(Rect(2, 3, 12, 8));
    EXPECT_EQ(ChangedBounds(s.pixels), Rect(2, 3, 12, 8));

    Surface r;
    r.canvas.Pen()->SetColor(clRed);
    r.canvas.Brush()->SetColor(clBlue);
    r.canvas.Rectangle(2, 3, 12, 8);
    EXPECT_EQ(ChangedBounds(r.pixels), Rect(2, 3, 12, 8));
    EXPECT_EQ(r.pixels.At(11, 7), kRed); // outline at right - 1, bottom - 1
    EXPECT_EQ(r.pixels.At(2, 3), kRed);
    EXPECT_EQ(r.pixels.At(3, 4), kBlue); // inside filled with the brush
    EXPECT_EQ(r.pixels.At(10, 6), kBlue);
}

TEST(Rectangles, FrameRectDrawsOnePixelInTheBrushColour) {
    Surface s;
    s.canvas.Brush()->SetColor(clRed);
    s.canvas.FrameRect(Rect(5, 5, 10, 9));
    EXPECT_EQ(ChangedBounds(s.pixels), Rect(5, 5, 10, 9));
    EXPECT_EQ(CountChanged(s.pixels), 2 * 5 + 2 * 2);
    EXPECT_EQ(s.pixels.At(7, 7), kWhitePixel);
}

TEST(Rectangles, ClearPenRectangleIsOnePixelSmaller) {
    Surface s;
    s.canvas.Pen()->SetStyle(psClear);
    s.canvas.Brush()->SetColor(clBlue);
    s.canvas.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(ChangedBounds(s.pixels), Rect(0, 0, 9, 9));
}

TEST(Polygons, FillAlternateAndOutlineThroughEveryVertex) {
    Surface s;
    s.canvas.Pen()->SetColor(clRed);
    s.canvas.Brush()->SetColor(clBlue);
    s.canvas.Polygon({Point(5, 5), Point(15, 5), Point(15, 15), Point(5, 15)});
    EXPECT_EQ(ChangedBounds(s.pixels), Rect(5, 5, 16, 16));
    EXPECT_EQ(s.pixels.At(15, 15), kRed);
    EXPECT_EQ(s.pixels.At(10, 10), kBlue);

    // A self-overlapping star leaves its centre unfilled under the alternate rule.
    Surface star;
    star.canvas.Pen()->SetStyle(psClear);
    star.canvas.Brush()->SetColor(clBlue);
    star.canvas.Polygon({Point(20, 2), Point(31, 36), Point(2, 14), Point(38, 14), Point(9, 36)});
    EXPECT_EQ(star.pixels.At(20, 20), kWhitePixel);
    EXPECT_EQ(star.pixels.At(20, 8), kBlue);
}

TEST(Clipping, ExcludedAreaStaysUntouched) {
    Surface s;
    EXPECT_EQ(ExcludeClipRect(s.dc, 10, 10, 20, 20), COMPLEXREGION);
    s.canvas.Brush()->SetColor(clRed);
    s.canvas.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(s.pixels.At(10, 10), kWhitePixel);
    EXPECT_EQ(s.pixels.At(19, 19), kWhitePixel);
    EXPECT_EQ(s.pixels.At(20, 20), kRed);
    EXPECT_EQ(s.pixels.At(9, 15), kRed);
    EXPECT_EQ(CountChanged(s.pixels), 40 * 40 - 100);

    s.dc->ResetClip();
    s.canvas.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(CountChanged(s.pixels), 40 * 40);
}

TEST(Clipping, IntersectLimitsDrawingAndPixelReads) {
    Surface s;
    IntersectClipRect(s.dc, 5, 5, 8, 8);
    s.canvas.Brush()->SetColor(clRed);
    s.canvas.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(ChangedBounds(s.pixels), Rect(5, 5, 8, 8));
    EXPECT_EQ(s.canvas.Pixel(6, 6), clRed);
    EXPECT_EQ(s.canvas.Pixel(0, 0), CLR_INVALID);
    EXPECT_EQ(s.canvas.ClipRect(), Rect(5, 5, 8, 8));
}

TEST(ViewportOrigin, ShiftsDrawingButNotTheExistingClip) {
    Surface s;
    IntersectClipRect(s.dc, 0, 0, 20, 20);
    TPoint previous{-1, -1};
    SetViewportOrgEx(s.dc, 5, 7, &previous);
    EXPECT_EQ(previous, Point(0, 0));
    s.canvas.SetPixel(0, 0, clRed);
    s.canvas.SetPixel(15, 15, clRed); // device (20, 22): outside the clip set before the move
    EXPECT_EQ(s.pixels.At(5, 7), kRed);
    EXPECT_EQ(CountChanged(s.pixels), 1);

    s.dc->SetWindowOrigin(Point(10, 0));
    s.canvas.SetPixel(0, 0, clBlue);
    EXPECT_EQ(s.pixels.At(15, 7), kBlue);
}

TEST(SavedStates, RestoreBringsBackClipOriginAndObjects) {
    Surface s;
    s.dc->textColor = clRed;
    const int saved = SaveDC(s.dc);
    SetViewportOrgEx(s.dc, 3, 3, nullptr);
    ExcludeClipRect(s.dc, 0, 0, 40, 40);
    s.dc->textColor = clBlue;
    SaveDC(s.dc);
    EXPECT_TRUE(RestoreDC(s.dc, saved));
    TPoint origin;
    GetViewportOrgEx(s.dc, &origin);
    EXPECT_EQ(origin, Point(0, 0));
    EXPECT_EQ(s.dc->Clip().BoundingBox(), Rect(0, 0, 40, 40));
    EXPECT_EQ(s.dc->textColor, clRed);
    EXPECT_FALSE(RestoreDC(s.dc, -1)); // both states were consumed
}

TEST(Brushes, PatternTilesFromTheWindowOrigin) {
    TBitmap pattern(2, 1);
    pattern.Buffer().At(0, 0) = kRed;
    pattern.Buffer().At(1, 0) = kBlue;
    Surface s;
    s.dc->SetWindowOrigin(Point(1, 0));
    s.canvas.Brush()->SetBitmap(&pattern);
    s.canvas.FillRect(Rect(0, 0, 4, 1));
    EXPECT_EQ(s.pixels.At(1, 0), kRed); // device x 1 is the view's own x 0
    EXPECT_EQ(s.pixels.At(2, 0), kBlue);
    EXPECT_EQ(s.pixels.At(3, 0), kRed);
}

TEST(Brushes, ClearBrushFillsNothing) {
    Surface s;
    s.canvas.Brush()->SetStyle(bsClear);
    s.canvas.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(CountChanged(s.pixels), 0);
}

TEST(Blits, TransparentDrawLeavesKeyColourPixelsUntouched) {
    TBitmap glyph(3, 2);
    glyph.Buffer().At(0, 1) = ColorToPixel(clFuchsia); // lower-left: the key colour
    glyph.Buffer().At(1, 1) = ColorToPixel(clFuchsia);
    glyph.Buffer().At(2, 1) = kRed;
    glyph.Buffer().At(0, 0) = kBlue;
    glyph.SetTransparent(true);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);

    Surface s;
    s.canvas.Brush()->SetColor(clGreen);
    s.canvas.FillRect(Rect(0, 0, 40, 40));
    s.canvas.Draw(10, 10, glyph);
    EXPECT_EQ(s.pixels.At(10, 11), ColorToPixel(clGreen));
    EXPECT_EQ(s.pixels.At(11, 11), ColorToPixel(clGreen));
    EXPECT_EQ(s.pixels.At(12, 11), kRed);
    EXPECT_EQ(s.pixels.At(10, 10), kBlue);
    EXPECT_EQ(s.pixels.At(11, 10), kWhitePixel);
}

TEST(Blits, BrushCopyPaintsTheKeyColourWithTheBrush) {
    TBitmap glyph(2, 1);
    glyph.Buffer().At(0, 0) = ColorToPixel(clOlive);
    glyph.Buffer().At(1, 0) = kRed;
    Surface s;
    s.canvas.Brush()->SetColor(clBlue);
    s.canvas.BrushCopy(Rect(0, 0, 2, 1), glyph, Rect(0, 0, 2, 1), clOlive);
    EXPECT_EQ(s.pixels.At(0, 0), kBlue);
    EXPECT_EQ(s.pixels.At(1, 0), kRed);
}

TEST(Blits, CopyRectStretchesAndStaysInsideTheDestination) {
    Surface source;
    source.canvas.SetPixel(0, 0, clRed);
    source.canvas.SetPixel(1, 0, clBlue);
    Surface s;
    s.canvas.CopyRect(Rect(10, 10, 14, 12), source.canvas, Rect(0, 0, 2, 1));
    EXPECT_EQ(s.pixels.At(10, 10), kRed);
    EXPECT_EQ(s.pixels.At(11, 11), kRed);
    EXPECT_EQ(s.pixels.At(13, 11), kBlue);
    EXPECT_EQ(ChangedBounds(s.pixels), Rect(10, 10, 14, 12));
}

TEST(Blits, CopyWithinOneBufferHandlesOverlap) {
    Surface s;
    for (int x = 0; x < 4; ++x) {
        s.canvas.SetPixel(x, 0, x % 2 == 0 ? clRed : clBlue);
    }
    s.canvas.CopyRect(Rect(1, 0, 5, 1), s.canvas, Rect(0, 0, 4, 1));
    EXPECT_EQ(s.pixels.At(1, 0), kRed);
    EXPECT_EQ(s.pixels.At(2, 0), kBlue);
    EXPECT_EQ(s.pixels.At(4, 0), kBlue);
}

TEST(Regions, ExcludeAndUnionKeepDisjointCoverage) {
    TRegion region(Rect(0, 0, 10, 10));
    region.Exclude(Rect(3, 3, 6, 6));
    region.Union(Rect(4, 4, 12, 5));
    int area = 0;
    for (const TRect& r : region.Rects()) {
        area += r.Width() * r.Height();
    }
    EXPECT_EQ(area, 100 - 9 + 2 + 2); // (4,4)-(6,5) back in, (10,4)-(12,5) added
    EXPECT_TRUE(region.Contains(5, 4));
    EXPECT_FALSE(region.Contains(5, 5));
    EXPECT_EQ(region.BoundingBox(), Rect(0, 0, 12, 10));
}

TEST(Robustness, FarAwayCoordinatesDrawOnlyTheVisiblePart) {
    Surface s;
    s.canvas.Pen()->SetColor(clRed);
    s.canvas.MoveTo(-2000000000, 5);
    s.canvas.LineTo(2000000000, 5);
    EXPECT_EQ(ChangedBounds(s.pixels), Rect(0, 5, 40, 6));

    Surface p;
    p.canvas.Pen()->SetStyle(psClear);
    p.canvas.Brush()->SetColor(clBlue);
    p.canvas.Polygon({Point(-1000000000, -1000000000), Point(1000000000, -1000000000), Point(0, 1000000000)});
    EXPECT_EQ(CountChanged(p.pixels), 40 * 40);

    Surface e;
    e.canvas.Ellipse(-100000000, -100000000, 100000000, 100000000);
    EXPECT_EQ(CountChanged(e.pixels), 0); // all inside the white brush
}

TEST(Brushes, ChoosingAColourMakesAClearBrushSolid) {
    TBrush brush;
    brush.SetStyle(bsClear);
    int changes = 0;
    brush.OnChange = [&] {
        ++changes;
    };
    brush.SetColor(clRed);
    EXPECT_EQ(brush.Style(), bsSolid);
    brush.SetColor(clRed);
    EXPECT_EQ(changes, 1);
}

TEST(FrameControls, ClassicCheckBoxHasSunkenEdgesAndTheMark) {
    Surface s;
    s.canvas.Brush()->SetColor(clBtnFace);
    s.canvas.FillRect(Rect(0, 0, 40, 40));
    DrawFrameControl(s.dc, Bounds(10, 10, 13, 13), DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(s.pixels.At(10, 10), ColorToPixel(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(s.pixels.At(22, 22), ColorToPixel(ColorToRGB(clBtnHighlight)));
    EXPECT_EQ(s.pixels.At(11, 11), ColorToPixel(ColorToRGB(cl3DDkShadow)));
    EXPECT_EQ(s.pixels.At(13, 15), 0u); // first column of the mark, relative (3, 5)
    EXPECT_EQ(s.pixels.At(19, 13), 0u); // last column, relative (9, 3)
    EXPECT_EQ(s.pixels.At(12, 12), kWhitePixel);
    EXPECT_EQ(ChangedBounds(s.pixels, ColorToPixel(ColorToRGB(clBtnFace))), Bounds(10, 10, 13, 13));
}
