// The command line's commands for the copy of the program that runs in the session:
//   --shutdown|--logoff|--restart|--force-shutdown|--standby|--hibernate WHEN [--warn|--no-warn]
//   --cancel
//   --status
// They are taken out of the arguments first; the program reads the rest as usual.
#pragma once

#include "platform/ControlChannel.h"
#include "toolkit/runtime/Forms.h"

#include <optional>
#include <string>
#include <vector>

extern const char* const kControlUsage;

struct ControlCommandLine {
    std::optional<platform::ControlRequest> request;
    std::string error;             // the command is wrong: one line, and the exit code 2
    std::vector<std::string> rest; // the other arguments, in their order
};

// Reads the arguments (the program path excluded).
ControlCommandLine ParseControlCommandLine(const std::vector<std::string>& arguments);

// Hands the request to the copy that runs and prints its reply; returns the exit code. With no
// copy running, an arming request returns nothing: this process is to start as that copy
// (RunCommandCopy); the others answer as the missing copy would.
std::optional<int> SendToRunningCopy(const platform::ControlRequest& request);

// Runs the program as the copy that carries the request out, with its arguments (the program
// path excluded); when another copy turns out to be starting meanwhile, the request goes to it.
// Returns the exit code.
int RunCommandCopy(TApplication& application, const std::vector<std::string>& arguments,
                   const platform::ControlRequest& request);
