#include "platform/linuxdesktop/LogindPower.h"

#include "platform/linuxdesktop/LogindBus.h"
#include "platform/linuxdesktop/LogindRequests.h"
#include "platform/linuxdesktop/SessionManager.h"

#include <string>
#include <unistd.h>

namespace platform::linuxdesktop {

namespace {

constexpr int kInteractive = 1;

bool Succeeded(const TBusReply& reply, const char* method) {
    if (reply.Ok()) {
        return true;
    }
    ReportPowerFailure(std::string("logind ") + method + " failed: " + reply.Error());
    return false;
}

// PowerOff, Reboot, Suspend or Hibernate, with interactive authorisation allowed.
bool CallAction(const char* method) {
    TBusConnection bus(TBusKind::System);
    return Succeeded(bus.Call(kLogindManager, method, true, "b", kInteractive), method);
}

// The action ignoring inhibitor locks. logind versions that do not know the flag, or that
// would need to ask the user (the ...WithFlags calls never ask), refuse it: the plain
// interactive call then asks for the right to ignore inhibitors where one is held.
bool CallActionIgnoringInhibitors(const char* method, const char* methodWithFlags) {
    TBusConnection bus(TBusKind::System);
    const TBusReply flagged = bus.Call(kLogindManager, methodWithFlags, true, "t", kLogindSkipInhibitors);
    if (flagged.Ok()) {
        return true;
    }
    const TBusReply plain = bus.Call(kLogindManager, method, true, "b", kInteractive);
    if (plain.Ok()) {
        return true;
    }
    ReportPowerFailure(std::string("logind ") + method + " failed: " + plain.Error() + " (" +
                       methodWithFlags + ": " + flagged.Error() + ")");
    return false;
}

// Terminates the logind session this process runs in.
bool TerminateOwnSession() {
    TBusConnection bus(TBusKind::System);
    TBusReply session = bus.Call(kLogindManager, "GetSessionByPID", true, "u", std::uint32_t(getpid()));
    if (!Succeeded(session, "GetSessionByPID")) {
        return false;
    }
    const std::optional<std::string> path = session.ReadText('o');
    if (!path) {
        ReportPowerFailure("logind GetSessionByPID gave no session path");
        return false;
    }
    const TBusObject sessionProperties{kLogindManager.service, path->c_str(),
                                       "org.freedesktop.DBus.Properties"};
    TBusReply idReply =
        bus.Call(sessionProperties, "Get", true, "ss", "org.freedesktop.login1.Session", "Id");
    if (!Succeeded(idReply, "session Id")) {
        return false;
    }
    const std::optional<std::string> id = idReply.ReadVariantText();
    if (!id) {
        ReportPowerFailure("logind session " + *path + " has no Id");
        return false;
    }
    return Succeeded(bus.Call(kLogindManager, "TerminateSession", true, "s", id->c_str()),
                     "TerminateSession");
}

bool LogOff() {
    switch (LogoutThroughSessionManager()) {
    case TLogoutResult::Accepted:
        return true;
    case TLogoutResult::Refused:
        // Terminating the session now would lose the work the session manager protects.
        return false;
    case TLogoutResult::NoneRunning:
        break;
    }
    return TerminateOwnSession();
}

} // namespace

bool LogindPower::ExitWindowsEx(unsigned flags, unsigned /*reason*/) {
    switch (RequestForExitWindows(flags)) {
    case TSessionRequest::LogOff:
        return LogOff();
    case TSessionRequest::ForcedLogOff:
        return TerminateOwnSession();
    case TSessionRequest::PowerOff:
        return CallAction("PowerOff");
    case TSessionRequest::ForcedPowerOff:
        return CallActionIgnoringInhibitors("PowerOff", "PowerOffWithFlags");
    case TSessionRequest::Reboot:
        return CallAction("Reboot");
    case TSessionRequest::ForcedReboot:
        return CallActionIgnoringInhibitors("Reboot", "RebootWithFlags");
    case TSessionRequest::Suspend:
    case TSessionRequest::Hibernate:
        break;
    }
    return false;
}

bool LogindPower::SetSystemPowerState(bool suspend, bool /*force*/) {
    return CallAction(RequestForPowerState(suspend) == TSessionRequest::Suspend ? "Suspend" : "Hibernate");
}

} // namespace platform::linuxdesktop
