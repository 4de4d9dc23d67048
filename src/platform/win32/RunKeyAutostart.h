// The log-on entry on Windows: a value of the current user's Run key whose data is the
// program's quoted path and its arguments.
#pragma once

#include "platform/Autostart.h"

#include <string>
#include <vector>

namespace platform::win32 {

// The command line of the entry: the path always in double quotes, each argument quoted
// when it holds a blank, a tab or a quote, as the system's command-line parser reads it back.
std::string RunCommand(const std::string& programPath, const std::vector<std::string>& arguments);

// The current user's Run key; the machine-wide one would need administrator rights.
inline constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class RunKeyAutostart final : public IAutostart {
public:
    // `key`: the key under HKEY_CURRENT_USER that holds the values.
    explicit RunKeyAutostart(std::wstring key = kRunKey);

    bool Write(const std::string& name, const std::string& programPath,
               const std::vector<std::string>& arguments) override;
    bool Remove(const std::string& name) override;

private:
    std::wstring key_;
};

} // namespace platform::win32
