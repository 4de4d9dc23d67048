#include "platform/x11/X11Backend.h"

#include "platform/x11/X11WindowSystem.h"

namespace platform::x11 {

std::unique_ptr<IWindowSystem> OpenWindowSystem(const char* displayName, std::string& error,
                                                const X11Options& options) {
    return X11WindowSystem::Open(displayName, error, options);
}

void RunWhenIdle(IWindowSystem& windows, std::function<void()> work) {
    if (auto* x11 = dynamic_cast<X11WindowSystem*>(&windows)) {
        x11->RunWhenIdle(std::move(work));
    } else {
        work();
    }
}

} // namespace platform::x11
