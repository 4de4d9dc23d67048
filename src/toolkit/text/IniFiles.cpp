#include "toolkit/text/IniFiles.h"

#include "toolkit/text/ProfileFile.h"

#include <charconv>

namespace {

// Up to eight hex digits; values above 0x7FFFFFFF wrap to negative numbers as 32-bit words do.
bool HexToInt(std::string_view digits, std::int32_t& value) {
    std::uint32_t word = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), word, 16);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty() || digits[0] == '-' ||
        digits[0] == '+') {
        return false;
    }
    value = std::int32_t(word);
    return true;
}

} // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
    return GetPrivateProfileString(section, ident, defaultValue, fileName_);
}

std::int32_t TIniFile::ReadInteger(const std::string& section, const std::string& ident,
                                   std::int32_t defaultValue) const {
    const std::string text = ReadString(section, ident, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::int32_t value = 0;
        return HexToInt(std::string_view(text).substr(2), value) ? value : defaultValue;
    }
    return StrToIntDef(text, defaultValue);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
    if (!WritePrivateProfileString(section, ident, value, fileName_)) {
        throw EIniFileException(FormatMessage("Unable to write to %s", fileName_));
    }
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, std::int32_t value) {
    WriteString(section, ident, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}
