#include "platform/linuxdesktop/LogindPrivilege.h"

#include "platform/linuxdesktop/LogindBus.h"

#include <string>

namespace platform::linuxdesktop {

namespace {

const char* QueryFor(platform::PowerRight right) {
    switch (right) {
    case platform::PowerRight::PowerOff:
        return "CanPowerOff";
    case platform::PowerRight::Reboot:
        return "CanReboot";
    case platform::PowerRight::Suspend:
        return "CanSuspend";
    case platform::PowerRight::Hibernate:
        return "CanHibernate";
    case platform::PowerRight::EndSession:
        break;
    }
    return nullptr;
}

} // namespace

bool LogindPrivilege::SetShutdownPrivilege(bool enable, platform::PowerRight right) {
    const char* query = QueryFor(right);
    if (!enable || query == nullptr) {
        return true;
    }
    TBusConnection bus(TBusKind::System);
    TBusReply reply = bus.Call(kLogindManager, query, true, nullptr);
    if (!reply.Ok()) {
        ReportPowerFailure(std::string("logind ") + query + " failed: " + reply.Error());
        return false;
    }
    const std::string answer = reply.ReadText('s').value_or("");
    if (answer == "yes" || answer == "challenge") {
        return true;
    }
    ReportPowerFailure(std::string("logind ") + query + " answered \"" + answer + "\"");
    return false;
}

} // namespace platform::linuxdesktop
