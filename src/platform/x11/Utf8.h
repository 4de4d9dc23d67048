// The text conversions X properties and selections need: UTF-8 for the modern names,
// Latin-1 for the old STRING type.
#pragma once

#include <string>

namespace platform::x11 {

// Encodes one code point; invalid code points (surrogates, beyond U+10FFFF) give "".
std::string Utf8FromCodePoint(unsigned codePoint);

// Returns the text as valid UTF-8: well-formed sequences are kept, every other byte is taken
// as a Latin-1 character (what single-byte text from the program's own code page looks like).
std::string SanitizeUtf8(const std::string& text);

// Latin-1 bytes to UTF-8.
std::string Utf8FromLatin1(const std::string& text);

// UTF-8 to Latin-1; characters Latin-1 lacks become '?'.
std::string Latin1FromUtf8(const std::string& text);

bool IsAscii(const std::string& text);

} // namespace platform::x11
