// A private session bus for the notification-area tests: a dbus-daemon of its own (the
// process's DBUS_SESSION_BUS_ADDRESS points at it while a test runs), a small watcher that
// records the items registering with it, and an event loop that serves the program's bus
// connections and the watcher's until a condition holds.
#pragma once

#include "controls/RzTray.h"
#include "platform/NotifyShell.h"
#include "platform/Shell.h"
#include "platform/linuxdesktop/StatusNotifierShell.h"
#include "support/BusServingLoop.h"
#include "support/PrivateBus.h"
#include "support/ScopedEnvironment.h"
#include "support/ScopedPlatform.h"
#include "support/ToolkitFixture.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <systemd/sd-bus.h>
#include <vector>

namespace sntest {

// The watcher: owns org.kde.StatusNotifierWatcher and records registered item names.
class TestWatcher {
public:
    explicit TestWatcher(const std::string& address);
    ~TestWatcher();
    TestWatcher(const TestWatcher&) = delete;
    TestWatcher& operator=(const TestWatcher&) = delete;
    bool Ok() const { return ok_; }
    sd_bus* Bus() const { return connection_.Get(); }
    void Process();
    std::vector<std::string> registered;
    static int Register(sd_bus_message* message, void* userdata, sd_bus_error* error);

private:
    testbus::Connection connection_;
    sd_bus_slot* slot_ = nullptr;
    bool ok_ = false;
};

class StatusNotifierTest : public ToolkitTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void StartWatcher() { watcher = std::make_unique<TestWatcher>(bus->Address()); }
    // Creates the shell (after the watcher, if any) and installs it as the platform's.
    void MakeShell(platform::INotifyShell* fallbackShell = nullptr);
    // A loaded main window's tray icon with the program's menu and restore handler.
    TRzTrayIcon* MakeTray(const std::string& hint);
    std::string ItemOf(const TRzTrayIcon* tray) const {
        return shell->ItemName(tray->Record().hWnd, tray->Record().uID);
    }
    // Serves the buses and the toolkit's posted messages until done() or two seconds passed.
    bool PumpUntil(const std::function<bool()>& done);
    // Calls a method of the item named `name` from the watcher's connection and waits for the
    // answer; returns the reply (owned by the caller) or null.
    sd_bus_message* CallItem(const std::string& name, const char* interface, const char* method,
                             const std::function<void(sd_bus_message*)>& append);
    sd_bus_message* ItemProperty(const std::string& name, const char* property);

    std::unique_ptr<testbus::PrivateBus> bus;
    std::optional<TScopedEnvironment> sessionBusAddress;
    std::unique_ptr<BusServingLoop> loop;
    std::unique_ptr<TestWatcher> watcher;
    platform::headless::HeadlessNotifyShell fallback; // an XEmbed tray's stand-in
    std::unique_ptr<platform::linuxdesktop::StatusNotifierShell> shell;
    std::optional<ScopedPlatform> shellInstalled;
    TForm* form = nullptr;
    TPopupMenu* menu = nullptr;
    int restored = 0;
};

} // namespace sntest
