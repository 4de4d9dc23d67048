#include "platform/win32/RunKeyAutostart.h"

#include "platform/win32/SystemHeaders.h"
#include "platform/win32/WideText.h"

namespace platform::win32 {

namespace {

// An argument as the command-line parser of the C runtime and CommandLineToArgvW read it:
// backslashes are literal except before a quote, where they are doubled.
std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
        return argument;
    }
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

class KeyHandle {
public:
    KeyHandle() = default;
    ~KeyHandle() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    HKEY* Address() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace

std::string RunCommand(const std::string& programPath, const std::vector<std::string>& arguments) {
    // A path cannot hold a quote; it is quoted even without blanks, so that no prefix of it
    // is taken for the program.
    std::string command = "\"" + programPath + "\"";
    for (const std::string& argument : arguments) {
        command += ' ' + QuoteArgument(argument);
    }
    return command;
}

RunKeyAutostart::RunKeyAutostart(std::wstring key) : key_(std::move(key)) {}

bool RunKeyAutostart::Write(const std::string& name, const std::string& programPath,
                            const std::vector<std::string>& arguments) {
    KeyHandle key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Address(),
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring data = Widen(RunCommand(programPath, arguments));
    const auto bytes = DWORD((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), Widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
}

bool RunKeyAutostart::Remove(const std::string& name) {
    KeyHandle key;
    const LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_SET_VALUE, key.Address());
    if (opened == ERROR_FILE_NOT_FOUND) {
        return true;
    }
    if (opened != ERROR_SUCCESS) {
        return false;
    }
    const LSTATUS deleted = RegDeleteValueW(key.Get(), Widen(name).c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

} // namespace platform::win32
