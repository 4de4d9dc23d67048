// Text for the bus, which refuses strings that are not UTF-8.
#pragma once

#include <string>

namespace platform::linuxdesktop {

// The text as valid UTF-8: a tooltip cut by bytes may end inside a character. Broken sequences
// are dropped.
std::string ValidUtf8(const std::string& text);

} // namespace platform::linuxdesktop
