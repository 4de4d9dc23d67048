#include "platform/headless/HeadlessFiles.h"

namespace platform::headless {

bool HeadlessFiles::ReadFile(const std::string& path, std::string& content) {
    const auto found = files_.find(path);
    if (found == files_.end() || unreadable_.count(path) != 0) {
        return false;
    }
    content = found->second;
    return true;
}

bool HeadlessFiles::Exists(const std::string& path) {
    return files_.count(path) != 0;
}

bool HeadlessFiles::ReplaceFile(const std::string& path, const std::string& content) {
    for (const std::string& folder : refusedFolders_) {
        if (path.compare(0, folder.size(), folder) == 0) {
            return false;
        }
    }
    // Same protocol as the real backends: the new content goes to a sibling first.
    const std::string temporary = path + ".tmp";
    if (crashNextWrite_) {
        crashNextWrite_ = false;
        files_[temporary] = content.substr(0, content.size() / 2);
        throw SimulatedCrash{};
    }
    files_[temporary] = content;
    files_[path] = files_[temporary];
    files_.erase(temporary);
    ++writeCount_;
    return true;
}

} // namespace platform::headless
