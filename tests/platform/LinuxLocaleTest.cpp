#include "platform/linuxdesktop/LinuxLocale.h"

#include <gtest/gtest.h>

using platform::linuxdesktop::ConvertLangInfo;
using platform::linuxdesktop::TLangInfo;

namespace {

TLangInfo Info(std::string date, std::string time, std::string am = "AM", std::string pm = "PM") {
    TLangInfo info;
    info.dateFormat = std::move(date);
    info.timeFormat = std::move(time);
    info.timeAmPmFormat = "%I:%M:%S %p";
    info.am = std::move(am);
    info.pm = std::move(pm);
    info.radix = ".";
    info.thousands = ",";
    return info;
}

} // namespace

TEST(LocaleConversion, TheCLocaleGivesNumericFourDigitYearsAnd24Hours) {
    const platform::LocaleFormats formats = ConvertLangInfo(Info("%m/%d/%y", "%H:%M:%S"));
    EXPECT_EQ(formats.shortDateFormat, "mm/dd/yyyy");
    EXPECT_EQ(formats.longTimeFormat, "hh:nn:ss");
    EXPECT_EQ(formats.dateSeparator, '/');
    EXPECT_EQ(formats.timeSeparator, ':');
}

TEST(LocaleConversion, UnitedStatesUsesTheTwelveHourClock) {
    const platform::LocaleFormats formats = ConvertLangInfo(Info("%m/%d/%Y", "%r"));
    EXPECT_EQ(formats.longTimeFormat, "hh:nn:ss AMPM");
    EXPECT_EQ(formats.timeAMString, "AM");
}

TEST(LocaleConversion, GermanyKeepsItsOrderAndSeparators) {
    TLangInfo info = Info("%d.%m.%Y", "%T", "", "");
    info.radix = ",";
    info.thousands = ".";
    const platform::LocaleFormats formats = ConvertLangInfo(info);
    EXPECT_EQ(formats.shortDateFormat, "dd.mm.yyyy");
    EXPECT_EQ(formats.dateSeparator, '.');
    EXPECT_EQ(formats.longTimeFormat, "hh:nn:ss");
    EXPECT_EQ(formats.decimalSeparator, ',');
    EXPECT_EQ(formats.thousandSeparator, '.');
}

TEST(LocaleConversion, LettersAndWordsBetweenFieldsAreReplacedByOneSeparator) {
    // Year-month-day with words between the fields, and AM/PM before the clock.
    const platform::LocaleFormats formats = ConvertLangInfo(Info(
        "%Y\xEB\x85\x84 %m\xEC\x9B\x94 %d\xEC\x9D\xBC", "%p %I\xEC\x8B\x9C %M\xEB\xB6\x84 %S\xEC\xB4\x88",
        "\xEC\x98\xA4\xEC\xA0\x84", "\xEC\x98\xA4\xED\x9B\x84"));
    EXPECT_EQ(formats.shortDateFormat, "yyyy/mm/dd");
    EXPECT_EQ(formats.longTimeFormat, "AMPM hh:nn:ss");
}

TEST(LocaleConversion, IncompleteFormatsFallBackToFullNumericOnes) {
    const platform::LocaleFormats formats = ConvertLangInfo(Info("%b %e", "%H:%M", "", ""));
    EXPECT_EQ(formats.shortDateFormat, "mm/dd/yyyy");
    EXPECT_EQ(formats.longTimeFormat, "hh:nn:ss");
}

TEST(LocaleConversion, TwelveHoursWithoutAmPmStringsUseTheEnglishOnes) {
    const platform::LocaleFormats formats = ConvertLangInfo(Info("%d/%m/%Y", "%I:%M:%S %p", "", ""));
    EXPECT_EQ(formats.timeAMString, "AM");
    EXPECT_EQ(formats.timePMString, "PM");
}

TEST(LocaleConversion, MultiByteAndMissingSeparatorsOfNumbers) {
    TLangInfo info = Info("%d/%m/%Y", "%T");
    info.radix = ",";
    info.thousands = "\xE2\x80\xAF";
    EXPECT_EQ(ConvertLangInfo(info).thousandSeparator, ' ');
    info.thousands = "";
    info.radix = ".";
    EXPECT_EQ(ConvertLangInfo(info).thousandSeparator, ',');
}
