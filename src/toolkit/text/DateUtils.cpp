#include "toolkit/text/DateUtils.h"

#include "platform/Clock.h"
#include "platform/Platform.h"

#include <cmath>

namespace {

constexpr std::int64_t kMSecsPerDay = 86400000;
// Day numbers of 0001-01-01 and 9999-12-31 counted from 1899-12-30.
constexpr std::int64_t kFirstDay = -693593;
constexpr std::int64_t kLastDay = 2958465;

// Days from 1899-12-30 to the given proleptic Gregorian date.
std::int64_t DaysFromCivil(int year, int month, int day) {
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 25569;
}

void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
    const std::int64_t z = days - 25569 + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

struct TTimeStamp {
    std::int64_t days = 0; // from 1899-12-30
    std::int64_t msecs = 0;
};

// Rounds to the millisecond first, so 23:59:59.9996 becomes midnight of the next day.
TTimeStamp ToTimeStamp(TDateTime value) {
    if (!(value > double(kFirstDay - 1) && value < double(kLastDay + 1))) {
        throw EConvertError("Invalid date-time value");
    }
    const std::int64_t msecs = std::llround(value * MSecsPerDay);
    TTimeStamp stamp{msecs / kMSecsPerDay, std::abs(msecs) % kMSecsPerDay};
    if (stamp.days < kFirstDay || stamp.days > kLastDay) {
        throw EConvertError("Invalid date-time value");
    }
    return stamp;
}

platform::IClock& Clock() {
    platform::IClock* clock = platform::Current().clock;
    if (clock == nullptr) {
        throw Exception("No clock is installed");
    }
    return *clock;
}

} // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
        return false;
    }
    result = double(DaysFromCivil(year, month, day));
    return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result) {
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999) {
        return false;
    }
    result = double(((hour * 60 + min) * 60 + sec) * 1000 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result)) {
        throw EConvertError("Invalid argument to date encode");
    }
    return result;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime result = 0;
    if (!TryEncodeTime(hour, min, sec, msec, result)) {
        throw EConvertError("Invalid argument to time encode");
    }
    return result;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    CivilFromDays(ToTimeStamp(value).days, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec) {
    std::int64_t msecs = ToTimeStamp(value).msecs;
    msec = int(msecs % 1000);
    msecs /= 1000;
    sec = int(msecs % 60);
    msecs /= 60;
    min = int(msecs % 60);
    hour = int(msecs / 60);
}

int DayOfWeek(TDateTime value) {
    // 0001-01-01 was a Monday.
    return int((ToTimeStamp(value).days - kFirstDay + 1) % 7) + 1;
}

std::int64_t Trunc(double value) {
    if (!(std::fabs(value) < 9.2e18)) {
        throw EConvertError("Invalid floating point operation");
    }
    return std::int64_t(value);
}

double Frac(double value) {
    return value - std::trunc(value);
}

TDateTime ReplaceTime(TDateTime dateTime, TDateTime newTime) {
    const double day = std::trunc(dateTime);
    const double time = std::fabs(Frac(newTime));
    return dateTime >= 0 ? day + time : day - time;
}

TDateTime ReplaceDate(TDateTime dateTime, TDateTime newDate) {
    return ReplaceTime(std::trunc(newDate), dateTime);
}

TDateTime Now() {
    return Clock().Now();
}

TDateTime Date() {
    return std::trunc(Now());
}

TDateTime Time() {
    return Frac(Now());
}
