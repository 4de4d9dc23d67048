#include "platform/dbus/Reader.h"

#include "platform/dbus/Names.h"
#include "platform/dbus/ValidUtf8.h"

#include <algorithm>
#include <cstring>

namespace platform::dbus {

TReader::TReader(const std::uint8_t* data, std::size_t size, bool bigEndian, std::string_view signature)
    : data_(data), end_(size), bigEndian_(bigEndian), signature_(signature) {}

bool TReader::AtEnd() const {
    return repeats_ ? pos_ >= end_ : next_ >= signature_.size();
}

char TReader::Peek() const {
    if (AtEnd()) {
        return '\0';
    }
    return signature_[repeats_ && next_ >= signature_.size() ? 0 : next_];
}

std::string_view TReader::TakeType() {
    if (AtEnd()) {
        return {};
    }
    if (repeats_ && next_ >= signature_.size()) {
        next_ = 0;
    }
    std::size_t length = 0;
    if (signature_[next_] == '{') {
        // A dict entry, an array's element in a signature already checked: up to its brace.
        for (int open = 0; next_ + length < signature_.size();) {
            const char c = signature_[next_ + length++];
            open += c == '{' ? 1 : c == '}' ? -1 : 0;
            if (open == 0) {
                break;
            }
        }
    } else {
        length = CompleteTypeLength(signature_.substr(next_));
    }
    if (length == 0) {
        return {};
    }
    const std::string_view type = signature_.substr(next_, length);
    next_ += length;
    return type;
}

bool TReader::Align(std::size_t alignment) {
    const std::size_t aligned = (pos_ + alignment - 1) / alignment * alignment;
    if (aligned > end_) {
        return false;
    }
    for (std::size_t i = pos_; i < aligned; ++i) {
        if (data_[i] != 0) {
            return false;
        }
    }
    pos_ = aligned;
    return true;
}

bool TReader::Raw(char type, void* out, std::size_t size) {
    if (Peek() != type) {
        return false;
    }
    const std::size_t start = pos_;
    if (!Align(size) || end_ - pos_ < size) {
        pos_ = start;
        return false;
    }
    auto* bytes = static_cast<std::uint8_t*>(out);
    std::memcpy(bytes, data_ + pos_, size);
    if (bigEndian_) {
        std::reverse(bytes, bytes + size);
    }
    pos_ += size;
    TakeType();
    return true;
}

std::optional<std::uint8_t> TReader::Byte() {
    std::uint8_t value = 0;
    return Raw('y', &value, 1) ? std::optional(value) : std::nullopt;
}

std::optional<bool> TReader::Bool() {
    std::uint32_t value = 0;
    const std::size_t start = pos_;
    const std::size_t next = next_;
    if (!Raw('b', &value, 4)) {
        return std::nullopt;
    }
    if (value > 1) {
        pos_ = start;
        next_ = next;
        return std::nullopt;
    }
    return value == 1;
}

std::optional<std::int16_t> TReader::Int16() {
    std::int16_t value = 0;
    return Raw('n', &value, 2) ? std::optional(value) : std::nullopt;
}

std::optional<std::uint16_t> TReader::Uint16() {
    std::uint16_t value = 0;
    return Raw('q', &value, 2) ? std::optional(value) : std::nullopt;
}

std::optional<std::int32_t> TReader::Int32() {
    std::int32_t value = 0;
    return Raw('i', &value, 4) ? std::optional(value) : std::nullopt;
}

std::optional<std::uint32_t> TReader::Uint32() {
    std::uint32_t value = 0;
    return Raw(Peek() == 'h' ? 'h' : 'u', &value, 4) ? std::optional(value) : std::nullopt;
}

std::optional<std::int64_t> TReader::Int64() {
    std::int64_t value = 0;
    return Raw('x', &value, 8) ? std::optional(value) : std::nullopt;
}

std::optional<std::uint64_t> TReader::Uint64() {
    std::uint64_t value = 0;
    return Raw('t', &value, 8) ? std::optional(value) : std::nullopt;
}

std::optional<double> TReader::Double() {
    double value = 0;
    return Raw('d', &value, 8) ? std::optional(value) : std::nullopt;
}

std::optional<std::string> TReader::Text(char type) {
    if (Peek() != type) {
        return std::nullopt;
    }
    const std::size_t start = pos_;
    std::size_t length = 0;
    if (type == 'g') {
        if (pos_ >= end_) {
            return std::nullopt;
        }
        length = data_[pos_++];
    } else {
        std::uint32_t word = 0;
        if (!Align(4) || end_ - pos_ < 4) {
            pos_ = start;
            return std::nullopt;
        }
        std::memcpy(&word, data_ + pos_, 4);
        if (bigEndian_) {
            word = __builtin_bswap32(word);
        }
        pos_ += 4;
        length = word;
    }
    // The text, then its terminating zero.
    if (end_ - pos_ < length + 1 || data_[pos_ + length] != 0) {
        pos_ = start;
        return std::nullopt;
    }
    const std::string_view text(reinterpret_cast<const char*>(data_ + pos_), length);
    const bool valid = text.find('\0') == std::string_view::npos && (type == 's'   ? IsValidUtf8(text)
                                                                     : type == 'o' ? IsValidObjectPath(text)
                                                                                   : IsValidSignature(text));
    if (!valid) {
        pos_ = start;
        return std::nullopt;
    }
    pos_ += length + 1;
    TakeType();
    return std::string(text);
}

std::optional<std::string> TReader::String() {
    return Text('s');
}

std::optional<std::string> TReader::ObjectPath() {
    return Text('o');
}

std::optional<std::string> TReader::Signature() {
    return Text('g');
}

bool TReader::Nest(TReader& inner, std::string_view signature, std::size_t end, char kind) const {
    inner = TReader(data_, end, bigEndian_, signature);
    inner.pos_ = pos_;
    inner.arrays_ = arrays_ + (kind == 'a' ? 1 : 0);
    inner.structs_ = structs_ + (kind == '(' ? 1 : 0);
    inner.depth_ = depth_ + 1;
    inner.repeats_ = kind == 'a';
    return inner.arrays_ <= kMaxArrayDepth && inner.structs_ <= kMaxStructDepth &&
           inner.depth_ <= kMaxTotalDepth;
}

bool TReader::EnterArray(TReader& elements) {
    if (Peek() != 'a') {
        return false;
    }
    const std::size_t start = pos_;
    const std::size_t next = next_;
    std::uint32_t length = 0;
    const std::string_view type = TakeType();
    const std::string_view element = type.substr(1);
    const auto fail = [&] {
        pos_ = start;
        next_ = next;
        return false;
    };
    if (element.empty() || !Align(4) || end_ - pos_ < 4) {
        return fail();
    }
    std::memcpy(&length, data_ + pos_, 4);
    if (bigEndian_) {
        length = __builtin_bswap32(length);
    }
    pos_ += 4;
    if (length > kMaxArrayLength || !Align(AlignmentOf(element[0])) || end_ - pos_ < length) {
        return fail();
    }
    // The array's reader ends at the array's end; Leave() moves there.
    return Nest(elements, element, pos_ + length, 'a') || fail();
}

bool TReader::EnterStruct(TReader& fields) {
    const char kind = Peek();
    if (kind != '(' && kind != '{') {
        return false;
    }
    const std::size_t start = pos_;
    const std::size_t next = next_;
    const std::string_view type = TakeType();
    if (type.size() < 3 || !Align(8) || !Nest(fields, type.substr(1, type.size() - 2), end_, '(')) {
        pos_ = start;
        next_ = next;
        return false;
    }
    return true;
}

bool TReader::EnterVariant(TReader& value) {
    if (Peek() != 'v') {
        return false;
    }
    const std::size_t start = pos_;
    const std::size_t next = next_;
    // The variant's type is a signature in the data; the reader's view of it stays valid while
    // the data does.
    if (pos_ >= end_) {
        return false;
    }
    const std::size_t length = data_[pos_];
    if (end_ - pos_ < length + 2 || data_[pos_ + 1 + length] != 0) {
        return false;
    }
    const std::string_view type(reinterpret_cast<const char*>(data_ + pos_ + 1), length);
    if (!IsSingleCompleteType(type)) {
        return false;
    }
    pos_ += length + 2;
    TakeType();
    if (!Nest(value, type, end_, 'v')) {
        pos_ = start;
        next_ = next;
        return false;
    }
    return true;
}

bool TReader::Skip() {
    TReader inner;
    switch (Peek()) {
    case 'y':
        return Byte().has_value();
    case 'b':
        return Bool().has_value();
    case 'n':
        return Int16().has_value();
    case 'q':
        return Uint16().has_value();
    case 'i':
        return Int32().has_value();
    case 'u':
    case 'h':
        return Uint32().has_value();
    case 'x':
        return Int64().has_value();
    case 't':
        return Uint64().has_value();
    case 'd':
        return Double().has_value();
    case 's':
    case 'o':
    case 'g':
        return Text(Peek()).has_value();
    case 'a':
        if (!EnterArray(inner)) {
            return false;
        }
        break;
    case '(':
    case '{':
        if (!EnterStruct(inner)) {
            return false;
        }
        break;
    case 'v':
        if (!EnterVariant(inner)) {
            return false;
        }
        break;
    default:
        return false;
    }
    while (!inner.AtEnd()) {
        if (!inner.Skip()) {
            return false;
        }
    }
    Leave(inner);
    return true;
}

bool TReader::SkipAll() {
    while (!AtEnd()) {
        if (!Skip()) {
            return false;
        }
    }
    return pos_ == end_;
}

} // namespace platform::dbus
