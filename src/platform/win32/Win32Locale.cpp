#include "platform/win32/Win32Locale.h"

#include "platform/regional/RegionalPatterns.h"
#include "platform/win32/SystemHeaders.h"
#include "platform/win32/WideText.h"

namespace platform::win32 {

namespace {

using regional::ParsedPattern;

// The toolkit token of a run of one picture letter, with its field kind; an empty token for
// letters that name no field the program keeps (day names, eras).
regional::Field FieldOf(char letter, std::size_t run) {
    switch (letter) {
    case 'd':
        return run == 1   ? regional::Field{"d", 'd'}
               : run == 2 ? regional::Field{"dd", 'd'}
                          : regional::Field{};
    case 'M':
        return run == 1 ? regional::Field{"m", 'm'} : regional::Field{"mm", 'm'};
    case 'y':
        return regional::Field{"yyyy", 'y'};
    case 'h':
    case 'H':
        return run == 1 ? regional::Field{"h", 'h'} : regional::Field{"hh", 'h'};
    case 'm':
        return run == 1 ? regional::Field{"n", 'n'} : regional::Field{"nn", 'n'};
    case 's':
        return run == 1 ? regional::Field{"s", 's'} : regional::Field{"ss", 's'};
    case 't':
        return regional::Field{"AMPM", 'p'};
    default:
        return regional::Field{};
    }
}

// Splits a date or time picture ("M/d/yyyy", "HH:mm:ss", "dd'.'MM'.'yyyy") into fields and
// the text between them.
ParsedPattern ParsePicture(const std::string& picture) {
    static const std::string letters = "dMyghHmst";
    ParsedPattern parsed;
    std::size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        if (c == '\'') {
            // Quoted text; two quotes stand for one.
            std::size_t end = i + 1;
            while (end < picture.size()) {
                if (picture[end] == '\'' && end + 1 < picture.size() && picture[end + 1] == '\'') {
                    parsed.AddLiteral('\'');
                    end += 2;
                } else if (picture[end] == '\'') {
                    break;
                } else {
                    parsed.AddLiteral(picture[end++]);
                }
            }
            i = end + 1;
            continue;
        }
        if (letters.find(c) == std::string::npos) {
            parsed.AddLiteral(c);
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) {
            ++run;
        }
        regional::Field field = FieldOf(c, run);
        if (!field.token.empty()) {
            parsed.AddField(std::move(field.token), field.kind);
        }
        i += run;
    }
    return parsed;
}

std::string UserLocaleInfo(LCTYPE type) {
    wchar_t buffer[128] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, int(std::size(buffer)));
    return length > 1 ? Narrow(std::wstring(buffer, std::size_t(length - 1))) : std::string();
}

} // namespace

LocaleFormats ConvertLocaleInfo(const LocaleInfo& info) {
    LocaleFormats formats;
    regional::ApplyDate(ParsePicture(info.shortDate), formats);
    regional::ApplyTime(ParsePicture(info.longTime.empty() ? "HH:mm:ss" : info.longTime), info.am, info.pm,
                        formats);
    regional::ApplyNumbers(info.decimal, info.thousands, formats);
    return formats;
}

Win32Locale::Win32Locale() {
    LocaleInfo info;
    info.shortDate = UserLocaleInfo(LOCALE_SSHORTDATE);
    info.longTime = UserLocaleInfo(LOCALE_STIMEFORMAT);
    info.am = UserLocaleInfo(LOCALE_S1159);
    info.pm = UserLocaleInfo(LOCALE_S2359);
    info.decimal = UserLocaleInfo(LOCALE_SDECIMAL);
    info.thousands = UserLocaleInfo(LOCALE_STHOUSAND);
    formats_ = ConvertLocaleInfo(info);
}

} // namespace platform::win32
