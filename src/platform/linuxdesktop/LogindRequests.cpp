#include "platform/linuxdesktop/LogindRequests.h"

#include "platform/Power.h"

namespace platform::linuxdesktop {

TSessionRequest RequestForExitWindows(unsigned flags) {
    const bool force = (flags & platform::EWX_FORCE) != 0;
    if ((flags & platform::EWX_REBOOT) != 0) {
        return force ? TSessionRequest::ForcedReboot : TSessionRequest::Reboot;
    }
    if ((flags & platform::EWX_SHUTDOWN) != 0) {
        return force ? TSessionRequest::ForcedPowerOff : TSessionRequest::PowerOff;
    }
    return force ? TSessionRequest::ForcedLogOff : TSessionRequest::LogOff;
}

TSessionRequest RequestForPowerState(bool suspend) {
    return suspend ? TSessionRequest::Suspend : TSessionRequest::Hibernate;
}

std::string DescribeRequest(TSessionRequest request) {
    switch (request) {
    case TSessionRequest::LogOff:
        return "session manager Logout without confirmation, else login1 TerminateSession(own session)";
    case TSessionRequest::ForcedLogOff:
        return "login1 TerminateSession(own session)";
    case TSessionRequest::PowerOff:
        return "login1 PowerOff(true)";
    case TSessionRequest::ForcedPowerOff:
        return "login1 PowerOffWithFlags(SKIP_INHIBITORS), else PowerOff(true)";
    case TSessionRequest::Reboot:
        return "login1 Reboot(true)";
    case TSessionRequest::ForcedReboot:
        return "login1 RebootWithFlags(SKIP_INHIBITORS), else Reboot(true)";
    case TSessionRequest::Suspend:
        return "login1 Suspend(true)";
    case TSessionRequest::Hibernate:
        return "login1 Hibernate(true)";
    }
    return "unknown request";
}

namespace {

std::string DescribeExitWindows(unsigned flags) {
    return DescribeRequest(RequestForExitWindows(flags));
}

std::string DescribePowerState(bool suspend) {
    return DescribeRequest(RequestForPowerState(suspend));
}

} // namespace

dryrun::RequestTexts DryRunRequestTexts() {
    return {DescribeExitWindows, DescribePowerState};
}

} // namespace platform::linuxdesktop
