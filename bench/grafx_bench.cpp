// Cost of the shared painters on the sizes the windows use: a 111 x 33 hot-track button face
// (ramp, bottom lines, ring) and a 13 x 13 radio mark.
#include "controls/RzGrafx.h"

#include <benchmark/benchmark.h>

namespace {

constexpr TColor kButtonColor = 0xDDE6E6;
constexpr TColor kHotColor = 0x3CC7FF;

void PaintButtonFace(TCanvas* canvas, const TRect& face) {
    canvas->Pen()->SetColor(DarkenColor(kButtonColor, 20));
    canvas->MoveTo(face.Left, face.Bottom - 2);
    canvas->LineTo(face.Right - 1, face.Bottom - 2);
    canvas->Pen()->SetColor(DarkenColor(kButtonColor, 30));
    canvas->MoveTo(face.Left, face.Bottom - 1);
    canvas->LineTo(face.Right - 1, face.Bottom - 1);
    PaintGradientFill(canvas, Rect(face.Left, face.Top, face.Right, face.Bottom - 2), gdHorizontalEnd,
                      LightenColor(kButtonColor, 30), DarkenColor(kButtonColor, 10));
}

void BM_ButtonFace(benchmark::State& state) {
    TBitmap bitmap(111, 33);
    const TRect face = Rect(2, 2, 109, 31);
    for (auto _ : state) {
        PaintButtonFace(bitmap.Canvas(), face);
        benchmark::DoNotOptimize(bitmap.Buffer().Data());
    }
}
BENCHMARK(BM_ButtonFace);

void BM_ButtonFaceWithHotRing(benchmark::State& state) {
    TBitmap bitmap(111, 33);
    const TRect face = Rect(2, 2, 109, 31);
    for (auto _ : state) {
        PaintButtonFace(bitmap.Canvas(), face);
        PaintHotTrackBox(bitmap.Canvas(), face, gdHorizontalEnd, kHotColor,
                         MixColors(clWhite, kHotColor, 190));
        benchmark::DoNotOptimize(bitmap.Buffer().Data());
    }
}
BENCHMARK(BM_ButtonFaceWithHotRing);

void BM_RadioMark(benchmark::State& state) {
    TBitmap bitmap(13, 13);
    TRzMarkColors colors;
    colors.Frame = clBtnShadow;
    colors.HotFill = MixColors(clWhite, kHotColor, 190);
    colors.HotFrame = kHotColor;
    const auto drawState = TRzDrawState(state.range(0));
    for (auto _ : state) {
        PaintRadioMark(bitmap.Canvas(), Rect(0, 0, 13, 13), true, drawState, false, htsInterior, colors,
                       TRzRadioSurround{});
        benchmark::DoNotOptimize(bitmap.Buffer().Data());
    }
}
BENCHMARK(BM_RadioMark)->Arg(dsNormal)->Arg(dsHot);

void BM_ColourArithmetic(benchmark::State& state) {
    TColor color = kButtonColor;
    for (auto _ : state) {
        color = DarkenColor(LightenColor(color, 30), 30);
        benchmark::DoNotOptimize(color);
    }
}
BENCHMARK(BM_ColourArithmetic);

} // namespace
