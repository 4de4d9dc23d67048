// The platform layer: one small interface per facility the program needs from the
// operating system. Portable code (toolkit, controls, core, power, forms) talks only to
// these interfaces; app/ installs one backend set at start-up, tests install the headless one.
// This header includes no OS header.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

// 32-bit pixels, 0x00RRGGBB in memory order B, G, R, X (the layout of a 32-bit DIB).
struct PixelView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0; // in pixels
};

// ---------------------------------------------------------------------------------------
// Clock

class IClock {
public:
    virtual ~IClock() = default;
    // Local wall-clock time as days since 1899-12-30 (the toolkit's TDateTime).
    virtual double Now() = 0;
    // Monotonic milliseconds for timers; never goes back.
    virtual std::int64_t MonotonicMs() = 0;
};

// ---------------------------------------------------------------------------------------
// Regional settings, already converted to the toolkit's format patterns
// ("m/d/yyyy", "h:nn:ss AMPM", "dd.mm.yyyy", "hh:nn:ss").

struct LocaleFormats {
    std::string shortDateFormat = "m/d/yyyy";
    std::string longTimeFormat = "h:nn:ss AMPM";
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::string timeAMString = "AM";
    std::string timePMString = "PM";
    char decimalSeparator = '.';
    char thousandSeparator = ',';
};

class ILocale {
public:
    virtual ~ILocale() = default;
    virtual LocaleFormats Formats() = 0;
};

// ---------------------------------------------------------------------------------------
// Windows, input and the event loop

enum class WindowKind { Normal, Popup, Tooltip };

enum class CursorShape { Arrow, IBeam, Hand, SizeNWSE, SizeNS, SizeWE, Wait };

struct WindowOptions {
    WindowKind kind = WindowKind::Normal;
    std::string title;
    Rect bounds;               // screen coordinates of the client area
    bool borderless = false;   // no title bar, no frame
    bool fixedSize = true;     // min = max size, no maximise
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
    Point pos;                  // client coordinates of the window
    MouseButton button = MouseButton::None;
    bool doubleClick = false;   // MouseDown that completes a double click
    int wheelDelta = 0;         // multiples of 120
    unsigned shift = 0;         // ShiftBits
    unsigned virtualKey = 0;    // VK_* code for KeyDown/KeyUp
    std::string text;           // UTF-8 characters for Char
    Rect area;                  // Expose: the area to present again; Resize: new client bounds
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
    virtual void Hide() = 0;       // withdraw: no taskbar button
    virtual void Iconify() = 0;
    virtual void Restore() = 0;
    virtual void Activate() = 0;   // bring to the foreground and give it the keyboard focus
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
    virtual Rect ScreenBounds() = 0;      // the work area windows are centred on
    virtual Point CursorPos() = 0;        // screen coordinates
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

// ---------------------------------------------------------------------------------------
// Power, privilege and session (the program's six actions)

// Flags of the end-session request (the values the program's action table names).
enum ExitWindowsFlags : unsigned {
    EWX_LOGOFF = 0,
    EWX_SHUTDOWN = 1,
    EWX_REBOOT = 2,
    EWX_FORCE = 4,
};

class IPower {
public:
    virtual ~IPower() = default;
    // Ends the session (EWX_LOGOFF), shuts down (EWX_SHUTDOWN) or restarts (EWX_REBOOT);
    // EWX_FORCE added means running programs and inhibitors are not waited for. Returns
    // whether the request was accepted; the request itself runs asynchronously.
    virtual bool ExitWindowsEx(unsigned flags, unsigned reason) = 0;
    // suspend = true suspends to memory, false hibernates; force = do not ask programs first.
    virtual bool SetSystemPowerState(bool suspend, bool force) = 0;
};

// The kind of request a privilege step prepares. Some systems hold one shutdown privilege
// for every request; logind answers for each kind separately (CanPowerOff, CanReboot, ...).
enum class PowerRight { EndSession, PowerOff, Reboot, Suspend, Hibernate };

class IPrivilege {
public:
    virtual ~IPrivilege() = default;
    // Enables or disables the right to make requests of this kind; true when the adjustment
    // left no error (the right is held or can be granted after authorisation).
    virtual bool SetShutdownPrivilege(bool enable, PowerRight right) = 0;
};

// ---------------------------------------------------------------------------------------
// Shell: opening pages and files

class IShell {
public:
    virtual ~IShell() = default;
    // Opens a web address or a file with the desktop's default handler; fails silently.
    virtual void Open(const std::string& target) = 0;
};

// ---------------------------------------------------------------------------------------
// Notification area (the shell's notify-icon contract)

enum NotifyIconMessage : unsigned { NIM_ADD = 0, NIM_MODIFY = 1, NIM_DELETE = 2 };
enum NotifyIconFlags : unsigned { NIF_MESSAGE = 1, NIF_ICON = 2, NIF_TIP = 4 };

// The two record layouts a caller may hand over: the first one with a 64-byte tooltip buffer,
// and the extended one (shells from major version 5 on) with a 128-byte buffer.
constexpr unsigned kNotifyIconDataBasicSize = 88;
constexpr unsigned kNotifyIconDataExtendedSize = 488;
constexpr unsigned kNotifyTipBasicBytes = 64;
constexpr unsigned kNotifyTipExtendedBytes = 128;

class INotifySink;

// One icon's record. The shell reads szTip only as far as the layout named by cbSize holds it.
struct NotifyIconData {
    unsigned cbSize = 0;
    INotifySink* hWnd = nullptr;   // the window the callbacks go to
    std::uintptr_t uID = 0;        // with hWnd, names the icon
    unsigned uFlags = 0;           // NIF_*: which of the members below count
    unsigned uCallbackMessage = 0;
    PixelView hIcon;               // ARGB, alpha in the top byte; read during the call only
    char szTip[kNotifyTipExtendedBytes] = {}; // zero-terminated; a carriage return breaks lines
};

// The tooltip text of a record: up to the first zero within the buffer its layout has.
inline std::string NotifyTipText(const NotifyIconData& data) {
    const unsigned capacity =
        data.cbSize >= kNotifyIconDataExtendedSize ? kNotifyTipExtendedBytes : kNotifyTipBasicBytes;
    std::string tip;
    for (unsigned i = 0; i < capacity && data.szTip[i] != '\0'; ++i) {
        tip.push_back(data.szTip[i]);
    }
    return tip;
}

// A window that hears from the notification area. Calls arrive from the event loop; the
// window posts what it hears to itself, as the shell of the desktop platform posts them.
class INotifySink {
public:
    virtual ~INotifySink() = default;
    // The icon's callback: the record's uCallbackMessage, wParam = uID, lParam = the mouse
    // message (WM_LBUTTONDOWN, ...) the icon received.
    virtual void PostCallback(unsigned message, std::uintptr_t id, unsigned mouseMessage) = 0;
    // "TaskbarCreated": a tray host has (re)appeared and holds none of the program's icons.
    virtual void PostTaskbarCreated() = 0;
    // For hosts without tooltips of their own: show the text near a screen point, or hide it.
    virtual void ShowTip(Point screen, const std::string& text) = 0;
    virtual void HideTip() = 0;
};

class INotifyShell {
public:
    virtual ~INotifyShell() = default;
    // The shell's version as the shell library reports it (major * 65536 + minor); 0 = unknown.
    virtual unsigned ShellVersion() = 0;
    // Adds, modifies or deletes the icon named by data.hWnd and data.uID. An add fails when no
    // tray host is there or the icon exists; a modify or delete fails for an unknown icon.
    virtual bool NotifyIcon(unsigned message, const NotifyIconData& data) = 0;
    // Whether a tray host is there now, so that an add can succeed.
    virtual bool HostPresent() = 0;
    // Every top-level window hears "TaskbarCreated", whether it has an icon or not.
    virtual void AddListener(INotifySink& sink) = 0;
    virtual void RemoveListener(INotifySink& sink) = 0;
};

// ---------------------------------------------------------------------------------------
// Files, single instance and log-on entry

class ISessionLock {
public:
    virtual ~ISessionLock() = default;
    // Takes the per-session lock of this name; false when another process holds it.
    // The lock is held until the process ends.
    virtual bool Acquire(const std::string& name) = 0;
};

class IAutostart {
public:
    virtual ~IAutostart() = default;
    // Writes the log-on entry; false when it could not be written.
    virtual bool Write(const std::string& name, const std::string& programPath,
                       const std::vector<std::string>& arguments) = 0;
    // Removes the log-on entry; a missing entry is no error.
    virtual bool Remove(const std::string& name) = 0;
};

// Whole-file access for the settings file. Replacing is atomic: a reader sees either the old
// or the new content, never a part, whatever happens to the process or the disk meanwhile.
class IFiles {
public:
    virtual ~IFiles() = default;
    // Reads the whole file; false when it does not exist or cannot be read.
    virtual bool ReadFile(const std::string& path, std::string& content) = 0;
    // True when something exists at the path (a file that may still be unreadable).
    virtual bool Exists(const std::string& path) = 0;
    // Writes the content to a sibling temporary file, flushes it, renames it over the file and
    // flushes the folder; creates the parent folder when missing. False when any step failed,
    // in which case the old file is left as it was.
    virtual bool ReplaceFile(const std::string& path, const std::string& content) = 0;
};

class IPaths {
public:
    virtual ~IPaths() = default;
    virtual std::string ProgramPath() = 0;   // full path of the running program
    virtual std::string ConfigFolder() = 0;  // folder of Vesperon.ini, with trailing '/'
};

// ---------------------------------------------------------------------------------------
// End of the session: the desktop asks running programs whether the user's session may end
// (log-off, shutdown or restart started by any program), then tells them it ends.

// Hears the desktop's end-of-session requests. The calls come from the event loop, outside
// any bus or window-system callback, so the sink may run a modal loop (a question to the user)
// before it returns.
class ISessionEndSink {
public:
    virtual ~ISessionEndSink() = default;
    // May the session end? True lets it end; false refuses it for this program.
    virtual bool QueryEndSession() = 0;
    // The session ends now (ending = true: the program ends without asking) or, after a
    // query, does not end after all (false).
    virtual void EndSession(bool ending) = 0;
};

class ISessionEnd {
public:
    virtual ~ISessionEnd() = default;
    // Starts listening with this sink, or stops listening (null). Where the desktop offers no
    // such query, the sink never hears anything.
    virtual void SetSink(ISessionEndSink* sink) = 0;
};

// ---------------------------------------------------------------------------------------
// The active set, installed once at start-up.

struct Platform {
    IClock* clock = nullptr;
    ILocale* locale = nullptr;
    IWindowSystem* windows = nullptr;
    IPower* power = nullptr;
    IPrivilege* privilege = nullptr;
    IShell* shell = nullptr;
    INotifyShell* notifyShell = nullptr;
    ISessionLock* sessionLock = nullptr;
    IAutostart* autostart = nullptr;
    IPaths* paths = nullptr;
    IFiles* files = nullptr;
    ISessionEnd* sessionEnd = nullptr;
};

void Install(const Platform& platform);
Platform& Current();

} // namespace platform
