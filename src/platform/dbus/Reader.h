// Reads a message body of either byte order against its signature. Every read checks what it
// reads: bounds, zero padding, booleans, string termination and UTF-8, object path and
// signature syntax, array lengths, and the nesting depth; a read that fails leaves the value
// unread and says so.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::dbus {

// The longest array a message may hold.
inline constexpr std::uint32_t kMaxArrayLength = 1u << 26;

class TReader {
public:
    TReader() = default;
    // `data`: a body, which starts 8-aligned in its message; `signature`: the types it holds.
    TReader(const std::uint8_t* data, std::size_t size, bool bigEndian, std::string_view signature);

    // Reads every value left and checks that nothing else follows.
    bool SkipAll();
    bool Skip();

    // The type code of the next value; '\0' when none is left.
    char Peek() const;
    bool AtEnd() const;

    std::optional<std::uint8_t> Byte();
    std::optional<bool> Bool();
    std::optional<std::int16_t> Int16();
    std::optional<std::uint16_t> Uint16();
    std::optional<std::int32_t> Int32();
    std::optional<std::uint32_t> Uint32();
    std::optional<std::int64_t> Int64();
    std::optional<std::uint64_t> Uint64();
    std::optional<double> Double();
    std::optional<std::string> String();
    std::optional<std::string> ObjectPath();
    std::optional<std::string> Signature();

    // Opens the next value as a container and gives a reader of its contents; Leave() moves
    // past it once the contents are read. An array's reader repeats its element type until
    // the array ends.
    bool EnterArray(TReader& elements);
    bool EnterStruct(TReader& fields);
    bool EnterVariant(TReader& value);
    void Leave(const TReader& inner) { pos_ = inner.repeats_ ? inner.end_ : inner.pos_; }

    // The type of the value a variant reader holds.
    std::string_view Type() const { return signature_; }

private:
    bool Align(std::size_t alignment);
    bool Raw(char type, void* out, std::size_t size);
    std::optional<std::string> Text(char type);
    // The complete type at the signature's position, and moves past it.
    std::string_view TakeType();
    bool Nest(TReader& inner, std::string_view signature, std::size_t end, char kind) const;

    const std::uint8_t* data_ = nullptr;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool bigEndian_ = false;
    std::string_view signature_;
    std::size_t next_ = 0; // position in the signature
    bool repeats_ = false; // an array's elements
    int arrays_ = 0;
    int structs_ = 0;
    int depth_ = 0;
};

} // namespace platform::dbus
