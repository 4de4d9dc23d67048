#include "core/WhenText.h"

#include <cctype>

namespace core {

namespace {

constexpr const char* kForms = "use now, +M, Mm, HhMm, HH:MM[:SS] or \"YYYY-MM-DD HH:MM[:SS]\"";
// Enough digits for any valid number, few enough that the value cannot overflow.
constexpr std::size_t kMaxDigits = 9;
constexpr std::int32_t kMinutesPerHour = 60;

// Reads the text from left to right; letters match in either case.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ == text_.size(); }

    bool Take(char expected) {
        if (AtEnd() || std::tolower(static_cast<unsigned char>(text_[pos_])) != expected) {
            return false;
        }
        ++pos_;
        return true;
    }

    // A number of minDigits..maxDigits decimal digits, followed by no further digit.
    std::optional<std::int32_t> Number(std::size_t minDigits, std::size_t maxDigits) {
        std::size_t digits = 0;
        std::int32_t value = 0;
        while (!AtEnd() && std::isdigit(static_cast<unsigned char>(text_[pos_])) != 0) {
            if (++digits > maxDigits) {
                return std::nullopt;
            }
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
        }
        if (digits < minDigits) {
            return std::nullopt;
        }
        return value;
    }

    // The next character is a digit.
    bool AtDigit() const { return !AtEnd() && std::isdigit(static_cast<unsigned char>(text_[pos_])) != 0; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// The error names the text as given, with control characters shown as '?' to keep one line.
TWhenParse Invalid(std::string_view text, const std::string& reason = kForms) {
    std::string shown(text);
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    TWhenParse result;
    result.error = "invalid time \"" + shown + "\": " + reason;
    return result;
}

TWhenParse Countdown(std::string_view text, std::int64_t minutes) {
    if (minutes < kMinCountdownMinutes || minutes > kMaxCountdownMinutes) {
        return Invalid(text, "a countdown is 1 to 10000 minutes");
    }
    return TWhenParse{TWhen{TWhenKind::Countdown, std::int32_t(minutes), 0}, {}};
}

// HH:MM[:SS] after the hours were read; nothing when it is not a valid time of day.
std::optional<TDateTime> TimeAfterHours(Scanner& scan, std::int32_t hours) {
    const auto minutes = scan.Take(':') ? scan.Number(2, 2) : std::nullopt;
    if (!minutes) {
        return std::nullopt;
    }
    std::int32_t seconds = 0;
    if (scan.Take(':')) {
        const auto read = scan.Number(2, 2);
        if (!read) {
            return std::nullopt;
        }
        seconds = *read;
    }
    TDateTime time = 0;
    if (!scan.AtEnd() || !TryEncodeTime(hours, *minutes, seconds, 0, time)) {
        return std::nullopt;
    }
    return time;
}

// YYYY-MM-DD HH:MM[:SS] after the year was read.
TWhenParse MomentAfterYear(std::string_view text, Scanner& scan, std::int32_t year) {
    const auto month = scan.Take('-') ? scan.Number(1, 2) : std::nullopt;
    const auto day = month && scan.Take('-') ? scan.Number(1, 2) : std::nullopt;
    if (!day || !(scan.Take(' ') || scan.Take('t'))) {
        return Invalid(text);
    }
    const auto hours = scan.Number(1, 2);
    const auto time = hours ? TimeAfterHours(scan, *hours) : std::nullopt;
    TDateTime date = 0;
    if (!time) {
        return Invalid(text);
    }
    if (!TryEncodeDate(year, *month, *day, date)) {
        return Invalid(text, "there is no such date");
    }
    return TWhenParse{TWhen{TWhenKind::Moment, 0, date + *time}, {}};
}

// Hh, HhMm, Mm or a time of day, after the first number.
TWhenParse AfterFirstNumber(std::string_view text, Scanner& scan, std::int32_t first) {
    if (scan.Take('m')) {
        return scan.AtEnd() ? Countdown(text, first) : Invalid(text);
    }
    if (scan.Take('h')) {
        if (scan.AtEnd()) {
            return Countdown(text, std::int64_t(first) * kMinutesPerHour);
        }
        const auto minutes = scan.Number(1, 2);
        if (!minutes || !scan.Take('m') || !scan.AtEnd()) {
            return Invalid(text);
        }
        if (*minutes >= kMinutesPerHour) {
            return Invalid(text, "the minutes after the hours are 0 to 59");
        }
        return Countdown(text, std::int64_t(first) * kMinutesPerHour + *minutes);
    }
    const auto time = TimeAfterHours(scan, first);
    if (!time) {
        return Invalid(text);
    }
    return TWhenParse{TWhen{TWhenKind::TimeOfDay, 0, *time}, {}};
}

} // namespace

TWhenParse ParseWhen(std::string_view text) {
    Scanner scan(text);
    if (scan.Take('n') && scan.Take('o') && scan.Take('w') && scan.AtEnd()) {
        return TWhenParse{TWhen{TWhenKind::Now, 0, 0}, {}};
    }
    scan = Scanner(text);
    if (scan.Take('+')) {
        const auto minutes = scan.Number(1, kMaxDigits);
        return minutes && scan.AtEnd() ? Countdown(text, *minutes) : Invalid(text);
    }
    if (!scan.AtDigit()) {
        return Invalid(text);
    }
    const auto first = scan.Number(1, kMaxDigits);
    if (!first) {
        return Invalid(text);
    }
    // Four digits and a dash begin a date; a time of day has at most two digits of hours.
    const std::size_t firstDigits = text.find_first_not_of("0123456789");
    if (firstDigits == 4 && text[4] == '-') {
        return MomentAfterYear(text, scan, *first);
    }
    if (firstDigits > 2 && firstDigits != std::string_view::npos && text[firstDigits] == ':') {
        return Invalid(text);
    }
    return AfterFirstNumber(text, scan, *first);
}

TDateTime MomentOf(const TWhen& when, TDateTime now) {
    if (when.kind == TWhenKind::Moment) {
        return when.time;
    }
    const TDateTime today = TDateTime(Trunc(now)) + when.time;
    return today > now ? today : today + 1;
}

} // namespace core
