// The headless window system: in-memory windows that record their title, bounds and
// state, keep the last presented frame, and receive input scripted by the test at client
// coordinates. Exactly one window (or none) holds the keyboard focus; activating a window
// sends FocusOut to the previous one and FocusIn to the new one, as a window manager would.
#pragma once

#include "platform/Geometry.h"
#include "platform/WindowSystem.h"
#include "platform/headless/HeadlessClock.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace platform::headless {

class HeadlessWindowSystem;

class HeadlessWindow : public platform::INativeWindow {
public:
    HeadlessWindow(HeadlessWindowSystem& system, const platform::WindowOptions& options,
                   platform::IWindowEvents& events);
    ~HeadlessWindow() override;

    void SetTitle(const std::string& title) override { title_ = title; }
    void SetBounds(const platform::Rect& screenBounds) override { bounds_ = screenBounds; }
    platform::Rect Bounds() override { return bounds_; }
    void SetIcon(const platform::PixelView& icon) override;
    void Show() override { visible_ = true; }
    void Hide() override;
    void Iconify() override;
    void Restore() override;
    void Activate() override;
    bool IsVisible() override { return visible_; }
    void SetSkipTaskbar(bool skip) override { skipTaskbar_ = skip; }
    void Present(const platform::PixelView& buffer, const platform::Rect& dirty) override;
    void SetCursor(platform::CursorShape cursor) override { cursor_ = cursor; }
    void SetMouseCapture(bool capture) override { captured_ = capture; }

    // What the test reads.
    const platform::WindowOptions& Options() const { return options_; }
    const std::string& Title() const { return title_; }
    bool Visible() const { return visible_; }
    bool Iconified() const { return iconified_; }
    bool Active() const;
    bool SkipTaskbar() const { return skipTaskbar_; }
    platform::CursorShape Cursor() const { return cursor_; }
    bool Captured() const { return captured_; }
    int PresentCount() const { return presentCount_; }
    // The changed area the last Present named.
    const platform::Rect& LastPresentedArea() const { return lastPresented_; }
    int IconWidth() const { return iconWidth_; }
    // The last presented frame (empty before the first Present).
    platform::PixelView Frame() const;
    std::uint32_t FramePixel(int x, int y) const;

    platform::IWindowEvents& Events() { return events_; }

private:
    HeadlessWindowSystem& system_;
    platform::IWindowEvents& events_;
    platform::WindowOptions options_;
    std::string title_;
    platform::Rect bounds_;
    bool visible_ = false;
    bool iconified_ = false;
    bool skipTaskbar_;
    bool captured_ = false;
    platform::CursorShape cursor_ = platform::CursorShape::Arrow;
    int presentCount_ = 0;
    platform::Rect lastPresented_;
    int iconWidth_ = 0;
    std::vector<std::uint32_t> frame_;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
};

// Thrown by WaitAndDispatch when the loop would wait with nothing scripted and no timer it
// is allowed to reach: a headless test that forgot to script its input fails instead of
// hanging. Deliberately not a std::exception, so the application's error report (which
// catches those and goes on) cannot swallow it.
struct HeadlessStall {
    const char* what() const { return "headless event loop has nothing to do"; }
};

class HeadlessWindowSystem : public platform::IWindowSystem {
public:
    explicit HeadlessWindowSystem(HeadlessClock& clock);

    std::unique_ptr<platform::INativeWindow> CreateNativeWindow(const platform::WindowOptions& options,
                                                                platform::IWindowEvents& events) override;
    platform::Rect ScreenBounds() override { return screen_; }
    platform::Point CursorPos() override { return cursor_; }
    unsigned DoubleClickTimeMs() override { return 500; }
    void Beep() override { ++beeps_; }
    void SetMonitorPower(int state) override { monitorPower_.push_back(state); }
    void SetClipboardText(const std::string& text) override { clipboard_ = text; }
    std::string ClipboardText() override { return clipboard_; }
    void WaitAndDispatch(std::optional<std::int64_t> deadlineMs) override;
    void Wake() override {}
    void WatchFd(int fd, bool readable, bool writable, FdCallback onReady) override;
    void UnwatchFd(int fd) override;

    // Windows and focus.
    const std::vector<HeadlessWindow*>& Windows() const { return windows_; }
    HeadlessWindow* ActiveWindow() const { return active_; }
    // Another program takes the focus: the active window gets FocusOut.
    void SwitchToOtherApplication();
    // The user brings window to the front (FocusIn, after FocusOut of the previous one).
    void ActivateWindow(HeadlessWindow& window);
    void SetScreenBounds(platform::Rect bounds) { screen_ = bounds; }

    // Scripted input at client coordinates of window.
    void MouseMove(HeadlessWindow& window, int x, int y, unsigned shift = 0);
    void MouseDown(HeadlessWindow& window, int x, int y,
                   platform::MouseButton button = platform::MouseButton::Left, unsigned shift = 0);
    void MouseUp(HeadlessWindow& window, int x, int y,
                 platform::MouseButton button = platform::MouseButton::Left, unsigned shift = 0);
    void Click(HeadlessWindow& window, int x, int y,
               platform::MouseButton button = platform::MouseButton::Left, unsigned shift = 0);
    void DoubleClick(HeadlessWindow& window, int x, int y);
    void Wheel(HeadlessWindow& window, int x, int y, int delta);
    void MouseLeave(HeadlessWindow& window);
    void KeyDown(HeadlessWindow& window, unsigned virtualKey, unsigned shift = 0);
    void KeyUp(HeadlessWindow& window, unsigned virtualKey, unsigned shift = 0);
    // Key down then key up (no character).
    void PressKey(HeadlessWindow& window, unsigned virtualKey, unsigned shift = 0);
    // Characters as typed (one Char event per character).
    void Type(HeadlessWindow& window, const std::string& text, unsigned shift = 0);
    void RequestClose(HeadlessWindow& window);
    void UserIconify(HeadlessWindow& window);
    void UserRestore(HeadlessWindow& window);

    // Steps run by WaitAndDispatch, one per wait, in order (input inside a modal loop).
    void Script(std::function<void()> step) { script_.push_back(std::move(step)); }
    bool ScriptEmpty() const { return script_.empty(); }
    // WaitAndDispatch may move the virtual clock up to this monotonic time to reach a
    // timer deadline.
    void AllowAdvanceTo(std::int64_t monotonicMs) { advanceLimit_ = monotonicMs; }

    int Beeps() const { return beeps_; }
    const std::vector<int>& MonitorPowerCalls() const { return monitorPower_; }

    // Internal to the headless windows.
    void Forget(HeadlessWindow* window);
    void Deactivate(HeadlessWindow* window);
    void Send(HeadlessWindow& window, const platform::InputEvent& event);

private:
    void Button(HeadlessWindow& window, int x, int y, platform::MouseButton button, unsigned shift,
                bool down);

    HeadlessClock& clock_;
    std::vector<HeadlessWindow*> windows_;
    HeadlessWindow* active_ = nullptr;
    platform::Rect screen_{0, 0, 1280, 1024};
    platform::Point cursor_;
    unsigned buttons_ = 0;
    int beeps_ = 0;
    std::vector<int> monitorPower_;
    std::string clipboard_;
    std::deque<std::function<void()>> script_;
    std::int64_t advanceLimit_ = -1;
    // Double-click detection: the last press.
    HeadlessWindow* lastPressWindow_ = nullptr;
    platform::MouseButton lastPressButton_ = platform::MouseButton::None;
    platform::Point lastPressPos_;
    std::int64_t lastPressTime_ = 0;
    bool lastPressWasDouble_ = false;
    std::vector<int> watched_;
};

} // namespace platform::headless
