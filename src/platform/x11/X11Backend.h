// The one entry point the program needs to use the X11 window system; free of X headers so
// that including it cannot leak Xlib's macros into portable code.
#pragma once

#include "platform/NotifyShell.h"
#include "platform/WindowSystem.h"

#include <functional>
#include <memory>
#include <string>

namespace platform::x11 {

struct X11Options {
    // Present through MIT-SHM when the server offers it; XPutImage otherwise.
    bool useSharedMemory = true;
};

// Connects to the display (nullptr: $DISPLAY). Returns nullptr and a readable reason in
// `error` when no connection can be made.
std::unique_ptr<IWindowSystem> OpenWindowSystem(const char* displayName, std::string& error,
                                                const X11Options& options = {});

// The XEmbed system tray of the display `windows` is connected to, as a notification shell;
// nullptr when `windows` is not an X11 window system.
std::unique_ptr<INotifyShell> OpenXEmbedTray(IWindowSystem& windows);

// Runs work once, the next time the program is idle: at the start of the event loop's next
// wait, after what it drew has gone to the server; at once when `windows` is not an X11
// window system.
void RunWhenIdle(IWindowSystem& windows, std::function<void()> work);

} // namespace platform::x11
