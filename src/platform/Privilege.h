// The privilege step before a power request.
#pragma once

#include <functional>

namespace platform {

// The kind of request a privilege step prepares. Some systems hold one shutdown privilege
// for every request; logind answers for each kind separately (CanPowerOff, CanReboot, ...).
enum class PowerRight { EndSession, PowerOff, Reboot, Suspend, Hibernate };

class IPrivilege {
public:
    // Receives the outcome of a privilege step: true when the adjustment left no error (the
    // right is held or can be granted after authorisation).
    using Answer = std::function<void(bool granted)>;

    virtual ~IPrivilege() = default;
    // Enables or disables the right to make requests of this kind. Returns at once; the answer
    // comes exactly once, right away where the step is local, or later from the event loop
    // where a service must be asked. A request that depends on the step is made from the answer.
    virtual void SetShutdownPrivilege(bool enable, PowerRight right, Answer answer) = 0;
};

} // namespace platform
