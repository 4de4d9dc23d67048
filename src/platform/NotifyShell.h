// The notification area: the shell's notify-icon contract.
#pragma once

#include "platform/Geometry.h"

#include <cstdint>
#include <string>

namespace platform {

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
    INotifySink* hWnd = nullptr; // the window the callbacks go to
    std::uintptr_t uID = 0;      // with hWnd, names the icon
    unsigned uFlags = 0;         // NIF_*: which of the members below count
    unsigned uCallbackMessage = 0;
    PixelView hIcon;                          // ARGB, alpha in the top byte; read during the call only
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
    // For hosts without tooltips of their own: show the text for the pointer at a screen
    // point (the window places the tip clear of the cursor), or hide it. A tip that shows
    // or is due takes a new text without a new pause.
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

} // namespace platform
