#include "support/BusServingLoop.h"

#include <cstdint>
#include <utility>

void BusServingLoop::WatchFd(int fd, bool readable, bool writable, FdCallback onReady) {
    poll_.Watch(fd, readable, writable, std::move(onReady));
}

void BusServingLoop::UnwatchFd(int fd) {
    poll_.Unwatch(fd);
}

bool BusServingLoop::RunUntil(const std::function<bool()>& done, int patienceMs) {
    constexpr std::int64_t kTurnMs = 20;
    const std::int64_t giveUpAt = platform::x11::MonotonicNowMs() + patienceMs;
    while (!done()) {
        if (platform::x11::MonotonicNowMs() > giveUpAt) {
            return false;
        }
        // No display connection: the poll serves the watched descriptors alone.
        poll_.Wait(-1, platform::x11::MonotonicNowMs() + kTurnMs);
    }
    return true;
}
