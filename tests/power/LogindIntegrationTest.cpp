// The Linux power backend against a fake logind and fake session managers on a private
// dbus-daemon that stands in for the system and the session bus, its connections served by
// an event loop of the test's. The fixture points DBUS_SYSTEM_BUS_ADDRESS and
// DBUS_SESSION_BUS_ADDRESS of this process at the private bus and refuses to run any action
// unless both point there, so no call reaches the machine's real logind or desktop.
#include "platform/Platform.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/linuxdesktop/LogindPower.h"
#include "platform/linuxdesktop/LogindPrivilege.h"
#include "platform/linuxdesktop/LoopBus.h"
#include "power/FakeServices.h"
#include "power/PowerActions.h"
#include "support/BusServingLoop.h"
#include "support/PrivateBus.h"
#include "support/ScopedEnvironment.h"
#include "support/ScopedPlatform.h"

#include <cstdlib>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using powertest::CallLog;
using powertest::DesktopKind;
using powertest::FakeLogind;
using powertest::FakeLogindOptions;
using powertest::FakeSessionManager;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* kSystemBusVariable = "DBUS_SYSTEM_BUS_ADDRESS";
constexpr const char* kSessionBusVariable = "DBUS_SESSION_BUS_ADDRESS";
// sd-bus's time a call waits for its answer unless it asks for its own.
constexpr const char* kCallTimeoutVariable = "SYSTEMD_BUS_TIMEOUT";

class LogindIntegrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(bus_.Address().empty()) << bus_.Error();
        PointBusesAt(bus_.Address());
        installed_.emplace([this](platform::Platform& set) {
            set.power = &power_;
            set.privilege = &privilege_;
        });
    }

    void TearDown() override {
        installed_.reset();
        systemBusAddress_.reset();
        sessionBusAddress_.reset();
    }

    void PointBusesAt(const std::string& address) {
        systemBusAddress_.emplace(kSystemBusVariable, address.c_str());
        sessionBusAddress_.emplace(kSessionBusVariable, address.c_str());
        privateAddress_ = address;
    }

    void StartLogind(FakeLogindOptions options = {}) {
        logind_ = std::make_unique<FakeLogind>(bus_.Address(), log_, std::move(options));
        ASSERT_TRUE(logind_->Ready()) << "the fake logind could not take its name on the private bus";
    }

    // Performs the action through the program's power code, serves the buses until every
    // call has been answered, and returns what the program wrote to stderr meanwhile.
    std::string Perform(int action) {
        ::testing::internal::CaptureStderr();
        Request(action);
        EXPECT_TRUE(Settle()) << "calls still unanswered";
        return ::testing::internal::GetCapturedStderr();
    }

    // Starts the action and returns, as the program's Shutdown Now does.
    void Request(int action) {
        const char* systemBus = std::getenv(kSystemBusVariable);
        const char* sessionBus = std::getenv(kSessionBusVariable);
        if (systemBus == nullptr || sessionBus == nullptr || privateAddress_ != systemBus ||
            privateAddress_ != sessionBus) {
            ADD_FAILURE() << "refusing to run: the buses are not the test's private bus";
            return;
        }
        bool actionDone = false;
        power::PerformAction(action, actionDone);
    }

    // Serves the buses until no call is open.
    bool Settle(int patienceMs = 5000) {
        return loop_.RunUntil(
            [this] { return systemBus_.PendingCalls() == 0 && sessionBus_.PendingCalls() == 0; }, patienceMs);
    }

    std::vector<std::string> Calls() const { return log_.Calls(); }

    testbus::PrivateBus bus_;
    CallLog log_;
    std::unique_ptr<FakeLogind> logind_;
    platform::headless::HeadlessClock clock_;
    BusServingLoop loop_{clock_};
    platform::linuxdesktop::LoopBus systemBus_{platform::linuxdesktop::TBusKind::System, &loop_};
    platform::linuxdesktop::LoopBus sessionBus_{platform::linuxdesktop::TBusKind::Session, &loop_};

private:
    platform::linuxdesktop::LogindPower power_{systemBus_, sessionBus_};
    platform::linuxdesktop::LogindPrivilege privilege_{systemBus_};
    std::optional<ScopedPlatform> installed_;
    std::optional<TScopedEnvironment> systemBusAddress_;
    std::optional<TScopedEnvironment> sessionBusAddress_;
    std::string privateAddress_;
};

TEST_F(LogindIntegrationTest, EachActionReachesItsLogindMethodInteractively) {
    StartLogind();
    EXPECT_EQ(Perform(power::kActionShutdown), "");
    EXPECT_EQ(Perform(power::kActionRestart), "");
    EXPECT_EQ(Perform(power::kActionStandBy), "");
    EXPECT_EQ(Perform(power::kActionDormancy), "");
    EXPECT_THAT(Calls(), ElementsAre("CanPowerOff()", "PowerOff(true)", "CanReboot()", "Reboot(true)",
                                     "CanSuspend()", "Suspend(true)", "CanHibernate()", "Hibernate(true)"));
}

TEST_F(LogindIntegrationTest, TheRequestWaitsForThePrivilegeAnswerWithoutHoldingTheProgramUp) {
    // logind answers nothing while an authorisation prompt is open.
    StartLogind({.holdAnswers = true});
    Request(power::kActionShutdown);
    ASSERT_TRUE(loop_.RunUntil([this] { return !Calls().empty(); }));
    EXPECT_THAT(Calls(), ElementsAre("CanPowerOff()"));
    EXPECT_EQ(systemBus_.PendingCalls(), 1);

    logind_->ReleaseAnswers();
    EXPECT_TRUE(Settle());
    EXPECT_THAT(Calls(), ElementsAre("CanPowerOff()", "PowerOff(true)"));
}

TEST_F(LogindIntegrationTest, AQueryLogindLeavesUnansweredTimesOutFromTheLoop) {
    // Sooner than the fake gives its held answers: only the loop's own wake-up ends the call.
    const TScopedEnvironment callTimeout(kCallTimeoutVariable, "300ms");
    StartLogind({.holdAnswers = true});
    ::testing::internal::CaptureStderr();
    Request(power::kActionStandBy);
    EXPECT_TRUE(Settle(powertest::kHeldAnswerMs / 2));
    EXPECT_THAT(::testing::internal::GetCapturedStderr(), HasSubstr("logind CanSuspend failed: "));
    EXPECT_THAT(Calls(), ElementsAre("CanSuspend()"));
}

TEST_F(LogindIntegrationTest, ForcedShutdownPowersOffIgnoringInhibitors) {
    StartLogind();
    EXPECT_EQ(Perform(power::kActionForcedShutdown), "");
    EXPECT_THAT(Calls(), ElementsAre("CanPowerOff()", "PowerOffWithFlags(16)"));
}

TEST_F(LogindIntegrationTest, ForcedShutdownFallsBackToPowerOffWhereTheFlagIsUnknown) {
    StartLogind({.canAnswer = "yes", .refuseFlaggedCalls = true});
    EXPECT_EQ(Perform(power::kActionForcedShutdown), "");
    EXPECT_THAT(Calls(), ElementsAre("CanPowerOff()", "PowerOffWithFlags(16)", "PowerOff(true)"));
}

TEST_F(LogindIntegrationTest, AChallengeAnswerCountsAsAllowed) {
    StartLogind({.canAnswer = "challenge"});
    EXPECT_EQ(Perform(power::kActionStandBy), "");
    EXPECT_THAT(Calls(), ElementsAre("CanSuspend()", "Suspend(true)"));
}

TEST_F(LogindIntegrationTest, ANoAnswerSkipsStandByAndDormancyButNotTheSessionRequests) {
    StartLogind({.canAnswer = "no"});
    EXPECT_THAT(Perform(power::kActionStandBy), HasSubstr("logind CanSuspend answered \"no\""));
    EXPECT_THAT(Perform(power::kActionDormancy), HasSubstr("logind CanHibernate answered \"no\""));
    Perform(power::kActionShutdown);
    EXPECT_THAT(Calls(), ElementsAre("CanSuspend()", "CanHibernate()", "CanPowerOff()", "PowerOff(true)"));
}

TEST_F(LogindIntegrationTest, LogOffWithoutASessionManagerTerminatesTheOwnSession) {
    StartLogind();
    EXPECT_EQ(Perform(power::kActionLogoff), "");
    EXPECT_THAT(Calls(), ElementsAre("GetSessionByPID(own pid)", "TerminateSession(c7)"));
}

TEST_F(LogindIntegrationTest, LogOffAsksTheDesktopsSessionManagerWithoutConfirmation) {
    StartLogind();
    {
        FakeSessionManager gnome(bus_.Address(), DesktopKind::Gnome, log_);
        ASSERT_TRUE(gnome.Ready());
        EXPECT_EQ(Perform(power::kActionLogoff), "");
    }
    {
        FakeSessionManager kde(bus_.Address(), DesktopKind::KdeShutdown, log_);
        ASSERT_TRUE(kde.Ready());
        EXPECT_EQ(Perform(power::kActionLogoff), "");
    }
    {
        FakeSessionManager xfce(bus_.Address(), DesktopKind::Xfce, log_);
        ASSERT_TRUE(xfce.Ready());
        EXPECT_EQ(Perform(power::kActionLogoff), "");
    }
    EXPECT_THAT(Calls(), ElementsAre("org.gnome.SessionManager.Logout(1)", "org.kde.Shutdown.logout()",
                                     "org.xfce.Session.Manager.Logout(false, true)"));
}

TEST_F(LogindIntegrationTest, ARefusedLogOffDoesNotTerminateTheSession) {
    // Terminating now would lose the work the session manager is protecting.
    StartLogind();
    FakeSessionManager gnome(bus_.Address(), DesktopKind::Gnome, log_, true);
    ASSERT_TRUE(gnome.Ready());
    const std::string diagnostics = Perform(power::kActionLogoff);
    EXPECT_THAT(diagnostics, HasSubstr("log-off through org.gnome.SessionManager failed"));
    EXPECT_THAT(Calls(), ElementsAre("org.gnome.SessionManager.Logout(1)"));
}

TEST_F(LogindIntegrationTest, WithoutLogindEveryActionReturnsWithItsFailuresOnStderr) {
    for (int action = power::kActionShutdown; action <= power::kActionDormancy; ++action) {
        const std::string diagnostics = Perform(action);
        EXPECT_THAT(diagnostics, HasSubstr("vesperon: logind ")) << "action " << action;
        const auto lines = std::count(diagnostics.begin(), diagnostics.end(), '\n');
        // The privilege step and the request each report their own failure.
        EXPECT_GE(lines, 1) << diagnostics;
        EXPECT_LE(lines, 2) << diagnostics;
    }
    EXPECT_THAT(Calls(), IsEmpty());
}

TEST_F(LogindIntegrationTest, WithoutASystemBusEveryActionReturnsWithADiagnostic) {
    PointBusesAt(bus_.AbsentAddress());
    for (int action = power::kActionShutdown; action <= power::kActionDormancy; ++action) {
        EXPECT_THAT(Perform(action), HasSubstr("system bus not reachable")) << "action " << action;
    }
}

} // namespace
