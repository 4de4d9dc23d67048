#include "platform/linuxdesktop/LinuxLocale.h"

#include "platform/regional/RegionalPatterns.h"

#include <langinfo.h>
#include <locale.h>

namespace platform::linuxdesktop {

namespace {

using platform::regional::ParsedPattern;

// Expands the composite conversions and splits the strftime pattern into fields and the text
// between them.
void ParseFormat(const std::string& format, const TLangInfo& info, ParsedPattern& parsed, int depth = 0) {
    auto nested = [&](const std::string& inner) {
        if (depth < 2) {
            ParseFormat(inner, info, parsed, depth + 1);
        }
    };
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            parsed.AddLiteral(format[i]);
            continue;
        }
        char conversion = format[++i];
        // Flags and modifiers (%-d, %Ey, %Od) do not change which field is meant.
        while ((conversion == '-' || conversion == '_' || conversion == '0' || conversion == '^' ||
                conversion == '#' || conversion == 'E' || conversion == 'O') &&
               i + 1 < format.size()) {
            conversion = format[++i];
        }
        switch (conversion) {
        case 'd':
            parsed.AddField("dd", 'd');
            break;
        case 'e':
            parsed.AddField("d", 'd');
            break;
        case 'm':
        case 'b':
        case 'B':
        case 'h':
            parsed.AddField("mm", 'm');
            break;
        case 'y':
        case 'Y':
        case 'C':
        case 'G':
        case 'g':
            parsed.AddField("yyyy", 'y');
            break;
        case 'H':
        case 'I':
            parsed.AddField("hh", 'h');
            break;
        case 'k':
        case 'l':
            parsed.AddField("h", 'h');
            break;
        case 'M':
            parsed.AddField("nn", 'n');
            break;
        case 'S':
            parsed.AddField("ss", 's');
            break;
        case 'p':
        case 'P':
            parsed.AddField("AMPM", 'p');
            break;
        case 'D':
            nested("%m/%d/%y");
            break;
        case 'F':
            nested("%Y-%m-%d");
            break;
        case 'T':
            nested("%H:%M:%S");
            break;
        case 'R':
            nested("%H:%M");
            break;
        case 'r':
            nested(info.timeAmPmFormat.empty() ? "%I:%M:%S %p" : info.timeAmPmFormat);
            break;
        case '%':
            parsed.AddLiteral('%');
            break;
        default:
            break;
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
    platform::regional::ApplyDate(date, formats);
    ParsedPattern time;
    ParseFormat(info.timeFormat.empty() ? "%H:%M:%S" : info.timeFormat, info, time);
    platform::regional::ApplyTime(time, info.am, info.pm, formats);
    platform::regional::ApplyNumbers(info.radix, info.thousands, formats);
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
