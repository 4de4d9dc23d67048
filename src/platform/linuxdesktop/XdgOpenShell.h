// Opening web pages and files on a Linux desktop: xdg-open, started without a shell so that
// the address is one argument whatever it holds; the result is not waited for.
#pragma once

#include "platform/Shell.h"

#include <string>

namespace platform::linuxdesktop {

class XdgOpenShell : public platform::IShell {
public:
    void Open(const std::string& target) override;
};

} // namespace platform::linuxdesktop
