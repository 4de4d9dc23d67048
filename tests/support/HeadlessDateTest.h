// A test fixture with a virtual clock (Tuesday, 8 December 2026, 10:00:00), a fixed locale
// (United States until a test changes it) and in-memory files installed as the platform.
#pragma once

#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessFiles.h"
#include "support/ScopedPlatform.h"
#include "toolkit/text/DateUtils.h"

#include <gtest/gtest.h>

class HeadlessDateTest : public ::testing::Test {
protected:
    static TDateTime At(int year, int month, int day, int hour = 0, int min = 0, int sec = 0, int msec = 0) {
        return EncodeDate(year, month, day) + EncodeTime(hour, min, sec, msec);
    }

    platform::headless::HeadlessClock clock{At(2026, 12, 8, 10, 0, 0)};
    platform::headless::HeadlessLocale locale{platform::headless::HeadlessLocale::UnitedStates()};
    platform::headless::HeadlessFiles files;

private:
    platform::Platform Record() {
        platform::Platform record;
        record.clock = &clock;
        record.locale = &locale;
        record.files = &files;
        return record;
    }
    ScopedPlatform installed_{Record()};
};
