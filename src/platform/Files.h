// Files: reading and atomically replacing whole files (the settings file).
#pragma once

#include <string>

namespace platform {

// Whole-file access for the settings file. Replacing is atomic: a reader sees either the old
// or the new content, never a part, whatever happens to the process or the disk meanwhile.
class IFiles {
public:
    virtual ~IFiles() = default;
    // Reads the whole file; false when it does not exist or cannot be read.
    virtual bool ReadFile(const std::string& path, std::string& content) = 0;
    // True when something exists at the path (a file that may still be unreadable).
    virtual bool Exists(const std::string& path) = 0;
    // Writes the content to a sibling temporary file, flushes it, renames it over the file and
    // flushes the folder; creates the parent folder when missing. False when any step failed,
    // in which case the old file is left as it was.
    virtual bool ReplaceFile(const std::string& path, const std::string& content) = 0;
};

} // namespace platform
