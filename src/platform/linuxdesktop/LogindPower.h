// Power requests through systemd-logind on the system bus; log-off goes through the
// desktop's session manager first. Failures are reported on stderr, one line each, and
// shown to nobody.
#pragma once

#include "platform/Power.h"

namespace platform::linuxdesktop {

class LogindPower : public platform::IPower {
public:
    bool ExitWindowsEx(unsigned flags, unsigned reason) override;
    // force is not passed on: logind lets delay inhibitors (programs saving state) finish.
    bool SetSystemPowerState(bool suspend, bool force) override;
};

} // namespace platform::linuxdesktop
