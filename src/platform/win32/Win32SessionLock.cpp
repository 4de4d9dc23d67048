#include "platform/win32/Win32SessionLock.h"

#include "platform/win32/SystemHeaders.h"
#include "platform/win32/WideText.h"

namespace platform::win32 {

Win32SessionLock::~Win32SessionLock() {
    for (void* handle : held_) {
        CloseHandle(handle);
    }
}

bool Win32SessionLock::Acquire(const std::string& name) {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, Widen(name).c_str());
    if (mutex == nullptr) {
        // A mutex of the name that this process may not open exists all the same.
        return GetLastError() != ERROR_ACCESS_DENIED;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    held_.push_back(mutex);
    return true;
}

} // namespace platform::win32
