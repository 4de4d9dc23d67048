// Shell: opening pages and files.
#pragma once

#include <string>

namespace platform {

class IShell {
public:
    virtual ~IShell() = default;
    // Opens a web address or a file with the desktop's default handler; fails silently.
    virtual void Open(const std::string& target) = 0;
};

} // namespace platform
