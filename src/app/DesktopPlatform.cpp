#include "app/DesktopPlatform.h"

#include "platform/x11/X11Backend.h"

bool DesktopPlatform::Open(std::string& error) {
    windows_ = platform::x11::OpenWindowSystem(nullptr, error);
    return windows_ != nullptr;
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
    set.power = dryRun_.get();
    set.privilege = dryRun_.get();
    set.paths = &paths_;
    set.files = &files_;
    platform::Install(set);
}
