// The notification area and the end-of-session query opened only once the program is idle
// after its first frame: what a tray icon and the application see before and after.
#include "platform/linuxdesktop/DeferredBusServices.h"

#include "controls/RzTrayTestSupport.h"
#include "platform/headless/HeadlessSessionEnd.h"

#include <gtest/gtest.h>

namespace {

using platform::linuxdesktop::DeferredNotifyShell;
using platform::linuxdesktop::DeferredSessionEnd;

// Hands every call to a shell the test owns.
class ForwardingShell : public platform::INotifyShell {
public:
    explicit ForwardingShell(platform::INotifyShell& to) : to_(to) {}
    unsigned ShellVersion() override { return to_.ShellVersion(); }
    bool NotifyIcon(unsigned message, const platform::NotifyIconData& data) override {
        return to_.NotifyIcon(message, data);
    }
    bool HostPresent() override { return to_.HostPresent(); }
    void AddListener(platform::INotifySink& sink) override { to_.AddListener(sink); }
    void RemoveListener(platform::INotifySink& sink) override { to_.RemoveListener(sink); }

private:
    platform::INotifyShell& to_;
};

class DeferredTrayTest : public TrayTest {
protected:
    DeferredNotifyShell deferred{6u << 16, [this] {
                                     ++opened;
                                     return std::make_unique<ForwardingShell>(Shell());
                                 }};
    ScopedPlatform deferredInstalled{[this](platform::Platform& record) {
        record.notifyShell = &deferred;
    }};
    int opened = 0;
};

} // namespace

TEST_F(DeferredTrayTest, AnIconAddedBeforeTheShellOpensReachesTheHostWithItsPresentTooltip) {
    TRzTrayIcon* tray = MakeTray();
    tray->SetHint("Vesperon (Timer)");
    EXPECT_TRUE(tray->Enabled());
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(Shell().calls.empty());

    deferred.Open();
    Idle();
    ASSERT_EQ(Shell().Icons().size(), 1u);
    EXPECT_EQ(Shell().Icons()[0].tip, "Vesperon (Timer)");
    EXPECT_EQ(Shell().CountOf(platform::NIM_ADD), 1u);
    EXPECT_TRUE(tray->Enabled());
}

TEST_F(DeferredTrayTest, AHostThatRefusesTheIconAtOpeningLeavesTheProgramReachable) {
    TRzTrayIcon* tray = MakeTray();
    tray->MinimizeToTray();
    ASSERT_FALSE(app->AppWindowVisible());
    Shell().hostPresent = false;

    deferred.Open();
    Idle();
    EXPECT_TRUE(app->AppWindowVisible()); // the taskbar button comes back
    tray->MinimizeToTray();
    EXPECT_TRUE(app->AppWindowVisible());
}

TEST_F(DeferredTrayTest, OnlyWindowsWithAnAcceptedIconAddAgainAndLaterCallsGoStraightThrough) {
    TRzTrayIcon* tray = MakeTray([](TRzTrayIcon* icon) { icon->SetEnabled(false); });
    deferred.Open();
    Idle();
    EXPECT_TRUE(Shell().calls.empty());
    EXPECT_EQ(Shell().ListenerCount(), 1u);

    tray->SetEnabled(true);
    EXPECT_EQ(Shell().CountOf(platform::NIM_ADD), 1u);
    EXPECT_EQ(opened, 1);
}

TEST(DeferredSessionEnd, TheSinkIsHandedOverWhenTheQueryOpens) {
    struct Sink : platform::ISessionEndSink {
        bool QueryEndSession() override { return false; }
        void EndSession(bool) override {}
    } sink;
    platform::headless::HeadlessSessionEnd* real = nullptr;
    DeferredSessionEnd deferred([&real] {
        auto query = std::make_unique<platform::headless::HeadlessSessionEnd>();
        real = query.get();
        return query;
    });
    deferred.SetSink(&sink);
    EXPECT_EQ(real, nullptr);

    deferred.Open();
    ASSERT_NE(real, nullptr);
    EXPECT_EQ(real->QueryEndSession(), false);
    deferred.SetSink(nullptr);
    EXPECT_FALSE(real->Listening());
}
