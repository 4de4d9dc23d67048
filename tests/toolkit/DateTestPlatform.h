// The virtual clock, a fixed locale and in-memory files for one test, and the format
// settings of the two locales the tests compare.
#pragma once

#include "platform/Locale.h"
#include "platform/Platform.h"
#include "support/HeadlessDateTest.h"

class DatePlatformTest : public HeadlessDateTest {
protected:
    static TFormatSettings Formats(const platform::LocaleFormats& locale) {
        platform::headless::HeadlessLocale fixed(locale);
        platform::Platform only;
        only.locale = &fixed;
        const ScopedPlatform installed(only);
        return FormatSettings();
    }
    static TFormatSettings UnitedStates() {
        return Formats(platform::headless::HeadlessLocale::UnitedStates());
    }
    static TFormatSettings Germany() { return Formats(platform::headless::HeadlessLocale::Germany()); }
};
