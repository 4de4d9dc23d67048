// Where the program file is and where its settings live on a Linux desktop.
#pragma once

#include "platform/Paths.h"

namespace platform::linuxdesktop {

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
