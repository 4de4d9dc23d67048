// The whole headless backend in one object: virtual clock, fixed locale, in-memory windows
// with scripted input, message boxes answered by the test, in-memory files, and recorders
// for power, shell, notification area, session lock and log-on entry. Fonts are the host's,
// handed in by the test program (none: text has metrics but draws nothing). Install() makes
// it the active platform; the destructor uninstalls it.
#pragma once

#include "platform/Fonts.h"
#include "platform/NotifyShell.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessFiles.h"
#include "platform/headless/HeadlessMessageBoxes.h"
#include "platform/headless/HeadlessNotifyShell.h"
#include "platform/headless/HeadlessPower.h"
#include "platform/headless/HeadlessRecorders.h"
#include "platform/headless/HeadlessSessionEnd.h"
#include "platform/headless/HeadlessWindows.h"

namespace headless {

class HeadlessPlatform {
public:
    explicit HeadlessPlatform(double now = 46364.5) : clock(now) {}
    ~HeadlessPlatform();
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

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
    platform::IFonts* fonts = nullptr;

private:
    bool installed_ = false;
};

} // namespace headless
