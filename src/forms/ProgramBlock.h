// The program block: the application's title and icon, the single-instance lock, the two
// windows and the message loop.
#pragma once

#include "toolkit/runtime/Forms.h"

#include <string>
#include <vector>

namespace forms {

inline constexpr const char* kApplicationTitle = "Vesperon";
inline constexpr const char* kInstanceLockName = "Vesperon";
inline constexpr const char* kAlreadyRunningText = "The program already start";

// Creates the main window, which reads the command-line arguments, and then the hidden
// warning window, linked to each other.
void CreateProgramWindows(TApplication& application, const std::vector<std::string>& arguments);

// Runs the program with its command-line arguments (the program path excluded) until the
// main window closes; a second copy in the session shows the message and creates no window.
// Returns the exit code.
int RunProgram(TApplication& application, const std::vector<std::string>& arguments);

} // namespace forms
