// The privilege step on a logind system: asks logind whether this user may make the
// request (CanPowerOff, CanReboot, CanSuspend, CanHibernate).
#pragma once

#include "platform/Privilege.h"

namespace platform::linuxdesktop {

class LogindPrivilege : public platform::IPrivilege {
public:
    // "yes" and "challenge" (allowed after authorisation) are success; "no", "na", any
    // other answer or no logind is failure, reported on stderr. Ending one's own session
    // needs no right; giving a right up needs no call.
    bool SetShutdownPrivilege(bool enable, platform::PowerRight right) override;
};

} // namespace platform::linuxdesktop
