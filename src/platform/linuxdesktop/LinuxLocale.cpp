#include "platform/linuxdesktop/LinuxLocale.h"

#include <algorithm>
#include <cctype>
#include <langinfo.h>
#include <locale.h>
#include <string_view>
#include <vector>

namespace platform::linuxdesktop {

namespace {

// One field of a strftime pattern converted: its toolkit token and its kind ('d', 'm', 'y',
// 'h', 'n', 's', 'p').
struct TField {
    std::string token;
    char kind = 0;
};

struct TParsedFormat {
    std::vector<TField> fields;
    std::vector<std::string> separators; // the literal text between two fields
};

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
void ParseFormat(const std::string& format, const TLangInfo& info, TParsedFormat& parsed, int depth = 0) {
    std::string literal;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            literal += format[i];
            continue;
        }
        const char conversion = ConversionAt(format, i);
        if (const TFieldConversion* field = FieldConversion(conversion)) {
            // The text since the previous field separates it from this one.
            if (!parsed.fields.empty()) {
                parsed.separators.push_back(literal);
            }
            literal.clear();
            parsed.fields.push_back(TField{field->token, field->kind});
        } else if (const std::string composite = CompositePattern(conversion, info);
                   !composite.empty() && depth < 2) {
            if (!parsed.fields.empty()) {
                parsed.separators.push_back(literal);
                literal.clear();
            }
            ParseFormat(composite, info, parsed, depth + 1);
        } else if (conversion == '%') {
            literal += '%';
        }
    }
}

// The one separator between the numeric fields, when all of them use the same single
// punctuation character.
char CommonSeparator(const TParsedFormat& parsed, const std::string& kinds) {
    char separator = 0;
    bool previousNumeric = false;
    for (std::size_t i = 0; i < parsed.fields.size(); ++i) {
        const bool numeric = kinds.find(parsed.fields[i].kind) != std::string::npos;
        if (numeric && previousNumeric) {
            const std::string& text = parsed.separators[i - 1];
            if (text.size() != 1 || std::ispunct(static_cast<unsigned char>(text[0])) == 0 ||
                text[0] == '"' || text[0] == '\'' || (separator != 0 && separator != text[0])) {
                return 0;
            }
            separator = text[0];
        }
        previousNumeric = numeric;
    }
    return separator;
}

bool HasEach(const TParsedFormat& parsed, const std::string& kinds) {
    for (char kind : kinds) {
        int count = 0;
        for (const TField& field : parsed.fields) {
            count += field.kind == kind ? 1 : 0;
        }
        if (count != 1) {
            return false;
        }
    }
    return true;
}

std::string JoinFields(const TParsedFormat& parsed, const std::string& kinds, char separator) {
    std::string result;
    for (const TField& field : parsed.fields) {
        if (kinds.find(field.kind) != std::string::npos) {
            if (!result.empty()) {
                result += separator;
            }
            result += field.token;
        }
    }
    return result;
}

void ConvertDate(const TLangInfo& info, platform::LocaleFormats& formats) {
    TParsedFormat parsed;
    ParseFormat(info.dateFormat, info, parsed);
    const char separator = CommonSeparator(parsed, "dmy");
    if (!HasEach(parsed, "dmy")) {
        formats.shortDateFormat = "mm/dd/yyyy";
        formats.dateSeparator = '/';
        return;
    }
    formats.dateSeparator = separator != 0 ? separator : '/';
    formats.shortDateFormat = JoinFields(parsed, "dmy", formats.dateSeparator);
}

void ConvertTime(const TLangInfo& info, platform::LocaleFormats& formats) {
    TParsedFormat parsed;
    ParseFormat(info.timeFormat.empty() ? "%H:%M:%S" : info.timeFormat, info, parsed);
    const bool twelveHours =
        !parsed.fields.empty() && std::any_of(parsed.fields.begin(), parsed.fields.end(),
                                              [](const TField& field) { return field.kind == 'p'; });
    const char separator = CommonSeparator(parsed, "hns");
    if (!HasEach(parsed, "hns")) {
        formats.timeSeparator = ':';
        formats.longTimeFormat = twelveHours ? "hh:nn:ss AMPM" : "hh:nn:ss";
    } else {
        formats.timeSeparator = separator != 0 ? separator : ':';
        const std::string clock = JoinFields(parsed, "hns", formats.timeSeparator);
        const bool amPmFirst = twelveHours && parsed.fields.front().kind == 'p';
        formats.longTimeFormat = !twelveHours ? clock : amPmFirst ? "AMPM " + clock : clock + " AMPM";
    }
    formats.timeAMString = info.am;
    formats.timePMString = info.pm;
    if (twelveHours && (info.am.empty() || info.pm.empty() || info.am == info.pm)) {
        formats.timeAMString = "AM";
        formats.timePMString = "PM";
    }
}

void ConvertNumbers(const TLangInfo& info, platform::LocaleFormats& formats) {
    formats.decimalSeparator = info.radix.size() == 1 ? info.radix[0] : '.';
    if (info.thousands.size() == 1) {
        formats.thousandSeparator = info.thousands[0];
    } else {
        // Empty in the C locale; several bytes for a narrow no-break space.
        formats.thousandSeparator = info.thousands.empty() ? ',' : ' ';
    }
    if (formats.thousandSeparator == formats.decimalSeparator) {
        formats.thousandSeparator = formats.decimalSeparator == ',' ? '.' : ',';
    }
}

std::string LangInfo(nl_item item, locale_t locale) {
    const char* value = nl_langinfo_l(item, locale);
    return value != nullptr ? value : "";
}

} // namespace

platform::LocaleFormats ConvertLangInfo(const TLangInfo& info) {
    platform::LocaleFormats formats;
    ConvertDate(info, formats);
    ConvertTime(info, formats);
    ConvertNumbers(info, formats);
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
