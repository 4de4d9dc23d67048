// The private-profile engine: reading one key of an INI text and rewriting one key while every
// other byte of the text stays as it was. Sections and keys match without regard to case;
// blanks around names and values are ignored, and a value in matching quotes loses them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The value of the key in the first section of that name; nothing when either is missing.
std::optional<std::string> ProfileRead(std::string_view content, std::string_view section,
                                       std::string_view key);

// The text with the key set: its line rewritten in place, or a new line after the last line of
// the section, or a new section at the end. Line breaks in the value become blanks, so a value
// can never add lines of its own. New lines follow the text's line ends ("\n" for a new text).
std::string ProfileWrite(std::string_view content, std::string_view section, std::string_view key,
                         std::string_view value);

// The same over a file of the installed platform. Reading gives the default when the file,
// section or key is missing, and at most bufferSize - 1 bytes of the value; writing creates the
// file and its folder as needed, replaces the file as a whole and reports whether that worked.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, const std::string& fileName,
                                    std::size_t bufferSize = 2048);
bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& fileName);
