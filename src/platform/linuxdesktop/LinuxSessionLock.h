// The single-instance lock of a Linux session: an exclusive flock on "<name>.lock" in
// $XDG_RUNTIME_DIR, held by an open descriptor until the process ends.
#pragma once

#include "platform/SessionLock.h"

#include <string>
#include <vector>

namespace platform::linuxdesktop {

// $XDG_RUNTIME_DIR/ (an absolute value only), else a per-user folder under /tmp.
std::string DefaultLockFolder();

class LinuxSessionLock : public platform::ISessionLock {
public:
    explicit LinuxSessionLock(std::string folder = DefaultLockFolder());
    ~LinuxSessionLock() override;
    LinuxSessionLock(const LinuxSessionLock&) = delete;
    LinuxSessionLock& operator=(const LinuxSessionLock&) = delete;

    // False only when another process holds the lock. A lock file that cannot be made
    // (no runtime folder, a foreign file in the way) lets the program run: a missing guard
    // is better than a program that never starts. The reason goes to stderr.
    bool Acquire(const std::string& name) override;

private:
    std::string folder_;
    std::vector<int> held_;
};

} // namespace platform::linuxdesktop
