// The privilege step on a logind system: asks logind whether this user may make the
// request (CanPowerOff, CanReboot, CanSuspend, CanHibernate), without waiting for the answer.
#pragma once

#include "platform/Privilege.h"
#include "platform/linuxdesktop/LoopBus.h"

namespace platform::linuxdesktop {

class LogindPrivilege : public platform::IPrivilege {
public:
    // The connection outlives this object.
    explicit LogindPrivilege(LoopBus& systemBus);

    // "yes" and "challenge" (allowed after authorisation) are success; "no", "na", any
    // other answer or no logind is failure, reported on stderr. The answer comes from the
    // event loop. Ending one's own session needs no right and giving a right up needs no
    // call: those answer at once.
    void SetShutdownPrivilege(bool enable, platform::PowerRight right, Answer answer) override;

private:
    LoopBus& system_;
};

} // namespace platform::linuxdesktop
