// Xlib reports protocol errors through one process-wide handler whose default ends the
// program. Requests on windows that vanished meanwhile are normal on a desktop, so the
// backend installs a handler that only records the error.
#pragma once

namespace platform::x11 {

void InstallErrorHandler();

// The code of the last error recorded since the previous call (0: none), then forgets it.
int TakeLastError();

} // namespace platform::x11
