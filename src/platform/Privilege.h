// The privilege step before a power request.
#pragma once

namespace platform {

// The kind of request a privilege step prepares. Some systems hold one shutdown privilege
// for every request; logind answers for each kind separately (CanPowerOff, CanReboot, ...).
enum class PowerRight { EndSession, PowerOff, Reboot, Suspend, Hibernate };

class IPrivilege {
public:
    virtual ~IPrivilege() = default;
    // Enables or disables the right to make requests of this kind; true when the adjustment
    // left no error (the right is held or can be granted after authorisation).
    virtual bool SetShutdownPrivilege(bool enable, PowerRight right) = 0;
};

} // namespace platform
