#include "DateTestPlatform.h"

#include <array>
#include <cmath>
#include <limits>

using DateArithmetic = DatePlatformTest;

TEST_F(DateArithmetic, DayZeroIsTheLastDaysOf1899) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 3, 1), 36586.0);
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 8)), 3); // a Tuesday
}

TEST_F(DateArithmetic, DecodingRoundTripsEveryDayAcrossLeapYears) {
    for (TDateTime day = EncodeDate(1999, 12, 1); day < EncodeDate(2101, 3, 1); day += 1) {
        int year = 0;
        int month = 0;
        int dayOfMonth = 0;
        DecodeDate(day, year, month, dayOfMonth);
        ASSERT_EQ(EncodeDate(year, month, dayOfMonth), day);
    }
}

TEST_F(DateArithmetic, NegativeValuesCountDaysTowardZeroAndTimeFromTheFraction) {
    int year = 0, month = 0, day = 0, hour = 0, min = 0, sec = 0, msec = 0;
    DecodeDate(-1.25, year, month, day);
    DecodeTime(-1.25, hour, min, sec, msec);
    EXPECT_EQ((std::array{year, month, day, hour}), (std::array{1899, 12, 29, 6}));
    EXPECT_EQ(Trunc(-1.25), -1);
    EXPECT_EQ(Frac(-1.25), -0.25);
    EXPECT_EQ(ReplaceTime(-1.75, 0.25), -1.25);
    EXPECT_EQ(ReplaceTime(46364.9, 0.25), 46364.25);
    EXPECT_EQ(ReplaceDate(46364.25, 46000.9), 46000.25);
}

TEST_F(DateArithmetic, TimeRoundsToTheMillisecondAndMayReachTheNextDay) {
    int year = 0, month = 0, day = 0, hour = 0, min = 0, sec = 0, msec = 0;
    const TDateTime almostMidnight = EncodeDate(2026, 12, 8) + (MSecsPerDay - 0.4) / MSecsPerDay;
    DecodeDate(almostMidnight, year, month, day);
    DecodeTime(almostMidnight, hour, min, sec, msec);
    EXPECT_EQ((std::array{day, hour, min, sec, msec}), (std::array{9, 0, 0, 0, 0}));
}

TEST_F(DateArithmetic, InvalidPartsAndValuesRaiseConversionErrors) {
    EXPECT_THROW(EncodeDate(2026, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    int year = 0, month = 0, day = 0;
    EXPECT_THROW(DecodeDate(std::numeric_limits<double>::quiet_NaN(), year, month, day), EConvertError);
    EXPECT_THROW(DecodeDate(3e6, year, month, day), EConvertError);
    EXPECT_THROW(FormatDateTime("c", -1e9), EConvertError);
    EXPECT_THROW(Trunc(1e300), EConvertError);
}

TEST_F(DateArithmetic, ClockFunctionsReadTheInstalledClock) {
    clock.Advance(90 * 60 * 1000);
    EXPECT_EQ(Date(), EncodeDate(2026, 12, 8));
    EXPECT_NEAR(Time(), EncodeTime(11, 30, 0, 0), 1e-9);
    EXPECT_NEAR(Now(), At(2026, 12, 8, 11, 30), 1e-9);
}

using DateFormatting = DatePlatformTest;

TEST_F(DateFormatting, LocaleFormsOfTheUnitedStatesFixture) {
    const TDateTime value = At(2026, 12, 8, 22, 5, 3);
    EXPECT_EQ(DateToStr(value), "12/8/2026");
    EXPECT_EQ(TimeToStr(value), "10:05:03 PM");
    EXPECT_EQ(DateTimeToStr(value), "12/8/2026 10:05:03 PM");
    EXPECT_EQ(TimeToStr(At(2026, 12, 8, 0, 0, 1)), "12:00:01 AM");
    EXPECT_EQ(FormatDateTime("t", value), "10:05 PM");
}

TEST_F(DateFormatting, LocaleFormsOfTheGermanFixture) {
    locale.SetFormats(platform::headless::HeadlessLocale::Germany());
    const TDateTime value = At(2026, 3, 7, 8, 5, 3);
    EXPECT_EQ(DateToStr(value), "07.03.2026");
    EXPECT_EQ(TimeToStr(value), "08:05:03");
    EXPECT_EQ(DateTimeToStr(value), "07.03.2026 08:05:03");
}

TEST_F(DateFormatting, DateTimeTextLeavesOutTheTimeOnlyAtExactMidnight) {
    EXPECT_EQ(DateTimeToStr(At(2026, 12, 9)), "12/9/2026");
    EXPECT_EQ(DateTimeToStr(At(2026, 12, 9, 0, 0, 0, 1)), "12/9/2026 12:00:00 AM");
}

TEST_F(DateFormatting, ClassicPatterns) {
    const TDateTime value = At(2026, 3, 7, 14, 5, 9, 45); // a Saturday
    EXPECT_EQ(FormatDateTime("d dd ddd dddd", value), "7 07 Sat Saturday");
    EXPECT_EQ(FormatDateTime("m mm mmm mmmm", value), "3 03 Mar March");
    EXPECT_EQ(FormatDateTime("yy yyyy", value), "26 2026");
    EXPECT_EQ(FormatDateTime("h hh n nn s ss z zzz", value), "14 14 5 05 9 09 45 045");
    EXPECT_EQ(FormatDateTime("h:mm", value), "14:05"); // m right after an hour is the minute
    EXPECT_EQ(FormatDateTime("h am/pm|H A/P|hh AMPM", value), "2 pm|2 P|02 PM");
    EXPECT_EQ(FormatDateTime("\"day\" d 'of' mmmm", value), "day 7 of March");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn", value, Germany()), "2026.03.07 14:05");
    EXPECT_EQ(FormatDateTime("ddddd tt", value), "3/7/2026 2:05:09 PM");
}

TEST_F(DateFormatting, SelfNamingRegionalFormatsStopExpanding) {
    TFormatSettings formats = UnitedStates();
    formats.ShortDateFormat = "c ddddd";
    EXPECT_NO_THROW(FormatDateTime("c", At(2026, 3, 7), formats));
}

using DateReading = DatePlatformTest;

TEST_F(DateReading, DatesInBothFixtures) {
    EXPECT_EQ(StrToDate("12/8/2026"), EncodeDate(2026, 12, 8));
    EXPECT_EQ(StrToDate(" 1/02/2027 "), EncodeDate(2027, 1, 2));
    EXPECT_EQ(StrToDate("08.12.2026", Germany()), EncodeDate(2026, 12, 8));
    EXPECT_EQ(StrToDate("8.12", Germany()), EncodeDate(2026, 12, 8)); // year left out
}

TEST_F(DateReading, TwoDigitYearsFallIntoTheCenturyWindow) {
    EXPECT_EQ(StrToDate("1/1/30"), EncodeDate(2030, 1, 1));
    EXPECT_EQ(StrToDate("1/1/77"), EncodeDate(1977, 1, 1));
}

TEST_F(DateReading, TimesWithAndWithoutAmPm) {
    EXPECT_EQ(StrToTime("10:05:03 PM"), EncodeTime(22, 5, 3, 0));
    EXPECT_EQ(StrToTime("12:00:00 am"), 0.0);
    EXPECT_EQ(StrToTime("PM 1:30"), EncodeTime(13, 30, 0, 0));
    EXPECT_EQ(StrToTime("22:05:03", Germany()), EncodeTime(22, 5, 3, 0));
    EXPECT_EQ(StrToTime("7"), EncodeTime(7, 0, 0, 0));
}

TEST_F(DateReading, BadTextsRaiseTheConversionErrorsWithTheText) {
    const auto dateError = [](const char* text, const TFormatSettings& formats) {
        try {
            StrToDate(text, formats);
        } catch (const EConvertError& error) {
            return error.Message();
        }
        return std::string("no error");
    };
    EXPECT_EQ(dateError("13/45/2026", UnitedStates()), "'13/45/2026' is not a valid date");
    EXPECT_EQ(dateError("", UnitedStates()), "'' is not a valid date");
    EXPECT_EQ(dateError("12/8/2026", Germany()), "'12/8/2026' is not a valid date");
    EXPECT_EQ(dateError("2/29/2027", UnitedStates()), "'2/29/2027' is not a valid date");
    EXPECT_EQ(dateError("1/1/20260", UnitedStates()), "'1/1/20260' is not a valid date");
    EXPECT_THROW(StrToTime("13:00 PM"), EConvertError);
    EXPECT_THROW(StrToTime("0:10 AM"), EConvertError);
    EXPECT_THROW(StrToTime("10:60:00"), EConvertError);
    EXPECT_THROW(StrToTime("24:00:00", Germany()), EConvertError);
    EXPECT_THROW(StrToTime("10.05.03", Germany()), EConvertError);
    try {
        StrToTime("noon");
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'noon' is not a valid time");
    }
}

TEST_F(DateReading, EveryWrittenDateAndTimeReadsBackInBothFixtures) {
    for (const TFormatSettings& formats : {UnitedStates(), Germany()}) {
        for (TDateTime value = At(2024, 1, 1, 0, 0, 1); value < At(2027, 1, 1); value += 0.7654321) {
            const TDateTime day = std::trunc(value);
            const TDateTime time = StrToTime(TimeToStr(value, formats), formats);
            ASSERT_EQ(StrToDate(DateToStr(value, formats), formats), day);
            ASSERT_EQ(TimeToStr(time, formats), TimeToStr(value, formats));
        }
    }
}
