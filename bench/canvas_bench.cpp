// Canvas speed on the main window's size (486 x 302): filling and framing the whole back
// buffer, and drawing the short captions a repaint of the window shows.
#include "platform/headless/HeadlessPlatform.h"
#include "toolkit/graphics/Graphics.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

constexpr int kWidth = 486;
constexpr int kHeight = 302;

void BM_FillAndFrame(benchmark::State& state) {
    TBitmap buffer(kWidth, kHeight);
    TCanvas& canvas = *buffer.Canvas();
    for (auto _ : state) {
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(Rect(0, 0, kWidth, kHeight));
        canvas.Brush()->SetColor(clBtnShadow);
        canvas.FrameRect(Rect(0, 0, kWidth, kHeight));
        canvas.Pen()->SetColor(clBtnHighlight);
        canvas.MoveTo(1, kHeight - 2);
        canvas.LineTo(1, 1);
        canvas.LineTo(kWidth - 1, 1);
        benchmark::DoNotOptimize(buffer.Buffer().Data());
    }
}
BENCHMARK(BM_FillAndFrame);

void BM_HundredCaptions(benchmark::State& state) {
    platform::headless::HeadlessPlatform system; // the test fonts
    system.Install();
    TBitmap buffer(kWidth, kHeight);
    TCanvas& canvas = *buffer.Canvas();
    canvas.Font()->SetName("Arial");
    canvas.Font()->SetHeight(-11);
    canvas.Brush()->SetStyle(bsClear);
    const std::string captions[] = {"Shutdown", "Logoff", "Restart",      "Stand By",     "Dormancy",
                                    "Start",    "Stop",   "Shutdown Now", "Setting time", "Actions"};
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            TRect r = Bounds(8 + (i % 4) * 120, 8 + (i / 4) * 11, 110, 16);
            DrawText(canvas.Handle(), captions[i % 10], r, DT_SINGLELINE | DT_VCENTER);
        }
        benchmark::DoNotOptimize(buffer.Buffer().Data());
    }
}
BENCHMARK(BM_HundredCaptions);

} // namespace
