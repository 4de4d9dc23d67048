#include "core/WhenText.h"

#include "CoreTestPlatform.h"
#include "core/TaskCommands.h"

#include <string>
#include <vector>

using namespace core;

namespace {

constexpr double kSecond = 1.0 / 86400;

struct GoodWhen {
    std::string text;
    TWhenKind kind;
    std::int32_t minutes; // Countdown
    TDateTime time;       // TimeOfDay, Moment
};

} // namespace

class WhenText : public CoreTest {
protected:
    // The target the text names, seen from the headless clock's reading.
    TDateTime TargetFor(const std::string& text) {
        const TWhenParse parse = ParseWhen(text);
        EXPECT_TRUE(parse.when.has_value()) << text << ": " << parse.error;
        return parse.when ? MomentOf(*parse.when, clock.Now()) : 0;
    }
};

TEST_F(WhenText, EveryFormReadsAsItsKind) {
    const std::vector<GoodWhen> good = {
        {"now", TWhenKind::Now, 0, 0},
        {"NOW", TWhenKind::Now, 0, 0},
        {"+1", TWhenKind::Countdown, 1, 0},
        {"+10000", TWhenKind::Countdown, 10000, 0},
        {"+007", TWhenKind::Countdown, 7, 0},
        {"45m", TWhenKind::Countdown, 45, 0},
        {"45M", TWhenKind::Countdown, 45, 0},
        {"1h30m", TWhenKind::Countdown, 90, 0},
        {"2h", TWhenKind::Countdown, 120, 0},
        {"0h5m", TWhenKind::Countdown, 5, 0},
        {"166h40m", TWhenKind::Countdown, 10000, 0},
        {"18:00", TWhenKind::TimeOfDay, 0, EncodeTime(18, 0, 0, 0)},
        {"7:05:09", TWhenKind::TimeOfDay, 0, EncodeTime(7, 5, 9, 0)},
        {"00:00:00", TWhenKind::TimeOfDay, 0, 0},
        {"2026-12-24 18:00", TWhenKind::Moment, 0, At(2026, 12, 24, 18, 0, 0)},
        {"2026-12-24 18:00:30", TWhenKind::Moment, 0, At(2026, 12, 24, 18, 0, 30)},
        {"2028-02-29T23:59:59", TWhenKind::Moment, 0, At(2028, 2, 29, 23, 59, 59)},
        {"2027-1-2 3:04", TWhenKind::Moment, 0, At(2027, 1, 2, 3, 4, 0)},
    };
    for (const GoodWhen& expected : good) {
        const TWhenParse parse = ParseWhen(expected.text);
        ASSERT_TRUE(parse.when.has_value()) << expected.text << ": " << parse.error;
        EXPECT_EQ(parse.when->kind, expected.kind) << expected.text;
        EXPECT_EQ(parse.when->minutes, expected.minutes) << expected.text;
        EXPECT_NEAR(parse.when->time, expected.time, 0.001 * kSecond) << expected.text;
    }
}

TEST_F(WhenText, AnythingElseIsOneLineSayingWhatIsWrong) {
    const std::vector<std::string> bad = {"",
                                          "later",
                                          "no",
                                          "now ",
                                          " now",
                                          "+",
                                          "+0",
                                          "+10001",
                                          "+-5",
                                          "+5m",
                                          "-5",
                                          "5",
                                          "0m",
                                          "10001m",
                                          "5 m",
                                          "1h60m",
                                          "1h30",
                                          "h30m",
                                          "1h30m5s",
                                          "167h",
                                          "24:00",
                                          "12:60",
                                          "12:5",
                                          "123:00",
                                          "12:00:60",
                                          "12:00:",
                                          "12::00",
                                          "1200",
                                          "18:00Z",
                                          "18:00+01:00",
                                          "18:00 UTC",
                                          "2026-12-24",
                                          "2026-02-30 10:00",
                                          "2026-13-01 10:00",
                                          "2026-12-24  18:00",
                                          "2026-12-24T18:00:00Z",
                                          "26-12-24 18:00",
                                          "2026/12/24 18:00",
                                          "99999999999m",
                                          "+99999999999",
                                          "18:00\n",
                                          "\tnow"};
    for (const std::string& text : bad) {
        const TWhenParse parse = ParseWhen(text);
        EXPECT_FALSE(parse.when.has_value()) << text;
        EXPECT_FALSE(parse.error.empty()) << text;
        EXPECT_EQ(parse.error.find_first_of("\n\r\t"), std::string::npos) << text;
    }
    EXPECT_EQ(ParseWhen("25:00").error,
              "invalid time \"25:00\": use now, +M, Mm, HhMm, HH:MM[:SS] or \"YYYY-MM-DD HH:MM[:SS]\"");
    EXPECT_EQ(ParseWhen("+0").error, "invalid time \"+0\": a countdown is 1 to 10000 minutes");
    EXPECT_EQ(ParseWhen("2026-02-30 10:00").error,
              "invalid time \"2026-02-30 10:00\": there is no such date");
}

TEST_F(WhenText, ATimeOfDayIsTodayWhileItIsStillAhead) {
    EXPECT_DOUBLE_EQ(TargetFor("18:00"), At(2026, 12, 8, 18, 0, 0));
    EXPECT_DOUBLE_EQ(TargetFor("10:00:01"), At(2026, 12, 8, 10, 0, 1));
}

TEST_F(WhenText, ATimeOfDayThatHasComeIsTomorrows) {
    EXPECT_DOUBLE_EQ(TargetFor("9:59:59"), At(2026, 12, 9, 9, 59, 59));
    // The very second of the clock reading is no longer ahead of it.
    clock.SetNow(At(2026, 12, 8, 10, 0, 0, 500));
    EXPECT_DOUBLE_EQ(TargetFor("10:00"), At(2026, 12, 9, 10, 0, 0));
}

TEST_F(WhenText, TomorrowCrossesTheEndsOfMonthAndYear) {
    clock.SetNow(At(2026, 12, 31, 23, 59, 30));
    EXPECT_DOUBLE_EQ(TargetFor("00:00:10"), At(2027, 1, 1, 0, 0, 10));
    clock.SetNow(At(2028, 2, 28, 22, 0, 0));
    EXPECT_DOUBLE_EQ(TargetFor("21:00"), At(2028, 2, 29, 21, 0, 0));
}

TEST_F(WhenText, TimesAreTheClocksLocalTime) {
    // The same wall-clock reading gives the same target wherever the machine is; a clock moved to
    // another time zone (an hour later) finds the time of day passed and takes tomorrow's.
    clock.SetNow(At(2026, 12, 8, 17, 30, 0));
    EXPECT_DOUBLE_EQ(TargetFor("18:00"), At(2026, 12, 8, 18, 0, 0));
    clock.SetNow(At(2026, 12, 8, 18, 30, 0));
    EXPECT_DOUBLE_EQ(TargetFor("18:00"), At(2026, 12, 9, 18, 0, 0));
    // A date and time is taken as it is, also when it has passed: arming refuses it then.
    EXPECT_DOUBLE_EQ(TargetFor("2026-12-08 18:00"), At(2026, 12, 8, 18, 0, 0));
}

TEST_F(WhenText, ActionsAreNamedAsOnTheCommandLine) {
    EXPECT_EQ(ActionOfCommandName("shutdown"), 1);
    EXPECT_EQ(ActionOfCommandName("force-shutdown"), 4);
    EXPECT_EQ(ActionOfCommandName("hibernate"), 6);
    EXPECT_EQ(ActionOfCommandName("Shutdown"), std::nullopt);
    EXPECT_EQ(ActionOfCommandName("dormancy"), std::nullopt);
}

TEST_F(WhenText, TheStatusLineShowsTheTargetAndTheTimeLeftAsTheCountdownDoes) {
    const TDateTime target = At(2026, 12, 24, 18, 0, 0);
    EXPECT_EQ(TaskStatusLine("Shutdown", target, target - (2 * 3600 + 14 * 60 + 5.4) * kSecond),
              "Shutdown at 2026-12-24 18:00:00, in 2:14:05");
    EXPECT_EQ(TaskStatusLine("Forced Shutdown", target, target - (400 * 3600 + 0.5) * kSecond),
              "Forced Shutdown at 2026-12-24 18:00:00, in 400:00:00");
    EXPECT_EQ(TaskStatusLine("Stand By", target, target + 12.5 * kSecond),
              "Stand By at 2026-12-24 18:00:00, 0:00:12 ago");
}
