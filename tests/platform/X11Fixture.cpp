#include "platform/X11Fixture.h"

#include "platform/x11/PollLoop.h"

namespace x11test {

std::vector<InputEvent> RecordingEvents::Of(InputKind kind) const {
    std::vector<InputEvent> matching;
    for (const InputEvent& event : events) {
        if (event.kind == kind) {
            matching.push_back(event);
        }
    }
    return matching;
}

void X11Test::SetUp() {
    server_ = std::make_unique<X11TestServer>();
    if (!server_->Running()) {
        GTEST_SKIP() << server_->Problem();
    }
    std::string error;
    system_ = X11WindowSystem::Open(server_->Display().c_str(), error, options_);
    ASSERT_NE(system_, nullptr) << error;
    observer_ = XOpenDisplay(server_->Display().c_str());
    ASSERT_NE(observer_, nullptr);
}

void X11Test::TearDown() {
    if (observer_ != nullptr) {
        XCloseDisplay(observer_);
    }
    system_.reset();
    server_.reset();
}

std::unique_ptr<X11Window> X11Test::MakeWindow(const WindowOptions& options) {
    auto native = system_->CreateNativeWindow(options, events_);
    return std::unique_ptr<X11Window>(static_cast<X11Window*>(native.release()));
}

void X11Test::ShowAndWait(X11Window& window) {
    window.Show();
    ASSERT_TRUE(PumpUntil([&] { return events_.Has(kExposeInput); }));
}

bool X11Test::PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const std::int64_t deadline = MonotonicNowMs() + timeoutMs;
    while (!done()) {
        const std::int64_t now = MonotonicNowMs();
        if (now >= deadline) {
            return false;
        }
        system_->WaitAndDispatch(std::min(deadline, now + 50));
    }
    return true;
}

bool X11Test::Xdotool(const std::vector<std::string>& arguments) {
    if (FindProgram("xdotool").empty()) {
        return false;
    }
    std::vector<std::string> command{"xdotool"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return RunOnDisplay(server_->Display(), command) == 0;
}

} // namespace x11test
