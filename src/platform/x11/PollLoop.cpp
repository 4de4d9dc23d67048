#include "platform/x11/PollLoop.h"

#include <algorithm>
#include <ctime>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <vector>

namespace platform::x11 {

namespace {

std::int64_t MonotonicNowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

} // namespace

std::int64_t MonotonicNowMs() {
    return MonotonicNowNs() / 1'000'000;
}

PollLoop::PollLoop() : wakeFd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

PollLoop::~PollLoop() {
    if (wakeFd_ >= 0) {
        close(wakeFd_);
    }
}

void PollLoop::Watch(int fd, bool readable, bool writable, Callback onReady) {
    if (fd < 0) {
        return;
    }
    short events = 0;
    if (readable) {
        events |= POLLIN;
    }
    if (writable) {
        events |= POLLOUT;
    }
    watched_[fd] = Watched{events, std::move(onReady)};
}

void PollLoop::Unwatch(int fd) {
    watched_.erase(fd);
}

void PollLoop::Wake() {
    const std::uint64_t one = 1;
    // A full counter already means a pending wake-up, so a failed write loses nothing.
    [[maybe_unused]] const auto written = write(wakeFd_, &one, sizeof one);
}

void PollLoop::DrainWake() {
    std::uint64_t count = 0;
    [[maybe_unused]] const auto got = read(wakeFd_, &count, sizeof count);
}

bool PollLoop::Wait(int connectionFd, std::optional<std::int64_t> deadlineMs) {
    std::vector<pollfd> fds;
    fds.reserve(watched_.size() + 2);
    fds.push_back({connectionFd, POLLIN, 0});
    fds.push_back({wakeFd_, POLLIN, 0});
    for (const auto& [fd, watched] : watched_) {
        fds.push_back({fd, watched.events, 0});
    }

    timespec timeout{};
    timespec* timeoutPtr = nullptr;
    if (deadlineMs) {
        // Nanosecond precision so that the wake-up is never before the deadline and at most
        // the kernel's timer slack after it.
        const std::int64_t remaining = std::max<std::int64_t>(0, *deadlineMs * 1'000'000 - MonotonicNowNs());
        timeout.tv_sec = time_t(remaining / 1'000'000'000);
        timeout.tv_nsec = long(remaining % 1'000'000'000);
        timeoutPtr = &timeout;
    }

    int ready = ppoll(fds.data(), fds.size(), timeoutPtr, nullptr);
    if (ready <= 0) {
        return false; // deadline, or a signal (EINTR): the caller's loop decides what is next
    }
    if (fds[1].revents != 0) {
        DrainWake();
    }
    for (std::size_t i = 2; i < fds.size(); ++i) {
        if (fds[i].revents == 0) {
            continue;
        }
        // A callback may unwatch any descriptor, including the next ones in this list.
        const auto found = watched_.find(fds[i].fd);
        if (found != watched_.end() && found->second.onReady) {
            const Callback callback = found->second.onReady;
            callback();
        }
    }
    return fds[0].revents != 0;
}

} // namespace platform::x11
