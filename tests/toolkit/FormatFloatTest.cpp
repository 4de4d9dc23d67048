// FormatFloat: sections, digit places, grouping, quotes, exponents, rounding, the length
// limit, the general number form and the locale's separators.
#include "toolkit/text/FormatFloat.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TFormatSettings UnitedStates() {
    return TFormatSettings{};
}

TFormatSettings Germany() {
    TFormatSettings settings;
    settings.DecimalSeparator = ',';
    settings.ThousandSeparator = '.';
    return settings;
}

std::string Format(const std::string& format, Extended value) {
    return FormatFloat(format, value, UnitedStates());
}

} // namespace

TEST(FormatFloatDefaultFormat, GroupsThousandsAndPutsNegativesInParentheses) {
    EXPECT_EQ(Format(",0;(,0)", 0), "0");
    EXPECT_EQ(Format(",0;(,0)", 1234), "1,234");
    EXPECT_EQ(Format(",0;(,0)", 10000), "10,000");
    EXPECT_EQ(Format(",0;(,0)", -1234), "(1,234)");
    EXPECT_EQ(Format(",0;(,0)", -5), "(5)");
    EXPECT_EQ(Format(",0;(,0)", 1234567890), "1,234,567,890");
    EXPECT_EQ(Format(",0;(,0)", 999), "999");
}

TEST(FormatFloatDefaultFormat, RoundsToWholeNumbersAndTreatsRoundedZeroAsZero) {
    EXPECT_EQ(Format(",0;(,0)", 2.5), "3");
    EXPECT_EQ(Format(",0;(,0)", 1234.4), "1,234");
    EXPECT_EQ(Format(",0;(,0)", -0.4), "0");
    EXPECT_EQ(Format(",0;(,0)", 999.5), "1,000");
}

TEST(FormatFloatSections, ChoosesBySignAndFallsBackToTheFirst) {
    EXPECT_EQ(Format("0;0-;'zero'", 5), "5");
    EXPECT_EQ(Format("0;0-;'zero'", -5), "5-");
    EXPECT_EQ(Format("0;0-;'zero'", 0), "zero");
    EXPECT_EQ(Format("0;0-;'zero'", 0.2), "zero");
    // A missing or empty negative section: the first one with a leading minus.
    EXPECT_EQ(Format("0.0", -2.25), "-2.3");
    EXPECT_EQ(Format("$0;;", -7), "-$7");
    // An empty zero section: the first one.
    EXPECT_EQ(Format("0.00;(0.00);", 0), "0.00");
    // A ";" inside quotes does not split.
    EXPECT_EQ(Format("0' a;b'", 3), "3 a;b");
}

TEST(FormatFloatDigitPlaces, ZeroAlwaysShowsHashOnlyWhenSignificant) {
    EXPECT_EQ(Format("000", 5), "005");
    EXPECT_EQ(Format("#", 0), "");
    EXPECT_EQ(Format("#.##", 0.5), ".5");
    EXPECT_EQ(Format("0.##", 1), "1");
    EXPECT_EQ(Format("0.##", 1.256), "1.26");
    EXPECT_EQ(Format("0.00", 1.2), "1.20");
    EXPECT_EQ(Format("0.0#", 1.2), "1.2");
    EXPECT_EQ(Format("#,##0.00", 1234567.891), "1,234,567.89");
    EXPECT_EQ(Format(".00", 12.5), "12.50");
}

TEST(FormatFloatDigitPlaces, ExtraIntegerDigitsGoBeforeTheFirstPlaceAndLiteralsStay) {
    EXPECT_EQ(Format("00-00", 1234), "12-34");
    EXPECT_EQ(Format("00-00", 123456), "1234-56");
    EXPECT_EQ(Format("\"Total: \"0 'min'", 30), "Total: 30 min");
    EXPECT_EQ(Format("0 x", 4), "4 x");
}

TEST(FormatFloatRounding, HalvesGoAwayFromZeroOnTheDecimalDigits) {
    EXPECT_EQ(Format("0", 0.5), "1");
    EXPECT_EQ(Format("0", 1.5), "2");
    EXPECT_EQ(Format("0.0", 0.25), "0.3");
    EXPECT_EQ(Format("0.0", -0.25), "-0.3");
    EXPECT_EQ(Format("0.0", 9.96), "10.0");
    // 9.995 is a little less in binary, and the digits are read before rounding.
    EXPECT_EQ(Format("0.00", 9.995), "9.99");
}

TEST(FormatFloatExponents, WriteSignAndLeastDigits) {
    EXPECT_EQ(Format("0.00E+00", 1234), "1.23E+03");
    EXPECT_EQ(Format("0.00E+00", 0.000123), "1.23E-04");
    EXPECT_EQ(Format("0.00E-00", 1234), "1.23E03");
    EXPECT_EQ(Format("0.00e-0", 0.5), "5.00e-1");
    EXPECT_EQ(Format("00.0E+0", 1234), "12.3E+2");
    EXPECT_EQ(Format("0.00E+00", 0), "0.00E+00");
    EXPECT_EQ(Format("0.0E+0", 9.96), "1.0E+1");
    // A letter without a sign is copied.
    EXPECT_EQ(Format("0E", 5), "5E");
}

TEST(FormatFloatLimits, RefusesFormatsLongerThan224Characters) {
    const std::string longest = "0" + std::string(223, 'x');
    EXPECT_EQ(Format(longest, 1).size(), 224u);
    try {
        Format(longest + "x", 1);
        FAIL() << "a 225-character format was accepted";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "Format string too long");
    }
}

TEST(FormatFloatLimits, MoreThan18IntegerDigitsFallBackToTheGeneralForm) {
    EXPECT_EQ(Format(",0", 1e17), "100,000,000,000,000,000");
    EXPECT_EQ(Format(",0", 999999999999999999.0L), "999,999,999,999,999,999");
    EXPECT_EQ(Format(",0", 1e19), "1E19");
    EXPECT_EQ(Format(",0;(,0)", -2.5e20), "-2.5E20");
}

TEST(FormatFloatGeneralForm, EmptyFormatsUseFifteenSignificantDigits) {
    EXPECT_EQ(Format("", 1234.5), "1234.5");
    EXPECT_EQ(Format("", -0.00001), "-0.00001");
    EXPECT_EQ(Format("", 0.000001), "1E-6");
    EXPECT_EQ(Format("", 1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(Format(";0", 0), "0");
    EXPECT_EQ(Format("", 1e14), "100000000000000");
    EXPECT_EQ(Format("", 1e15), "1E15");
    EXPECT_EQ(Format("", 1234.5e-10), "1.2345E-7");
}

TEST(FormatFloatGeneralForm, NonFiniteValuesAreNamed) {
    EXPECT_EQ(Format(",0", std::numeric_limits<Extended>::infinity()), "INF");
    EXPECT_EQ(Format(",0", -std::numeric_limits<Extended>::infinity()), "-INF");
    EXPECT_EQ(Format(",0", std::numeric_limits<Extended>::quiet_NaN()), "NAN");
}

TEST(FormatFloatLocale, UsesTheLocaleSeparators) {
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5, Germany()), "1.234,50");
    EXPECT_EQ(FormatFloat(",0;(,0)", -10000, Germany()), "(10.000)");
    EXPECT_EQ(FloatToStrGeneral(0.5, 15, Germany()), "0,5");
}
