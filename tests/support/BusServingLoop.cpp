#include "support/BusServingLoop.h"

#include <cstdint>
#include <utility>

void BusServingLoop::WatchFd(int fd, bool readable, bool writable, FdCallback onReady) {
    poll_.Watch(fd, readable, writable, std::move(onReady));
}

void BusServingLoop::UnwatchFd(int fd) {
    poll_.Unwatch(fd);
}

void BusServingLoop::Turn(int alsoReadableFd, int timeoutMs) {
    // The test's connection takes the place of the display connection.
    poll_.Wait(alsoReadableFd, platform::x11::MonotonicNowMs() + timeoutMs);
}

bool BusServingLoop::RunUntil(const std::function<bool()>& done, int patienceMs) {
    constexpr int kTurnMs = 20;
    const std::int64_t giveUpAt = platform::x11::MonotonicNowMs() + patienceMs;
    while (!done()) {
        if (platform::x11::MonotonicNowMs() > giveUpAt) {
            return false;
        }
        Turn(-1, kTurnMs);
    }
    return true;
}
