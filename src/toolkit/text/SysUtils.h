// Errors, regional format settings and small string helpers shared by the toolkit.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

// Base of every error the toolkit raises; Message() is the text the default error report shows.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A text that is not a number, date or time in the current formats.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// The regional formats in the toolkit's pattern language, with the English month and day names
// the program shows.
struct TFormatSettings {
    std::string ShortDateFormat = "m/d/yyyy";
    std::string LongTimeFormat = "h:nn:ss AMPM";
    std::string ShortTimeFormat = "h:nn AMPM";
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    // Two-digit years read by StrToDate fall into the 100 years that end this many years after
    // the current one.
    int TwoDigitYearCenturyWindow = 50;
};

extern const char* const ShortMonthNames[12];
extern const char* const LongMonthNames[12];
extern const char* const ShortDayNames[7]; // Sunday first
extern const char* const LongDayNames[7];

// The formats of the installed platform locale (the fixed defaults above when none is installed).
TFormatSettings FormatSettings();

// The long time format without its seconds field, used as the short time format.
std::string ShortTimeFromLongTime(std::string_view longTimeFormat);

// Replaces each "%s" in the template with the argument (the error texts use this).
std::string FormatMessage(std::string_view pattern, std::string_view argument);

std::string Trim(std::string_view text);
std::string IntToStr(std::int64_t value);
// Decimal text with an optional sign, surrounding blanks allowed; the default otherwise,
// also when the number does not fit into 32 bits.
std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue);
