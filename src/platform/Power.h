// Power requests: ending the session, shutting down, restarting, suspending, hibernating.
#pragma once

namespace platform {

// Flags of the end-session request (the values the program's action table names).
enum ExitWindowsFlags : unsigned {
    EWX_LOGOFF = 0,
    EWX_SHUTDOWN = 1,
    EWX_REBOOT = 2,
    EWX_FORCE = 4,
};

// Each request returns at once: where the system must be asked (and may ask the user for
// authorisation first), the request goes on from the event loop. Its outcome is only logged
// by the backend; nobody waits for it.
class IPower {
public:
    virtual ~IPower() = default;
    // Ends the session (EWX_LOGOFF), shuts down (EWX_SHUTDOWN) or restarts (EWX_REBOOT);
    // EWX_FORCE added means running programs and inhibitors are not waited for.
    virtual void ExitWindowsEx(unsigned flags, unsigned reason) = 0;
    // suspend = true suspends to memory, false hibernates; force = do not ask programs first.
    virtual void SetSystemPowerState(bool suspend, bool force) = 0;
};

} // namespace platform
