// The dry-run backend (the program's --dry-run switch): makes no request at all, and
// appends one line per request -- local time, action number, the calls it would make --
// to stderr and, when given, to a log file. Its privilege step always succeeds, so that
// every action reaches its request line.
#pragma once

#include "platform/Power.h"
#include "platform/Privilege.h"

#include <optional>
#include <string>
#include <string_view>

namespace linuxplatform {

class DryRunPower : public platform::IPower, public platform::IPrivilege {
public:
    // An empty path logs to stderr only.
    explicit DryRunPower(std::string logPath = {});

    bool ExitWindowsEx(unsigned flags, unsigned reason) override;
    bool SetSystemPowerState(bool suspend, bool force) override;
    bool SetShutdownPrivilege(bool enable, platform::PowerRight right) override;

    // The log path of a "--dry-run" (empty: stderr only) or "--dry-run=PATH" argument;
    // nothing for any other argument.
    static std::optional<std::string> ParseSwitch(std::string_view argument);

private:
    void Log(const std::string& line) const;

    std::string logPath_;
};

} // namespace linuxplatform
