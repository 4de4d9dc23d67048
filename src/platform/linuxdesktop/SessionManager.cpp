#include "platform/linuxdesktop/SessionManager.h"

#include "platform/linuxdesktop/LogindBus.h"

#include <cstdint>
#include <string>

namespace platform::linuxdesktop {

namespace {

// GNOME's Logout mode 1: no confirmation dialog.
constexpr std::uint32_t kGnomeLogoutNoConfirmation = 1;
// ksmserver's logout(confirm, type, mode): no confirmation, log out, default mode.
constexpr std::int32_t kKdeNoConfirm = 0;
constexpr std::int32_t kKdeLogout = 0;
constexpr std::int32_t kKdeDefaultMode = 0;

TBusReply GnomeLogout(TBusConnection& bus, const TBusObject& manager) {
    return bus.Call(manager, "Logout", false, "u", kGnomeLogoutNoConfirmation);
}

TBusReply KdeShutdownLogout(TBusConnection& bus, const TBusObject& manager) {
    return bus.Call(manager, "logout", false, nullptr);
}

TBusReply KdeServerLogout(TBusConnection& bus, const TBusObject& manager) {
    return bus.Call(manager, "logout", false, "iii", kKdeNoConfirm, kKdeLogout, kKdeDefaultMode);
}

TBusReply XfceLogout(TBusConnection& bus, const TBusObject& manager) {
    const int showDialog = 0;
    const int allowSave = 1;
    return bus.Call(manager, "Logout", false, "bb", showDialog, allowSave);
}

struct TSessionManager {
    TBusObject object;
    TBusReply (*logout)(TBusConnection&, const TBusObject&);
};

// Asked in this order; the first one running takes the request.
constexpr TSessionManager kSessionManagers[] = {
    {{"org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager"}, GnomeLogout},
    {{"org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown"}, KdeShutdownLogout},
    {{"org.kde.ksmserver", "/KSMServer", "org.kde.KSMServerInterface"}, KdeServerLogout},
    {{"org.xfce.SessionManager", "/org/xfce/SessionManager", "org.xfce.Session.Manager"}, XfceLogout},
};

} // namespace

TLogoutResult LogoutThroughSessionManager() {
    TBusConnection bus(TBusKind::Session);
    if (!bus.IsOpen()) {
        return TLogoutResult::NoneRunning;
    }
    for (const TSessionManager& manager : kSessionManagers) {
        if (!bus.HasOwner(manager.object.service)) {
            continue;
        }
        const TBusReply reply = manager.logout(bus, manager.object);
        if (reply.Ok()) {
            return TLogoutResult::Accepted;
        }
        ReportPowerFailure(std::string("log-off through ") + manager.object.service +
                           " failed: " + reply.Error());
        return TLogoutResult::Refused;
    }
    return TLogoutResult::NoneRunning;
}

} // namespace platform::linuxdesktop
