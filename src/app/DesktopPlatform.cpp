#include "app/DesktopPlatform.h"

#include "platform/linux/StatusNotifierShell.h"
#include "platform/x11/X11Backend.h"

DesktopPlatform::DesktopPlatform() = default;

DesktopPlatform::~DesktopPlatform() {
    platform::Install(platform::Platform{});
}

bool DesktopPlatform::Open(std::string& error) {
    windows_ = platform::x11::OpenWindowSystem(nullptr, error);
    if (windows_ == nullptr) {
        return false;
    }
    xembedTray_ = platform::x11::OpenXEmbedTray(*windows_);
    notifyShell_ = std::make_unique<linuxplatform::StatusNotifierShell>(windows_.get(), xembedTray_.get());
    sessionEnd_ = std::make_unique<linuxplatform::SessionEndQuery>(windows_.get());
    return true;
}

void DesktopPlatform::UseDryRun(const std::optional<std::string>& logPath) {
    if (logPath) {
        dryRun_ = std::make_unique<linuxplatform::DryRunPower>(*logPath);
    }
}

void DesktopPlatform::Install() {
    platform::Platform set;
    set.clock = &clock_;
    set.locale = &locale_;
    set.windows = windows_.get();
    set.power = dryRun_ != nullptr ? static_cast<platform::IPower*>(dryRun_.get()) : &logindPower_;
    set.privilege =
        dryRun_ != nullptr ? static_cast<platform::IPrivilege*>(dryRun_.get()) : &logindPrivilege_;
    set.shell = &shell_;
    set.notifyShell = notifyShell_.get();
    set.sessionLock = &sessionLock_;
    set.autostart = &autostart_;
    set.paths = &paths_;
    set.files = &files_;
    set.sessionEnd = sessionEnd_.get();
    platform::Install(set);
}
