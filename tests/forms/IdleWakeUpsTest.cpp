// What the program costs while it waits: how often the loop wakes in a simulated minute with
// the window shown and no task, in the tray with no task, and in the tray with a task armed.
#include "controls/RzStatus.h"
#include "controls/RzTray.h"
#include "forms/VesperonFixture.h"

namespace {

constexpr std::int64_t kMinute = 60000;

class IdleWakeUpsTest : public VesperonTest {
protected:
    void SetUp() override {
        VesperonTest::SetUp();
        // A quarter second past noon keeps the ticks off the second boundaries.
        platform.clock.SetNow(46364.5 + 250.0 / 86400000.0);
    }
    // Lets the start-up settle: first polls, first ticks.
    void Settle() { Advance(2000); }
};

} // namespace

TEST_F(IdleWakeUpsTest, TheShownWindowWithoutATaskWakesOnceASecondForItsClock) {
    Start();
    Settle();
    const std::string before = main->RzClockStatus2->Caption();

    EXPECT_EQ(WakeUpsOver(kMinute), 60);
    EXPECT_NE(main->RzClockStatus2->Caption(), before);
    EXPECT_EQ(main->RzClockStatus2->Caption(), DateTimeToStr(Now()));
}

TEST_F(IdleWakeUpsTest, TheProgramInTheTrayWithoutATaskNeverWakes) {
    Start({"au"});
    ASSERT_TRUE(app->Minimized());
    Settle();

    EXPECT_EQ(WakeUpsOver(kMinute), 0);
}

TEST_F(IdleWakeUpsTest, AnArmedTaskInTheTrayWakesOnceASecondForTheTooltip) {
    WriteIni("[CB]\nCBCF=1\nRBFS=0\n[Set]\nFZ=30\n");
    Start({"au"});
    ASSERT_TRUE(app->Minimized());
    Settle();
    const std::string before = main->TrayIcon->Hint();

    EXPECT_EQ(WakeUpsOver(kMinute), 60);
    EXPECT_NE(main->TrayIcon->Hint(), before);
}

TEST_F(IdleWakeUpsTest, TheClockShowsTheTimeAtOnceWhenTheWindowComesBackFromTheTray) {
    Start({"au"});
    Settle();
    Advance(kMinute);

    main->TrayIcon->RestoreFromTray();
    Advance(1); // the poll comes at once
    EXPECT_EQ(main->RzClockStatus2->Caption(), DateTimeToStr(Now()));
}
