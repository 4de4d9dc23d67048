#include "platform/linuxdesktop/LinuxDesktopBackend.h"

#include "platform/NotifyShell.h"
#include "platform/WindowSystem.h"
#include "platform/dryrun/DryRunPower.h"
#include "platform/linuxdesktop/DeferredBusServices.h"
#include "platform/linuxdesktop/FontconfigFonts.h"
#include "platform/linuxdesktop/LinuxClock.h"
#include "platform/linuxdesktop/LinuxControlChannel.h"
#include "platform/linuxdesktop/LinuxFiles.h"
#include "platform/linuxdesktop/LinuxLocale.h"
#include "platform/linuxdesktop/LinuxPaths.h"
#include "platform/linuxdesktop/LinuxSessionLock.h"
#include "platform/linuxdesktop/LogindPower.h"
#include "platform/linuxdesktop/LogindPrivilege.h"
#include "platform/linuxdesktop/LogindRequests.h"
#include "platform/linuxdesktop/LoopBus.h"
#include "platform/linuxdesktop/SessionEndQuery.h"
#include "platform/linuxdesktop/StatusNotifierShell.h"
#include "platform/linuxdesktop/XdgAutostart.h"
#include "platform/linuxdesktop/XdgOpenShell.h"
#include "platform/x11/X11Backend.h"

#include <utility>

namespace platform::linuxdesktop {

namespace {

class LinuxDesktopBackend : public IBackend {
public:
    LinuxDesktopBackend(std::unique_ptr<IWindowSystem> windows, const BackendOptions& options)
        : windows_(std::move(windows)),
          notifyShell_(StatusNotifierShell::kVersion, [this] { return OpenNotificationArea(); }),
          sessionEnd_([this] { return std::make_unique<SessionEndQuery>(windows_.get()); }),
          fonts_(LinuxPaths::CacheFolder() + "fonts",
                 [this](std::function<void()> work) { x11::RunWhenIdle(*windows_, std::move(work)); }),
          controlChannel_(windows_.get()), systemBus_(TBusKind::System, windows_.get()),
          sessionBus_(TBusKind::Session, windows_.get()), logindPower_(systemBus_, sessionBus_),
          logindPrivilege_(systemBus_) {
        // The session bus and the X tray's round trips wait until the first frame is drawn.
        x11::RunWhenIdle(*windows_, [this] {
            notifyShell_.Open();
            sessionEnd_.Open();
        });
        set_.clock = &clock_;
        set_.fonts = &fonts_;
        set_.locale = &locale_;
        set_.windows = windows_.get();
        set_.power = &logindPower_;
        set_.privilege = &logindPrivilege_;
        set_.shell = &shell_;
        set_.notifyShell = &notifyShell_;
        set_.sessionLock = &sessionLock_;
        set_.autostart = &autostart_;
        set_.paths = &paths_;
        set_.files = &files_;
        set_.sessionEnd = &sessionEnd_;
        set_.controlChannel = &controlChannel_;
        dryRun_ = dryrun::Substitute(set_, options, DryRunRequestTexts());
    }

    const Platform& Set() const override { return set_; }

private:
    // StatusNotifierItems, with the XEmbed system tray where no watcher is there.
    std::unique_ptr<INotifyShell> OpenNotificationArea() {
        xembedTray_ = x11::OpenXEmbedTray(*windows_);
        return std::make_unique<StatusNotifierShell>(windows_.get(), xembedTray_.get());
    }

    std::unique_ptr<IWindowSystem> windows_;
    std::unique_ptr<INotifyShell> xembedTray_; // the notification area without a watcher
    DeferredNotifyShell notifyShell_;
    DeferredSessionEnd sessionEnd_;
    FontconfigFonts fonts_;
    LinuxControlChannel controlChannel_;
    std::unique_ptr<dryrun::DryRunPower> dryRun_;
    // The power requests' connections, opened at the first request.
    LoopBus systemBus_;
    LoopBus sessionBus_;
    LogindPower logindPower_;
    LogindPrivilege logindPrivilege_;
    LinuxClock clock_;
    LinuxLocale locale_;
    LinuxPaths paths_;
    LinuxFiles files_;
    LinuxSessionLock sessionLock_;
    XdgAutostart autostart_;
    XdgOpenShell shell_;
    Platform set_;
};

} // namespace

std::unique_ptr<IControlChannel> OpenControlClient() {
    return std::make_unique<LinuxControlChannel>(nullptr);
}

std::unique_ptr<IBackend> OpenBackend(const BackendOptions& options, std::string& error) {
    // The program's windows are small: a whole frame crosses the socket about as fast as it
    // would through a shared segment, which would hold another copy of each window for its
    // life and cost round trips to set up.
    x11::X11Options x11Options;
    x11Options.useSharedMemory = false;
    std::unique_ptr<IWindowSystem> windows = x11::OpenWindowSystem(nullptr, error, x11Options);
    if (windows == nullptr) {
        error += "; the program needs an X11 desktop session";
        return nullptr;
    }
    return std::make_unique<LinuxDesktopBackend>(std::move(windows), options);
}

} // namespace platform::linuxdesktop
