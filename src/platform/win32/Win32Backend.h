// The one entry point the program needs to use Windows; free of system headers so that
// including it cannot leak the system's macros into portable code.
#pragma once

#include "platform/Backend.h"

#include <memory>
#include <string>

namespace platform::win32 {

// Opens every facility of the Windows desktop: windows and the message loop, GDI fonts, the
// clock, regional settings, paths and files, the notification area, the named mutex, the Run
// key, the shell, the end-of-session messages and the power requests (or, with a dry-run log
// in the options, the backend that only logs them). Nullptr with a reason in `error` when the
// windows cannot be made.
std::unique_ptr<IBackend> OpenBackend(const BackendOptions& options, std::string& error);

} // namespace platform::win32
