#include "power/ShutdownPrivilege.h"

#include "platform/Platform.h"
#include "platform/Power.h"
#include "platform/Privilege.h"

#include <cstdio>
#include <utility>

namespace power {

platform::PowerRight RightForExitWindows(unsigned flags) {
    if ((flags & platform::EWX_REBOOT) != 0) {
        return platform::PowerRight::Reboot;
    }
    if ((flags & platform::EWX_SHUTDOWN) != 0) {
        return platform::PowerRight::PowerOff;
    }
    return platform::PowerRight::EndSession;
}

platform::PowerRight RightForPowerState(bool suspend) {
    return suspend ? platform::PowerRight::Suspend : platform::PowerRight::Hibernate;
}

void SetShutdownPrivilege(bool enable, platform::PowerRight right, platform::IPrivilege::Answer answer) {
    platform::IPrivilege* privilege = platform::Current().privilege;
    if (privilege == nullptr) {
        std::fputs("vesperon: no privilege backend installed; privilege step failed\n", stderr);
        answer(false);
        return;
    }
    privilege->SetShutdownPrivilege(enable, right, std::move(answer));
}

void ExitWindowsPrivileged(unsigned flags) {
    SetShutdownPrivilege(true, RightForExitWindows(flags), [flags](bool /*granted*/) {
        // The backend in force when the answer comes makes the request.
        platform::IPower* systemPower = platform::Current().power;
        if (systemPower == nullptr) {
            std::fputs("vesperon: no power backend installed; end-session request dropped\n", stderr);
            return;
        }
        systemPower->ExitWindowsEx(flags, 0);
    });
}

} // namespace power
