// One occurrence of an armed task acts once: the action is requested once, also when the
// ticks came late (the computer slept through the target), and Cancel ends the occurrence;
// with Repeat the task waits for its next one.
#include "forms/TaskFlowFixture.h"
#include "toolkit/widgets/Menus.h"

#include <gmock/gmock.h>

using ::testing::AllOf;
using ::testing::AnyOf;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::StartsWith;

namespace {

constexpr const char* kWarnThirty = "Will be in 30 seconds before shutdown,Please save unsaved file.";

} // namespace

TEST_F(TaskFlowTest, WithoutTheWarningTheActionIsRequestedOncePerOccurrence) {
    StartWithCountdown("1", false);
    ClickOn(main->RBRestart);
    ClickOn(main->BTNStart);
    ShiftClock(0.3);
    Advance(59000);
    EXPECT_THAT(PowerRequests(), IsEmpty());
    Advance(10000);
    EXPECT_THAT(PowerRequests(), ElementsAre("ExitWindowsEx(2, 0)"));
    // The task stays armed and counts the time since its target.
    EXPECT_TRUE(ArmedLook());
    EXPECT_EQ(main->LabInfo->Caption(), "Will be Restart: 0 hours 0 minutes 9 seconds");
}

TEST_F(TaskFlowTest, AWarningHandedOverAtZeroRequestsTheActionOnce) {
    ArmCountdown("1", true);
    ShiftClock(58.5); // the first tick comes half a second before the target
    Advance(1000);
    ASSERT_TRUE(warn->Visible());
    EXPECT_THAT(PowerRequests(), ElementsAre("ExitWindowsEx(1, 0)"));
    Advance(5000);
    EXPECT_THAT(PowerRequests(), ElementsAre("ExitWindowsEx(1, 0)"));
    EXPECT_FALSE(warn->Timer1->Enabled());
}

TEST_F(TaskFlowTest, ATickLateByMinutesStillRequestsTheActionOnce) {
    ArmCountdown("1", false);
    Advance(30000);
    ShiftClock(600); // asleep through the target and the seconds after it
    Advance(1000);
    EXPECT_THAT(PowerRequests(), ElementsAre("ExitWindowsEx(1, 0)"));
    Advance(5000);
    EXPECT_EQ(PowerRequests().size(), 1u);
}

TEST_F(TaskFlowTest, ALateTickWithTheWarningOnShowsTheFullWarningBeforeTheAction) {
    ArmCountdown("2", true);
    Advance(30000);
    ShiftClock(600);
    Advance(1000);
    ASSERT_TRUE(warn->Visible());
    EXPECT_EQ(warn->LabSec->Caption(), kWarnThirty);
    EXPECT_EQ(warn->ProgressBar1->Position(), 0);
    Advance(29000);
    EXPECT_THAT(PowerRequests(), IsEmpty());
    Advance(1000);
    EXPECT_THAT(PowerRequests(), ElementsAre("ExitWindowsEx(1, 0)"));
}

TEST_F(TaskFlowTest, AfterALateWarningCancelStillPreventsTheAction) {
    ArmCountdown("1", true);
    ShiftClock(3600);
    Advance(1000);
    ASSERT_TRUE(warn->Visible());
    ClickOn(warn->BTNCancel);
    EXPECT_TRUE(IdleLook());
    Advance(60000);
    EXPECT_THAT(PowerRequests(), IsEmpty());
}

TEST_F(TaskFlowTest, CancelWithRepeatMovesAnAppointedTimeToTheNextDay) {
    WriteIni("[CB]\nCBCF=1\nWarn=1\n[Set]\nSJ=" + TimeToStr(InSeconds(60), FormatSettings()) + "\n");
    Start(); // Repeat arms the task at the first activation
    ASSERT_TRUE(ArmedLook());
    const double today = main->FTarget;
    Advance(35000);
    ASSERT_TRUE(warn->Visible());
    ClickOn(warn->BTNCancel);

    EXPECT_FALSE(warn->Visible());
    EXPECT_TRUE(main->Visible());
    EXPECT_FALSE(app->Minimized());
    EXPECT_TRUE(ArmedLook());
    EXPECT_NEAR(main->FTarget, today + 1, 1e-6);
    EXPECT_EQ(main->RzStatusPane1->Caption(), "Executing...");
    EXPECT_EQ(main->RzStatusPane2->Caption(), "Shutdown:" + DateTimeToStr(today + 1, FormatSettings()));
    EXPECT_THAT(main->LabInfo->Caption(),
                AllOf(StartsWith("Will be Shutdown: 24 hours 0 minutes "), EndsWith(" seconds")));
    EXPECT_EQ(TrayHint(), "Vesperon (Timer)\r" + main->LabInfo->Caption());
    // The settings file keeps the date the user chose.
    EXPECT_EQ(Ini().find("RQ="), std::string::npos);

    Advance(120000);
    EXPECT_FALSE(warn->Visible());
    EXPECT_THAT(PowerRequests(), IsEmpty());
}

TEST_F(TaskFlowTest, CancelWithRepeatStartsACountdownOverInFullAndShowsIt) {
    StartWithCountdown("2", true);
    ClickOn(main->CBRepeat);
    ClickOn(main->BTNStart);
    Advance(95000);
    ASSERT_TRUE(warn->Visible());
    const double cancelledAt = platform.clock.Now();
    ClickOn(warn->BTNCancel);

    EXPECT_TRUE(ArmedLook());
    EXPECT_FALSE(app->Minimized());
    EXPECT_NEAR(main->FTarget, cancelledAt + 2.0 / 1440, 1e-9);
    EXPECT_EQ(main->RzStatusPane2->Caption(), "Shutdown:" + DateTimeToStr(main->FTarget, FormatSettings()));
    EXPECT_THAT(TrayHint(), AnyOf("Vesperon (Timer)\rWill be Shutdown: 0 hours 2 minutes 0 seconds",
                                  "Vesperon (Timer)\rWill be Shutdown: 0 hours 1 minutes 59 seconds"));
    Advance(60000);
    EXPECT_FALSE(warn->Visible());
    EXPECT_THAT(PowerRequests(), IsEmpty());
}

TEST_F(TaskFlowTest, StopWhileTheWarningCountsEndsTheWarningAndNothingIsRequested) {
    ArmCountdown("1", true);
    Advance(35000);
    ASSERT_TRUE(warn->Visible());
    main->NShowClick(main->NShow); // the tray menu's Show brings the main window back
    Idle();
    ClickOn(main->BTNStop);
    EXPECT_TRUE(IdleLook());
    EXPECT_FALSE(warn->Visible());
    Advance(60000);
    EXPECT_THAT(PowerRequests(), IsEmpty());
}
