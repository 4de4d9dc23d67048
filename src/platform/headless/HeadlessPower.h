// Power and privilege for tests: performs nothing, records every call in order as text
// ("SetShutdownPrivilege(true, PowerOff)", "ExitWindowsEx(1, 0)",
// "SetSystemPowerState(true, true)") and answers as the test chose.
#pragma once

#include "platform/Power.h"
#include "platform/Privilege.h"

#include <string>
#include <vector>

namespace platform::headless {

class HeadlessPower : public platform::IPower, public platform::IPrivilege {
public:
    bool ExitWindowsEx(unsigned flags, unsigned reason) override;
    bool SetSystemPowerState(bool suspend, bool force) override;
    bool SetShutdownPrivilege(bool enable, platform::PowerRight right) override;

    const std::vector<std::string>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    // What the privilege step answers (default: success).
    void SetPrivilegeAnswer(bool granted) { privilegeAnswer_ = granted; }
    // What the requests answer (default: accepted).
    void SetRequestAnswer(bool accepted) { requestAnswer_ = accepted; }

private:
    std::vector<std::string> calls_;
    bool privilegeAnswer_ = true;
    bool requestAnswer_ = true;
};

} // namespace platform::headless
