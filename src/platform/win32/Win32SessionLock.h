// The single-instance guard of a Windows log-on session: a named mutex.
#pragma once

#include "platform/SessionLock.h"

#include <vector>

namespace platform::win32 {

class Win32SessionLock final : public ISessionLock {
public:
    Win32SessionLock() = default;
    ~Win32SessionLock() override;
    Win32SessionLock(const Win32SessionLock&) = delete;
    Win32SessionLock& operator=(const Win32SessionLock&) = delete;

    // Creates the mutex of this name, not owned; false when it already exists (another copy
    // holds it, possibly one this process may not open). A mutex that cannot be made for any
    // other reason lets the program run.
    bool Acquire(const std::string& name) override;

private:
    std::vector<void*> held_; // mutex handles, kept open until the process ends
};

} // namespace platform::win32
