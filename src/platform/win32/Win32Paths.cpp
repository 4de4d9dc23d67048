#include "platform/win32/Win32Paths.h"

#include "platform/win32/SystemHeaders.h"
#include "platform/win32/WideText.h"
// The system headers below need windows.h before them.
#include <shlobj.h>
#include <vector>

namespace platform::win32 {

namespace {

constexpr const char* kSettingsFile = "Vesperon.ini";

std::string FolderOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') {
        folder += '\\';
    }
    return folder;
}

std::string ApplicationDataFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) {
        return std::string();
    }
    return Narrow(folder);
}

} // namespace

std::string ChooseConfigFolder(const std::string& programPath, const std::string& appData,
                               bool iniBesideProgram) {
    const std::string programFolder = FolderOf(programPath);
    if (iniBesideProgram || appData.empty()) {
        return programFolder;
    }
    return WithSeparator(appData) + "Vesperon\\";
}

std::string Win32Paths::ProgramPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (length == 0) {
            return std::string();
        }
        if (length < buffer.size()) {
            return Narrow(std::wstring(buffer.data(), length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string Win32Paths::ConfigFolder() {
    const std::string program = ProgramPath();
    const std::wstring besideProgram = Widen(FolderOf(program) + kSettingsFile);
    const DWORD attributes = GetFileAttributesW(besideProgram.c_str());
    const bool portable =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    return ChooseConfigFolder(program, portable ? std::string() : ApplicationDataFolder(), portable);
}

} // namespace platform::win32
