// The task as other programs name it: the actions' command names and the one-line status
// that a query of the running task answers.
#pragma once

#include "toolkit/text/DateUtils.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Action numbers 1..6 by their command names.
inline constexpr const char* kActionCommandNames[6] = {"shutdown",       "logoff",  "restart",
                                                       "force-shutdown", "standby", "hibernate"};

inline constexpr const char* kNotRunningText = "Not running";

// The action number of a command name; nothing for any other name.
std::optional<std::int32_t> ActionOfCommandName(std::string_view name);

// "Shutdown at 2026-12-24 18:00:00, in 2:14:05": the action's display name, the target in
// local time and the time left as the countdown measures it; a target that has passed says
// how long ago ("..., 0:00:12 ago").
std::string TaskStatusLine(const std::string& FActionName, TDateTime FTarget, TDateTime now);

} // namespace core
