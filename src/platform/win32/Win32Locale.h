// Regional settings of the Windows user, converted to the toolkit's patterns.
#pragma once

#include "platform/Locale.h"

#include <string>

namespace platform::win32 {

// The raw values the conversion works from (GetLocaleInfoEx, in UTF-8).
struct LocaleInfo {
    std::string shortDate; // LOCALE_SSHORTDATE, e.g. "M/d/yyyy"
    std::string longTime;  // LOCALE_STIMEFORMAT, e.g. "h:mm:ss tt"
    std::string am;        // LOCALE_S1159
    std::string pm;        // LOCALE_S2359
    std::string decimal;   // LOCALE_SDECIMAL
    std::string thousands; // LOCALE_STHOUSAND
};

// The formats by the rule of platform/regional: only the fields and one separator, in the
// user's order; quoted text, day names and eras of the pictures are left out.
LocaleFormats ConvertLocaleInfo(const LocaleInfo& info);

class Win32Locale final : public ILocale {
public:
    // Reads the user's settings once.
    Win32Locale();
    LocaleFormats Formats() override { return formats_; }

private:
    LocaleFormats formats_;
};

} // namespace platform::win32
