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

// The formats keep only the fields and one separator, in the locale's order, so that every
// date and time the program writes reads back: a date always has day, month and a four-digit
// year, month names become numbers, a time always has hours, minutes and seconds; other text
// of the locale's patterns is left out. A 12-hour clock without AM/PM strings uses "AM"/"PM".
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
