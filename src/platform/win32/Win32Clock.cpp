#include "platform/win32/Win32Clock.h"

#include "platform/win32/SystemHeaders.h"

namespace platform::win32 {

namespace {

// 1899-12-30 (day 0 of the toolkit's dates) in 100-nanosecond units from 1601-01-01.
constexpr std::uint64_t kDayZero = 94353120000000000ULL;
constexpr double kUnitsPerDay = 864000000000.0;

} // namespace

std::int64_t MonotonicMilliseconds() {
    static const std::int64_t frequency = [] {
        LARGE_INTEGER value{};
        return QueryPerformanceFrequency(&value) ? std::int64_t(value.QuadPart) : std::int64_t(0);
    }();
    LARGE_INTEGER counter{};
    if (frequency <= 0 || !QueryPerformanceCounter(&counter)) {
        return std::int64_t(GetTickCount64());
    }
    // In two steps, so that a long uptime cannot overflow the product.
    return counter.QuadPart / frequency * 1000 + counter.QuadPart % frequency * 1000 / frequency;
}

double Win32Clock::Now() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    FILETIME time{};
    if (!SystemTimeToFileTime(&local, &time)) {
        return 0;
    }
    const std::uint64_t units = (std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return (double(units) - double(kDayZero)) / kUnitsPerDay;
}

} // namespace platform::win32
