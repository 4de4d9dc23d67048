#include "platform/dryrun/DryRunPower.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <utility>

namespace platform::dryrun {

namespace {

std::string LocalTimeText() {
    const std::time_t now = std::time(nullptr);
    // The program has one thread, so the shared result of localtime is safe here.
    const std::tm* local = std::localtime(&now);
    char text[32] = "";
    if (local != nullptr) {
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
    }
    return text;
}

} // namespace

std::string ActionNumber(const PowerRequest& request) {
    if (!request.endSession) {
        return request.suspend ? "5" : "6";
    }
    const bool force = (request.flags & EWX_FORCE) != 0;
    if ((request.flags & EWX_REBOOT) != 0) {
        return force ? "-" : "3";
    }
    if ((request.flags & EWX_SHUTDOWN) != 0) {
        return force ? "4" : "1";
    }
    return force ? "-" : "2";
}

DryRunPower::DryRunPower(std::string logPath, DescribeCalls describe)
    : logPath_(std::move(logPath)), describe_(std::move(describe)) {}

bool DryRunPower::ExitWindowsEx(unsigned flags, unsigned /*reason*/) {
    Log(PowerRequest{true, flags, false, false});
    return true;
}

bool DryRunPower::SetSystemPowerState(bool suspend, bool force) {
    Log(PowerRequest{false, 0, suspend, force});
    return true;
}

bool DryRunPower::SetShutdownPrivilege(bool /*enable*/, PowerRight /*right*/) {
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

void DryRunPower::Log(const PowerRequest& request) const {
    const std::string line =
        LocalTimeText() + " dry-run action " + ActionNumber(request) + ": " + describe_(request) + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    if (logPath_.empty()) {
        return;
    }
    // The path is UTF-8 on every platform.
    const std::filesystem::path path(std::u8string(logPath_.begin(), logPath_.end()));
    errno = 0;
    std::ofstream file(path, std::ios::app | std::ios::binary);
    if (file.is_open()) {
        file << line;
        file.close();
    }
    if (file.fail()) {
        const char* reason = errno != 0 ? std::strerror(errno) : "cannot be written";
        std::fprintf(stderr, "vesperon: dry-run log %s: %s\n", logPath_.c_str(), reason);
    }
}

} // namespace platform::dryrun
