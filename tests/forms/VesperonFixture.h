// The program's two windows on the headless platform, driven as a user drives them: clicks
// at the centre of a control, keys, the virtual clock, answered message boxes.
#pragma once

#include "forms/UnitFormVesperon.h"
#include "forms/UnitFormWarn.h"
#include "platform/Clock.h"
#include "support/ToolkitFixture.h"

#include <string>
#include <vector>

class VesperonTest : public ToolkitTest {
protected:
    static constexpr const char* kIniPath = "/cfg/Vesperon.ini";

    void SetUp() override;

    // Creates both windows as the program block does and shows the main window.
    void Start(const std::vector<std::string>& arguments = {});
    void WriteIni(const std::string& content);
    // The settings file as written (empty when it does not exist).
    std::string Ini();
    // Clicks the middle of a control of the main or the warning window.
    void ClickOn(TControl* control);
    // Replaces the minutes edit's text by typing, as a user selecting all and typing does.
    void TypeMinutes(const std::string& digits);
    // Starts the program and sets countdown mode with the given minutes and the warning by
    // clicking and typing.
    void StartWithCountdown(const std::string& minutes, bool withWarning);
    // The same countdown, armed with Start.
    void ArmCountdown(const std::string& minutes, bool withWarning);
    // The texts of the message boxes shown so far.
    std::vector<std::string> Messages();
    // The power requests made so far ("ExitWindowsEx(1, 0)", ...), privilege steps left out.
    std::vector<std::string> PowerRequests();
    // The local date-time of the virtual clock a number of seconds from now.
    double InSeconds(double seconds) { return platform.clock.Now() + seconds / 86400.0; }

    TFormVesperon* main = nullptr;
    TFormWarn* warn = nullptr;
};
