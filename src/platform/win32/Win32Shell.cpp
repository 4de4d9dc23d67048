#include "platform/win32/Win32Shell.h"

#include "platform/win32/SystemHeaders.h"
#include "platform/win32/WideText.h"
// The system headers below need windows.h before them.

namespace platform::win32 {

void Win32Shell::Open(const std::string& target) {
    ShellExecuteW(nullptr, L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace platform::win32
