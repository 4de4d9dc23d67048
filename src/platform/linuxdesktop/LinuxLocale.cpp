#include "platform/linuxdesktop/LinuxLocale.h"

#include "platform/regional/RegionalPatterns.h"

#include <langinfo.h>
#include <locale.h>
#include <string_view>

namespace platform::linuxdesktop {

namespace {

using regional::ParsedPattern;

// The conversions that stand for one field, with the toolkit token and kind they become.
struct TFieldConversion {
    std::string_view conversions;
    const char* token;
    char kind;
};

constexpr TFieldConversion kFieldConversions[] = {
    {"d", "dd", 'd'},       {"e", "d", 'd'},  // day, with or without zero
    {"mbBh", "mm", 'm'},                      // month, as number or name
    {"yYCGg", "yyyy", 'y'},                   // year: always four digits
    {"HI", "hh", 'h'},      {"kl", "h", 'h'}, // hour
    {"M", "nn", 'n'},       {"S", "ss", 's'}, {"pP", "AMPM", 'p'},
};

// The composite conversions and the patterns they stand for (%r's comes from the locale).
struct TCompositeConversion {
    char conversion;
    const char* pattern;
};

constexpr TCompositeConversion kCompositeConversions[] = {
    {'D', "%m/%d/%y"}, {'F', "%Y-%m-%d"}, {'T', "%H:%M:%S"}, {'R', "%H:%M"}, {'r', "%I:%M:%S %p"},
};

const TFieldConversion* FieldConversion(char conversion) {
    for (const TFieldConversion& entry : kFieldConversions) {
        if (entry.conversions.find(conversion) != std::string_view::npos) {
            return &entry;
        }
    }
    return nullptr;
}

// The pattern a composite conversion expands to; empty for any other conversion.
std::string CompositePattern(char conversion, const TLangInfo& info) {
    if (conversion == 'r' && !info.timeAmPmFormat.empty()) {
        return info.timeAmPmFormat;
    }
    for (const TCompositeConversion& entry : kCompositeConversions) {
        if (entry.conversion == conversion) {
            return entry.pattern;
        }
    }
    return {};
}

// The conversion character of the '%' at i, past its flags and modifiers (%-d, %Ey and %Od
// mean the same field as %d, %y and %d); leaves i on it.
char ConversionAt(const std::string& format, std::size_t& i) {
    constexpr std::string_view modifiers = "-_0^#EO";
    char conversion = format[++i];
    while (modifiers.find(conversion) != std::string_view::npos && i + 1 < format.size()) {
        conversion = format[++i];
    }
    return conversion;
}

// Expands the composite conversions and splits the pattern into fields and the text between.
void ParseFormat(const std::string& format, const TLangInfo& info, ParsedPattern& parsed, int depth = 0) {
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            parsed.AddLiteral(format[i]);
            continue;
        }
        const char conversion = ConversionAt(format, i);
        if (const TFieldConversion* field = FieldConversion(conversion)) {
            parsed.AddField(field->token, field->kind);
        } else if (const std::string composite = CompositePattern(conversion, info);
                   !composite.empty() && depth < 2) {
            ParseFormat(composite, info, parsed, depth + 1);
        } else if (conversion == '%') {
            parsed.AddLiteral('%');
        }
    }
}

std::string LangInfo(nl_item item, locale_t locale) {
    const char* value = nl_langinfo_l(item, locale);
    return value != nullptr ? value : "";
}

} // namespace

platform::LocaleFormats ConvertLangInfo(const TLangInfo& info) {
    platform::LocaleFormats formats;
    ParsedPattern date;
    ParseFormat(info.dateFormat, info, date);
    regional::ApplyDate(date, formats);
    ParsedPattern time;
    ParseFormat(info.timeFormat.empty() ? "%H:%M:%S" : info.timeFormat, info, time);
    regional::ApplyTime(time, info.am, info.pm, formats);
    regional::ApplyNumbers(info.radix, info.thousands, formats);
    return formats;
}

LinuxLocale::LinuxLocale() {
    locale_t locale = newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, "", locale_t(nullptr));
    if (locale == locale_t(nullptr)) {
        locale = newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, "C", locale_t(nullptr));
    }
    if (locale == locale_t(nullptr)) {
        return;
    }
    TLangInfo info;
    info.dateFormat = LangInfo(D_FMT, locale);
    info.timeFormat = LangInfo(T_FMT, locale);
    info.timeAmPmFormat = LangInfo(T_FMT_AMPM, locale);
    info.am = LangInfo(AM_STR, locale);
    info.pm = LangInfo(PM_STR, locale);
    info.radix = LangInfo(RADIXCHAR, locale);
    info.thousands = LangInfo(THOUSEP, locale);
    freelocale(locale);
    formats_ = ConvertLangInfo(info);
}

} // namespace platform::linuxdesktop
