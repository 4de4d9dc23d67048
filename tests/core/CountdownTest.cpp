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
    EXPECT_FALSE(FiringDue(now, target));
}

TEST_F(CountdownTick, SpansAreTruncatedNeverRounded) {
    const TSpan span = SpanBetween(now, now + 59.999 * kSecond);
    EXPECT_EQ(span.seconds, 59);
    EXPECT_EQ(span.minutes, 0);
    EXPECT_EQ(SpanBetween(now + 3 * kSecond, now).seconds, SpanBetween(now, now + 3 * kSecond).seconds);
}

TEST_F(CountdownTick, WarningTakesOverAtThirtySecondsOrLessWhenOn) {
    EXPECT_FALSE(WarningDue(true, 31));
    EXPECT_TRUE(WarningDue(true, 30));
    EXPECT_TRUE(WarningDue(true, 0));
    EXPECT_FALSE(WarningDue(false, 10));
    const TDateTime target = now + 10 * kSecond;
    const std::int32_t count = WarningCount(now + 0.3 * kSecond, target);
    EXPECT_TRUE(count == 9 || count == 10) << count;
}

TEST_F(CountdownTick, FiringWindowIsTheFirstFiveSecondsFromTheTarget) {
    const TDateTime target = now;
    EXPECT_FALSE(FiringDue(target - 0.5 * kSecond, target));
    EXPECT_TRUE(FiringDue(target, target));
    EXPECT_TRUE(FiringDue(target + 4.9 * kSecond, target));
    EXPECT_FALSE(FiringDue(target + 5.01 * kSecond, target));
}

TEST_F(CountdownTick, TicksOnTheVirtualClockFireUpToFiveTimesInARow) {
    const TDateTime target = clock.Now() + 3.5 * kSecond;
    int requests = 0;
    for (int tick = 0; tick < 12; ++tick) {
        clock.Advance(1000);
        requests += FiringDue(clock.Now(), target) ? 1 : 0;
    }
    EXPECT_EQ(requests, 5);
}
