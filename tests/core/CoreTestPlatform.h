// The virtual clock, a fixed locale and in-memory files for the scheduling core's tests.
#pragma once

#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessFiles.h"
#include "toolkit/DateUtils.h"

#include <gtest/gtest.h>

class CoreTest : public ::testing::Test {
protected:
    static constexpr const char* kFolder = "/home/u/.config/Vesperon/";
    static constexpr const char* kIni = "/home/u/.config/Vesperon/Vesperon.ini";

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
    void UseGermany() { locale.SetFormats(headless::HeadlessLocale::Germany()); }
    void WriteIni(const std::string& content) { files.ReplaceFile(kIni, content); }
    std::string Ini() const {
        const auto found = files.Files().find(kIni);
        return found == files.Files().end() ? std::string("<none>") : found->second;
    }

    // Tuesday, 8 December 2026, 10:00:00.
    const TDateTime now = At(2026, 12, 8, 10, 0, 0);
    headless::HeadlessClock clock{now};
    headless::HeadlessLocale locale{headless::HeadlessLocale::UnitedStates()};
    headless::HeadlessFiles files;
};
