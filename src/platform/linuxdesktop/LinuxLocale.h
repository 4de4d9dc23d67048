// Regional settings of the user's LC_TIME and LC_NUMERIC, converted to the toolkit's patterns.
#pragma once

#include "platform/Locale.h"

namespace platform::linuxdesktop {

// The raw nl_langinfo strings the conversion works from.
struct TLangInfo {
    std::string dateFormat;     // D_FMT, e.g. "%m/%d/%y"
    std::string timeFormat;     // T_FMT, e.g. "%r" or "%H:%M:%S"
    std::string timeAmPmFormat; // T_FMT_AMPM, e.g. "%I:%M:%S %p"
    std::string am;             // AM_STR
    std::string pm;             // PM_STR
    std::string radix;          // RADIXCHAR
    std::string thousands;      // THOUSEP
};

// The formats by the rule of platform/regional: only the fields and one separator, in the
// locale's order.
platform::LocaleFormats ConvertLangInfo(const TLangInfo& info);

class LinuxLocale : public platform::ILocale {
public:
    // Reads the locale named by the environment (LC_ALL, LC_TIME, LANG ...) once, without
    // changing the process's own locale; an unknown name gives the C locale.
    LinuxLocale();
    platform::LocaleFormats Formats() override { return formats_; }

private:
    platform::LocaleFormats formats_;
};

} // namespace platform::linuxdesktop
