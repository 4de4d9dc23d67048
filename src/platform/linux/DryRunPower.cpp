#include "platform/linux/DryRunPower.h"

#include "platform/linux/LogindRequests.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <utility>

namespace linuxplatform {

namespace {

// The program's action number for each request it makes; the dry-run line names it so
// that a run can be checked against the chosen action.
const char* ActionNumber(TSessionRequest request) {
    switch (request) {
    case TSessionRequest::PowerOff:
        return "1";
    case TSessionRequest::LogOff:
        return "2";
    case TSessionRequest::Reboot:
        return "3";
    case TSessionRequest::ForcedPowerOff:
        return "4";
    case TSessionRequest::Suspend:
        return "5";
    case TSessionRequest::Hibernate:
        return "6";
    case TSessionRequest::ForcedLogOff:
    case TSessionRequest::ForcedReboot:
        break;
    }
    return "-";
}

std::string LocalTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[32] = "";
    if (localtime_r(&now, &local) != nullptr) {
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    }
    return text;
}

std::string RequestLine(TSessionRequest request) {
    return LocalTimeText() + " dry-run action " + ActionNumber(request) + ": " + DescribeRequest(request) +
           "\n";
}

} // namespace

DryRunPower::DryRunPower(std::string logPath) : logPath_(std::move(logPath)) {}

bool DryRunPower::ExitWindowsEx(unsigned flags, unsigned /*reason*/) {
    Log(RequestLine(RequestForExitWindows(flags)));
    return true;
}

bool DryRunPower::SetSystemPowerState(bool suspend, bool /*force*/) {
    Log(RequestLine(RequestForPowerState(suspend)));
    return true;
}

bool DryRunPower::SetShutdownPrivilege(bool /*enable*/, platform::PowerRight /*right*/) {
    return true;
}

std::optional<std::string> DryRunPower::ParseSwitch(std::string_view argument) {
    constexpr std::string_view kSwitch = "--dry-run";
    if (argument == kSwitch) {
        return std::string();
    }
    if (argument.size() > kSwitch.size() && argument.substr(0, kSwitch.size()) == kSwitch &&
        argument[kSwitch.size()] == '=') {
        return std::string(argument.substr(kSwitch.size() + 1));
    }
    return std::nullopt;
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

} // namespace linuxplatform
