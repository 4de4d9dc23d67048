#include "platform/X11TestServer.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace x11test {

namespace {

constexpr int kStartTimeoutMs = 10000;

std::vector<std::string> EnvironmentWithDisplay(const std::string& display) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::string(*entry).rfind("DISPLAY=", 0) != 0) {
            environment.emplace_back(*entry);
        }
    }
    environment.push_back("DISPLAY=" + display);
    return environment;
}

pid_t Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
            posix_spawn_file_actions_t* actions) {
    const std::string path = FindProgram(arguments.front());
    if (path.empty()) {
        return -1;
    }
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : environment) {
        envp.push_back(const_cast<char*>(entry.c_str()));
    }
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, path.c_str(), actions, nullptr, argv.data(), envp.data()) != 0) {
        return -1;
    }
    return pid;
}

} // namespace

std::string FindProgram(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return access(name.c_str(), X_OK) == 0 ? name : std::string();
    }
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = folders.find(':', start);
        const std::string folder =
            folders.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const std::string candidate = folder + "/" + name;
        struct stat info {};
        if (!folder.empty() && stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return {};
}

X11TestServer::X11TestServer() {
    const std::string xvfb = FindProgram("Xvfb");
    if (xvfb.empty()) {
        problem_ = "Xvfb is not installed";
        return;
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        problem_ = "no pipe for Xvfb's display number";
        return;
    }
    // Xvfb picks the first free display number and writes it to the descriptor it is given.
    const std::string displayFd = "3";
    std::vector<const char*> argv{xvfb.c_str(), "-displayfd", displayFd.c_str(), "-screen", "0", "800x600x24",
                                  "-nolisten",  "tcp",        "-noreset",        nullptr};
    pid_ = fork();
    if (pid_ == 0) {
        // The server ends with the test process, even when a test crashes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        dup2(fds[1], 3);
        unsetenv("DISPLAY");
        execv(xvfb.c_str(), const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd reader{fds[0], POLLIN, 0};
    while (pid_ > 0 && poll(&reader, 1, kStartTimeoutMs) > 0) {
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n') {
            break;
        }
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        problem_ = "Xvfb did not report a display number";
        StopProcess(pid_);
        pid_ = -1;
        return;
    }
    display_ = ":" + number;
}

X11TestServer::~X11TestServer() {
    StopProcess(pid_);
}

int RunOnDisplay(const std::string& display, const std::vector<std::string>& arguments) {
    const pid_t pid = Spawn(arguments, EnvironmentWithDisplay(display), nullptr);
    if (pid <= 0) {
        return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

pid_t StartOnDisplay(const std::string& display, const std::vector<std::string>& arguments) {
    return Spawn(arguments, EnvironmentWithDisplay(display), nullptr);
}

void StopProcess(pid_t pid) {
    if (pid <= 0) {
        return;
    }
    kill(pid, SIGTERM);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace x11test
