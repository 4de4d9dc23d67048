// One notification-area icon as a StatusNotifierItem on the session bus: its own connection
// owning org.kde.StatusNotifierItem-<pid>-<n>, the item object at /StatusNotifierItem, and
// its registration with the watcher. The host's Activate arrives at the icon's window as a
// left double-click (press, release, double-click, release), ContextMenu as a right press
// and release.
#pragma once

#include "platform/NotifyShell.h"
#include "platform/WindowSystem.h"
#include "platform/dbus/Message.h"
#include "platform/dbus/Objects.h"
#include "platform/dbus/Writer.h"
#include "platform/linuxdesktop/LoopBus.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::linuxdesktop {

inline constexpr const char* kWatcherName = "org.kde.StatusNotifierWatcher";

class StatusNotifierItem {
public:
    StatusNotifierItem(platform::IWindowSystem* loop, const platform::NotifyIconData& data, int serial);
    ~StatusNotifierItem();
    StatusNotifierItem(const StatusNotifierItem&) = delete;
    StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

    // Exports the item, takes its name and asks the watcher to show it; false when the
    // session bus refused any of it.
    bool Start();
    // Takes the record's icon, tooltip and callback; tells the host what changed.
    void Update(const platform::NotifyIconData& data);
    const std::string& BusName() const { return name_; }

private:
    dbus::TInterface Interface();
    void Property(const std::string& name, dbus::TWriter& value) const;
    dbus::TMessage Activate(const dbus::TMessage& call);
    dbus::TMessage ContextMenu(const dbus::TMessage& call);

    // Which of the host-visible parts a record changed.
    struct Changes {
        bool icon = false;
        bool tip = false;
    };
    Changes Store(const platform::NotifyIconData& data);
    void Post(std::initializer_list<unsigned> mouseMessages);
    void AppendPixmaps(dbus::TWriter& value) const;
    void AppendToolTip(dbus::TWriter& value) const;
    void Emit(const char* signal);

    LoopBus bus_;
    std::string name_;
    platform::INotifySink* sink_ = nullptr;
    std::uintptr_t id_ = 0;
    unsigned flags_ = 0;
    unsigned callbackMessage_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixmap_; // ARGB32, network byte order
    std::string title_;
    std::string body_;
};

} // namespace platform::linuxdesktop
