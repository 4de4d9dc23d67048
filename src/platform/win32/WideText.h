// The program's text is UTF-8; the system's wide functions take UTF-16.
#pragma once

#include <string>

namespace platform::win32 {

// Bytes that are not UTF-8 become U+FFFD.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
std::string Narrow(const wchar_t* wide);

} // namespace platform::win32
