// The check-box box and the radio-button circle, drawn pixel by pixel on a 13 x 13 grid.
#include "controls/RzGrafx.h"

#include <array>

namespace {

struct TCell {
    int X;
    int Y;
};

template <std::size_t N> using TCells = std::array<TCell, N>;

// ---------------------------------------------------------------------------------------
// Shared by both marks

TColor InteriorColor(TRzDrawState drawState, bool focused, const TRzMarkColors& colors) {
    switch (drawState) {
    case dsPressed:
        return DarkenColor(colors.Focus, 20);
    case dsDisabled:
        return colors.Disabled;
    default:
        if (focused) {
            return colors.IsReadOnly && colors.ReadOnlyColorOnFocus ? colors.ReadOnly : colors.Focus;
        }
        return colors.IsReadOnly ? colors.ReadOnly : colors.Fill;
    }
}

TColor MarkColor(TRzDrawState drawState, const TRzMarkColors& colors) {
    return drawState == dsDisabled ? clBtnShadow : colors.Mark;
}

bool ShowsHotFrame(TRzDrawState drawState, TRzButtonHotTrackStyle hotStyle) {
    return drawState == dsHot && hotStyle == htsFrame;
}

template <std::size_t N> void SetCells(TCanvas* canvas, const TCells<N>& cells, TColor color) {
    for (const TCell& cell : cells) {
        canvas->SetPixel(cell.X, cell.Y, color);
    }
}

// Each cell becomes weight/255 of `color` blended with what it shows now.
template <std::size_t N>
void BlendCells(TCanvas* canvas, const TCells<N>& cells, TColor color, std::uint8_t weight) {
    for (const TCell& cell : cells) {
        canvas->SetPixel(cell.X, cell.Y, MixColors(color, canvas->Pixel(cell.X, cell.Y), weight));
    }
}

// ---------------------------------------------------------------------------------------
// Check box

constexpr TCells<21> kCheckMark{{{3, 5}, {3, 6}, {3, 7}, {4, 6}, {4, 7}, {4, 8}, {5, 7},
                                 {5, 8}, {5, 9}, {6, 6}, {6, 7}, {6, 8}, {7, 5}, {7, 6},
                                 {7, 7}, {8, 4}, {8, 5}, {8, 6}, {9, 3}, {9, 4}, {9, 5}}};

// ---------------------------------------------------------------------------------------
// Radio circle: pixel roles on the 13 x 13 grid

constexpr TCells<24> kOutsideCorners{{{0, 0},   {1, 0},   {2, 0},   {0, 1},   {1, 1},   {0, 2},
                                      {12, 0},  {11, 0},  {10, 0},  {12, 1},  {11, 1},  {12, 2},
                                      {0, 12},  {1, 12},  {2, 12},  {0, 11},  {1, 11},  {0, 10},
                                      {12, 12}, {11, 12}, {10, 12}, {12, 11}, {11, 11}, {12, 10}}};
// Edge pixels half covered by the circle (A) and barely covered (B).
constexpr TCells<16> kEdgeHalf{{{4, 0},
                                {8, 0},
                                {2, 1},
                                {10, 1},
                                {1, 2},
                                {11, 2},
                                {0, 4},
                                {12, 4},
                                {0, 8},
                                {12, 8},
                                {1, 10},
                                {11, 10},
                                {2, 11},
                                {10, 11},
                                {4, 12},
                                {8, 12}}};
constexpr TCells<8> kEdgeFaint{{{3, 0}, {9, 0}, {0, 3}, {12, 3}, {0, 9}, {12, 9}, {3, 12}, {9, 12}}};
constexpr TCells<12> kEdgeFull{
    {{6, 0}, {3, 1}, {9, 1}, {1, 3}, {11, 3}, {0, 6}, {12, 6}, {1, 9}, {11, 9}, {3, 11}, {9, 11}, {6, 12}}};
constexpr TCells<12> kEdgeLight{
    {{5, 0}, {7, 0}, {2, 2}, {10, 2}, {0, 5}, {12, 5}, {0, 7}, {12, 7}, {2, 10}, {10, 10}, {5, 12}, {7, 12}}};

// The second ring, just inside the edge, in the hot frame look.
constexpr TCells<12> kHotRingLight{
    {{5, 1}, {6, 1}, {7, 1}, {1, 5}, {1, 6}, {1, 7}, {11, 5}, {11, 6}, {11, 7}, {5, 11}, {6, 11}, {7, 11}}};
constexpr TCells<8> kHotRingCorner{{{4, 1}, {8, 1}, {1, 4}, {11, 4}, {1, 8}, {11, 8}, {4, 11}, {8, 11}}};

// Shading just inside the edge: heavy (weight 128), medium (80) and light (40).
constexpr TCells<8> kShadeHeavy = kHotRingCorner;
constexpr TCells<16> kShadeMedium{{{5, 1},
                                   {7, 1},
                                   {3, 2},
                                   {9, 2},
                                   {2, 3},
                                   {10, 3},
                                   {1, 5},
                                   {11, 5},
                                   {1, 7},
                                   {11, 7},
                                   {2, 9},
                                   {10, 9},
                                   {3, 10},
                                   {9, 10},
                                   {5, 11},
                                   {7, 11}}};
constexpr TCells<4> kShadeLight{{{6, 1}, {1, 6}, {11, 6}, {6, 11}}};
// Shading inside the hot frame ring.
constexpr TCells<8> kHotShadeOuter{{{3, 2}, {9, 2}, {2, 3}, {10, 3}, {2, 9}, {10, 9}, {3, 10}, {9, 10}}};
constexpr TCells<8> kHotShadeInner{{{4, 2}, {8, 2}, {2, 4}, {10, 4}, {2, 8}, {10, 8}, {4, 10}, {8, 10}}};

// The dot: a 3 x 3 core, its four arms and the eight pixels between them.
constexpr TCells<4> kDotArms{{{6, 4}, {4, 6}, {8, 6}, {6, 8}}};
constexpr TCells<8> kDotEdge{{{5, 4}, {7, 4}, {4, 5}, {8, 5}, {4, 7}, {8, 7}, {5, 8}, {7, 8}}};

// The circle's interior kept out of the hot ring's gradient: a square and two bars.
constexpr std::array<TRect, 3> kHotInteriorHole{{{4, 4, 9, 9}, {5, 3, 8, 10}, {3, 5, 10, 8}}};

void PaintRadioHotLook(TCanvas* canvas, TRect whole, TRzButtonHotTrackStyle hotStyle, TColor frame,
                       TColor frameLight, const TRzMarkColors& colors) {
    if (hotStyle == htsFrame) {
        SetCells(canvas, kHotRingLight, frameLight);
        SetCells(canvas, kHotRingCorner, frame);
        return;
    }
    HDC dc = canvas->Handle();
    const TRegion saved = dc->Clip();
    for (const TRect& hole : kHotInteriorHole) {
        ExcludeClipRect(dc, hole.Left, hole.Top, hole.Right, hole.Bottom);
    }
    PaintGradientFill(canvas, whole, gdDiagonalDown, colors.HotFill, colors.HotFrame, 1);
    dc->SetClip(saved);
}

void PaintRadioEdge(TCanvas* canvas, TColor frame, TColor frameLight, const TRzRadioSurround& surround) {
    SetCells(canvas, kOutsideCorners,
             surround.Transparent ? surround.TransparentColor : surround.ControlColor);
    TColor half = surround.ControlColor;
    TColor faint = surround.ControlColor;
    if (surround.Transparent) {
        half = surround.TransparentColor;
        faint = surround.TransparentColor;
    } else if (TrueColorFlag()) {
        half = MixColors(frame, surround.ControlColor, 128);
        faint = MixColors(frame, surround.ControlColor, 40);
    } else {
        half = frame;
    }
    SetCells(canvas, kEdgeHalf, half);
    SetCells(canvas, kEdgeFaint, faint);
    SetCells(canvas, kEdgeFull, frame);
    SetCells(canvas, kEdgeLight, frameLight);
}

void PaintRadioShading(TCanvas* canvas, TColor frame, bool hotFrame) {
    if (!TrueColorFlag()) {
        SetCells(canvas, kShadeHeavy, frame);
        SetCells(canvas, kShadeMedium, clSilver);
    } else if (hotFrame) {
        BlendCells(canvas, kHotShadeOuter, frame, 150);
        BlendCells(canvas, kHotShadeInner, frame, 80);
    } else {
        BlendCells(canvas, kShadeHeavy, frame, 128);
        BlendCells(canvas, kShadeMedium, frame, 80);
        BlendCells(canvas, kShadeLight, frame, 40);
    }
}

void PaintRadioDot(TCanvas* canvas, TColor dot) {
    const TColor edge = TrueColorFlag() ? MixColors(dot, canvas->Pixel(4, 4), 153) : dot;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(dot);
    canvas->FillRect(Rect(5, 5, 8, 8));
    SetCells(canvas, kDotArms, dot);
    SetCells(canvas, kDotEdge, edge);
}

} // namespace

void PaintCheckMarkBox(TCanvas* canvas, TRect bounds, TCheckBoxState state, TRzDrawState drawState,
                       bool focused, TRzButtonHotTrackStyle hotStyle, const TRzMarkColors& colors) {
    const TRect inside =
        PaintBoxOutline(canvas, bounds, ShowsHotFrame(drawState, hotStyle) ? colors.HotFrame : colors.Frame);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(InteriorColor(drawState, focused, colors));
    canvas->FillRect(inside);

    const TColor mark = MarkColor(drawState, colors);
    if (state == cbChecked) {
        for (const TCell& cell : kCheckMark) {
            canvas->SetPixel(bounds.Left + cell.X, bounds.Top + cell.Y, mark);
        }
    } else if (state == cbGrayed) {
        TRect grey = inside;
        InflateRect(grey, -2, -2);
        canvas->Brush()->SetColor(mark);
        canvas->FillRect(grey);
    }

    if (drawState != dsHot) {
        return;
    }
    if (hotStyle == htsInterior) {
        PaintHotTrackBox(canvas, inside, gdDiagonalDown, colors.HotFill, colors.HotFrame);
    } else {
        PaintBoxOutline(canvas, inside, colors.HotFrame);
    }
}

void PaintRadioMark(TCanvas* canvas, TRect bounds, bool checked, TRzDrawState drawState, bool focused,
                    TRzButtonHotTrackStyle hotStyle, const TRzMarkColors& colors,
                    const TRzRadioSurround& surround) {
    if (bounds.IsEmpty()) {
        return;
    }
    const TRect whole = Rect(0, 0, bounds.Width(), bounds.Height());
    TBitmap mark(whole.Width(), whole.Height());
    TCanvas* target = mark.Canvas();
    target->Brush()->SetStyle(bsSolid);
    target->Brush()->SetColor(InteriorColor(drawState, focused, colors));
    target->FillRect(whole);

    const bool hotFrame = ShowsHotFrame(drawState, hotStyle);
    const TColor frame = ColorToRGB(hotFrame ? colors.HotFrame : colors.Frame);
    const TColor frameLight = TrueColorFlag() ? LightenColor(frame, 10) : frame;
    if (drawState == dsHot && TrueColorFlag()) {
        PaintRadioHotLook(target, whole, hotStyle, frame, frameLight, colors);
    }
    PaintRadioEdge(target, frame, frameLight, surround);
    PaintRadioShading(target, frame, hotFrame);
    if (checked) {
        PaintRadioDot(target, MarkColor(drawState, colors));
    }
    canvas->Draw(bounds.Left, bounds.Top, mark);
}
