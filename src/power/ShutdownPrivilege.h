// The privilege step that precedes every power request, and the end-session request made
// after it.
#pragma once

#include "platform/Privilege.h"

namespace power {

// The right an end-session request needs: restart, shut down, or (log off) none beyond
// ending one's own session.
platform::PowerRight RightForExitWindows(unsigned flags);
// The right a power-state request needs: suspend to memory, or hibernate.
platform::PowerRight RightForPowerState(bool suspend);

// Enables (true) or disables (false) the right to make requests of this kind; true only
// when the adjustment left no error.
bool SetShutdownPrivilege(bool enable, platform::PowerRight right);

// Enables the right for the request where the platform has such rights, then asks to end
// the session with these flags and reason 0, whatever the privilege step answered. Returns
// whether the request was accepted.
bool ExitWindowsPrivileged(unsigned flags);

} // namespace power
