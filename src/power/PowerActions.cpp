#include "power/PowerActions.h"

#include "platform/Platform.h"
#include "platform/Power.h"
#include "power/ShutdownPrivilege.h"

#include <cstdio>

namespace power {

namespace {

void RequestPowerState(const TActionRequest& request) {
    SetShutdownPrivilege(true, RightForPowerState(request.suspend), [request](bool granted) {
        if (!granted) {
            return;
        }
        platform::IPower* systemPower = platform::Current().power;
        if (systemPower == nullptr) {
            std::fputs("vesperon: no power backend installed; power-state request dropped\n", stderr);
            return;
        }
        systemPower->SetSystemPowerState(request.suspend, request.force);
    });
}

void MakeRequest(int action) {
    const std::optional<TActionRequest> request = ActionRequest(action);
    if (!request) {
        return;
    }
    if (request->kind == TActionRequest::EndSession) {
        ExitWindowsPrivileged(request->flags);
    } else {
        RequestPowerState(*request);
    }
}

} // namespace

std::optional<TActionRequest> ActionRequest(int action) {
    for (const TActionRequest& request : kActionRequests) {
        if (request.action == action) {
            return request;
        }
    }
    return std::nullopt;
}

void PerformAction(int action, bool& actionDone) {
    actionDone = true;
    MakeRequest(action);
}

} // namespace power
