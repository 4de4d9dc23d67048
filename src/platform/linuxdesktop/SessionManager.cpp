#include "platform/linuxdesktop/SessionManager.h"

#include "platform/linuxdesktop/LogindBus.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>

namespace platform::linuxdesktop {

namespace {

// GNOME's Logout mode 1: no confirmation dialog.
constexpr std::uint32_t kGnomeLogoutNoConfirmation = 1;
// ksmserver's logout(confirm, type, mode): no confirmation, log out, default mode.
constexpr std::int32_t kKdeNoConfirm = 0;
constexpr std::int32_t kKdeLogout = 0;
constexpr std::int32_t kKdeDefaultMode = 0;

using TLogoutCall = void (*)(LoopBus&, const TBusObject&, LoopBus::TReplyHandler);

void GnomeLogout(LoopBus& bus, const TBusObject& manager, LoopBus::TReplyHandler handler) {
    bus.Call(manager, "Logout", TStart::NoService, TWait::Query, std::move(handler),
             dbus::TWriter().Uint32(kGnomeLogoutNoConfirmation));
}

void KdeShutdownLogout(LoopBus& bus, const TBusObject& manager, LoopBus::TReplyHandler handler) {
    bus.Call(manager, "logout", TStart::NoService, TWait::Query, std::move(handler));
}

void KdeServerLogout(LoopBus& bus, const TBusObject& manager, LoopBus::TReplyHandler handler) {
    bus.Call(manager, "logout", TStart::NoService, TWait::Query, std::move(handler),
             dbus::TWriter().Int32(kKdeNoConfirm).Int32(kKdeLogout).Int32(kKdeDefaultMode));
}

void XfceLogout(LoopBus& bus, const TBusObject& manager, LoopBus::TReplyHandler handler) {
    const bool showDialog = false;
    const bool allowSave = true;
    bus.Call(manager, "Logout", TStart::NoService, TWait::Query, std::move(handler),
             dbus::TWriter().Bool(showDialog).Bool(allowSave));
}

struct TSessionManager {
    TBusObject object;
    TLogoutCall logout;
};

// Asked in this order; the first one running takes the request.
constexpr TSessionManager kSessionManagers[] = {
    {{"org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager"}, GnomeLogout},
    {{"org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown"}, KdeShutdownLogout},
    {{"org.kde.ksmserver", "/KSMServer", "org.kde.KSMServerInterface"}, KdeServerLogout},
    {{"org.xfce.SessionManager", "/org/xfce/SessionManager", "org.xfce.Session.Manager"}, XfceLogout},
};

// Asks the manager at `index` whether it runs, and it or the next ones in turn.
void AskFrom(LoopBus& bus, std::size_t index, std::function<void(TLogoutResult)> done) {
    if (index == std::size(kSessionManagers)) {
        done(TLogoutResult::NoneRunning);
        return;
    }
    const TSessionManager& manager = kSessionManagers[index];
    bus.HasOwner(manager.object.service, [&bus, &manager, index, done = std::move(done)](bool running) {
        if (!running) {
            AskFrom(bus, index + 1, done);
            return;
        }
        manager.logout(bus, manager.object, [&manager, done](TBusReply& reply) {
            if (reply.Ok()) {
                done(TLogoutResult::Accepted);
                return;
            }
            ReportPowerFailure(std::string("log-off through ") + manager.object.service +
                               " failed: " + reply.Error());
            done(TLogoutResult::Refused);
        });
    });
}

} // namespace

void LogoutThroughSessionManager(LoopBus& sessionBus, std::function<void(TLogoutResult)> done) {
    AskFrom(sessionBus, 0, std::move(done));
}

} // namespace platform::linuxdesktop
