#include "platform/dryrun/DryRunPower.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <utility>

namespace platform::dryrun {

namespace {

// The program's action number for each request it makes; the dry-run line names it so
// that a run can be checked against the chosen action. A forced log-off or restart is no
// action of the program.
const char* ExitWindowsActionNumber(unsigned flags) {
    const bool force = (flags & EWX_FORCE) != 0;
    if ((flags & EWX_REBOOT) != 0) {
        return force ? "-" : "3";
    }
    if ((flags & EWX_SHUTDOWN) != 0) {
        return force ? "4" : "1";
    }
    return force ? "-" : "2";
}

const char* PowerStateActionNumber(bool suspend) {
    return suspend ? "5" : "6";
}

std::string LocalTimeText() {
    const std::time_t now = std::time(nullptr);
    char text[32] = "";
    // Requests come from the program's one thread, so the shared result of localtime is safe.
    if (const std::tm* local = std::localtime(&now)) {
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
    }
    return text;
}

std::string RequestLine(const char* actionNumber, const std::string& calls) {
    return LocalTimeText() + " dry-run action " + actionNumber + ": " + calls + "\n";
}

} // namespace

DryRunPower::DryRunPower(std::string logPath, RequestTexts texts)
    : logPath_(std::move(logPath)), texts_(std::move(texts)) {}

void DryRunPower::ExitWindowsEx(unsigned flags, unsigned /*reason*/) {
    Log(RequestLine(ExitWindowsActionNumber(flags), texts_.exitWindows(flags)));
}

void DryRunPower::SetSystemPowerState(bool suspend, bool /*force*/) {
    Log(RequestLine(PowerStateActionNumber(suspend), texts_.powerState(suspend)));
}

void DryRunPower::SetShutdownPrivilege(bool /*enable*/, PowerRight /*right*/, Answer answer) {
    answer(true);
}

void DryRunPower::Log(const std::string& line) const {
    std::fputs(line.c_str(), stderr);
    if (logPath_.empty()) {
        return;
    }
    std::FILE* file = std::fopen(logPath_.c_str(), "a");
    if (file == nullptr) {
        std::fprintf(stderr, "vesperon: dry-run log %s: %s\n", logPath_.c_str(), std::strerror(errno));
        return;
    }
    std::fputs(line.c_str(), file);
    if (std::fclose(file) != 0) {
        std::fprintf(stderr, "vesperon: dry-run log %s: %s\n", logPath_.c_str(), std::strerror(errno));
    }
}

std::unique_ptr<DryRunPower> Substitute(Platform& set, const BackendOptions& options, RequestTexts texts) {
    if (!options.dryRunLog) {
        return nullptr;
    }
    auto dryRun = std::make_unique<DryRunPower>(*options.dryRunLog, std::move(texts));
    set.power = dryRun.get();
    set.privilege = dryRun.get();
    return dryRun;
}

} // namespace platform::dryrun
