// FormatDateTime and the text forms built on it.
#include "toolkit/text/DateUtils.h"

#include <cctype>

namespace {

// Nested formats (c, t, tt, ddddd) expand at most this deep, so a regional format that names
// itself cannot recurse without end.
constexpr int kMaxNesting = 2;

bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view word) {
    if (text.size() - pos < word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(text[pos + i])) != word[i]) {
            return false;
        }
    }
    return true;
}

class TDateFormatter {
public:
    TDateFormatter(TDateTime value, const TFormatSettings& settings) : settings_(settings) {
        DecodeDate(value, year_, month_, day_);
        DecodeTime(value, hour_, min_, sec_, msec_);
        dayOfWeek_ = DayOfWeek(value);
    }

    void Append(std::string_view format, int level) {
        char lastToken = ' ';
        std::size_t pos = 0;
        while (pos < format.size()) {
            pos += AppendField(Token(format[pos], lastToken), format, pos, level);
        }
    }

    std::string Result() const { return out_; }

private:
    // The field letter a pattern character starts, upper-cased; an "m" right after an hour
    // field is minutes ("n"). Letters update the last field letter seen.
    static char Token(char start, char& lastToken) {
        char token = char(std::toupper(static_cast<unsigned char>(start)));
        if (std::isalpha(static_cast<unsigned char>(start)) != 0) {
            if (token == 'M' && lastToken == 'H') {
                token = 'N';
            }
            lastToken = token;
        }
        return token;
    }

    // Appends the field of the token at pos; returns the length of pattern it took.
    std::size_t AppendField(char token, std::string_view format, std::size_t pos, int level) {
        const std::size_t count = Count(format, pos);
        switch (token) {
        case 'Y':
            AppendYear(count);
            return count;
        case 'M':
            return AppendMonth(count);
        case 'D':
            return AppendDay(count, level);
        case 'H':
            AppendClockField(UsesTwelveHours(format, pos) ? TwelveHour() : hour_, count, 2);
            return count;
        case 'N':
            AppendClockField(min_, count, 2);
            return count;
        case 'S':
            AppendClockField(sec_, count, 2);
            return count;
        case 'Z':
            AppendClockField(msec_, count, 3);
            return count;
        case 'T':
            AppendNested(count == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, level);
            return count;
        case 'C':
            AppendDateAndTime(level);
            return count;
        case 'A':
            return AppendAmPm(format, pos);
        case '/':
            out_ += settings_.DateSeparator;
            return 1;
        case ':':
            out_ += settings_.TimeSeparator;
            return 1;
        case '"':
        case '\'':
            return AppendQuoted(format, pos);
        default:
            out_ += format[pos];
            return 1;
        }
    }

    // Length of the run of the same letter (either case) that starts at pos.
    static std::size_t Count(std::string_view format, std::size_t pos) {
        const int letter = std::toupper(static_cast<unsigned char>(format[pos]));
        std::size_t end = pos + 1;
        while (end < format.size() && std::toupper(static_cast<unsigned char>(format[end])) == letter) {
            ++end;
        }
        return end - pos;
    }

    // An hour is shown on the 12-hour clock when an am/pm field follows it.
    static bool UsesTwelveHours(std::string_view format, std::size_t pos) {
        for (std::size_t i = pos; i < format.size(); ++i) {
            const char c = format[i];
            if (c == '"' || c == '\'') {
                const std::size_t close = format.find(c, i + 1);
                if (close == std::string_view::npos) {
                    return false;
                }
                i = close;
            } else if (StartsWithNoCase(format, i, "AM/PM") || StartsWithNoCase(format, i, "A/P") ||
                       StartsWithNoCase(format, i, "AMPM")) {
                return true;
            }
        }
        return false;
    }

    int TwelveHour() const {
        if (hour_ == 0) {
            return 12;
        }
        return hour_ > 12 ? hour_ - 12 : hour_;
    }

    void AppendNumber(int value, int digits) {
        std::string text = std::to_string(value);
        if (int(text.size()) < digits) {
            out_.append(std::size_t(digits) - text.size(), '0');
        }
        out_ += text;
    }

    // "yy" and "y" give two digits, longer runs four.
    void AppendYear(std::size_t count) {
        if (count <= 2) {
            AppendNumber(year_ % 100, 2);
        } else {
            AppendNumber(year_, 4);
        }
    }

    // A run of `width` letters or more pads the value to width digits; shorter runs show it
    // as it is.
    void AppendClockField(int value, std::size_t count, int width) {
        AppendNumber(value, count >= std::size_t(width) ? width : 1);
    }

    // "c": the short date, then the long time unless the time is midnight exactly.
    void AppendDateAndTime(int level) {
        AppendNested(settings_.ShortDateFormat, level);
        if (hour_ != 0 || min_ != 0 || sec_ != 0 || msec_ != 0) {
            out_ += ' ';
            AppendNested(settings_.LongTimeFormat, level);
        }
    }

    void AppendNested(const std::string& format, int level) {
        if (level < kMaxNesting) {
            Append(format, level + 1);
        }
    }

    std::size_t AppendMonth(std::size_t count) {
        if (count <= 2) {
            AppendNumber(month_, int(count));
        } else if (count == 3) {
            out_ += ShortMonthNames[month_ - 1];
        } else {
            out_ += LongMonthNames[month_ - 1];
        }
        return count;
    }

    std::size_t AppendDay(std::size_t count, int level) {
        if (count <= 2) {
            AppendNumber(day_, int(count));
        } else if (count == 3) {
            out_ += ShortDayNames[dayOfWeek_ - 1];
        } else if (count == 4) {
            out_ += LongDayNames[dayOfWeek_ - 1];
        } else {
            AppendNested(settings_.ShortDateFormat, level);
            return 5;
        }
        return count;
    }

    // am/pm and a/p copy the letters of the pattern itself, so their case is the pattern's;
    // ampm writes the regional strings. A lone "a" is plain text.
    std::size_t AppendAmPm(std::string_view format, std::size_t pos) {
        const bool pm = hour_ >= 12;
        if (StartsWithNoCase(format, pos, "AM/PM")) {
            out_ += format.substr(pm ? pos + 3 : pos, 2);
            return 5;
        }
        if (StartsWithNoCase(format, pos, "A/P")) {
            out_ += format[pm ? pos + 2 : pos];
            return 3;
        }
        if (StartsWithNoCase(format, pos, "AMPM")) {
            out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
            return 4;
        }
        out_ += format[pos];
        return 1;
    }

    // Quoted text is copied without its quotes; an unclosed quote runs to the end.
    std::size_t AppendQuoted(std::string_view format, std::size_t pos) {
        const std::size_t close = format.find(format[pos], pos + 1);
        const std::size_t end = close == std::string_view::npos ? format.size() : close;
        out_ += format.substr(pos + 1, end - pos - 1);
        return close == std::string_view::npos ? format.size() - pos : close + 1 - pos;
    }

    const TFormatSettings& settings_;
    std::string out_;
    int year_ = 0;
    int month_ = 0;
    int day_ = 0;
    int hour_ = 0;
    int min_ = 0;
    int sec_ = 0;
    int msec_ = 0;
    int dayOfWeek_ = 1;
};

} // namespace

std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& settings) {
    TDateFormatter formatter(value, settings);
    formatter.Append(format.empty() ? std::string_view("c") : format, 0);
    return formatter.Result();
}

std::string FormatDateTime(std::string_view format, TDateTime value) {
    return FormatDateTime(format, value, FormatSettings());
}

std::string DateToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime("ddddd", value, settings);
}

std::string TimeToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime("tt", value, settings);
}

std::string DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime("c", value, settings);
}

std::string DateToStr(TDateTime value) {
    return DateToStr(value, FormatSettings());
}

std::string TimeToStr(TDateTime value) {
    return TimeToStr(value, FormatSettings());
}

std::string DateTimeToStr(TDateTime value) {
    return DateTimeToStr(value, FormatSettings());
}
