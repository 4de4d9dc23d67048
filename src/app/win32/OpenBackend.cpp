// The program on Windows.
#include "app/OpenBackend.h"

#include "platform/win32/Win32Backend.h"

std::unique_ptr<platform::IBackend> OpenBackend(const platform::BackendOptions& options, std::string& error) {
    return platform::win32::OpenBackend(options, error);
}

// Windows has no control channel yet: a request finds no copy to send it to.
std::unique_ptr<platform::IControlChannel> OpenControlClient() {
    return nullptr;
}
