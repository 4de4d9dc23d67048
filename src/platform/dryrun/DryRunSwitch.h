// The command-line switch that selects the dry-run backend.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::dryrun {

// The log path of a "--dry-run" (empty: stderr only) or "--dry-run=PATH" argument; nothing
// for any other argument.
std::optional<std::string> ParseSwitch(std::string_view argument);

} // namespace platform::dryrun
