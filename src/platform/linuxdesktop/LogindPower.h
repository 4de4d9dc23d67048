// Power requests through systemd-logind on the system bus; log-off goes through the
// desktop's session manager first. Every call goes out without waiting: the requests go on
// from the event loop as the answers come. Failures are reported on stderr, one line each,
// and shown to nobody.
#pragma once

#include "platform/Power.h"
#include "platform/linuxdesktop/LoopBus.h"

namespace platform::linuxdesktop {

class LogindPower : public platform::IPower {
public:
    // The connections outlive this object.
    LogindPower(LoopBus& systemBus, LoopBus& sessionBus);

    void ExitWindowsEx(unsigned flags, unsigned reason) override;
    // force is not passed on: logind lets delay inhibitors (programs saving state) finish.
    void SetSystemPowerState(bool suspend, bool force) override;

private:
    void CallAction(const char* method);
    void CallActionIgnoringInhibitors(const char* method, const char* methodWithFlags);
    void TerminateOwnSession();
    void TerminateSessionAt(const std::string& path);
    void LogOff();

    LoopBus& system_;
    LoopBus& session_;
};

} // namespace platform::linuxdesktop
