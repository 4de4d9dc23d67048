#include "app/linux/DesktopPlatform.h"

#include "platform/linux/LogindRequests.h"
#include "platform/linux/StatusNotifierShell.h"
#include "platform/x11/X11Backend.h"

DesktopPlatform::DesktopPlatform() = default;

DesktopPlatform::~DesktopPlatform() = default;

bool DesktopPlatform::Open(std::string& error) {
    windows_ = platform::x11::OpenWindowSystem(nullptr, error);
    if (windows_ == nullptr) {
        return false;
    }
    xembedTray_ = platform::x11::OpenXEmbedTray(*windows_);
    notifyShell_ = std::make_unique<linuxplatform::StatusNotifierShell>(windows_.get(), xembedTray_.get());
    sessionEnd_ = std::make_unique<linuxplatform::SessionEndQuery>(windows_.get());
    Collect();
    return true;
}

void DesktopPlatform::UseDryRun(const std::optional<std::string>& logPath) {
    if (logPath) {
        dryRun_ =
            std::make_unique<platform::dryrun::DryRunPower>(*logPath, linuxplatform::DescribeLogindCalls);
    }
    Collect();
}

void DesktopPlatform::Collect() {
    set_.clock = &clock_;
    set_.locale = &locale_;
    set_.windows = windows_.get();
    set_.power = dryRun_ != nullptr ? static_cast<platform::IPower*>(dryRun_.get()) : &logindPower_;
    set_.privilege =
        dryRun_ != nullptr ? static_cast<platform::IPrivilege*>(dryRun_.get()) : &logindPrivilege_;
    set_.shell = &shell_;
    set_.notifyShell = notifyShell_.get();
    set_.sessionLock = &sessionLock_;
    set_.autostart = &autostart_;
    set_.paths = &paths_;
    set_.files = &files_;
    set_.sessionEnd = sessionEnd_.get();
    set_.fonts = &fonts_;
}
