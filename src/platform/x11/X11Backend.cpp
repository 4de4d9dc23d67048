#include "platform/x11/X11Backend.h"

#include "platform/x11/X11WindowSystem.h"

namespace platform::x11 {

std::unique_ptr<IWindowSystem> OpenWindowSystem(const char* displayName, std::string& error,
                                                const X11Options& options) {
    return X11WindowSystem::Open(displayName, error, options);
}

} // namespace platform::x11
