// The control channel's arm request, as the tests send and expect it.
#pragma once

#include "platform/ControlChannel.h"

#include <optional>
#include <string>

inline platform::ControlRequest ArmRequest(const std::string& action, const std::string& when,
                                           std::optional<bool> warn = std::nullopt) {
    return {platform::ControlCommand::Arm, action, when, warn};
}
