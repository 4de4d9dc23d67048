#include "support/PrivateBus.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace testbus {

namespace {

// Everyone may own any name and call anything: the fakes stand in for system services.
constexpr const char* kConfig =
    R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>vesperon-test</type>
  <listen>unix:path=@SOCKET@</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

} // namespace

Connection::Connection(const std::string& address) {
    if (sd_bus_new(&bus_) < 0 || sd_bus_set_address(bus_, address.c_str()) < 0 ||
        sd_bus_set_bus_client(bus_, 1) < 0 || sd_bus_start(bus_) < 0) {
        bus_ = sd_bus_flush_close_unref(bus_);
    }
}

Connection::~Connection() {
    sd_bus_flush_close_unref(bus_);
}

PrivateBus::PrivateBus() {
    char folder[] = "/tmp/vesperon-bus-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        error_ = std::string("cannot make a folder: ") + std::strerror(errno);
        return;
    }
    folder_ = folder;
    const std::string socket = folder_ + "/bus";
    std::string config = kConfig;
    config.replace(config.find("@SOCKET@"), 8, socket);
    const std::string configPath = folder_ + "/bus.conf";
    std::ofstream(configPath) << config;

    const std::string configArgument = "--config-file=" + configPath;
    char* argv[] = {const_cast<char*>("dbus-daemon"), const_cast<char*>(configArgument.c_str()),
                    const_cast<char*>("--nofork"),    const_cast<char*>("--nopidfile"),
                    const_cast<char*>("--nosyslog"),  nullptr};
    // The daemon's own complaints (fd limits for a non-system bus) go to a file, not the test output.
    // It holds none of the test's descriptors: should the test die before it ends the daemon, the
    // test runner still sees the test's output close instead of waiting for the daemon.
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, (folder_ + "/daemon.log").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addclosefrom_np(&files, STDERR_FILENO + 1);
    const int r = posix_spawnp(&pid_, "dbus-daemon", &files, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&files);
    if (r != 0) {
        pid_ = -1;
        error_ = std::string("cannot start dbus-daemon (package dbus): ") + std::strerror(r);
        return;
    }
    if (!WaitUntilListening()) {
        error_ = "dbus-daemon did not listen on " + socket;
        return;
    }
    address_ = "unix:path=" + socket;
}

bool PrivateBus::WaitUntilListening() {
    const std::string address = "unix:path=" + folder_ + "/bus";
    for (int attempt = 0; attempt < 500; ++attempt) {
        if (access((folder_ + "/bus").c_str(), F_OK) == 0 && Connection(address).Get() != nullptr) {
            return true;
        }
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

PrivateBus::~PrivateBus() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    if (!folder_.empty()) {
        std::remove((folder_ + "/bus").c_str());
        std::remove((folder_ + "/bus.conf").c_str());
        std::remove((folder_ + "/daemon.log").c_str());
        rmdir(folder_.c_str());
    }
}

} // namespace testbus
