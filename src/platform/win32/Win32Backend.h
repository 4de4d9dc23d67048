// The one entry point the program needs to use Windows; free of system headers so that
// including it cannot leak the system's macros into portable code.
#pragma once

#include "platform/Backend.h"

#include <memory>
#include <string>
#include <vector>

namespace platform::win32 {

// Opens every facility of the Windows desktop: windows and the message loop, GDI fonts, the
// clock, regional settings, paths and files, the notification area, the named mutex, the Run
// key, the shell, the end-of-session messages and the power requests (or, with a dry-run log
// in the options, the backend that only logs them). Nullptr with a reason in `error` when the
// windows cannot be made.
std::unique_ptr<IBackend> OpenBackend(const BackendOptions& options, std::string& error);

// The arguments of the process's command line, the program path excluded, in UTF-8 (the C
// runtime's argv holds them in the ANSI code page only).
std::vector<std::string> CommandLineArguments();

// A windowed program started from a console has no output of its own: its standard output and
// error go to that console, unless they already go somewhere (a pipe or a file).
void ConnectStandardOutput();

} // namespace platform::win32
