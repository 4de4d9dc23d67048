// A top-level window that is never shown: it receives what the system sends to every
// top-level window (the end-of-session query, "TaskbarCreated") and the notification area's
// callbacks, and it is the window the screen-power command goes to.
#pragma once

#include "platform/win32/SystemHeaders.h"

#include <functional>

namespace platform::win32 {

class HiddenWindow {
public:
    // Answers a message by setting `result` and returning true; unhandled messages go to the
    // default window procedure.
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    explicit HiddenWindow(Handler handler);
    ~HiddenWindow();
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

    HWND Handle() const { return hwnd_; }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    HWND hwnd_ = nullptr;
};

} // namespace platform::win32
