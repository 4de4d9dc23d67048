// Log-off through the desktop's session manager on the session bus, which lets running
// programs save their work, as a log-off from the desktop's own menu does.
#pragma once

#include "platform/linuxdesktop/LoopBus.h"

#include <functional>

namespace platform::linuxdesktop {

enum class TLogoutResult {
    Accepted, // a session manager took the request
    Refused,  // a session manager answered with an error (already reported on stderr)
    NoneRunning,
};

// Asks the first running session manager (GNOME, KDE, XFCE) to log out without a
// confirmation dialog; `done` learns the outcome from the event loop.
void LogoutThroughSessionManager(LoopBus& sessionBus, std::function<void(TLogoutResult)> done);

} // namespace platform::linuxdesktop
