// In-memory files for tests, with faults on demand: refused writes, unreadable files and a
// process "killed" in the middle of a write.
#pragma once

#include "platform/Files.h"

#include <map>
#include <set>
#include <string>

namespace platform::headless {

// Thrown by a write that was told to crash: stands for the process dying at that point.
struct SimulatedCrash {};

class HeadlessFiles : public platform::IFiles {
public:
    bool ReadFile(const std::string& path, std::string& content) override;
    bool Exists(const std::string& path) override;
    bool ReplaceFile(const std::string& path, const std::string& content) override;

    // Every write to a path that starts with this folder is refused.
    void RefuseWritesUnder(const std::string& folder) { refusedFolders_.insert(folder); }
    // The file exists but cannot be read.
    void MakeUnreadable(const std::string& path) { unreadable_.insert(path); }
    // The next write stops after half of the temporary file is written and throws SimulatedCrash.
    void CrashDuringNextWrite() { crashNextWrite_ = true; }

    // All files, temporary ones left behind by a crash included.
    const std::map<std::string, std::string>& Files() const { return files_; }
    int WriteCount() const { return writeCount_; }

private:
    std::map<std::string, std::string> files_;
    std::set<std::string> refusedFolders_;
    std::set<std::string> unreadable_;
    bool crashNextWrite_ = false;
    int writeCount_ = 0;
};

} // namespace platform::headless
