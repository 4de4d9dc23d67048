#include "platform/linuxdesktop/LinuxClock.h"

#include <cmath>
#include <ctime>

namespace platform::linuxdesktop {

namespace {
constexpr double kUnixEpochDays = 25569; // 1970-01-01 counted from 1899-12-30
constexpr double kSecondsPerDay = 86400;
} // namespace

double LinuxClock::Now() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    const double localSeconds = double(now.tv_sec) + double(local.tm_gmtoff) + double(now.tv_nsec) / 1e9;
    return kUnixEpochDays + localSeconds / kSecondsPerDay;
}

std::int64_t LinuxClock::MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace platform::linuxdesktop
