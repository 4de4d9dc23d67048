#include "support/ToolkitFixture.h"

#include <stdexcept>

void ToolkitTest::SetUp() {
    app = std::make_unique<TApplication>();
    SetMessageBoxProvider([this](const std::string& text, const std::string& caption, unsigned flags) {
        return platform.messageBoxes.Show(text, caption, flags);
    });
}

void ToolkitTest::TearDown() {
    app.reset();
    SetMessageBoxProvider(nullptr);
}

platform::headless::HeadlessWindow& ToolkitTest::Window(TCustomForm* form) {
    auto* window = dynamic_cast<platform::headless::HeadlessWindow*>(form->NativeWindow());
    if (window == nullptr) {
        throw std::logic_error("the form has no headless window (is it shown?)");
    }
    return *window;
}

void ToolkitTest::Idle() {
    app->ProcessMessages();
}

void ToolkitTest::Advance(std::int64_t ms) {
    const std::int64_t limit = platform.clock.MonotonicMs() + std::max<std::int64_t>(ms, 0);
    app->ProcessMessages();
    while (true) {
        std::optional<std::int64_t> next = app->NextTimerDeadline();
        if (!next || *next > limit || *next <= platform.clock.MonotonicMs()) {
            break;
        }
        platform.clock.AdvanceTo(*next);
        app->ProcessMessages();
    }
    platform.clock.AdvanceTo(limit);
    app->ProcessMessages();
}

int ToolkitTest::WakeUpsOver(std::int64_t ms) {
    const std::int64_t limit = platform.clock.MonotonicMs() + std::max<std::int64_t>(ms, 0);
    app->ProcessMessages();
    int wakeUps = 0;
    for (std::optional<std::int64_t> next = app->NextTimerDeadline(); next && *next <= limit;
         next = app->NextTimerDeadline()) {
        if (++wakeUps > ms + 1) {
            throw std::logic_error("the loop woke more often than once a millisecond");
        }
        platform.clock.AdvanceTo(*next);
        app->ProcessMessages();
    }
    platform.clock.AdvanceTo(limit);
    app->ProcessMessages();
    return wakeUps;
}
