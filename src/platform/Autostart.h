// The log-on entry that starts the program when the user logs on.
#pragma once

#include <string>
#include <vector>

namespace platform {

class IAutostart {
public:
    virtual ~IAutostart() = default;
    // Writes the log-on entry; false when it could not be written.
    virtual bool Write(const std::string& name, const std::string& programPath,
                       const std::vector<std::string>& arguments) = 0;
    // Removes the log-on entry; a missing entry is no error.
    virtual bool Remove(const std::string& name) = 0;
};

} // namespace platform
