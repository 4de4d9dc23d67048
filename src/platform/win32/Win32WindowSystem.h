// The Windows window system: the program's top-level windows, their message loop, the
// screen, the cursor, the clipboard and the screen-power command. The window procedures
// queue what the toolkit must hear and the loop hands it over after dispatching, so the
// toolkit hears of focus, activation and painting as it does elsewhere: from the loop, never
// from inside one of its own calls to a window.
#pragma once

#include "platform/WindowSystem.h"
#include "platform/win32/HiddenWindow.h"
#include "platform/win32/SystemHeaders.h"

#include <deque>
#include <map>
#include <memory>
#include <utility>

namespace platform::win32 {

class Win32Window;

class Win32WindowSystem final : public IWindowSystem {
public:
    // Nullptr with a reason in `error` when the window class cannot be registered.
    static std::unique_ptr<Win32WindowSystem> Open(std::string& error);
    ~Win32WindowSystem() override;
    Win32WindowSystem(const Win32WindowSystem&) = delete;
    Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

    std::unique_ptr<INativeWindow> CreateNativeWindow(const WindowOptions& options,
                                                      IWindowEvents& events) override;
    Rect ScreenBounds() override;
    Point CursorPos() override;
    unsigned DoubleClickTimeMs() override { return GetDoubleClickTime(); }
    void Beep() override { MessageBeep(MB_OK); }
    void SetMonitorPower(int state) override;
    void SetClipboardText(const std::string& text) override;
    std::string ClipboardText() override;
    void WaitAndDispatch(std::optional<std::int64_t> deadlineMs) override;
    void Wake() override { SetEvent(wake_); }
    // Windows has no descriptors to watch: the loop waits on window messages and its event.
    void WatchFd(int fd, bool readable, bool writable, FdCallback onReady) override;
    void UnwatchFd(int fd) override;

    // For the windows.
    static constexpr const wchar_t* kClassName = L"VesperonWindow";
    void Register(HWND hwnd, Win32Window* window) { windows_[hwnd] = window; }
    void Unregister(HWND hwnd);
    // Queues an event for the toolkit; it is delivered by the loop.
    void Queue(HWND hwnd, const InputEvent& event);

private:
    Win32WindowSystem();
    void DeliverQueued();

    HANDLE wake_ = nullptr;
    std::map<HWND, Win32Window*> windows_;
    std::deque<std::pair<HWND, InputEvent>> queued_;
    // The window the screen-power command and the clipboard belong to.
    std::unique_ptr<HiddenWindow> applicationWindow_;
};

} // namespace platform::win32
