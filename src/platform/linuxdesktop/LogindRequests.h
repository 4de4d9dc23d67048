// What each power request becomes on a logind system. Shared by the backend that makes the
// calls and the dry-run backend that only describes them.
#pragma once

#include "platform/dryrun/DryRunPower.h"

#include <cstdint>
#include <string>

namespace platform::linuxdesktop {

enum class TSessionRequest {
    LogOff,         // the desktop's session manager, else terminate the own logind session
    ForcedLogOff,   // terminate the own logind session at once
    PowerOff,       // PowerOff(interactive)
    ForcedPowerOff, // power off ignoring inhibitors
    Reboot,         // Reboot(interactive)
    ForcedReboot,   // reboot ignoring inhibitors
    Suspend,        // Suspend(interactive)
    Hibernate,      // Hibernate(interactive)
};

// logind's flag for the ...WithFlags methods: go ahead despite inhibitor locks.
inline constexpr std::uint64_t kLogindSkipInhibitors = std::uint64_t(1) << 4;

TSessionRequest RequestForExitWindows(unsigned flags);
TSessionRequest RequestForPowerState(bool suspend);

// The calls the request makes, as one line of text for diagnostics and dry runs.
std::string DescribeRequest(TSessionRequest request);

// The same descriptions for the dry-run backend.
dryrun::RequestTexts DryRunRequestTexts();

} // namespace platform::linuxdesktop
