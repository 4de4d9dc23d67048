// INI files read and written key by key through the private-profile engine. Nothing stays
// open between calls: every read reads the file, every write replaces it.
#pragma once

#include "toolkit/base/Classes.h"
#include "toolkit/text/SysUtils.h"

#include <cstdint>
#include <string>

// A write the platform refused: "Unable to write to <full path>".
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

class TIniFile : public TObject {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) const;
    // Decimal, or hexadecimal when the text is longer than two characters and starts with
    // "0x"/"0X"; any other text (an empty one included) gives the default.
    std::int32_t ReadInteger(const std::string& section, const std::string& ident,
                             std::int32_t defaultValue) const;
    // An integer as above; non-zero is true.
    bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;

    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& ident, std::int32_t value);
    void WriteBool(const std::string& section, const std::string& ident, bool value);

private:
    std::string fileName_;
};
