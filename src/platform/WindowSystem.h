// Windows, input, the screen, the clipboard and the event loop.
#pragma once

#include "platform/Geometry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform {

enum class WindowKind { Normal, Popup, Tooltip };

enum class CursorShape { Arrow, IBeam, Hand, SizeNWSE, SizeNS, SizeWE, Wait };

struct WindowOptions {
    WindowKind kind = WindowKind::Normal;
    std::string title;
    Rect bounds;             // screen coordinates of the client area
    bool borderless = false; // no title bar, no frame
    bool fixedSize = true;   // min = max size, no maximise
    bool alwaysOnTop = false;
    bool skipTaskbar = false;
};

enum class InputKind {
    MouseDown,
    MouseUp,
    MouseMove,
    MouseWheel,
    MouseLeave,
    KeyDown,
    KeyUp,
    Char,
    FocusIn,
    FocusOut,
    CloseRequest,
    Expose,
    Resize,
    Iconified,
    Restored,
};

enum class MouseButton { None, Left, Right, Middle };

// Modifier bits, the same values as the toolkit's TShiftState bits.
enum ShiftBits : unsigned {
    kShift = 1,
    kAlt = 2,
    kCtrl = 4,
    kLeftButton = 8,
    kRightButton = 16,
    kMiddleButton = 32,
    kDouble = 64,
};

struct InputEvent {
    InputKind kind = InputKind::MouseMove;
    Point pos; // client coordinates of the window
    MouseButton button = MouseButton::None;
    bool doubleClick = false; // MouseDown that completes a double click
    int wheelDelta = 0;       // multiples of 120
    unsigned shift = 0;       // ShiftBits
    unsigned virtualKey = 0;  // VK_* code for KeyDown/KeyUp
    std::string text;         // UTF-8 characters for Char
    Rect area;                // Expose: the area to present again; Resize: new client bounds
};

class INativeWindow;

// Implemented by the toolkit for every OS-level window (forms, popups, tooltips).
class IWindowEvents {
public:
    virtual ~IWindowEvents() = default;
    virtual void HandleInput(INativeWindow& window, const InputEvent& event) = 0;
};

class INativeWindow {
public:
    virtual ~INativeWindow() = default;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetBounds(const Rect& screenBounds) = 0;
    virtual Rect Bounds() = 0;
    virtual void SetIcon(const PixelView& icon) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0; // withdraw: no taskbar button
    virtual void Iconify() = 0;
    virtual void Restore() = 0;
    virtual void Activate() = 0; // bring to the foreground and give it the keyboard focus
    virtual bool IsVisible() = 0;
    virtual void SetSkipTaskbar(bool skip) = 0;
    // Copies the dirty part of a back buffer to the screen.
    virtual void Present(const PixelView& buffer, const Rect& dirty) = 0;
    virtual void SetCursor(CursorShape cursor) = 0;
    virtual void SetMouseCapture(bool capture) = 0;
};

class IWindowSystem {
public:
    virtual ~IWindowSystem() = default;
    virtual std::unique_ptr<INativeWindow> CreateNativeWindow(const WindowOptions& options,
                                                              IWindowEvents& events) = 0;
    virtual Rect ScreenBounds() = 0; // the work area windows are centred on
    virtual Point CursorPos() = 0;   // screen coordinates
    virtual unsigned DoubleClickTimeMs() = 0;
    virtual void Beep() = 0;
    // Monitor power: 1 = low power, 2 = off, -1 = on (the SC_MONITORPOWER values).
    virtual void SetMonitorPower(int state) = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    virtual std::string ClipboardText() = 0;

    // The event loop. Waits until an event arrives, a watched descriptor is ready or the
    // monotonic deadline passes (no deadline: wait indefinitely), then dispatches what is ready.
    virtual void WaitAndDispatch(std::optional<std::int64_t> deadlineMs) = 0;
    // Makes a waiting WaitAndDispatch return (used when work was queued from a callback).
    virtual void Wake() = 0;
    // Descriptors served by the same loop (D-Bus connections).
    using FdCallback = std::function<void()>;
    virtual void WatchFd(int fd, bool readable, bool writable, FdCallback onReady) = 0;
    virtual void UnwatchFd(int fd) = 0;
};

} // namespace platform
