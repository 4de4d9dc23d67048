// Installs a virtual clock, a fixed locale and in-memory files for one test.
#pragma once

#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessFiles.h"
#include "toolkit/DateUtils.h"

#include <gtest/gtest.h>

class DatePlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Platform installed;
        installed.clock = &clock;
        installed.locale = &locale;
        installed.files = &files;
        platform::Install(installed);
    }
    void TearDown() override { platform::Install(platform::Platform{}); }

    static TDateTime At(int year, int month, int day, int hour = 0, int min = 0, int sec = 0, int msec = 0) {
        return EncodeDate(year, month, day) + EncodeTime(hour, min, sec, msec);
    }
    static TFormatSettings Formats(const platform::LocaleFormats& locale) {
        headless::HeadlessLocale fixed(locale);
        platform::Platform only;
        only.locale = &fixed;
        const platform::Platform previous = platform::Current();
        platform::Install(only);
        TFormatSettings formats = FormatSettings();
        platform::Install(previous);
        return formats;
    }
    static TFormatSettings UnitedStates() { return Formats(headless::HeadlessLocale::UnitedStates()); }
    static TFormatSettings Germany() { return Formats(headless::HeadlessLocale::Germany()); }

    headless::HeadlessClock clock{At(2026, 12, 8, 10, 0, 0)};
    headless::HeadlessLocale locale{headless::HeadlessLocale::UnitedStates()};
    headless::HeadlessFiles files;
};
