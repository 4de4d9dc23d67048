// The program's power actions: the action numbers, the request each one makes, and the
// work of the Shutdown Now button.
#pragma once

#include "platform/Power.h"

#include <optional>

namespace power {

// Action numbers as stored in the settings file (the action radio buttons' tag minus 7).
inline constexpr int kActionShutdown = 1;
inline constexpr int kActionLogoff = 2;
inline constexpr int kActionRestart = 3;
inline constexpr int kActionForcedShutdown = 4;
inline constexpr int kActionStandBy = 5;
inline constexpr int kActionDormancy = 6;

// The request an action makes: an end-session request with its flags (made after the
// privilege step, whatever it answered), or a power-state request (made only when the
// privilege step succeeded).
struct TActionRequest {
    enum TKind { EndSession, PowerState };
    int action = 0;
    TKind kind = EndSession;
    unsigned flags = 0;   // EndSession: the ExitWindowsFlags
    bool suspend = false; // PowerState: true suspends to memory, false hibernates
    bool force = false;   // PowerState
};

// The action table. Forced Shutdown shuts down with the force flag (the force flag alone
// would only end the session); Stand By suspends to memory, Dormancy hibernates.
inline constexpr TActionRequest kActionRequests[] = {
    {kActionShutdown, TActionRequest::EndSession, platform::EWX_SHUTDOWN, false, false},
    {kActionLogoff, TActionRequest::EndSession, platform::EWX_LOGOFF, false, false},
    {kActionRestart, TActionRequest::EndSession, platform::EWX_REBOOT, false, false},
    {kActionForcedShutdown, TActionRequest::EndSession, platform::EWX_SHUTDOWN | platform::EWX_FORCE, false,
     false},
    {kActionStandBy, TActionRequest::PowerState, 0, true, true},
    {kActionDormancy, TActionRequest::PowerState, 0, false, true},
};

// The table's request for an action number; nothing for a number outside 1..6.
std::optional<TActionRequest> ActionRequest(int action);

// The work of Shutdown Now: first marks the action done (so that a later close asks no
// question), then makes the request of the action: the privilege step, and the request when
// it has answered. Returns at once, also while the system has not answered yet. A number
// outside 1..6 requests nothing.
void PerformAction(int action, bool& actionDone);

} // namespace power
