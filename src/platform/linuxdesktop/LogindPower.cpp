#include "platform/linuxdesktop/LogindPower.h"

#include "platform/linuxdesktop/LogindBus.h"
#include "platform/linuxdesktop/LogindRequests.h"
#include "platform/linuxdesktop/SessionManager.h"

#include <string>
#include <unistd.h>

namespace platform::linuxdesktop {

namespace {

constexpr bool kInteractive = true;

bool Succeeded(const TBusReply& reply, const char* method) {
    if (reply.Ok()) {
        return true;
    }
    ReportPowerFailure(std::string("logind ") + method + " failed: " + reply.Error());
    return false;
}

} // namespace

LogindPower::LogindPower(LoopBus& systemBus, LoopBus& sessionBus)
    : system_(systemBus), session_(sessionBus) {}

// PowerOff, Reboot, Suspend or Hibernate, with interactive authorisation allowed.
void LogindPower::CallAction(const char* method) {
    system_.Call(
        kLogindManager, method, TStart::Service, TWait::Prompt,
        [method](TBusReply& reply) { Succeeded(reply, method); }, dbus::TWriter().Bool(kInteractive));
}

// The action ignoring inhibitor locks. logind versions that do not know the flag, or that
// would need to ask the user (the ...WithFlags calls never ask), refuse it: the plain
// interactive call then asks for the right to ignore inhibitors where one is held.
void LogindPower::CallActionIgnoringInhibitors(const char* method, const char* methodWithFlags) {
    system_.Call(
        kLogindManager, methodWithFlags, TStart::Service, TWait::Query,
        [this, method, methodWithFlags](TBusReply& flagged) {
            if (flagged.Ok()) {
                return;
            }
            const std::string flaggedError = flagged.Error();
            system_.Call(
                kLogindManager, method, TStart::Service, TWait::Prompt,
                [method, methodWithFlags, flaggedError](TBusReply& plain) {
                    if (!plain.Ok()) {
                        ReportPowerFailure(std::string("logind ") + method + " failed: " + plain.Error() +
                                           " (" + methodWithFlags + ": " + flaggedError + ")");
                    }
                },
                dbus::TWriter().Bool(kInteractive));
        },
        dbus::TWriter().Uint64(kLogindSkipInhibitors));
}

// Terminates the logind session this process runs in: its path, its Id, then the request.
void LogindPower::TerminateOwnSession() {
    system_.Call(
        kLogindManager, "GetSessionByPID", TStart::Service, TWait::Query,
        [this](TBusReply& session) {
            if (!Succeeded(session, "GetSessionByPID")) {
                return;
            }
            const std::optional<std::string> path = session.ReadText('o');
            if (!path) {
                ReportPowerFailure("logind GetSessionByPID gave no session path");
                return;
            }
            TerminateSessionAt(*path);
        },
        dbus::TWriter().Uint32(std::uint32_t(getpid())));
}

void LogindPower::TerminateSessionAt(const std::string& path) {
    const TBusObject sessionProperties{kLogindManager.service, path.c_str(),
                                       "org.freedesktop.DBus.Properties"};
    system_.Call(
        sessionProperties, "Get", TStart::Service, TWait::Query,
        [this, path](TBusReply& idReply) {
            if (!Succeeded(idReply, "session Id")) {
                return;
            }
            const std::optional<std::string> id = idReply.ReadVariantText();
            if (!id) {
                ReportPowerFailure("logind session " + path + " has no Id");
                return;
            }
            system_.Call(
                kLogindManager, "TerminateSession", TStart::Service, TWait::Query,
                [](TBusReply& reply) { Succeeded(reply, "TerminateSession"); }, dbus::TWriter().String(*id));
        },
        dbus::TWriter().String("org.freedesktop.login1.Session").String("Id"));
}

void LogindPower::LogOff() {
    LogoutThroughSessionManager(session_, [this](TLogoutResult result) {
        // A refusal keeps the session: terminating it now would lose the work the session
        // manager protects.
        if (result == TLogoutResult::NoneRunning) {
            TerminateOwnSession();
        }
    });
}

void LogindPower::ExitWindowsEx(unsigned flags, unsigned /*reason*/) {
    switch (RequestForExitWindows(flags)) {
    case TSessionRequest::LogOff:
        LogOff();
        break;
    case TSessionRequest::ForcedLogOff:
        TerminateOwnSession();
        break;
    case TSessionRequest::PowerOff:
        CallAction("PowerOff");
        break;
    case TSessionRequest::ForcedPowerOff:
        CallActionIgnoringInhibitors("PowerOff", "PowerOffWithFlags");
        break;
    case TSessionRequest::Reboot:
        CallAction("Reboot");
        break;
    case TSessionRequest::ForcedReboot:
        CallActionIgnoringInhibitors("Reboot", "RebootWithFlags");
        break;
    case TSessionRequest::Suspend:
    case TSessionRequest::Hibernate:
        break;
    }
}

void LogindPower::SetSystemPowerState(bool suspend, bool /*force*/) {
    CallAction(RequestForPowerState(suspend) == TSessionRequest::Suspend ? "Suspend" : "Hibernate");
}

} // namespace platform::linuxdesktop
