// A private X server for the X11 backend's tests: Xvfb on a display number it picks itself
// (so parallel test runs never collide), stopped again when the object goes.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace x11test {

class X11TestServer {
public:
    X11TestServer();
    ~X11TestServer();
    X11TestServer(const X11TestServer&) = delete;
    X11TestServer& operator=(const X11TestServer&) = delete;

    bool Running() const { return pid_ > 0 && !display_.empty(); }
    const std::string& Display() const { return display_; }
    // Why the server could not start (when not Running()).
    const std::string& Problem() const { return problem_; }

private:
    pid_t pid_ = -1;
    std::string display_;
    std::string problem_;
};

// Path of a program on PATH, or "" when it is not installed.
std::string FindProgram(const std::string& name);

// Runs a program with DISPLAY set to `display` and waits for it; returns its exit status
// (-1 when it could not be started).
int RunOnDisplay(const std::string& display, const std::vector<std::string>& arguments);

// Starts a program with DISPLAY set and returns its pid without waiting (-1 on failure).
pid_t StartOnDisplay(const std::string& display, const std::vector<std::string>& arguments);

void StopProcess(pid_t pid);

} // namespace x11test
