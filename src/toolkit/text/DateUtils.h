// Date-time values: days since 1899-12-30, the fraction being the time of day; their parts,
// the local clock and the text forms of the regional settings.
#pragma once

#include "toolkit/text/SysUtils.h"

#include <cstdint>
#include <string>
#include <string_view>

using TDateTime = double;

constexpr double HoursPerDay = 24;
constexpr double MinsPerDay = 1440;
constexpr double SecsPerDay = 86400;
constexpr double MSecsPerDay = 86400000;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Years 1..9999; the Try forms report an invalid part by returning false.
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);

// The whole part counts days (toward zero), the time of day is the absolute fraction rounded to
// the millisecond: -1.25 is 29 December 1899, 6:00. Values outside years 1..9999 raise
// EConvertError.
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec);
int DayOfWeek(TDateTime value); // 1 = Sunday .. 7 = Saturday

std::int64_t Trunc(double value); // toward zero
double Frac(double value);        // value - Trunc(value), keeps the sign
// The date with the time of another value, and the reverse; the time of day is added to a
// positive date and subtracted from a negative one, so the day stays the same.
TDateTime ReplaceTime(TDateTime dateTime, TDateTime newTime);
TDateTime ReplaceDate(TDateTime dateTime, TDateTime newDate);

// The local wall clock of the installed platform.
TDateTime Now();
TDateTime Date();
TDateTime Time();

std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& settings);
std::string FormatDateTime(std::string_view format, TDateTime value);

std::string DateToStr(TDateTime value, const TFormatSettings& settings);
std::string TimeToStr(TDateTime value, const TFormatSettings& settings);
std::string DateTimeToStr(TDateTime value, const TFormatSettings& settings);
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);
std::string DateTimeToStr(TDateTime value);

// Read text in the current formats. The date takes its field order from the short date format;
// without a year it is the current year, a two-digit year falls into the century window.
// Raise EConvertError "'%s' is not a valid date" / "'%s' is not a valid time".
bool TryStrToDate(std::string_view text, TDateTime& result, const TFormatSettings& settings);
bool TryStrToTime(std::string_view text, TDateTime& result, const TFormatSettings& settings);
TDateTime StrToDate(std::string_view text, const TFormatSettings& settings);
TDateTime StrToTime(std::string_view text, const TFormatSettings& settings);
TDateTime StrToDate(std::string_view text);
TDateTime StrToTime(std::string_view text);
