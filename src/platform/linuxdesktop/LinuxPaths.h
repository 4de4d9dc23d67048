// Where the program file is and where its settings live on a Linux desktop.
#pragma once

#include "platform/Paths.h"

namespace platform::linuxdesktop {

// The program's path from the target of /proc/self/exe. When the file was replaced while the
// program runs (an upgrade or a reinstallation), the kernel appends " (deleted)" to the target;
// the path the program was installed at is what a log-on entry has to run.
std::string ProgramPathFromLink(const std::string& target);

// An XDG base folder: the variable's value when it is absolute, else the default under the home
// folder (underHome is "/.config", "/.cache", ...).
std::string XdgBaseFolder(const char* variable, const char* underHome);

class LinuxPaths : public platform::IPaths {
public:
    // The running program, from /proc/self/exe.
    std::string ProgramPath() override;
    // $XDG_CONFIG_HOME/Vesperon/ (an absolute value only), else ~/.config/Vesperon/. The folder
    // is not created here; the first write of the settings file creates it.
    std::string ConfigFolder() override;
    // $XDG_CACHE_HOME/Vesperon/ (an absolute value only), else ~/.cache/Vesperon/; not created here.
    static std::string CacheFolder();
};

} // namespace platform::linuxdesktop
