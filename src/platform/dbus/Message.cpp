#include "platform/dbus/Message.h"

#include "platform/dbus/Names.h"

#include <cstring>

namespace platform::dbus {

namespace {

enum TField : std::uint8_t {
    kPath = 1,
    kInterface = 2,
    kMember = 3,
    kErrorName = 4,
    kReplySerial = 5,
    kDestination = 6,
    kSender = 7,
    kSignature = 8,
    kUnixFds = 9,
};

constexpr std::uint8_t kVersion = 1;

std::size_t Align8(std::size_t size) {
    return (size + 7) / 8 * 8;
}

std::uint32_t Word(const std::uint8_t* at, bool bigEndian) {
    std::uint32_t value = 0;
    std::memcpy(&value, at, 4);
    return bigEndian ? __builtin_bswap32(value) : value;
}

void TextField(TWriter& fields, TField code, char type, const std::string& value) {
    if (value.empty()) {
        return;
    }
    const char types[] = {type, '\0'};
    fields.OpenStruct().Byte(code).OpenVariant(types);
    if (type == 'o') {
        fields.ObjectPath(value);
    } else {
        fields.String(value);
    }
    fields.CloseVariant().CloseStruct();
}

// Reads one header field into the message; false when its type or value is wrong.
bool ReadField(TReader& entry, TMessage& message, bool& hasSignature) {
    const std::optional<std::uint8_t> code = entry.Byte();
    TReader value;
    if (!code || !entry.EnterVariant(value)) {
        return false;
    }
    const std::string_view type = value.Type();
    const auto text = [&](char expected, std::string& into, bool (*valid)(std::string_view)) {
        if (type.size() != 1 || type[0] != expected) {
            return false;
        }
        std::optional<std::string> read = expected == 'o' ? value.ObjectPath() : value.String();
        if (!read || !valid(*read)) {
            return false;
        }
        into = std::move(*read);
        return true;
    };
    bool ok = true;
    switch (*code) {
    case kPath:
        ok = text('o', message.path, IsValidObjectPath);
        break;
    case kInterface:
        ok = text('s', message.interface, IsValidInterfaceName);
        break;
    case kMember:
        ok = text('s', message.member, IsValidMemberName);
        break;
    case kErrorName:
        ok = text('s', message.errorName, IsValidInterfaceName);
        break;
    case kDestination:
        ok = text('s', message.destination, IsValidBusName);
        break;
    case kSender:
        ok = text('s', message.sender, IsValidBusName);
        break;
    case kReplySerial: {
        const std::optional<std::uint32_t> serial = type == "u" ? value.Uint32() : std::nullopt;
        ok = serial && *serial != 0;
        message.replySerial = serial.value_or(0);
        break;
    }
    case kSignature: {
        std::optional<std::string> signature = type == "g" ? value.Signature() : std::nullopt;
        ok = signature.has_value();
        message.signature = signature.value_or("");
        hasSignature = true;
        break;
    }
    case kUnixFds: {
        // No descriptors are ever asked for: a message that carries some cannot be read.
        const std::optional<std::uint32_t> count = type == "u" ? value.Uint32() : std::nullopt;
        ok = count && *count == 0;
        break;
    }
    default:
        ok = value.Skip(); // a field of a later version: read past it
        break;
    }
    entry.Leave(value);
    return ok && value.AtEnd();
}

bool HasRequiredFields(const TMessage& message) {
    switch (message.type) {
    case TMessageType::MethodCall:
        return !message.path.empty() && !message.member.empty();
    case TMessageType::Signal:
        return !message.path.empty() && !message.interface.empty() && !message.member.empty();
    case TMessageType::Error:
        return !message.errorName.empty() && message.replySerial != 0;
    case TMessageType::MethodReturn:
        return message.replySerial != 0;
    }
    return false;
}

} // namespace

void TMessage::SetBody(const TWriter& writer) {
    body = writer.Data();
    signature = writer.Type();
    bigEndian = false;
}

std::string TMessage::ErrorText() const {
    TReader reader = Read();
    return reader.Peek() == 's' ? reader.String().value_or("") : "";
}

TMessage MethodCall(const std::string& destination, const std::string& path, const std::string& interface,
                    const std::string& member) {
    TMessage message;
    message.type = TMessageType::MethodCall;
    message.destination = destination;
    message.path = path;
    message.interface = interface;
    message.member = member;
    return message;
}

TMessage Signal(const std::string& path, const std::string& interface, const std::string& member) {
    TMessage message;
    message.type = TMessageType::Signal;
    message.path = path;
    message.interface = interface;
    message.member = member;
    return message;
}

TMessage MethodReturn(const TMessage& call) {
    TMessage message;
    message.type = TMessageType::MethodReturn;
    message.replySerial = call.serial;
    message.destination = call.sender;
    return message;
}

TMessage ErrorReply(const TMessage& call, const std::string& name, const std::string& text) {
    TMessage message;
    message.type = TMessageType::Error;
    message.replySerial = call.serial;
    message.destination = call.sender;
    message.errorName = name;
    TWriter body;
    body.String(text);
    message.SetBody(body);
    return message;
}

std::vector<std::uint8_t> Encode(const TMessage& message, std::uint32_t serial) {
    TWriter header;
    header.Byte('l')
        .Byte(std::uint8_t(message.type))
        .Byte(message.flags)
        .Byte(kVersion)
        .Uint32(std::uint32_t(message.body.size()))
        .Uint32(serial);
    header.OpenArray("(yv)");
    TextField(header, kPath, 'o', message.path);
    TextField(header, kInterface, 's', message.interface);
    TextField(header, kMember, 's', message.member);
    TextField(header, kErrorName, 's', message.errorName);
    if (message.replySerial != 0) {
        header.OpenStruct().Byte(kReplySerial).OpenVariant("u").Uint32(message.replySerial);
        header.CloseVariant().CloseStruct();
    }
    TextField(header, kDestination, 's', message.destination);
    TextField(header, kSender, 's', message.sender);
    if (!message.signature.empty()) {
        header.OpenStruct().Byte(kSignature).OpenVariant("g").Signature(message.signature);
        header.CloseVariant().CloseStruct();
    }
    header.CloseArray();
    std::vector<std::uint8_t> wire = header.Data();
    wire.resize(Align8(wire.size()), 0);
    wire.insert(wire.end(), message.body.begin(), message.body.end());
    return wire;
}

std::optional<std::size_t> MessageSize(const std::uint8_t* header) {
    if (header[0] != 'l' && header[0] != 'B') {
        return std::nullopt;
    }
    const bool bigEndian = header[0] == 'B';
    const std::size_t body = Word(header + 4, bigEndian);
    const std::size_t fields = Word(header + 12, bigEndian);
    if (body > kMaxMessageSize || fields > kMaxMessageSize) {
        return std::nullopt;
    }
    const std::size_t total = Align8(kFixedHeaderSize + fields) + body;
    if (total > kMaxMessageSize) {
        return std::nullopt;
    }
    return total;
}

bool IsKnownType(const std::uint8_t* data) {
    return data[1] >= std::uint8_t(TMessageType::MethodCall) && data[1] <= std::uint8_t(TMessageType::Signal);
}

std::optional<TMessage> Decode(const std::uint8_t* data, std::size_t size) {
    if (size < kFixedHeaderSize) {
        return std::nullopt;
    }
    const std::optional<std::size_t> total = MessageSize(data);
    if (!total || *total != size) {
        return std::nullopt;
    }
    TMessage message;
    message.bigEndian = data[0] == 'B';
    const std::uint8_t type = data[1];
    if (!IsKnownType(data) || data[3] != kVersion) {
        return std::nullopt;
    }
    message.type = TMessageType(type);
    message.flags = data[2];
    const std::size_t bodySize = Word(data + 4, message.bigEndian);
    message.serial = Word(data + 8, message.bigEndian);
    const std::size_t headerEnd = size - bodySize;
    if (message.serial == 0) {
        return std::nullopt;
    }
    // The fields are read as the rest of a "yyyyuua(yv)" header, ending at the padding.
    TReader header(data, headerEnd, message.bigEndian, "yyyyuua(yv)");
    for (int i = 0; i < 6; ++i) {
        header.Skip();
    }
    TReader fields;
    if (!header.EnterArray(fields)) {
        return std::nullopt;
    }
    bool hasSignature = false;
    while (!fields.AtEnd()) {
        TReader entry;
        if (!fields.EnterStruct(entry) || !ReadField(entry, message, hasSignature) || !entry.AtEnd()) {
            return std::nullopt;
        }
        fields.Leave(entry);
    }
    header.Leave(fields);
    // The padding after the fields is zero.
    for (std::size_t i = kFixedHeaderSize + Word(data + 12, message.bigEndian); i < headerEnd; ++i) {
        if (data[i] != 0) {
            return std::nullopt;
        }
    }
    if (!HasRequiredFields(message) || (bodySize > 0 && !hasSignature)) {
        return std::nullopt;
    }
    message.body.assign(data + headerEnd, data + size);
    if (!message.Read().SkipAll()) {
        return std::nullopt;
    }
    return message;
}

} // namespace platform::dbus
