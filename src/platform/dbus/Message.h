// One D-Bus message: its header fields and its body, and how it goes to and comes from the
// wire. Messages are written little-endian; either byte order is read. A message read from a
// peer is checked completely (header, field types, names, body against its signature) before
// anything uses it.
#pragma once

#include "platform/dbus/Reader.h"
#include "platform/dbus/Writer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::dbus {

enum class TMessageType : std::uint8_t { MethodCall = 1, MethodReturn = 2, Error = 3, Signal = 4 };

inline constexpr std::uint8_t kFlagNoReplyExpected = 0x1;
inline constexpr std::uint8_t kFlagNoAutoStart = 0x2;

// The largest message the bus carries.
inline constexpr std::size_t kMaxMessageSize = std::size_t(1) << 27;
// The fixed part of the header, whose last word is the length of the header fields.
inline constexpr std::size_t kFixedHeaderSize = 16;

struct TMessage {
    TMessageType type = TMessageType::MethodCall;
    std::uint8_t flags = 0;
    std::uint32_t serial = 0;
    std::uint32_t replySerial = 0;
    std::string path;
    std::string interface;
    std::string member;
    std::string errorName;
    std::string destination;
    std::string sender;
    std::string signature;
    bool bigEndian = false; // the body's byte order
    std::vector<std::uint8_t> body;

    // A reader of the body.
    TReader Read() const { return TReader(body.data(), body.size(), bigEndian, signature); }
    // Takes the body and signature a writer built.
    void SetBody(const TWriter& writer);
    // An error's message: its first argument when that is a string.
    std::string ErrorText() const;
};

TMessage MethodCall(const std::string& destination, const std::string& path, const std::string& interface,
                    const std::string& member);
TMessage Signal(const std::string& path, const std::string& interface, const std::string& member);
TMessage MethodReturn(const TMessage& call);
TMessage ErrorReply(const TMessage& call, const std::string& name, const std::string& text);

// The message on the wire, little-endian, with this serial.
std::vector<std::uint8_t> Encode(const TMessage& message, std::uint32_t serial);

// The whole length of the message whose first kFixedHeaderSize bytes these are; nullopt when
// they cannot start a message or it would be longer than kMaxMessageSize.
std::optional<std::size_t> MessageSize(const std::uint8_t* header);
// The message in these bytes (all of it, exactly); nullopt when anything in it is malformed.
std::optional<TMessage> Decode(const std::uint8_t* data, std::size_t size);
// Whether the message starting at data (its fixed header at least) has one of the four known types.
bool IsKnownType(const std::uint8_t* data);

} // namespace platform::dbus
