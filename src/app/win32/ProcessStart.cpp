#include "app/ProcessStart.h"

#include "platform/win32/Win32Backend.h"

std::vector<std::string> CommandLineArguments(int /*argc*/, char** /*argv*/) {
    return platform::win32::CommandLineArguments();
}

void ConnectStandardOutput() {
    platform::win32::ConnectStandardOutput();
}
