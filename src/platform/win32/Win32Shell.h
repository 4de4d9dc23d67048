// Opening pages and files with the shell's default handler.
#pragma once

#include "platform/Shell.h"

namespace platform::win32 {

class Win32Shell final : public IShell {
public:
    void Open(const std::string& target) override;
};

} // namespace platform::win32
