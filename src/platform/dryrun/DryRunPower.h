// The dry-run backend (the program's --dry-run switch): makes no request at all, and
// appends one line per request -- local time, action number, the calls it would make --
// to stderr and, when given, to a log file. Its privilege step always succeeds, so that
// every action reaches its request line. Every platform's backend can use it: the calls
// named in a line come from that backend.
#pragma once

#include "platform/Backend.h"
#include "platform/Power.h"
#include "platform/Privilege.h"

#include <functional>
#include <memory>
#include <string>

namespace platform::dryrun {

// The calls a backend would make for each request, as one line of text.
struct RequestTexts {
    std::function<std::string(unsigned flags)> exitWindows; // for ExitWindowsEx
    std::function<std::string(bool suspend)> powerState;    // for SetSystemPowerState
};

class DryRunPower : public IPower, public IPrivilege {
public:
    // An empty path logs to stderr only.
    DryRunPower(std::string logPath, RequestTexts texts);

    void ExitWindowsEx(unsigned flags, unsigned reason) override;
    void SetSystemPowerState(bool suspend, bool force) override;
    void SetShutdownPrivilege(bool enable, PowerRight right, Answer answer) override;

private:
    void Log(const std::string& line) const;

    std::string logPath_;
    RequestTexts texts_;
};

// When the options ask for a dry run, puts one in place of the record's power and privilege steps
// and returns it: the record's owner keeps it. Otherwise the record stays as it is (null).
std::unique_ptr<DryRunPower> Substitute(Platform& set, const BackendOptions& options, RequestTexts texts);

} // namespace platform::dryrun
