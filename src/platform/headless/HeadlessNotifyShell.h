// The notification area for tests: records every call with the record's members as the shell
// read them, keeps the icons a tray host would hold, and lets a test script what the host
// does: clicks on an icon, a host that refuses icons, a host that restarts.
#pragma once

#include "platform/NotifyShell.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::headless {

struct RecordedNotifyCall {
    unsigned message = 0;
    unsigned size = 0;
    platform::INotifySink* window = nullptr;
    std::uintptr_t id = 0;
    unsigned flags = 0;
    unsigned callbackMessage = 0;
    std::string tip; // as far as the record's layout holds it
    int iconWidth = 0;
    std::uint32_t iconPixel = 0; // the icon's top-left pixel, to tell images apart
};

class HeadlessNotifyShell : public platform::INotifyShell {
public:
    unsigned ShellVersion() override { return version; }
    bool NotifyIcon(unsigned message, const platform::NotifyIconData& data) override;
    bool HostPresent() override { return hostPresent; }
    void AddListener(platform::INotifySink& sink) override;
    void RemoveListener(platform::INotifySink& sink) override;

    // The icon a host shows, as its last add or modify left it.
    struct Icon {
        platform::INotifySink* window = nullptr;
        std::uintptr_t id = 0;
        unsigned callbackMessage = 0;
        std::string tip;
    };
    const std::vector<Icon>& Icons() const { return icons_; }
    std::size_t ListenerCount() const { return listeners_.size(); }
    std::size_t CountOf(unsigned message) const;

    // The host reports mouse messages over the first icon (nothing when there is none).
    void Mouse(unsigned mouseMessage);
    // A left double-click as the host reports it: press, release, double-click, release.
    void DoubleClickLeft();
    // The host goes away (its icons with it) and, when `comesBack`, starts again and tells
    // every listener with "TaskbarCreated".
    void RestartHost(bool comesBack = true);

    unsigned version = 6 * 65536;
    bool hostPresent = true;
    std::vector<RecordedNotifyCall> calls;

private:
    Icon* Find(const platform::NotifyIconData& data);

    std::vector<Icon> icons_;
    std::vector<platform::INotifySink*> listeners_;
};

} // namespace platform::headless
