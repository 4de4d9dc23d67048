// The local wall clock and the monotonic clock of a Linux system.
#pragma once

#include "platform/Clock.h"

namespace platform::linuxdesktop {

class LinuxClock : public platform::IClock {
public:
    // Local time (the zone's offset applied) as days since 1899-12-30.
    double Now() override;
    std::int64_t MonotonicMs() override;
};

} // namespace platform::linuxdesktop
