#include "app/OpenBackend.h"

#include "app/linux/DesktopPlatform.h"

std::unique_ptr<platform::IBackend> OpenBackend(const platform::BackendOptions& options, std::string& error) {
    auto desktop = std::make_unique<DesktopPlatform>();
    if (!desktop->Open(error)) {
        error += "; the program needs an X11 desktop session";
        return nullptr;
    }
    desktop->UseDryRun(options.dryRunLog);
    return desktop;
}
