// The sleeping part of the event loop: one ppoll() over the display connection, the
// descriptors registered by other parts of the program, and a wake-up descriptor, bounded by
// a monotonic deadline. It has no timers of its own, so an idle program sleeps until one of
// those sources has something to say.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace platform::x11 {

// Milliseconds of CLOCK_MONOTONIC, the clock the toolkit's timer deadlines are given in.
std::int64_t MonotonicNowMs();

class PollLoop {
public:
    using Callback = std::function<void()>;

    PollLoop();
    ~PollLoop();
    PollLoop(const PollLoop&) = delete;
    PollLoop& operator=(const PollLoop&) = delete;

    // Registering a descriptor again replaces its interest and callback.
    void Watch(int fd, bool readable, bool writable, Callback onReady);
    void Unwatch(int fd);
    // Makes a waiting Wait() return; safe from any thread and from signal handlers.
    void Wake();

    // Sleeps until `connectionFd` is readable, a watched descriptor is ready, Wake() was
    // called or the deadline passes (never earlier than the deadline). Runs the callbacks of
    // the ready descriptors and returns whether the connection is readable.
    bool Wait(int connectionFd, std::optional<std::int64_t> deadlineMs);

private:
    struct Watched {
        short events = 0;
        Callback onReady;
    };

    void DrainWake();

    int wakeFd_ = -1;
    std::map<int, Watched> watched_;
};

} // namespace platform::x11
