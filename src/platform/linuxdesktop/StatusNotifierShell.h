// The notification area on Linux desktops: icons become StatusNotifierItems while a
// StatusNotifierWatcher owns its name on the session bus; without a watcher they go to the
// fallback shell (the XEmbed system tray). A watcher that starts (or starts again) holds
// none of the program's items: every listening window hears "TaskbarCreated" and adds its
// icon again, as after a restart of the desktop platform's taskbar.
#pragma once

#include "platform/Geometry.h"
#include "platform/NotifyShell.h"
#include "platform/WindowSystem.h"
#include "platform/dbus/Message.h"
#include "platform/linuxdesktop/LoopBus.h"
#include "platform/linuxdesktop/StatusNotifierItem.h"

#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace platform::linuxdesktop {

class StatusNotifierShell : public platform::INotifyShell, private platform::INotifySink {
public:
    // The record layouts of shells from version 6 on are the ones this shell reads.
    static constexpr unsigned kVersion = 6u << 16;

    StatusNotifierShell(platform::IWindowSystem* loop, platform::INotifyShell* fallback);
    ~StatusNotifierShell() override;
    StatusNotifierShell(const StatusNotifierShell&) = delete;
    StatusNotifierShell& operator=(const StatusNotifierShell&) = delete;

    unsigned ShellVersion() override;
    bool NotifyIcon(unsigned message, const platform::NotifyIconData& data) override;
    bool HostPresent() override;
    void AddListener(platform::INotifySink& sink) override;
    void RemoveListener(platform::INotifySink& sink) override;

    bool WatcherPresent() const { return watcherPresent_; }
    // The bus name of an icon's item (empty when the icon is not an item).
    std::string ItemName(const platform::INotifySink* window, std::uintptr_t id) const;

private:
    using Key = std::pair<const platform::INotifySink*, std::uintptr_t>;

    void OwnerChanged(const dbus::TMessage& signal);
    void WatcherChanged(bool present);
    void TellListeners();
    bool Add(const platform::NotifyIconData& data);

    // The fallback's "TaskbarCreated" counts while no watcher is there.
    void PostCallback(unsigned message, std::uintptr_t id, unsigned mouseMessage) override;
    void PostTaskbarCreated() override;
    void ShowTip(platform::Point screen, const std::string& text) override;
    void HideTip() override;

    platform::IWindowSystem* loop_;
    platform::INotifyShell* fallback_;
    LoopBus bus_;
    std::uint64_t match_ = 0;
    bool watcherPresent_ = false;
    int serial_ = 0;
    std::map<Key, std::unique_ptr<StatusNotifierItem>> items_;
    std::map<Key, platform::NotifyIconData> fallbackIcons_; // what a delete there needs
    std::vector<platform::INotifySink*> listeners_;
};

} // namespace platform::linuxdesktop
