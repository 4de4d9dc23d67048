// Files on Windows: whole-file reads and the atomic replacement of the settings file.
#pragma once

#include "platform/Files.h"

namespace platform::win32 {

class Win32Files final : public IFiles {
public:
    bool ReadFile(const std::string& path, std::string& content) override;
    bool Exists(const std::string& path) override;
    // The new content goes to a sibling temporary file that is written and flushed, then
    // moved over the file with MoveFileExW (replace existing, write through).
    bool ReplaceFile(const std::string& path, const std::string& content) override;
};

} // namespace platform::win32
