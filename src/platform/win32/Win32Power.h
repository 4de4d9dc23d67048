// Power requests on Windows: the shutdown privilege of the process token, ExitWindowsEx for
// ending the session, and SetSuspendState for stand by and hibernation.
#pragma once

#include "platform/Power.h"
#include "platform/Privilege.h"
#include "platform/dryrun/DryRunPower.h"

#include <string>

namespace platform::win32 {

// The system's ExitWindowsEx flags for the program's request: shutting down powers the
// computer off (also when forced), restarting restarts, logging off ends the session; the
// force flag is kept.
unsigned SystemExitFlags(unsigned flags);

// Enables (or disables) SeShutdownPrivilege in the process token; true when the adjustment left
// no error (ERROR_NOT_ALL_ASSIGNED: the process may not hold it).
bool AdjustShutdownPrivilege(bool enable);

// The calls each request makes, as one line of text for the dry run.
dryrun::RequestTexts DryRunRequestTexts();

class Win32Power final : public IPower, public IPrivilege {
public:
    // A refused request is noted on stderr.
    void ExitWindowsEx(unsigned flags, unsigned reason) override;
    void SetSystemPowerState(bool suspend, bool force) override;
    // One privilege, SeShutdownPrivilege, covers every kind of request; the step is local, so
    // the answer comes at once.
    void SetShutdownPrivilege(bool enable, PowerRight right, Answer answer) override;
};

} // namespace platform::win32
