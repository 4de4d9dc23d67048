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

// Enables (true) or disables (false) the right to make requests of this kind; the answer
// (true only when the adjustment left no error) comes once, at once or later from the event
// loop. Without a privilege backend the answer is false.
void SetShutdownPrivilege(bool enable, platform::PowerRight right, platform::IPrivilege::Answer answer);

// Enables the right for the request where the platform has such rights, then, once that step
// has answered (whatever it answered), asks to end the session with these flags and reason 0.
// Returns at once; nothing waits for the request's outcome.
void ExitWindowsPrivileged(unsigned flags);

} // namespace power
