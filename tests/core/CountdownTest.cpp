#include "core/Countdown.h"

#include "CoreTestPlatform.h"

using namespace core;

namespace {
constexpr double kSecond = 1.0 / 86400;
}

using CountdownTick = CoreTest;

TEST_F(CountdownTick, CaptionShowsWholeHoursMinutesAndSeconds) {
    EXPECT_EQ(CountdownOf(now, now + 90 * 60 * kSecond, "Shutdown").caption,
              "Will be Shutdown: 1 hours 30 minutes 0 seconds");
    EXPECT_EQ(CountdownOf(now, now + 5399.6 * kSecond, "Shutdown").caption,
              "Will be Shutdown: 1 hours 29 minutes 59 seconds");
}

TEST_F(CountdownTick, TooltipIsTheTitleACarriageReturnAndTheCaption) {
    const TCountdown countdown = CountdownOf(now, now + 61.5 * kSecond, "Stand By");
    EXPECT_EQ(countdown.hint, "Vesperon (Timer)\rWill be Stand By: 0 hours 1 minutes 1 seconds");
    EXPECT_EQ(countdown.hint.find('\n'), std::string::npos);
}

TEST_F(CountdownTick, AfterTheTargetTheNumbersCountUp) {
    const TDateTime target = now - 600 * kSecond;
    EXPECT_EQ(CountdownOf(now, target, "Restart").caption, "Will be Restart: 0 hours 10 minutes 0 seconds");
    EXPECT_EQ(CountdownOf(now + 2.5 * kSecond, target, "Restart").St, 602);
}

TEST_F(CountdownTick, SpansAreTruncatedNeverRounded) {
    const TSpan span = SpanBetween(now, now + 59.999 * kSecond);
    EXPECT_EQ(span.seconds, 59);
    EXPECT_EQ(span.minutes, 0);
    EXPECT_EQ(SpanBetween(now + 3 * kSecond, now).seconds, SpanBetween(now, now + 3 * kSecond).seconds);
}

TEST_F(CountdownTick, WarningTakesOverAtThirtySecondsOrLessOrAtAnyTickPastTheTarget) {
    const TDateTime target = now + 60 * kSecond;
    const auto actionAt = [target](TDateTime tick, TTaskState state = TTaskState::Armed) {
        return TickActionOf(tick, target, CountdownOf(tick, target, "").St, true, state);
    };
    EXPECT_EQ(actionAt(target - 31.5 * kSecond), TTickAction::None);
    EXPECT_EQ(actionAt(target - 30.5 * kSecond), TTickAction::HandOver);
    EXPECT_EQ(actionAt(target), TTickAction::HandOver);
    EXPECT_EQ(actionAt(target + 3600 * kSecond), TTickAction::HandOver);
    EXPECT_EQ(actionAt(target, TTaskState::Warning), TTickAction::None);
}

TEST_F(CountdownTick, WithoutTheWarningTheFirstTickAtOrAfterTheTargetFiresHoweverLate) {
    const TDateTime target = now;
    const auto actionAt = [target](TDateTime tick, TTaskState state = TTaskState::Armed) {
        return TickActionOf(tick, target, CountdownOf(tick, target, "").St, false, state);
    };
    EXPECT_EQ(actionAt(target - 0.5 * kSecond), TTickAction::None);
    EXPECT_EQ(actionAt(target), TTickAction::Fire);
    EXPECT_EQ(actionAt(target + 600 * kSecond), TTickAction::Fire);
    EXPECT_EQ(actionAt(target + 1 * kSecond, TTaskState::Fired), TTickAction::None);
    EXPECT_EQ(actionAt(target, TTaskState::Idle), TTickAction::None);
}

TEST_F(CountdownTick, TheWarningCountsTheSecondsLeftOrTheFullThirtyAfterTheTarget) {
    const TDateTime target = now + 10 * kSecond;
    const std::int32_t count = WarningCount(now + 0.3 * kSecond, target);
    EXPECT_TRUE(count == 9 || count == 10) << count;
    EXPECT_EQ(WarningCount(target - 0.4 * kSecond, target), 0);
    EXPECT_EQ(WarningCount(target, target), 30);
    EXPECT_EQ(WarningCount(target + 600 * kSecond, target), 30);
}
