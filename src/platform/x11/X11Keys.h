// Keyboard translation: X key symbols to the platform's virtual-key numbers and to the
// characters they type.
#pragma once

#include <string>

namespace platform::x11 {

// Virtual-key number of the key whose unshifted symbol is `keysym`; 0 for keys without one.
unsigned VirtualKeyFromKeysym(unsigned long keysym);

// The UTF-8 text a key symbol types (Latin-1 and Unicode symbols, the keypad's characters and
// the control characters of Backspace, Tab, Enter and Escape); empty for keys that type nothing.
std::string TextFromKeysym(unsigned long keysym);

} // namespace platform::x11
