#include "platform/linuxdesktop/LinuxSessionLock.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::linuxdesktop {

namespace {

void Report(const std::string& path, int error) {
    std::fprintf(stderr, "vesperon: single-instance lock %s unavailable: %s\n", path.c_str(),
                 std::strerror(error));
}

} // namespace

std::string DefaultLockFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        std::string folder = runtime;
        return folder.back() == '/' ? folder : folder + '/';
    }
    return "/tmp/vesperon-" + std::to_string(getuid()) + "/";
}

LinuxSessionLock::LinuxSessionLock(std::string folder) : folder_(std::move(folder)) {
    if (!folder_.empty() && folder_.back() != '/') {
        folder_ += '/';
    }
}

LinuxSessionLock::~LinuxSessionLock() {
    for (int fd : held_) {
        close(fd);
    }
}

bool LinuxSessionLock::Acquire(const std::string& name) {
    // The /tmp fallback folder is private to the user; an existing one must be ours.
    if (mkdir(folder_.c_str(), 0700) != 0 && errno != EEXIST) {
        Report(folder_, errno);
        return true;
    }
    const std::string path = folder_ + name + ".lock";
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        Report(path, errno);
        return true;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || info.st_uid != getuid() || !S_ISREG(info.st_mode)) {
        Report(path, EPERM);
        close(fd);
        return true;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        if (error == EWOULDBLOCK) {
            return false;
        }
        Report(path, error);
        return true;
    }
    held_.push_back(fd);
    return true;
}

} // namespace platform::linuxdesktop
