#include "core/Arming.h"

#include "CoreTestPlatform.h"

using namespace core;

class ArmingTest : public CoreTest {
protected:
    // An appointed-time task for the given date and time texts, its picker set from them.
    TArmRequest Appointed(const std::string& date, const std::string& time, bool repeat = false) {
        TArmRequest request;
        request.task.FRepeat = repeat;
        request.task.FDateText = date;
        request.task.FTimeText = time;
        request.datePicker = StrToDate(date) + 0.999; // the picker's old time of day does not count
        request.minutesEdit = 30;
        request.now = now;
        return request;
    }
    TArmRequest Countdown(int minutes) {
        TArmRequest request = Appointed("12/8/2026", "10:00:00 AM");
        request.task.FDateTimeMode = false;
        request.task.FMinutes = minutes;
        request.minutesEdit = minutes;
        return request;
    }
    TArmResult Arm(const TArmRequest& request) { return ArmTask(request, FormatSettings()); }
};

TEST_F(ArmingTest, GuardRefusesAutoRunWithRepeatAndFiveMinutesOrLessInBothModes) {
    TArmRequest request = Countdown(5);
    request.task.FAutoRun = true;
    request.task.FRepeat = true;
    TArmResult result = Arm(request);
    EXPECT_EQ(result.outcome, TArmOutcome::Refused);
    EXPECT_EQ(result.message, "Your settings may cause a system restart failure.");
    EXPECT_EQ(result.guardMinutes, 10);

    request.task.FDateTimeMode = true;
    request.task.FMinutes = 3;
    EXPECT_EQ(Arm(request).outcome, TArmOutcome::Refused);

    request.task.FMinutes = 6;
    EXPECT_EQ(Arm(request).outcome, TArmOutcome::Armed);
    request.task.FMinutes = 5;
    request.task.FAutoRun = false;
    EXPECT_EQ(Arm(request).outcome, TArmOutcome::Armed);
}

TEST_F(ArmingTest, AppointedTimeInTheFutureIsTheTarget) {
    const TArmResult result = Arm(Appointed("12/8/2026", "10:30:00 PM"));
    EXPECT_EQ(result.outcome, TArmOutcome::Armed);
    EXPECT_EQ(result.FTarget, At(2026, 12, 8, 22, 30));
    EXPECT_FALSE(result.dateRolledOver);
    EXPECT_EQ(result.statusCaption, "Executing...");
    EXPECT_EQ(result.targetCaption, "Shutdown:12/8/2026 10:30:00 PM");
}

TEST_F(ArmingTest, PastTimeTodayWithoutRepeatIsOverdueAndEqualIsAccepted) {
    const TArmResult overdue = Arm(Appointed("12/8/2026", "9:59:00 AM"));
    EXPECT_EQ(overdue.outcome, TArmOutcome::Overdue);
    EXPECT_EQ(overdue.message, "The set time is overdue!");
    EXPECT_EQ(overdue.datePicker, At(2026, 12, 8, 9, 59));

    EXPECT_EQ(Arm(Appointed("12/8/2026", "10:00:00 AM")).outcome, TArmOutcome::Armed);
}

TEST_F(ArmingTest, RepeatRollsAPastTimeOverToTomorrowWithoutStoringIt) {
    const TArmResult result = Arm(Appointed("12/8/2026", "9:59:00 AM", true));
    EXPECT_EQ(result.outcome, TArmOutcome::Armed);
    EXPECT_TRUE(result.dateRolledOver);
    EXPECT_EQ(result.FDateText, "12/9/2026");
    EXPECT_EQ(result.FTarget, At(2026, 12, 9, 9, 59));
    EXPECT_EQ(files.WriteCount(), 0);
}

TEST_F(ArmingTest, RepeatWithYesterdayAndALaterTimeDoesNotRollOverAndIsOverdue) {
    const TArmResult result = Arm(Appointed("12/7/2026", "11:00:00 AM", true));
    EXPECT_FALSE(result.dateRolledOver);
    EXPECT_EQ(result.outcome, TArmOutcome::Overdue);
    EXPECT_EQ(result.datePicker, At(2026, 12, 7, 11, 0));
}

TEST_F(ArmingTest, CountdownTargetIsNowPlusTheMinutesAndReArmingStartsAgain) {
    EXPECT_NEAR(Arm(Countdown(30)).FTarget, At(2026, 12, 8, 10, 30), 1e-9);
    TArmRequest later = Countdown(30);
    later.now = At(2026, 12, 8, 10, 10);
    const TArmResult result = Arm(later);
    EXPECT_NEAR(result.FTarget, At(2026, 12, 8, 10, 40), 1e-9);
    EXPECT_EQ(result.targetCaption, "Shutdown:12/8/2026 10:40:00 AM");
}

TEST_F(ArmingTest, ActionNamesAndAnUnknownNumberKeepingThePreviousName) {
    TArmRequest request = Countdown(30);
    request.task.FAction = 4;
    EXPECT_EQ(Arm(request).FActionName, "Forced Shutdown");
    request.task.FAction = 7;
    request.FActionName = "Restart";
    EXPECT_EQ(Arm(request).FActionName, "Restart");
    request.FActionName.clear();
    EXPECT_EQ(Arm(request).targetCaption, ":12/8/2026 10:30:00 AM");
}

TEST_F(ArmingTest, AMidnightTargetShowsTheDateOnlyInTheGermanFixture) {
    UseGermany();
    const TArmResult result = Arm(Appointed("09.12.2026", "00:00:00"));
    EXPECT_EQ(result.targetCaption, "Shutdown:09.12.2026");
}

TEST_F(ArmingTest, BrokenTextsRaiseTheConversionError) {
    EXPECT_THROW(Arm(Appointed("12/8/2026", "later")), EConvertError);
}

TEST_F(ArmingTest, ACancelledAppointedTimeComesBackOnTheNextDayStillAhead) {
    const TDateTime target = At(2026, 12, 8, 10, 0, 20);
    EXPECT_DOUBLE_EQ(NextAppointedOccurrence(target, now), At(2026, 12, 9, 10, 0, 20));
    // Cancelled after the target (a warning raised late) or days later.
    EXPECT_DOUBLE_EQ(NextAppointedOccurrence(target, target + 0.5), At(2026, 12, 9, 10, 0, 20));
    EXPECT_DOUBLE_EQ(NextAppointedOccurrence(target, At(2026, 12, 11, 9, 0)), At(2026, 12, 11, 10, 0, 20));
    EXPECT_DOUBLE_EQ(NextAppointedOccurrence(target, At(2026, 12, 11, 11, 0)), At(2026, 12, 12, 10, 0, 20));
}

TEST(TaskLooks, IdleAndArmedLooks) {
    const TTaskLook idle = LookOf(TTaskState::Idle);
    const TTaskLook armed = LookOf(TTaskState::Armed);
    EXPECT_TRUE(idle.optionsVisible && idle.settingsEnabled && idle.startVisible);
    EXPECT_FALSE(idle.stopVisible || idle.infoVisible);
    EXPECT_FALSE(armed.optionsVisible || armed.settingsEnabled || armed.startVisible);
    EXPECT_TRUE(armed.stopVisible && armed.infoVisible);
    EXPECT_EQ(LookOf(TTaskState::Fired).stopVisible, true);
    EXPECT_EQ(TIdleTexts{}.statusCaption, "No task");
    EXPECT_EQ(TIdleTexts{}.trayHint, "Vesperon (Timer)");
}
