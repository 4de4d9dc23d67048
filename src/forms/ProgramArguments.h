// The program's command-line arguments (the program path itself excluded), recorded once by
// the program block before the windows are created, read by the main window's creation.
#pragma once

#include <string>
#include <vector>

namespace forms {

void SetProgramArguments(std::vector<std::string> arguments);
const std::vector<std::string>& ProgramArguments();

} // namespace forms
