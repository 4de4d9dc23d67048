// The platform set of the Linux desktop program: X11 windows, fontconfig and FreeType fonts,
// the Linux clock, regional settings, paths and files, the notification area, the
// single-instance lock, the log-on entry, xdg-open, the session manager's end-of-session
// query, and logind power requests or, when the command line asks for it, the dry-run
// backend that only logs them.
#pragma once

#include "platform/Backend.h"
#include "platform/NotifyShell.h"
#include "platform/Platform.h"
#include "platform/SessionEnd.h"
#include "platform/SessionLock.h"
#include "platform/WindowSystem.h"
#include "platform/dryrun/DryRunPower.h"
#include "platform/freetype/FreeTypeFonts.h"
#include "platform/linux/LinuxClock.h"
#include "platform/linux/LinuxFiles.h"
#include "platform/linux/LinuxLocale.h"
#include "platform/linux/LinuxPaths.h"
#include "platform/linux/LinuxSessionLock.h"
#include "platform/linux/LogindPower.h"
#include "platform/linux/LogindPrivilege.h"
#include "platform/linux/SessionEndQuery.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/linux/XdgOpenShell.h"

#include <memory>
#include <optional>
#include <string>

class DesktopPlatform final : public platform::IBackend {
public:
    DesktopPlatform();
    ~DesktopPlatform() override;
    DesktopPlatform(const DesktopPlatform&) = delete;
    DesktopPlatform& operator=(const DesktopPlatform&) = delete;

    // Connects to the display; false with a readable reason in `error` when there is none.
    bool Open(std::string& error);
    // `logPath`: the dry-run log (empty: stderr only); nothing: real requests through logind.
    void UseDryRun(const std::optional<std::string>& logPath);
    const platform::Platform& Set() const override { return set_; }

private:
    // Gathers the facilities into the platform record.
    void Collect();

    std::unique_ptr<platform::IWindowSystem> windows_;
    std::unique_ptr<platform::INotifyShell> xembedTray_; // the notification area without a watcher
    std::unique_ptr<platform::INotifyShell> notifyShell_;
    std::unique_ptr<linuxplatform::SessionEndQuery> sessionEnd_;
    std::unique_ptr<platform::dryrun::DryRunPower> dryRun_;
    platform::freetype::FreeTypeFonts fonts_;
    linuxplatform::LogindPower logindPower_;
    linuxplatform::LogindPrivilege logindPrivilege_;
    linuxplatform::LinuxClock clock_;
    linuxplatform::LinuxLocale locale_;
    linuxplatform::LinuxPaths paths_;
    linuxplatform::LinuxFiles files_;
    linuxplatform::LinuxSessionLock sessionLock_;
    linuxplatform::XdgAutostart autostart_;
    linuxplatform::XdgOpenShell shell_;
    platform::Platform set_;
};
