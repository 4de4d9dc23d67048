// The single-instance lock of a log-on session.
#pragma once

#include <string>

namespace platform {

class ISessionLock {
public:
    virtual ~ISessionLock() = default;
    // Takes the per-session lock of this name; false when another process holds it.
    // The lock is held until the process ends.
    virtual bool Acquire(const std::string& name) = 0;
};

} // namespace platform
