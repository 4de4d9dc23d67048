#include "platform/dryrun/DryRunSwitch.h"

namespace platform::dryrun {

std::optional<std::string> ParseSwitch(std::string_view argument) {
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

} // namespace platform::dryrun
