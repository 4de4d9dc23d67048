// The dry-run backend (the program's --dry-run switch): makes no request at all, and
// appends one line per request -- local time, action number, the calls the platform's own
// backend would make -- to stderr and, when given, to a log file. Its privilege step always
// succeeds, so that every action reaches its request line.
#pragma once

#include "platform/Power.h"
#include "platform/Privilege.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform::dryrun {

// A request as a power backend receives it.
struct PowerRequest {
    bool endSession = true; // an end-session request; else a power-state request
    unsigned flags = 0;     // end session: the ExitWindowsFlags
    bool suspend = false;   // power state: suspend to memory (true) or hibernate
    bool force = false;     // power state: without asking the programs first
};

// The calls a platform's backend makes for a request, as one line of text.
using DescribeCalls = std::function<std::string(const PowerRequest&)>;

// The program's action number that makes this request, "-" for a request no action makes.
std::string ActionNumber(const PowerRequest& request);

class DryRunPower : public IPower, public IPrivilege {
public:
    // An empty path logs to stderr only.
    DryRunPower(std::string logPath, DescribeCalls describe);

    bool ExitWindowsEx(unsigned flags, unsigned reason) override;
    bool SetSystemPowerState(bool suspend, bool force) override;
    bool SetShutdownPrivilege(bool enable, PowerRight right) override;

    // The log path of a "--dry-run" (empty: stderr only) or "--dry-run=PATH" argument;
    // nothing for any other argument.
    static std::optional<std::string> ParseSwitch(std::string_view argument);

private:
    void Log(const PowerRequest& request) const;

    std::string logPath_;
    DescribeCalls describe_;
};

} // namespace platform::dryrun
