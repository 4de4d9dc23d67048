// Shutdown Now and Turn off the screen over the recording (headless) backend: which
// privilege and request calls each action makes, in which order.
#include "power/PowerActions.h"

#include "platform/Geometry.h"
#include "platform/Platform.h"
#include "platform/Power.h"
#include "platform/Privilege.h"
#include "platform/WindowSystem.h"
#include "platform/headless/HeadlessPower.h"
#include "power/ScreenPower.h"
#include "power/ShutdownPrivilege.h"
#include "support/ScopedPlatform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class PowerActionsTest : public ::testing::Test {
protected:
    std::vector<std::string> Perform(int action) {
        power_.ClearCalls();
        bool actionDone = false;
        power::PerformAction(action, actionDone);
        EXPECT_TRUE(actionDone) << "action " << action;
        return power_.Calls();
    }

    platform::headless::HeadlessPower power_;
    ScopedPlatform installed_{[this](platform::Platform& set) {
        set.power = &power_;
        set.privilege = &power_;
    }};
};

TEST_F(PowerActionsTest, EachActionRunsThePrivilegeStepThenItsRequest) {
    EXPECT_THAT(Perform(1), ElementsAre("SetShutdownPrivilege(true, PowerOff)", "ExitWindowsEx(1, 0)"));
    EXPECT_THAT(Perform(2), ElementsAre("SetShutdownPrivilege(true, EndSession)", "ExitWindowsEx(0, 0)"));
    EXPECT_THAT(Perform(3), ElementsAre("SetShutdownPrivilege(true, Reboot)", "ExitWindowsEx(2, 0)"));
    EXPECT_THAT(Perform(5),
                ElementsAre("SetShutdownPrivilege(true, Suspend)", "SetSystemPowerState(true, true)"));
    EXPECT_THAT(Perform(6),
                ElementsAre("SetShutdownPrivilege(true, Hibernate)", "SetSystemPowerState(false, true)"));
}

TEST_F(PowerActionsTest, ForcedShutdownShutsDownWithTheForceFlag) {
    // The force flag alone would only end the session.
    EXPECT_THAT(Perform(4), ElementsAre("SetShutdownPrivilege(true, PowerOff)", "ExitWindowsEx(5, 0)"));
}

TEST_F(PowerActionsTest, NumbersOutsideTheTableRequestNothingButStillMarkTheActionDone) {
    EXPECT_THAT(Perform(0), IsEmpty());
    EXPECT_THAT(Perform(7), IsEmpty());
    EXPECT_THAT(Perform(-1), IsEmpty());
}

TEST_F(PowerActionsTest, ActionDoneIsSetBeforeTheRequestIsMade) {
    // A request that ends the program must find the flag already set.
    struct Watcher : platform::headless::HeadlessPower {
        const bool* done = nullptr;
        bool seenDone = false;
        void ExitWindowsEx(unsigned flags, unsigned reason) override {
            seenDone = *done;
            HeadlessPower::ExitWindowsEx(flags, reason);
        }
    } watcher;
    bool actionDone = false;
    watcher.done = &actionDone;
    const ScopedPlatform watching([&watcher](platform::Platform& set) { set.power = &watcher; });
    power::PerformAction(power::kActionShutdown, actionDone);
    EXPECT_TRUE(watcher.seenDone);
}

TEST_F(PowerActionsTest, AFailedPrivilegeStepSkipsStandByAndDormancyOnly) {
    power_.SetPrivilegeAnswer(false);
    EXPECT_THAT(Perform(5), ElementsAre("SetShutdownPrivilege(true, Suspend)"));
    EXPECT_THAT(Perform(6), ElementsAre("SetShutdownPrivilege(true, Hibernate)"));
    EXPECT_THAT(Perform(1), ElementsAre("SetShutdownPrivilege(true, PowerOff)", "ExitWindowsEx(1, 0)"));
    EXPECT_THAT(Perform(2), ElementsAre("SetShutdownPrivilege(true, EndSession)", "ExitWindowsEx(0, 0)"));
    EXPECT_THAT(Perform(3), ElementsAre("SetShutdownPrivilege(true, Reboot)", "ExitWindowsEx(2, 0)"));
    EXPECT_THAT(Perform(4), ElementsAre("SetShutdownPrivilege(true, PowerOff)", "ExitWindowsEx(5, 0)"));
}

// A privilege step that answers only when the test says so, as one that asks a service.
class LaterPrivilege : public platform::IPrivilege {
public:
    void SetShutdownPrivilege(bool, platform::PowerRight, Answer answer) override {
        waiting.push_back(answer);
    }
    std::vector<Answer> waiting;
};

TEST_F(PowerActionsTest, TheRequestIsMadeWhenThePrivilegeStepAnswersNotBefore) {
    LaterPrivilege later;
    const ScopedPlatform installed([&later](platform::Platform& set) { set.privilege = &later; });
    bool actionDone = false;
    power::PerformAction(power::kActionRestart, actionDone);
    power::PerformAction(power::kActionStandBy, actionDone);
    power::PerformAction(power::kActionDormancy, actionDone);
    EXPECT_TRUE(actionDone);
    EXPECT_THAT(power_.Calls(), IsEmpty());
    ASSERT_EQ(later.waiting.size(), 3u);

    later.waiting[1](true);
    EXPECT_THAT(power_.Calls(), ElementsAre("SetSystemPowerState(true, true)"));
    later.waiting[2](false);
    later.waiting[0](false);
    EXPECT_THAT(power_.Calls(), ElementsAre("SetSystemPowerState(true, true)", "ExitWindowsEx(2, 0)"));
}

TEST_F(PowerActionsTest, SetShutdownPrivilegePassesTheDirectionAndTheRightAndTheAnswer) {
    power_.SetPrivilegeAnswer(false);
    std::vector<bool> answers;
    power::SetShutdownPrivilege(false, platform::PowerRight::Reboot,
                                [&answers](bool granted) { answers.push_back(granted); });
    EXPECT_THAT(power_.Calls(), ElementsAre("SetShutdownPrivilege(false, Reboot)"));
    EXPECT_THAT(answers, ElementsAre(false));
}

TEST_F(PowerActionsTest, MissingBackendsDropTheRequestWithADiagnostic) {
    const ScopedPlatform withoutPower([](platform::Platform& set) {
        set.power = nullptr;
        set.privilege = nullptr;
    });
    bool actionDone = false;
    ::testing::internal::CaptureStderr();
    power::PerformAction(power::kActionShutdown, actionDone);
    power::PerformAction(power::kActionStandBy, actionDone);
    const std::string diagnostics = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(actionDone);
    EXPECT_THAT(diagnostics, HasSubstr("no privilege backend"));
    EXPECT_THAT(diagnostics, HasSubstr("no power backend installed; end-session request dropped"));
}

class ScreenRecorder : public platform::IWindowSystem {
public:
    MOCK_METHOD(std::unique_ptr<platform::INativeWindow>, CreateNativeWindow,
                (const platform::WindowOptions&, platform::IWindowEvents&), (override));
    MOCK_METHOD(platform::Rect, ScreenBounds, (), (override));
    MOCK_METHOD(platform::Point, CursorPos, (), (override));
    MOCK_METHOD(unsigned, DoubleClickTimeMs, (), (override));
    MOCK_METHOD(void, Beep, (), (override));
    MOCK_METHOD(void, SetMonitorPower, (int), (override));
    MOCK_METHOD(void, SetClipboardText, (const std::string&), (override));
    MOCK_METHOD(std::string, ClipboardText, (), (override));
    MOCK_METHOD(void, WaitAndDispatch, (std::optional<std::int64_t>), (override));
    MOCK_METHOD(void, Wake, (), (override));
    MOCK_METHOD(void, WatchFd, (int, bool, bool, FdCallback), (override));
    MOCK_METHOD(void, UnwatchFd, (int), (override));
};

TEST_F(PowerActionsTest, TurnOffTheScreenAsksForTheLowPowerState) {
    ::testing::StrictMock<ScreenRecorder> screen;
    const ScopedPlatform screenInstalled([&screen](platform::Platform& set) { set.windows = &screen; });
    EXPECT_CALL(screen, SetMonitorPower(1));
    power::CloseScreen();
    EXPECT_THAT(power_.Calls(), IsEmpty());
}

} // namespace
