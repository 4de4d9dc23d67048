// Whole files on a Linux file system, replaced atomically: the new content is written to a
// sibling, synced, renamed over the old file and the folder synced, so a crash or a full disk
// leaves either the old or the new file, never a torn or empty one.
#pragma once

#include "platform/Files.h"

namespace platform::linuxdesktop {

class LinuxFiles : public platform::IFiles {
public:
    bool ReadFile(const std::string& path, std::string& content) override;
    bool Exists(const std::string& path) override;
    // Creates missing folders (mode 0700, as for per-user configuration); keeps the mode of a
    // file it replaces and writes through a symbolic link to its target.
    bool ReplaceFile(const std::string& path, const std::string& content) override;
};

} // namespace platform::linuxdesktop
