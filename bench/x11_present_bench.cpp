// Cost of presenting a main-window-sized back buffer on the X server of $DISPLAY (run it under
// Xvfb: bench/measure_startup.sh does), whole or a status-pane-sized dirty part, on both
// transfer paths. Each iteration includes the round trip that makes the frame visible.
#include "platform/x11/X11Window.h"
#include "platform/x11/X11WindowSystem.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

using namespace platform;
using namespace platform::x11;

class NoEvents : public IWindowEvents {
public:
    void HandleInput(INativeWindow&, const InputEvent&) override {}
};

void PresentBench(benchmark::State& state, bool sharedMemory, Rect dirty) {
    std::string error;
    auto system = X11WindowSystem::Open(nullptr, error, X11Options{sharedMemory});
    if (system == nullptr) {
        state.SkipWithError(("no X display: " + error).c_str());
        return;
    }
    NoEvents events;
    WindowOptions options;
    options.bounds = Rect{0, 0, 486, 302};
    auto window = system->CreateNativeWindow(options, events);
    window->Show();
    std::vector<std::uint32_t> pixels(486 * 302);
    std::uint32_t shade = 0;
    for (auto _ : state) {
        std::fill(pixels.begin(), pixels.end(), shade++ & 0xFFFFFF);
        window->Present(PixelView{pixels.data(), 486, 302, 486}, dirty);
        XSync(system->XDisplay(), False);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(dirty.Width()) * dirty.Height());
}

void BM_PresentWholeShared(benchmark::State& state) {
    PresentBench(state, true, Rect{0, 0, 486, 302});
}
void BM_PresentWholePutImage(benchmark::State& state) {
    PresentBench(state, false, Rect{0, 0, 486, 302});
}
void BM_PresentPaneShared(benchmark::State& state) {
    PresentBench(state, true, Rect{0, 283, 120, 302});
}
void BM_PresentPanePutImage(benchmark::State& state) {
    PresentBench(state, false, Rect{0, 283, 120, 302});
}

BENCHMARK(BM_PresentWholeShared);
BENCHMARK(BM_PresentWholePutImage);
BENCHMARK(BM_PresentPaneShared);
BENCHMARK(BM_PresentPanePutImage);

} // namespace
