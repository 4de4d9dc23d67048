// Common ground of the X11 backend's tests: a private Xvfb, the backend connected to it, a
// second plain Xlib connection that looks at the result as other clients would, and an
// event recorder standing in for the toolkit.
#pragma once

// clang-format off
// GoogleTest before Xlib: it declares names (None) that Xlib defines as macros.
#include <gtest/gtest.h>
// clang-format on

#include "platform/WindowSystem.h"
#include "platform/X11TestServer.h"
#include "platform/x11/X11Window.h"
#include "platform/x11/X11WindowSystem.h"

#include <X11/Xlib.h>
#include <functional>
#include <memory>
#include <vector>

namespace x11test {

using namespace platform;
using namespace platform::x11;

class RecordingEvents : public IWindowEvents {
public:
    void HandleInput(INativeWindow& window, const InputEvent& event) override {
        events.push_back(event);
        if (onInput) {
            onInput(window, event);
        }
    }
    std::vector<InputEvent> Of(InputKind kind) const;
    bool Has(InputKind kind) const { return !Of(kind).empty(); }

    std::vector<InputEvent> events;
    std::function<void(INativeWindow&, const InputEvent&)> onInput;
};

class X11Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A window through the platform interface, with its X window id.
    std::unique_ptr<X11Window> MakeWindow(const WindowOptions& options);
    // Shows the window and waits until it is mapped and exposed.
    void ShowAndWait(X11Window& window);
    // Runs the backend's loop until `done` holds or the time runs out; returns `done()`.
    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
    // Runs an xdotool command on the test display and then waits until the events arrived.
    bool Xdotool(const std::vector<std::string>& arguments);

    std::unique_ptr<X11TestServer> server_;
    std::unique_ptr<X11WindowSystem> system_;
    Display* observer_ = nullptr;
    RecordingEvents events_;
    X11Options options_;
};

} // namespace x11test
