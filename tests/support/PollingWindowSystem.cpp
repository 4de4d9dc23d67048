#include "support/PollingWindowSystem.h"

#include <chrono>
#include <poll.h>
#include <vector>

void PollingWindowSystem::WatchFd(int fd, bool readable, bool writable, FdCallback onReady) {
    watched_[fd] = Watch{short((readable ? POLLIN : 0) | (writable ? POLLOUT : 0)), std::move(onReady)};
}

void PollingWindowSystem::UnwatchFd(int fd) {
    watched_.erase(fd);
}

void PollingWindowSystem::Turn(int timeoutMs) {
    std::vector<pollfd> fds;
    for (const auto& [fd, watch] : watched_) {
        fds.push_back({fd, watch.events, 0});
    }
    if (poll(fds.data(), fds.size(), timeoutMs) <= 0) {
        return;
    }
    for (const pollfd& ready : fds) {
        // A callback may have dropped this descriptor (or others) meanwhile.
        const auto found = watched_.find(ready.fd);
        if (ready.revents != 0 && found != watched_.end()) {
            const FdCallback callback = found->second.onReady;
            callback();
        }
    }
}

bool PollingWindowSystem::TurnUntil(const std::function<bool()>& done, int patienceMs) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > giveUp) {
            return false;
        }
        Turn(10);
    }
    return true;
}
