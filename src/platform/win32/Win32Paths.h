// Where the program and its settings live on Windows.
#pragma once

#include "platform/Paths.h"

#include <string>

namespace platform::win32 {

// The settings folder: the program's own folder when a "Vesperon.ini" already lies beside the
// program (a portable copy), else "<application data>\Vesperon\"; the program's folder when
// the application data folder is unknown. Every folder ends with a backslash.
std::string ChooseConfigFolder(const std::string& programPath, const std::string& appData,
                               bool iniBesideProgram);

class Win32Paths final : public IPaths {
public:
    std::string ProgramPath() override;
    std::string ConfigFolder() override;
};

} // namespace platform::win32
