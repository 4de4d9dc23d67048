// Painting the program's main window on the headless platform (the test fonts, the window's
// own size, presenting into memory): a repaint of the whole window, and the update the clock
// pane makes when the second changes.
#include "forms/ProgramBlock.h"
#include "platform/headless/HeadlessPlatform.h"
#include "toolkit/runtime/Forms.h"

#include <benchmark/benchmark.h>

namespace {

// The program's windows with the main window shown, the clock a quarter second past noon.
class ShownProgram {
public:
    ShownProgram() : system_(46364.5 + 250.0 / 86400000.0) {
        system_.Install();
        system_.paths.configFolder = "/cfg/";
        application_ = std::make_unique<TApplication>();
        forms::CreateProgramWindows(*application_, {});
        application_->MainForm()->Show();
        application_->ProcessMessages();
    }
    ~ShownProgram() { application_.reset(); }
    ShownProgram(const ShownProgram&) = delete;
    ShownProgram& operator=(const ShownProgram&) = delete;

    TApplication& Application() { return *application_; }
    TCustomForm& Main() { return *application_->MainForm(); }
    void AdvanceClock(std::int64_t ms) { system_.clock.Advance(ms); }

private:
    platform::headless::HeadlessPlatform system_;
    std::unique_ptr<TApplication> application_;
};

void BM_FullRepaint(benchmark::State& state) {
    ShownProgram program;
    for (auto _ : state) {
        program.Main().Invalidate();
        program.Application().ProcessMessages();
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_ClockSecond(benchmark::State& state) {
    ShownProgram program;
    for (auto _ : state) {
        program.AdvanceClock(1000);
        program.Application().ProcessMessages();
    }
}
BENCHMARK(BM_ClockSecond)->Unit(benchmark::kMicrosecond);

} // namespace
