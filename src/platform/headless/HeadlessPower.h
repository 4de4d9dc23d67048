// Power and privilege for tests: performs nothing, records every call in order as text
// ("SetShutdownPrivilege(true, PowerOff)", "ExitWindowsEx(1, 0)",
// "SetSystemPowerState(true, true)"); the privilege step answers at once, as the test chose.
#pragma once

#include "platform/Power.h"
#include "platform/Privilege.h"

#include <string>
#include <vector>

namespace platform::headless {

class HeadlessPower : public platform::IPower, public platform::IPrivilege {
public:
    void ExitWindowsEx(unsigned flags, unsigned reason) override;
    void SetSystemPowerState(bool suspend, bool force) override;
    void SetShutdownPrivilege(bool enable, platform::PowerRight right, Answer answer) override;

    const std::vector<std::string>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    // What the privilege step answers (default: success).
    void SetPrivilegeAnswer(bool granted) { privilegeAnswer_ = granted; }

private:
    std::vector<std::string> calls_;
    bool privilegeAnswer_ = true;
};

} // namespace platform::headless
