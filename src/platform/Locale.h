// Regional settings, already converted to the toolkit's format patterns
// ("m/d/yyyy", "h:nn:ss AMPM", "dd.mm.yyyy", "hh:nn:ss").
#pragma once

#include <string>

namespace platform {

struct LocaleFormats {
    std::string shortDateFormat = "m/d/yyyy";
    std::string longTimeFormat = "h:nn:ss AMPM";
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::string timeAMString = "AM";
    std::string timePMString = "PM";
    char decimalSeparator = '.';
    char thousandSeparator = ',';
};

class ILocale {
public:
    virtual ~ILocale() = default;
    virtual LocaleFormats Formats() = 0;
};

} // namespace platform
