// A headless window system whose loop serves watched descriptors (bus connections and their
// timers) with the program's own poll loop, for tests of code that never waits for a bus.
#pragma once

#include "platform/headless/HeadlessWindows.h"
#include "platform/x11/PollLoop.h"

#include <functional>

class BusServingLoop : public platform::headless::HeadlessWindowSystem {
public:
    using HeadlessWindowSystem::HeadlessWindowSystem;

    void WatchFd(int fd, bool readable, bool writable, FdCallback onReady) override;
    void UnwatchFd(int fd) override;

    // One turn: waits up to timeoutMs until a watched descriptor is ready or `alsoReadableFd`
    // (a connection of the test's own, -1 for none) is readable, and serves the ready ones.
    void Turn(int alsoReadableFd, int timeoutMs);
    // Serves the descriptors until done() holds; false when patienceMs passed first.
    bool RunUntil(const std::function<bool()>& done, int patienceMs = 5000);

private:
    platform::x11::PollLoop poll_;
};
