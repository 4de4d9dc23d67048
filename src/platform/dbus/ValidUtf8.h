// Text for the bus, which refuses strings that are not UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace platform::dbus {

// The text as valid UTF-8: a tooltip cut by bytes may end inside a character. Broken sequences
// are dropped.
std::string ValidUtf8(const std::string& text);

// Whether the text is UTF-8 throughout (no broken, overlong or surrogate sequence).
bool IsValidUtf8(std::string_view text);

} // namespace platform::dbus
