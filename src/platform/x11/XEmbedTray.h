// The XEmbed system tray as a notification shell: every icon is a small window of its own,
// docked into the window of the _NET_SYSTEM_TRAY_S<screen> selection owner. The window
// paints the icon scaled to the slot the tray gives it, and its pointer events become the
// icon's callbacks (WM_LBUTTONDOWN ... WM_MOUSEMOVE). The protocol has no tooltips: while the
// pointer rests on the icon, the listening window is asked to show the hint itself, and to
// show it again whenever the hint changes. A tray that takes the selection announces itself with the
// MANAGER message on the root window; it holds none of the program's icons, so every
// listener hears "TaskbarCreated".
#pragma once

#include "platform/NotifyShell.h"
#include "platform/x11/IconScaling.h"
#include "platform/x11/X11WindowSystem.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace platform::x11 {

class XEmbedTray final : public INotifyShell {
public:
    explicit XEmbedTray(X11WindowSystem& windows);
    ~XEmbedTray() override;
    XEmbedTray(const XEmbedTray&) = delete;
    XEmbedTray& operator=(const XEmbedTray&) = delete;

    unsigned ShellVersion() override;
    bool NotifyIcon(unsigned message, const NotifyIconData& data) override;
    bool HostPresent() override { return TrayOwner() != 0; }
    void AddListener(INotifySink& sink) override;
    void RemoveListener(INotifySink& sink) override;

    // The icon window of an icon (0 when there is none).
    Window IconWindow(const INotifySink* sink, std::uintptr_t id) const;

private:
    using Key = std::pair<const INotifySink*, std::uintptr_t>;
    struct Icon {
        Window window = 0;
        INotifySink* sink = nullptr;
        std::uintptr_t id = 0;
        unsigned flags = 0;
        unsigned callbackMessage = 0;
        std::string tip;
        ArgbImage image;
        Time lastLeftPress = 0;
        bool leftPressed = false;
        // The pointer entered and pressed no button since: the tip is shown (or due) at the
        // point where it entered.
        bool hovering = false;
        Point hoverPoint;
    };

    Window TrayOwner() const;
    bool Add(const NotifyIconData& data);
    void Store(Icon& icon, const NotifyIconData& data);
    void Modify(Icon& icon, const NotifyIconData& data);
    void Paint(const Icon& icon);
    bool Handle(const XEvent& event);
    void Pointer(Icon& icon, const XEvent& event);
    void TrayAppeared();

    X11WindowSystem& windows_;
    Display* display_;
    Atom selection_;
    Atom opcode_;
    Atom manager_;
    Atom xembedInfo_;
    std::map<Key, Icon> icons_;
    std::vector<INotifySink*> listeners_;
};

} // namespace platform::x11
