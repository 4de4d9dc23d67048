#include "platform/linuxdesktop/LinuxPaths.h"

#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform::linuxdesktop {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string HomeFolder() {
    std::string home = Environment("HOME");
    if (!home.empty()) {
        return home;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* result = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 && result != nullptr &&
        result->pw_dir != nullptr) {
        return result->pw_dir;
    }
    return "/tmp";
}

// The program's folder in an XDG base folder.
std::string ProgramFolderIn(const char* variable, const char* underHome) {
    std::string base = XdgBaseFolder(variable, underHome);
    if (base.back() != '/') {
        base += '/';
    }
    return base + "Vesperon/";
}

} // namespace

std::string XdgBaseFolder(const char* variable, const char* underHome) {
    const std::string base = Environment(variable);
    return !base.empty() && base.front() == '/' ? base : HomeFolder() + underHome;
}

std::string ProgramPathFromLink(const std::string& target) {
    constexpr std::string_view kReplacedMark = " (deleted)";
    struct stat info {};
    if (!target.ends_with(kReplacedMark) || stat(target.c_str(), &info) == 0) {
        return target;
    }
    return target.substr(0, target.size() - kReplacedMark.size());
}

std::string LinuxPaths::ProgramPath() {
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return length > 0 ? ProgramPathFromLink(std::string(buffer.data(), std::size_t(length))) : std::string();
}

std::string LinuxPaths::ConfigFolder() {
    return ProgramFolderIn("XDG_CONFIG_HOME", "/.config");
}

std::string LinuxPaths::CacheFolder() {
    return ProgramFolderIn("XDG_CACHE_HOME", "/.cache");
}

} // namespace platform::linuxdesktop
