// The virtual clock, a fixed locale and in-memory files for the scheduling core's tests,
// with the settings file at its place in the user's configuration folder.
#pragma once

#include "support/HeadlessDateTest.h"

#include <string>

class CoreTest : public HeadlessDateTest {
protected:
    static constexpr const char* kFolder = "/home/u/.config/Vesperon/";
    static constexpr const char* kIni = "/home/u/.config/Vesperon/Vesperon.ini";

    void UseGermany() { locale.SetFormats(platform::headless::HeadlessLocale::Germany()); }
    void WriteIni(const std::string& content) { files.ReplaceFile(kIni, content); }
    std::string Ini() const {
        const auto found = files.Files().find(kIni);
        return found == files.Files().end() ? std::string("<none>") : found->second;
    }

    // The virtual clock's start: Tuesday, 8 December 2026, 10:00:00.
    const TDateTime now = At(2026, 12, 8, 10, 0, 0);
};
