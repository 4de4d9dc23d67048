#include "core/TaskCommands.h"

#include "core/Countdown.h"

#include <cstdio>

namespace core {

std::optional<std::int32_t> ActionOfCommandName(std::string_view name) {
    for (std::int32_t action = 1; action <= 6; ++action) {
        if (name == kActionCommandNames[action - 1]) {
            return action;
        }
    }
    return std::nullopt;
}

std::string TaskStatusLine(const std::string& FActionName, TDateTime FTarget, TDateTime now) {
    const TSpan span = SpanBetween(now, FTarget);
    char left[48];
    std::snprintf(left, sizeof left, "%lld:%02lld:%02lld", static_cast<long long>(span.hours),
                  static_cast<long long>(span.minutes - 60 * span.hours),
                  static_cast<long long>(span.seconds - 60 * span.minutes));
    const std::string target = FormatDateTime("yyyy-mm-dd hh:nn:ss", FTarget);
    if (FTarget < now) {
        return FActionName + " at " + target + ", " + left + " ago";
    }
    return FActionName + " at " + target + ", in " + left;
}

} // namespace core
