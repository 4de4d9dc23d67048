// One top-level window behind a form, popup or tooltip.
#pragma once

#include "platform/WindowSystem.h"
#include "platform/win32/IconImage.h"
#include "platform/win32/SystemHeaders.h"
#include "platform/win32/Win32Input.h"

namespace platform::win32 {

class Win32WindowSystem;

// The window styles of a kind of window (outer frame, extended style).
struct WindowStyles {
    DWORD style = 0;
    DWORD exStyle = 0;
};
WindowStyles StylesFor(const WindowOptions& options);

class Win32Window final : public INativeWindow {
public:
    Win32Window(Win32WindowSystem& system, const WindowOptions& options, IWindowEvents& events);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    void SetTitle(const std::string& title) override;
    void SetBounds(const Rect& screenBounds) override;
    Rect Bounds() override { return bounds_; }
    void SetIcon(const PixelView& icon) override;
    void Show() override;
    void Hide() override;
    void Iconify() override;
    void Restore() override;
    void Activate() override;
    bool IsVisible() override { return visible_; }
    void SetSkipTaskbar(bool skip) override;
    void Present(const PixelView& buffer, const Rect& dirty) override;
    void SetCursor(CursorShape cursor) override;
    void SetMouseCapture(bool capture) override;

    HWND Handle() const { return hwnd_; }
    IWindowEvents& Events() { return events_; }
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleKeyboard(UINT message, WPARAM wParam, LPARAM lParam);
    void Queue(InputKind kind, const Rect& area = {});
    void Queue(const InputEvent& event);
    void OnPaint();
    void OnPositionChanged();
    void OnSize(WPARAM kind);
    void SetIconic(bool iconic);
    // Whether the window belongs on the screen now: shown, and not minimised to the tray.
    bool OnScreen() const { return visible_ && !(iconic_ && skipTaskbar_); }

    Win32WindowSystem& system_;
    IWindowEvents& events_;
    WindowOptions options_;
    WindowStyles styles_;
    HWND hwnd_ = nullptr;
    Rect bounds_;
    bool visible_ = false;
    bool iconic_ = false;
    bool skipTaskbar_ = false;
    bool trackingLeave_ = false;
    HCURSOR cursor_ = nullptr;
    IconHandle icon_;
    CharDecoder chars_;
};

} // namespace platform::win32
