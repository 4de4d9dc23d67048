// Builds a message body in little-endian byte order, and its signature with it: values written
// at the top level or in a struct add their type code; an array's element type and a
// variant's type are given when it is opened.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::dbus {

class TWriter {
public:
    TWriter& Byte(std::uint8_t value);
    TWriter& Bool(bool value);
    TWriter& Int16(std::int16_t value);
    TWriter& Uint16(std::uint16_t value);
    TWriter& Int32(std::int32_t value);
    TWriter& Uint32(std::uint32_t value);
    TWriter& Int64(std::int64_t value);
    TWriter& Uint64(std::uint64_t value);
    TWriter& Double(double value);
    TWriter& String(std::string_view value);
    TWriter& ObjectPath(std::string_view value);
    TWriter& Signature(std::string_view value);
    // A byte array in one piece.
    TWriter& Bytes(const std::uint8_t* data, std::size_t size);

    // Containers, closed in the reverse order. `elementType`: the single complete type of the
    // array's elements ("(iiay)", "{sv}", "s").
    TWriter& OpenArray(std::string_view elementType);
    TWriter& CloseArray();
    TWriter& OpenStruct();
    TWriter& CloseStruct();
    TWriter& OpenDictEntry();
    TWriter& CloseDictEntry();
    TWriter& OpenVariant(std::string_view type);
    TWriter& CloseVariant();

    const std::vector<std::uint8_t>& Data() const { return data_; }
    const std::string& Type() const { return signature_; }

private:
    struct TOpen {
        char kind;            // 'a', '(', '{' or 'v'
        std::size_t position; // an array's length field; else unused
        std::size_t start;    // an array's first element
    };

    void Pad(std::size_t alignment);
    void Put(const void* bytes, std::size_t size);
    void Fixed(char type, const void* bytes, std::size_t size);
    void Record(std::string_view type);
    void Text(char type, std::string_view value);
    bool Recording() const;

    std::vector<std::uint8_t> data_;
    std::string signature_;
    std::vector<TOpen> open_;
};

} // namespace platform::dbus
