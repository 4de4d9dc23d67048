// The whole headless backend in one object: virtual clock, fixed locale, in-memory windows
// with scripted input, message boxes answered by the test, the test fonts, in-memory files,
// the control channel in memory, and recorders for power, shell, notification area, session
// lock and log-on entry. Record() lists these facilities as a platform record; Install() makes
// it the active platform, and then the destructor uninstalls it.
#pragma once

#include "platform/NotifyShell.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessControlChannel.h"
#include "platform/headless/HeadlessFiles.h"
#include "platform/headless/HeadlessMessageBoxes.h"
#include "platform/headless/HeadlessNotifyShell.h"
#include "platform/headless/HeadlessPower.h"
#include "platform/headless/HeadlessRecorders.h"
#include "platform/headless/HeadlessSessionEnd.h"
#include "platform/headless/HeadlessWindows.h"
#include "platform/testfonts/TestFonts.h"

#include <memory>

namespace platform::headless {

class HeadlessPlatform {
public:
    explicit HeadlessPlatform(double now = 46364.5) : clock(now) {}
    ~HeadlessPlatform();
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    // The platform record of this backend's facilities.
    platform::Platform Record();
    void Install();

    HeadlessClock clock;
    HeadlessLocale locale{HeadlessLocale::UnitedStates()};
    HeadlessWindowSystem windows{clock};
    HeadlessMessageBoxes messageBoxes{windows};
    HeadlessFiles files;
    HeadlessPower power;
    HeadlessShell shell;
    HeadlessNotifyShell notifyShell;
    HeadlessSessionLock sessionLock;
    HeadlessAutostart autostart;
    HeadlessPaths paths;
    HeadlessSessionEnd sessionEnd;
    HeadlessControlChannel controlChannel;
    std::unique_ptr<platform::IFonts> fonts = platform::testfonts::OpenTestFonts();

private:
    bool installed_ = false;
};

} // namespace platform::headless
