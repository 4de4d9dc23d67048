// The program block: the application's title and icon, the single-instance lock, the two
// windows and the message loop.
#pragma once

#include "platform/ControlChannel.h"
#include "toolkit/runtime/Forms.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class TFormVesperon;
class TFormWarn;
class TRemoteCommands;

namespace forms {

inline constexpr const char* kApplicationTitle = "Vesperon";
inline constexpr const char* kInstanceLockName = "Vesperon";
inline constexpr const char* kAlreadyRunningText = "The program already start";

struct TProgramWindows {
    TFormVesperon* main = nullptr;
    TFormWarn* warn = nullptr;
    TRemoteCommands* remote = nullptr;
};

// Creates the main window, which reads the command-line arguments, and then the hidden
// warning window, linked to each other, and serves the session's commands on them.
TProgramWindows CreateProgramWindows(TApplication& application, const std::vector<std::string>& arguments);

// Runs the program with its command-line arguments (the program path excluded) until the
// main window closes; a second copy in the session shows the message and creates no window.
// Returns the exit code.
int RunProgram(TApplication& application, const std::vector<std::string>& arguments);

// Runs the program for a command given on its own command line: it starts as the log-on entry
// starts it, carries the command out at the first activation and hands the reply to `done`.
// A refused command ends the program with the reply's code. Nothing, and no message, when
// another copy holds the session's lock: the command belongs to that copy.
std::optional<int> RunProgramWithCommand(TApplication& application, std::vector<std::string> arguments,
                                         const platform::ControlRequest& command,
                                         const std::function<void(const platform::ControlReply&)>& done);

} // namespace forms
