// The X11 window system: one display connection, its windows, its event loop.
#pragma once

#include "platform/WindowSystem.h"
#include "platform/x11/DoubleClick.h"
#include "platform/x11/PollLoop.h"
#include "platform/x11/X11Atoms.h"
#include "platform/x11/X11Backend.h"
#include "platform/x11/X11Names.h"

#include <X11/Xlib.h>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace platform::x11 {

class X11Window;
class X11Clipboard;

class X11WindowSystem final : public IWindowSystem {
public:
    static std::unique_ptr<X11WindowSystem> Open(const char* displayName, std::string& error,
                                                 const X11Options& options);
    ~X11WindowSystem() override;
    X11WindowSystem(const X11WindowSystem&) = delete;
    X11WindowSystem& operator=(const X11WindowSystem&) = delete;

    std::unique_ptr<INativeWindow> CreateNativeWindow(const WindowOptions& options,
                                                      IWindowEvents& events) override;
    Rect ScreenBounds() override;
    Point CursorPos() override;
    unsigned DoubleClickTimeMs() override { return kDoubleClickTimeMs; }
    void Beep() override;
    void SetMonitorPower(int state) override;
    void SetClipboardText(const std::string& text) override;
    std::string ClipboardText() override;
    void WaitAndDispatch(std::optional<std::int64_t> deadlineMs) override;
    void Wake() override { loop_.Wake(); }
    void WatchFd(int fd, bool readable, bool writable, FdCallback onReady) override;
    void UnwatchFd(int fd) override { loop_.Unwatch(fd); }

    // For the windows of this connection.
    Display* XDisplay() const { return display_; }
    Window Root() const { return root_; }
    int ScreenNumber() const { return screen_; }
    const X11Atoms& Atoms() const { return atoms_; }
    const X11Options& Options() const { return options_; }
    // Whether an EWMH window manager runs (it answers state and activation requests); asked
    // once per turn of the event loop.
    bool HasWindowManager();
    Cursor CursorFor(PointerShape shape);
    // Server time of the latest user input, for activation requests.
    Time LastUserTime() const { return lastUserTime_; }
    void Register(Window id, X11Window* window) { windows_[id] = window; }
    void Unregister(Window id);
    // Sees every event before the windows do and takes it by returning true (the tray icons).
    void SetTrayFilter(std::function<bool(const XEvent&)> filter) { trayFilter_ = std::move(filter); }
    // Work for the next time the program is idle: the start of the loop's next wait, once
    // what it drew has gone to the server.
    void RunWhenIdle(std::function<void()> work) { idleWork_.push_back(std::move(work)); }
    // Notes that a window presented pixels: the time the first frame is complete (the loop is
    // idle again after it) is printed once, when asked to by the environment.
    void NoteFramePresented() { framePresented_ = true; }

private:
    X11WindowSystem(Display* display, const X11Options& options);
    bool AskForWindowManager();
    void TraceFirstFrame();
    void DispatchQueuedEvents();
    void DispatchEvent(XEvent& event);
    void TrackUserTime(const XEvent& event);

    Display* display_ = nullptr;
    int screen_ = 0;
    Window root_ = 0;
    X11Atoms atoms_;
    X11Options options_;
    PollLoop loop_;
    DoubleClickDetector doubleClick_;
    std::map<Window, X11Window*> windows_;
    std::unique_ptr<X11Clipboard> clipboard_;
    std::array<Cursor, 7> cursors_{};
    Time lastUserTime_ = 0;
    bool traceFirstFrame_ = false;
    bool framePresented_ = false;
    std::function<bool(const XEvent&)> trayFilter_;
    std::vector<std::function<void()>> idleWork_;
    std::optional<bool> hasWindowManager_;
};

} // namespace platform::x11
