// Feeds arbitrary texts to the date and time readers in both fixed locales and uses them as
// FormatDateTime patterns: nothing but the conversion error may come out, and every date or
// time that reads writes back to a text that reads to the same value.
#include "platform/Platform.h"
#include "platform/headless/HeadlessClock.h"
#include "toolkit/text/DateUtils.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

TFormatSettings SettingsOf(const platform::LocaleFormats& locale) {
    TFormatSettings settings;
    settings.ShortDateFormat = locale.shortDateFormat;
    settings.LongTimeFormat = locale.longTimeFormat;
    settings.ShortTimeFormat = ShortTimeFromLongTime(locale.longTimeFormat);
    settings.DateSeparator = locale.dateSeparator;
    settings.TimeSeparator = locale.timeSeparator;
    settings.TimeAMString = locale.timeAMString;
    settings.TimePMString = locale.timePMString;
    settings.DecimalSeparator = locale.decimalSeparator;
    return settings;
}

void CheckRoundTrip(const std::string& text, const TFormatSettings& settings) {
    TDateTime value = 0;
    if (TryStrToDate(text, value, settings)) {
        TDateTime again = 0;
        if (!TryStrToDate(DateToStr(value, settings), again, settings) || again != value) {
            std::abort();
        }
    }
    if (TryStrToTime(text, value, settings)) {
        TDateTime again = 0;
        if (!TryStrToTime(TimeToStr(value, settings), again, settings) ||
            TimeToStr(again, settings) != TimeToStr(value, settings)) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::headless::HeadlessClock clock;
    platform::Platform installed;
    installed.clock = &clock;
    platform::Install(installed);

    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const platform::LocaleFormats& locale : {platform::headless::HeadlessLocale::UnitedStates(),
                                                  platform::headless::HeadlessLocale::Germany()}) {
        const TFormatSettings settings = SettingsOf(locale);
        CheckRoundTrip(text, settings);
        if (size < 256) {
            try {
                (void)FormatDateTime(text, 46364.5123, settings);
            } catch (const EConvertError&) {
            }
        }
    }
    return 0;
}
