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

// The calls each request makes, as one line of text for the dry run.
dryrun::RequestTexts DryRunRequestTexts();

class Win32Power final : public IPower, public IPrivilege {
public:
    bool ExitWindowsEx(unsigned flags, unsigned reason) override;
    bool SetSystemPowerState(bool suspend, bool force) override;
    // One privilege, SeShutdownPrivilege, covers every kind of request.
    bool SetShutdownPrivilege(bool enable, PowerRight right) override;
};

} // namespace platform::win32
