// Feeds arbitrary bytes to the D-Bus message reader, as a bus or a peer on it could send them:
// reading never fails, whatever it accepts writes back as a message that reads the same, and a
// method call it accepts gets a reply from the exported objects that reads too. The body reader
// is also fed on its own, behind a signature taken from the input.
#include "platform/dbus/Message.h"
#include "platform/dbus/Names.h"
#include "platform/dbus/Objects.h"
#include "platform/dbus/Writer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace {

using platform::dbus::TMessage;

bool Same(const TMessage& a, const TMessage& b) {
    return a.type == b.type && a.flags == b.flags && a.serial == b.serial && a.replySerial == b.replySerial &&
           a.path == b.path && a.interface == b.interface && a.member == b.member &&
           a.errorName == b.errorName && a.destination == b.destination && a.sender == b.sender &&
           a.signature == b.signature && a.body == b.body;
}

const platform::dbus::TObjects& Objects() {
    static const platform::dbus::TObjects objects = [] {
        platform::dbus::TObjects made;
        platform::dbus::TInterface item{"org.example.Item", {}, {}, {{"Changed", ""}}};
        item.methods.push_back({"Echo", "s", "s", "text", "text", [](const TMessage& call) {
                                    TMessage reply = platform::dbus::MethodReturn(call);
                                    reply.SetBody(
                                        platform::dbus::TWriter().String(call.Read().String().value_or("")));
                                    return reply;
                                }});
        item.properties.push_back({"Pixmaps", "a(iiay)", [](platform::dbus::TWriter& value) {
                                       const std::uint8_t pixel[] = {1, 2, 3, 4};
                                       value.OpenArray("(iiay)").OpenStruct().Int32(1).Int32(1);
                                       value.Bytes(pixel, sizeof pixel).CloseStruct().CloseArray();
                                   }});
        made.Add("/org/example/Item", std::move(item));
        return made;
    }();
    return objects;
}

void CheckReply(const TMessage& call) {
    const std::vector<std::uint8_t> wire = platform::dbus::Encode(Objects().Dispatch(call), 1);
    if (!platform::dbus::Decode(wire.data(), wire.size())) {
        std::abort();
    }
}

// The body reader on its own, for inputs that would seldom pass a header: a signature, a zero
// byte, then the body. Whatever it reads must lie within the body.
void CheckBody(const std::uint8_t* data, std::size_t size) {
    const auto* zero = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    if (zero == nullptr) {
        return;
    }
    const std::string_view signature(reinterpret_cast<const char*>(data), std::size_t(zero - data));
    if (!platform::dbus::IsValidSignature(signature)) {
        return;
    }
    const std::vector<std::uint8_t> body(zero + 1, data + size);
    platform::dbus::TReader reader(body.data(), body.size(), (size & 1) != 0, signature);
    reader.SkipAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= platform::dbus::kFixedHeaderSize) {
        const std::optional<std::size_t> whole = platform::dbus::MessageSize(data);
        if (whole && *whole > platform::dbus::kMaxMessageSize) {
            std::abort();
        }
    }
    CheckBody(data, size);
    const std::optional<TMessage> message = platform::dbus::Decode(data, size);
    if (!message) {
        return 0;
    }
    if (!message->bigEndian) {
        const std::vector<std::uint8_t> wire = platform::dbus::Encode(*message, message->serial);
        const std::optional<TMessage> again = platform::dbus::Decode(wire.data(), wire.size());
        if (!again || !Same(*message, *again)) {
            std::abort();
        }
    }
    if (message->type == platform::dbus::TMessageType::MethodCall) {
        CheckReply(*message);
    }
    return 0;
}
