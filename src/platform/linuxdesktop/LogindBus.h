// logind's manager object on the system bus, and the one-line diagnostic every power failure
// writes to stderr.
#pragma once

#include "platform/linuxdesktop/LoopBus.h"

#include <string>

namespace platform::linuxdesktop {

// Writes "vesperon: <text>" as one line to stderr.
void ReportPowerFailure(const std::string& text);

inline constexpr TBusObject kLogindManager{"org.freedesktop.login1", "/org/freedesktop/login1",
                                           "org.freedesktop.login1.Manager"};

} // namespace platform::linuxdesktop
