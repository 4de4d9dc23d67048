// The platform set of the Linux desktop program: X11 windows, the Linux clock, regional
// settings, paths and files, and the dry-run power backend when the command line asks for it.
#pragma once

#include "platform/linux/DryRunPower.h"
#include "platform/linux/LinuxClock.h"
#include "platform/linux/LinuxFiles.h"
#include "platform/linux/LinuxLocale.h"
#include "platform/linux/LinuxPaths.h"
#include "platform/platform.h"

#include <memory>
#include <optional>
#include <string>

class DesktopPlatform {
public:
    // Connects to the display; false with a readable reason in `error` when there is none.
    bool Open(std::string& error);
    // `logPath`: the dry-run log (empty: stderr only); nothing: no dry-run backend.
    void UseDryRun(const std::optional<std::string>& logPath);
    // Makes this set the active platform.
    void Install();

private:
    std::unique_ptr<platform::IWindowSystem> windows_;
    std::unique_ptr<linuxplatform::DryRunPower> dryRun_;
    linuxplatform::LinuxClock clock_;
    linuxplatform::LinuxLocale locale_;
    linuxplatform::LinuxPaths paths_;
    linuxplatform::LinuxFiles files_;
};
