// What the operating system hands the program at its start, in the program's terms; each
// target implements it in its own folder (app/linux, app/win32).
#pragma once

#include <string>
#include <vector>

// The command-line arguments, the program path excluded, in UTF-8.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Makes the standard output and error reach the terminal the program was started from,
// where the system does not do so by itself.
void ConnectStandardOutput();
