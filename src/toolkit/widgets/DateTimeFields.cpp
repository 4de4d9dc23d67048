// The field model of the date and time picker: the format split into fields, each field's
// text, and the arithmetic of stepping and typing with wrap and day-of-month clamping.
#include "toolkit/widgets/DateTimePicker.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

char Lower(char c) {
    return char(std::tolower(static_cast<unsigned char>(c)));
}

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (Lower(text[at + i]) != Lower(prefix[i])) {
            return false;
        }
    }
    return true;
}

std::size_t RunLength(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && Lower(text[end]) == Lower(text[at])) {
        ++end;
    }
    return end - at;
}

void AddLiteral(std::vector<TDateTimeSegment>& segments, std::string_view text) {
    if (!segments.empty() && segments.back().field == TDateTimeField::None) {
        segments.back().literal += text;
        return;
    }
    segments.push_back(TDateTimeSegment{TDateTimeField::None, {}, std::string(text)});
}

std::string Padded(int value, int digits) {
    std::string text = std::to_string(value);
    while (int(text.size()) < digits) {
        text.insert(text.begin(), '0');
    }
    return text;
}

// A pattern "am/pm" or "a/p" writes its choice in the letter case of the pattern.
std::string ChoiceOf(const std::string& pattern, bool pm) {
    std::size_t slash = pattern.find('/');
    return pm ? pattern.substr(slash + 1) : pattern.substr(0, slash);
}

int Wrap(int value, int delta, int low, int high) {
    int span = high - low + 1;
    int offset = ((value - low + delta) % span + span) % span;
    return low + offset;
}

void ClampDay(TDateTimeParts& parts) {
    parts.day = std::min(parts.day, DaysInMonth(parts.year, parts.month));
}

} // namespace

std::vector<TDateTimeSegment> ParseDateTimeFormat(std::string_view format, const TFormatSettings& settings) {
    std::vector<TDateTimeSegment> segments;
    TDateTimeField last = TDateTimeField::None;
    std::size_t i = 0;
    auto field = [&](TDateTimeField kind, std::size_t length) {
        segments.push_back(TDateTimeSegment{kind, std::string(format.substr(i, length)), {}});
        last = kind;
        i += length;
    };
    while (i < format.size()) {
        char c = Lower(format[i]);
        std::size_t run = RunLength(format, i);
        if (c == '"' || c == '\'') {
            std::size_t close = format.find(format[i], i + 1);
            std::size_t end = close == std::string_view::npos ? format.size() : close;
            AddLiteral(segments, format.substr(i + 1, end - i - 1));
            i = end == format.size() ? end : end + 1;
        } else if (c == 'd') {
            field(run <= 2 ? TDateTimeField::Day : TDateTimeField::DayName, std::min<std::size_t>(run, 4));
        } else if (c == 'm') {
            bool minutes = last == TDateTimeField::Hour && run <= 2;
            field(minutes ? TDateTimeField::Minute : TDateTimeField::Month, std::min<std::size_t>(run, 4));
        } else if (c == 'y') {
            field(TDateTimeField::Year, run);
        } else if (c == 'h') {
            field(TDateTimeField::Hour, std::min<std::size_t>(run, 2));
        } else if (c == 'n') {
            field(TDateTimeField::Minute, std::min<std::size_t>(run, 2));
        } else if (c == 's') {
            field(TDateTimeField::Second, std::min<std::size_t>(run, 2));
        } else if (StartsWithNoCase(format, i, "ampm")) {
            field(TDateTimeField::AmPm, 4);
        } else if (StartsWithNoCase(format, i, "am/pm")) {
            field(TDateTimeField::AmPm, 5);
        } else if (StartsWithNoCase(format, i, "a/p")) {
            field(TDateTimeField::AmPm, 3);
        } else if (c == '/') {
            AddLiteral(segments, std::string(1, settings.DateSeparator));
            ++i;
        } else if (c == ':') {
            AddLiteral(segments, std::string(1, settings.TimeSeparator));
            ++i;
        } else {
            AddLiteral(segments, format.substr(i, 1));
            ++i;
        }
    }
    return segments;
}

bool HasAmPmField(const std::vector<TDateTimeSegment>& segments) {
    return std::any_of(segments.begin(), segments.end(),
                       [](const TDateTimeSegment& s) { return s.field == TDateTimeField::AmPm; });
}

bool IsEditableField(TDateTimeField field) {
    return field != TDateTimeField::None && field != TDateTimeField::DayName;
}

std::string SegmentText(const TDateTimeSegment& segment, TDateTime value, bool twelveHour,
                        const TFormatSettings& settings) {
    TDateTimeParts p = SplitDateTime(value);
    int width = int(segment.pattern.size());
    switch (segment.field) {
    case TDateTimeField::None:
        return segment.literal;
    case TDateTimeField::Day:
        return Padded(p.day, width);
    case TDateTimeField::DayName: {
        int index = DayOfWeek(JoinDateTime(p)) - 1;
        return width == 3 ? ShortDayNames[index] : LongDayNames[index];
    }
    case TDateTimeField::Month:
        if (width == 3) {
            return ShortMonthNames[p.month - 1];
        }
        return width == 4 ? LongMonthNames[p.month - 1] : Padded(p.month, width);
    case TDateTimeField::Year:
        return width <= 2 ? Padded(p.year % 100, 2) : Padded(p.year, 4);
    case TDateTimeField::Hour: {
        int hour = twelveHour ? (p.hour % 12 == 0 ? 12 : p.hour % 12) : p.hour;
        return Padded(hour, width);
    }
    case TDateTimeField::Minute:
        return Padded(p.minute, width);
    case TDateTimeField::Second:
        return Padded(p.second, width);
    case TDateTimeField::AmPm:
        if (segment.pattern.size() == 4) {
            return p.hour < 12 ? settings.TimeAMString : settings.TimePMString;
        }
        return ChoiceOf(segment.pattern, p.hour >= 12);
    }
    return {};
}

TDateTimeParts SplitDateTime(TDateTime value) {
    const TDateTime first = EncodeDate(1, 1, 1);
    const TDateTime last = EncodeDate(9999, 12, 31);
    if (std::isnan(value)) {
        value = 0;
    }
    TDateTimeParts parts;
    if (value < first) {
        value = first;
    } else if (value >= last + 1) {
        value = last;
    }
    int msec = 0;
    DecodeDate(value, parts.year, parts.month, parts.day);
    DecodeTime(value, parts.hour, parts.minute, parts.second, msec);
    return parts;
}

TDateTime JoinDateTime(const TDateTimeParts& parts) {
    return ReplaceTime(EncodeDate(parts.year, parts.month, parts.day),
                       EncodeTime(parts.hour, parts.minute, parts.second, 0));
}

TDateTimeParts StepField(TDateTimeParts parts, TDateTimeField field, int delta) {
    switch (field) {
    case TDateTimeField::Day:
        parts.day = Wrap(parts.day, delta, 1, DaysInMonth(parts.year, parts.month));
        break;
    case TDateTimeField::Month:
        parts.month = Wrap(parts.month, delta, 1, 12);
        ClampDay(parts);
        break;
    case TDateTimeField::Year:
        parts.year = std::clamp(parts.year + delta, 1, 9999);
        ClampDay(parts);
        break;
    case TDateTimeField::Hour:
        parts.hour = Wrap(parts.hour, delta, 0, 23);
        break;
    case TDateTimeField::Minute:
        parts.minute = Wrap(parts.minute, delta, 0, 59);
        break;
    case TDateTimeField::Second:
        parts.second = Wrap(parts.second, delta, 0, 59);
        break;
    case TDateTimeField::AmPm:
        parts.hour = (parts.hour + 12) % 24;
        break;
    default:
        break;
    }
    return parts;
}

bool SetFieldNumber(TDateTimeParts& parts, TDateTimeField field, int number, bool twelveHour) {
    switch (field) {
    case TDateTimeField::Day:
        if (number < 1 || number > DaysInMonth(parts.year, parts.month)) {
            return false;
        }
        parts.day = number;
        return true;
    case TDateTimeField::Month:
        if (number < 1 || number > 12) {
            return false;
        }
        parts.month = number;
        ClampDay(parts);
        return true;
    case TDateTimeField::Year:
        if (number < 1 || number > 9999) {
            return false;
        }
        parts.year = number;
        ClampDay(parts);
        return true;
    case TDateTimeField::Hour:
        if (twelveHour) {
            if (number < 1 || number > 12) {
                return false;
            }
            parts.hour = number % 12 + (parts.hour >= 12 ? 12 : 0);
            return true;
        }
        if (number > 23) {
            return false;
        }
        parts.hour = number;
        return true;
    case TDateTimeField::Minute:
    case TDateTimeField::Second:
        if (number > 59) {
            return false;
        }
        (field == TDateTimeField::Minute ? parts.minute : parts.second) = number;
        return true;
    default:
        return false;
    }
}
