#include "toolkit/text/SysUtils.h"

#include "platform/Locale.h"
#include "platform/Platform.h"

#include <cctype>
#include <charconv>

const char* const ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const LongMonthNames[12] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};
const char* const ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const LongDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

TFormatSettings FormatSettings() {
    TFormatSettings settings;
    platform::ILocale* locale = platform::Current().locale;
    if (locale == nullptr) {
        return settings;
    }
    const platform::LocaleFormats formats = locale->Formats();
    settings.ShortDateFormat = formats.shortDateFormat;
    settings.LongTimeFormat = formats.longTimeFormat;
    settings.ShortTimeFormat = ShortTimeFromLongTime(formats.longTimeFormat);
    settings.DateSeparator = formats.dateSeparator;
    settings.TimeSeparator = formats.timeSeparator;
    settings.TimeAMString = formats.timeAMString;
    settings.TimePMString = formats.timePMString;
    settings.DecimalSeparator = formats.decimalSeparator;
    settings.ThousandSeparator = formats.thousandSeparator;
    return settings;
}

std::string ShortTimeFromLongTime(std::string_view longTimeFormat) {
    // Drop the seconds field together with the separator that leads to it.
    const std::size_t seconds = longTimeFormat.find_first_of("sS");
    if (seconds == std::string_view::npos) {
        return std::string(longTimeFormat);
    }
    std::size_t cut = seconds;
    while (cut > 0 && std::string_view(":.").find(longTimeFormat[cut - 1]) != std::string_view::npos) {
        --cut;
    }
    std::size_t end = seconds;
    while (end < longTimeFormat.size() && (longTimeFormat[end] == 's' || longTimeFormat[end] == 'S')) {
        ++end;
    }
    return std::string(longTimeFormat.substr(0, cut)) + std::string(longTimeFormat.substr(end));
}

std::string FormatMessage(std::string_view pattern, std::string_view argument) {
    std::string result;
    std::size_t pos = 0;
    for (std::size_t hit = pattern.find("%s"); hit != std::string_view::npos; hit = pattern.find("%s", pos)) {
        result.append(pattern.substr(pos, hit - pos));
        result.append(argument);
        pos = hit + 2;
    }
    result.append(pattern.substr(pos));
    return result;
}

std::string Trim(std::string_view text) {
    // Blanks and control characters count as white space, as the classic routine has it.
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') {
        ++first;
    }
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') {
        --last;
    }
    return std::string(text.substr(first, last - first));
}

std::string IntToStr(std::int64_t value) {
    return std::to_string(value);
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue) {
    const std::string trimmed = Trim(text);
    std::string_view digits = trimmed;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (!digits.empty() && digits.front() == '-') {
            return defaultValue;
        }
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) {
        return defaultValue;
    }
    return value;
}
