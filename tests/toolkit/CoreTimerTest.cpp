#include "support/ToolkitFixture.h"
#include "toolkit/runtime/Timer.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class TimerTest : public ToolkitTest {
protected:
    TTimer* MakeTimer(const std::string& name, unsigned interval) {
        auto* timer = new TTimer(app.get());
        timer->SetInterval(interval);
        timer->OnTimer = [this, name](TObject*) {
            fired.push_back(name + "@" + std::to_string(platform.clock.MonotonicMs()));
        };
        return timer;
    }
    std::vector<std::string> fired;
};

} // namespace

TEST_F(TimerTest, ATimerFiresEveryIntervalOnTheVirtualClock) {
    MakeTimer("t", 1000);
    Advance(999);
    EXPECT_TRUE(fired.empty());
    Advance(2001);
    EXPECT_THAT(fired, ElementsAre("t@1000", "t@2000", "t@3000"));
}

TEST_F(TimerTest, TimersFireInDeadlineOrderAndTogetherInCreationOrder) {
    MakeTimer("slow", 1000);
    MakeTimer("fast", 500);
    MakeTimer("also", 1000);
    Advance(1000);
    EXPECT_THAT(fired, ElementsAre("fast@500", "slow@1000", "fast@1000", "also@1000"));
}

TEST_F(TimerTest, DisablingStopsAndEnablingRestartsTheCountFromNow) {
    TTimer* timer = MakeTimer("t", 1000);
    Advance(700);
    timer->SetEnabled(false);
    Advance(1000);
    timer->SetEnabled(true);
    Advance(999);
    EXPECT_TRUE(fired.empty());
    Advance(1);
    EXPECT_THAT(fired, ElementsAre("t@2700"));
}

TEST_F(TimerTest, SettingTheSameValueAgainDoesNotRestartTheCount) {
    TTimer* timer = MakeTimer("t", 1000);
    Advance(600);
    timer->SetEnabled(true);
    timer->SetInterval(1000);
    Advance(400);
    EXPECT_THAT(fired, ElementsAre("t@1000"));
}

TEST_F(TimerTest, AHandlerMayStopAnotherTimerDueAtTheSameMoment) {
    TTimer* first = MakeTimer("first", 1000);
    TTimer* second = MakeTimer("second", 1000);
    first->OnTimer = [&](TObject*) {
        fired.push_back("first");
        second->SetEnabled(false);
    };
    Advance(1000);
    EXPECT_THAT(fired, ElementsAre("first"));
}

TEST_F(TimerTest, ATimerDestroyedInItsOwnHandlerIsSafe) {
    TTimer* timer = MakeTimer("t", 100);
    timer->OnTimer = [&](TObject*) {
        fired.push_back("once");
        delete timer;
    };
    Advance(500);
    EXPECT_THAT(fired, ElementsAre("once"));
}

TEST_F(TimerTest, AnErrorInATimerIsReportedAndTheTimerKeepsRunning) {
    TTimer* timer = MakeTimer("t", 100);
    int calls = 0;
    timer->OnTimer = [&](TObject*) {
        ++calls;
        throw std::runtime_error("tick failed");
    };
    Advance(200);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(platform.messageBoxes.Shown().size(), 2u);
}

TEST_F(TimerTest, ZeroIntervalNeverFires) {
    MakeTimer("t", 0);
    Advance(10000);
    EXPECT_TRUE(fired.empty());
    EXPECT_FALSE(app->NextTimerDeadline().has_value());
}

TEST_F(TimerTest, TheModalLoopWaitsForTimersOnTheVirtualClock) {
    TForm* dialog = nullptr;
    app->CreateForm(dialog);
    auto* timer = new TTimer(dialog);
    timer->SetInterval(250);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) {
        if (++ticks == 4) {
            dialog->SetModalResult(mrOk);
        }
    };
    platform.windows.AllowAdvanceTo(10000);
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(platform.clock.MonotonicMs(), 1000);
}

// ---------------------------------------------------------------------------------------
// Shared wake-ups

TEST_F(TimerTest, ATimerWithAToleranceWaitsForAnotherTimerDueWithinIt) {
    MakeTimer("strict", 1000);
    TTimer* lenient = MakeTimer("lenient", 800);
    lenient->SetTolerance(300);

    EXPECT_EQ(WakeUpsOver(1000), 1);
    EXPECT_THAT(fired, ElementsAre("lenient@1000", "strict@1000")); // still in deadline order
}

TEST_F(TimerTest, AToleranceNeverDelaysATimerThatWakesAlone) {
    TTimer* lenient = MakeTimer("lenient", 800);
    lenient->SetTolerance(300);
    MakeTimer("strict", 1200);

    EXPECT_EQ(WakeUpsOver(1200), 2);
    EXPECT_THAT(fired, ElementsAre("lenient@800", "strict@1200"));
}

TEST_F(TimerTest, ExpireAtMovesOnlyTheNextExpiry) {
    TTimer* timer = MakeTimer("t", 1000);
    timer->ExpireAt(300);
    Advance(1300);
    EXPECT_THAT(fired, ElementsAre("t@300", "t@1300"));

    timer->SetEnabled(false);
    timer->ExpireAt(1500);
    EXPECT_FALSE(app->NextTimerDeadline().has_value());
}

TEST_F(TimerTest, IdleWatchersHearEachTimeTheLoopRunsOutOfWork) {
    struct CountingWatcher : IIdleWatcher {
        int calls = 0;
        void ApplicationIdle() override { ++calls; }
    } watcher;
    app->AddIdleWatcher(&watcher);
    MakeTimer("t", 100);
    Advance(300);
    EXPECT_EQ(watcher.calls, 5); // before the first expiry, after each of the three, at the end

    app->RemoveIdleWatcher(&watcher);
    Idle();
    EXPECT_EQ(watcher.calls, 5);
}
