// Where the program and its settings live.
#pragma once

#include <string>

namespace platform {

class IPaths {
public:
    virtual ~IPaths() = default;
    virtual std::string ProgramPath() = 0;  // full path of the running program
    virtual std::string ConfigFolder() = 0; // folder of Vesperon.ini, with trailing '/'
};

} // namespace platform
