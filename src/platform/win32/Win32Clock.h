// The clock of Windows: local wall-clock time and the performance counter.
#pragma once

#include "platform/Clock.h"

#include <cstdint>

namespace platform::win32 {

// Milliseconds of the performance counter: the monotonic clock of the timers and of the
// message loop's deadlines.
std::int64_t MonotonicMilliseconds();

class Win32Clock final : public IClock {
public:
    double Now() override;
    std::int64_t MonotonicMs() override { return MonotonicMilliseconds(); }
};

} // namespace platform::win32
