#include "platform/dbus/Writer.h"

#include "platform/dbus/Names.h"

#include <bit>
#include <cstring>

namespace platform::dbus {

// The host is little-endian on every platform the program runs on; values are copied as they
// are in memory.
static_assert(std::endian::native == std::endian::little);

void TWriter::Pad(std::size_t alignment) {
    while (data_.size() % alignment != 0) {
        data_.push_back(0);
    }
}

void TWriter::Put(const void* bytes, std::size_t size) {
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    data_.insert(data_.end(), first, first + size);
}

bool TWriter::Recording() const {
    for (const TOpen& open : open_) {
        if (open.kind == 'a' || open.kind == 'v') {
            return false;
        }
    }
    return true;
}

void TWriter::Record(std::string_view type) {
    if (Recording()) {
        signature_ += type;
    }
}

void TWriter::Fixed(char type, const void* bytes, std::size_t size) {
    Pad(AlignmentOf(type));
    Put(bytes, size);
    Record(std::string_view(&type, 1));
}

TWriter& TWriter::Byte(std::uint8_t value) {
    Fixed('y', &value, 1);
    return *this;
}

TWriter& TWriter::Bool(bool value) {
    const std::uint32_t word = value ? 1 : 0;
    Fixed('b', &word, 4);
    return *this;
}

TWriter& TWriter::Int16(std::int16_t value) {
    Fixed('n', &value, 2);
    return *this;
}

TWriter& TWriter::Uint16(std::uint16_t value) {
    Fixed('q', &value, 2);
    return *this;
}

TWriter& TWriter::Int32(std::int32_t value) {
    Fixed('i', &value, 4);
    return *this;
}

TWriter& TWriter::Uint32(std::uint32_t value) {
    Fixed('u', &value, 4);
    return *this;
}

TWriter& TWriter::Int64(std::int64_t value) {
    Fixed('x', &value, 8);
    return *this;
}

TWriter& TWriter::Uint64(std::uint64_t value) {
    Fixed('t', &value, 8);
    return *this;
}

TWriter& TWriter::Double(double value) {
    Fixed('d', &value, 8);
    return *this;
}

void TWriter::Text(char type, std::string_view value) {
    if (type == 'g') {
        data_.push_back(std::uint8_t(value.size()));
    } else {
        Pad(4);
        const auto length = std::uint32_t(value.size());
        Put(&length, 4);
    }
    Put(value.data(), value.size());
    data_.push_back(0);
    Record(std::string_view(&type, 1));
}

TWriter& TWriter::String(std::string_view value) {
    Text('s', value);
    return *this;
}

TWriter& TWriter::ObjectPath(std::string_view value) {
    Text('o', value);
    return *this;
}

TWriter& TWriter::Signature(std::string_view value) {
    Text('g', value);
    return *this;
}

TWriter& TWriter::Bytes(const std::uint8_t* data, std::size_t size) {
    OpenArray("y");
    Put(data, size);
    return CloseArray();
}

TWriter& TWriter::OpenArray(std::string_view elementType) {
    Record("a");
    Record(elementType);
    Pad(4);
    const std::size_t position = data_.size();
    Put("\0\0\0\0", 4);
    Pad(AlignmentOf(elementType.empty() ? 'y' : elementType[0]));
    open_.push_back(TOpen{'a', position, data_.size()});
    return *this;
}

TWriter& TWriter::CloseArray() {
    const TOpen open = open_.back();
    open_.pop_back();
    const auto length = std::uint32_t(data_.size() - open.start);
    std::memcpy(data_.data() + open.position, &length, 4);
    return *this;
}

TWriter& TWriter::OpenStruct() {
    Record("(");
    Pad(8);
    open_.push_back(TOpen{'(', 0, 0});
    return *this;
}

TWriter& TWriter::CloseStruct() {
    open_.pop_back();
    Record(")");
    return *this;
}

TWriter& TWriter::OpenDictEntry() {
    Pad(8);
    open_.push_back(TOpen{'{', 0, 0});
    return *this;
}

TWriter& TWriter::CloseDictEntry() {
    open_.pop_back();
    return *this;
}

TWriter& TWriter::OpenVariant(std::string_view type) {
    Text('g', type);
    // The signature was recorded as 'g': a variant records 'v' instead.
    if (Recording()) {
        signature_.back() = 'v';
    }
    open_.push_back(TOpen{'v', 0, 0});
    return *this;
}

TWriter& TWriter::CloseVariant() {
    open_.pop_back();
    return *this;
}

} // namespace platform::dbus
