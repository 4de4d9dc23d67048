// The program on a Linux desktop.
#include "app/OpenBackend.h"

#include "platform/linuxdesktop/LinuxDesktopBackend.h"

std::unique_ptr<platform::IBackend> OpenBackend(const platform::BackendOptions& options, std::string& error) {
    return platform::linuxdesktop::OpenBackend(options, error);
}

std::unique_ptr<platform::IControlChannel> OpenControlClient() {
    return platform::linuxdesktop::OpenControlClient();
}
