// The headless window system with a real poll() over the descriptors watched through it, for
// tests of backend parts served by the program's event loop (sockets, bus connections).
#pragma once

#include "platform/headless/HeadlessWindows.h"

#include <functional>
#include <map>

class PollingWindowSystem : public platform::headless::HeadlessWindowSystem {
public:
    using HeadlessWindowSystem::HeadlessWindowSystem;

    void WatchFd(int fd, bool readable, bool writable, FdCallback onReady) override;
    void UnwatchFd(int fd) override;
    bool Watching(int fd) const { return watched_.count(fd) != 0; }
    std::size_t WatchedCount() const { return watched_.size(); }

    // Waits up to timeoutMs for a watched descriptor and runs the callbacks of the ready ones.
    void Turn(int timeoutMs);
    // Turns until `done` holds or patienceMs have passed; returns whether it holds.
    bool TurnUntil(const std::function<bool()>& done, int patienceMs = 5000);

private:
    struct Watch {
        short events = 0;
        FdCallback onReady;
    };
    std::map<int, Watch> watched_;
};
