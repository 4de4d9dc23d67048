#include "platform/linuxdesktop/XdgOpenShell.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform::linuxdesktop {

namespace {

// Children are not waited for; ignoring their end lets the system reap them.
void ReapChildrenAutomatically() {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    action.sa_flags = SA_NOCLDWAIT;
    sigaction(SIGCHLD, &action, nullptr);
}

} // namespace

void XdgOpenShell::Open(const std::string& target) {
    ReapChildrenAutomatically();
    std::string program = "xdg-open";
    std::string argument = target;
    char* const argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ);
}

} // namespace platform::linuxdesktop
