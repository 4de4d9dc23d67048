// The task from start to action as a user runs it: arming, the countdown, the warning window,
// Cancel, Repeat, the start by the log-on entry, the refusals and closing.
#include "forms/ProgramBlock.h"
#include "forms/TaskFlowFixture.h"
#include "toolkit/widgets/DateTimePicker.h"
#include "toolkit/widgets/Menus.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(TaskFlowTest, TheTypicalTaskRunsFromStartThroughTheWarningToTheAction) {
    StartWithCountdown("1", true);
    const double armedAt = platform.clock.Now();
    ClickOn(main->BTNStart);

    EXPECT_TRUE(ArmedLook());
    EXPECT_TRUE(app->Minimized());
    EXPECT_EQ(main->RzStatusPane1->Caption(), "Executing...");
    EXPECT_EQ(main->RzStatusPane2->Caption(),
              "Shutdown:" + DateTimeToStr(armedAt + 1.0 / 1440, FormatSettings()));

    ShiftClock(-0.3);
    Advance(1000);
    EXPECT_EQ(main->LabInfo->Caption(), "Will be Shutdown: 0 hours 0 minutes 59 seconds");
    EXPECT_EQ(TrayHint(), "Vesperon (Timer)\rWill be Shutdown: 0 hours 0 minutes 59 seconds");

    Advance(29000);
    EXPECT_FALSE(main->Visible());
    ASSERT_TRUE(warn->Visible());
    EXPECT_FALSE(main->Timer1->Enabled());
    EXPECT_EQ(warn->LabSec->Caption(), "Will be in 30 seconds before shutdown,Please save unsaved file.");
    EXPECT_EQ(warn->ProgressBar1->Position(), 0);
    EXPECT_EQ(warn->BTNCancel->Caption(), "Cancel");

    Advance(29000);
    EXPECT_EQ(warn->LabSec->Caption(), "Will be in 1 seconds before shutdown,Please save unsaved file.");
    EXPECT_EQ(warn->ProgressBar1->Position(), 29);
    EXPECT_THAT(PowerRequests(), IsEmpty());

    Advance(1000);
    EXPECT_THAT(PowerRequests(), ElementsAre("ExitWindowsEx(1, 0)"));
    EXPECT_TRUE(main->FActionDone);
    EXPECT_TRUE(warn->Visible());
}

TEST_F(TaskFlowTest, CancelStopsTheTaskAndBringsTheMainWindowBack) {
    ArmCountdown("1", true);
    Advance(35000);
    ASSERT_TRUE(warn->Visible());
    ClickOn(warn->BTNCancel);
    EXPECT_FALSE(warn->Visible());
    EXPECT_TRUE(main->Visible());
    EXPECT_TRUE(IdleLook());
    EXPECT_EQ(main->LabInfo->Caption(), "");
    EXPECT_EQ(TrayHint(), "Vesperon (Timer)");
    Advance(60000);
    EXPECT_THAT(PowerRequests(), IsEmpty());
    EXPECT_EQ(main->FTask.FMinutes, 1);
}

TEST_F(TaskFlowTest, StopReturnsToTheIdleLook) {
    ArmCountdown("10", false);
    Advance(3000);
    app->Restore();
    Idle();
    ClickOn(main->BTNStop);
    EXPECT_TRUE(IdleLook());
    EXPECT_FALSE(main->LabInfo->Visible());
    EXPECT_EQ(main->RzStatusPane2->Caption(), "");
}

TEST_F(TaskFlowTest, TheStartGuardRefusesShortRepeatedCountdownsAtLogOn) {
    WriteIni("[CB]\nAutoRun=1\nCBCF=1\nRBFS=0\n[Set]\nFZ=5\n");
    Start();
    // Repeat arms at the first activation: the guard answers and the minutes become 10.
    EXPECT_THAT(Messages(), ElementsAre("Your settings may cause a system restart failure."));
    EXPECT_EQ(main->RZFenZhong->ValueAsInteger(), 10);
    EXPECT_NE(Ini().find("FZ=10"), std::string::npos);
    EXPECT_TRUE(IdleLook());
    ClickOn(main->BTNStart);
    EXPECT_TRUE(ArmedLook());
}

TEST_F(TaskFlowTest, AnAppointedTimeAlreadyPastIsOverdue) {
    Start();
    Advance(60000);
    ClickOn(main->BTNStart);
    EXPECT_THAT(Messages(), ElementsAre("The set time is overdue!"));
    EXPECT_TRUE(IdleLook());
}

TEST_F(TaskFlowTest, AnAppointedTimeArmsForItsMoment) {
    const std::string later = TimeToStr(InSeconds(3600), FormatSettings());
    WriteIni("[Set]\nSJ=" + later + "\n");
    Start();
    ClickOn(main->BTNStart);
    EXPECT_TRUE(ArmedLook());
    EXPECT_EQ(TimeToStr(main->FTarget, FormatSettings()), later);
}

TEST_F(TaskFlowTest, WithRepeatAPassedTimeRollsOverToTomorrowWithoutStoringTheDate) {
    const std::string earlier = TimeToStr(InSeconds(-60), FormatSettings());
    WriteIni("[CB]\nCBCF=1\n[Set]\nSJ=" + earlier + "\n");
    const std::string before = Ini();
    Start();
    EXPECT_TRUE(ArmedLook());
    EXPECT_EQ(DateToStr(main->FTarget, FormatSettings()), DateToStr(InSeconds(86400), FormatSettings()));
    EXPECT_EQ(Ini(), before);
}

TEST_F(TaskFlowTest, AStartByTheLogOnEntryGoesToTheTrayAndArmsWithRepeat) {
    WriteIni("[CB]\nCBCF=1\nRBFS=0\n[Set]\nFZ=30\n");
    Start({"AU"});
    EXPECT_TRUE(app->Minimized());
    EXPECT_FALSE(Window(main).Visible() && !Window(main).Iconified());
    EXPECT_TRUE(ArmedLook());
}

TEST_F(TaskFlowTest, RestoringFromTheTrayDoesNotArmAgain) {
    WriteIni("[CB]\nCBCF=1\nRBFS=0\n");
    Start();
    const double target = main->FTarget;
    Advance(5000);
    main->NShowClick(main->NShow);
    Idle();
    EXPECT_EQ(main->FTarget, target);
}

TEST_F(TaskFlowTest, ClosingAsksAndNoKeepsTheProgramRunning) {
    Start();
    platform.messageBoxes.QueueAnswer(IDNO);
    platform.windows.RequestClose(Window(main));
    Idle();
    ASSERT_EQ(platform.messageBoxes.Shown().size(), 1u);
    EXPECT_EQ(platform.messageBoxes.Shown()[0].text, "Are you sure to exit?");
    EXPECT_EQ(platform.messageBoxes.Shown()[0].caption, "Vesperon");
    EXPECT_EQ(platform.messageBoxes.Shown()[0].flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_FALSE(app->Terminated());
    platform.messageBoxes.QueueAnswer(IDYES);
    main->NExitClick(main->NExit);
    EXPECT_TRUE(app->Terminated());
}

TEST_F(TaskFlowTest, AfterShutdownNowClosingAsksNothing) {
    Start();
    ClickOn(main->RBForce);
    ClickOn(main->BTNAtOnce);
    EXPECT_THAT(PowerRequests(), ElementsAre("ExitWindowsEx(5, 0)"));
    platform.windows.RequestClose(Window(main));
    Idle();
    EXPECT_THAT(Messages(), IsEmpty());
    EXPECT_TRUE(app->Terminated());
}

TEST_F(TaskFlowTest, TurnOffTheScreenAsksForLowPower) {
    Start();
    ClickOn(main->BTNCloseScreen);
    EXPECT_THAT(platform.windows.MonitorPowerCalls(), ElementsAre(1));
}

TEST_F(TaskFlowTest, ASecondCopyShowsTheMessageAndCreatesNoWindow) {
    platform.sessionLock.held.insert("Vesperon");
    EXPECT_EQ(forms::RunProgram(*app, {}), 0);
    EXPECT_THAT(Messages(), ElementsAre("The program already start"));
    EXPECT_EQ(platform.messageBoxes.Shown()[0].caption, "Vesperon");
    EXPECT_THAT(app->Forms(), IsEmpty());
}
