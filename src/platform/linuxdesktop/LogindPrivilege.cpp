#include "platform/linuxdesktop/LogindPrivilege.h"

#include "platform/linuxdesktop/LogindBus.h"

#include <string>
#include <utility>

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

LogindPrivilege::LogindPrivilege(LoopBus& systemBus) : system_(systemBus) {}

void LogindPrivilege::SetShutdownPrivilege(bool enable, platform::PowerRight right, Answer answer) {
    const char* query = QueryFor(right);
    if (!enable || query == nullptr) {
        answer(true);
        return;
    }
    system_.Call(kLogindManager, query, TStart::Service, TWait::Query,
                 [query, answer = std::move(answer)](TBusReply& reply) {
                     if (!reply.Ok()) {
                         ReportPowerFailure(std::string("logind ") + query + " failed: " + reply.Error());
                         answer(false);
                         return;
                     }
                     const std::string said = reply.ReadText('s').value_or("");
                     const bool granted = said == "yes" || said == "challenge";
                     if (!granted) {
                         ReportPowerFailure(std::string("logind ") + query + " answered \"" + said + "\"");
                     }
                     answer(granted);
                 });
}

} // namespace platform::linuxdesktop
