// The clock: local wall-clock time and a monotonic millisecond count.
#pragma once

#include <cstdint>

namespace platform {

class IClock {
public:
    virtual ~IClock() = default;
    // Local wall-clock time as days since 1899-12-30 (the toolkit's TDateTime).
    virtual double Now() = 0;
    // Monotonic milliseconds for timers; never goes back.
    virtual std::int64_t MonotonicMs() = 0;
};

} // namespace platform
