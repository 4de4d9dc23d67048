// The D-Bus message codec, addresses and names: values written come back alike, big-endian
// messages read, and every kind of malformed message a peer could send is refused.
#include "platform/dbus/BusAddress.h"
#include "platform/dbus/Message.h"
#include "platform/dbus/Names.h"
#include "platform/dbus/Reader.h"
#include "platform/dbus/Writer.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using namespace platform::dbus;

namespace {

using TBytes = std::vector<std::uint8_t>;

TMessage CallWithBody(const TWriter& body) {
    TMessage message = MethodCall("org.example.Peer", "/org/example/Object", "org.example.Iface", "Do");
    message.SetBody(body);
    return message;
}

std::optional<TMessage> Roundtrip(const TMessage& message) {
    const TBytes wire = Encode(message, 42);
    return Decode(wire.data(), wire.size());
}

// Where the body starts in an encoded message.
std::size_t BodyStart(const TBytes& wire, const TMessage& message) {
    return wire.size() - message.body.size();
}

bool Decodes(const TBytes& wire) {
    return Decode(wire.data(), wire.size()).has_value();
}

// A big-endian method return (reply to serial 3, serial 7) carrying ("hello", 0x01020304).
TBytes BigEndianReply() {
    return {
        'B', 2, 0,   1, 0,   0,   0,   16,  0,   0, 0, 7, 0, 0, 0, 16, // fixed header
        5,   1, 'u', 0, 0,   0,   0,   3,                              // REPLY_SERIAL 3
        8,   1, 'g', 0, 2,   's', 'u', 0,                              // SIGNATURE "su"
        0,   0, 0,   5, 'h', 'e', 'l', 'l', 'o', 0, 0, 0, 1, 2, 3, 4,  // body
    };
}

// A byte nested `depth` times in `open` ... `close`.
std::string Nested(const char* open, int depth, const char* close) {
    std::string signature;
    for (int i = 0; i < depth; ++i) {
        signature.insert(0, open);
        signature.append(close);
        if (i == 0) {
            signature.insert(signature.size() - std::char_traits<char>::length(close), "y");
        }
    }
    return signature;
}

} // namespace

TEST(DbusCodecTest, EveryTypeComesBackAsWritten) {
    const std::uint8_t pixels[] = {1, 2, 3, 4, 5};
    TWriter body;
    body.Byte(7).Bool(true).Int16(-2).Uint16(65535).Int32(-70000).Uint32(4000000000u);
    body.Int64(-(std::int64_t(1) << 40)).Uint64(std::uint64_t(1) << 63).Double(2.5);
    body.String("grüße").ObjectPath("/a/b_1").Signature("a{sv}");
    body.OpenArray("(iiay)").OpenStruct().Int32(16).Int32(-16).Bytes(pixels, sizeof pixels);
    body.CloseStruct().CloseArray();
    body.OpenArray("{sv}").OpenDictEntry().String("k").OpenVariant("s").String("v").CloseVariant();
    body.CloseDictEntry().CloseArray();
    body.OpenArray("s").CloseArray(); // empty
    EXPECT_EQ(body.Type(), "ybnqiuxtdsoga(iiay)a{sv}as");

    const std::optional<TMessage> back = Roundtrip(CallWithBody(body));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->serial, 42u);
    EXPECT_EQ(back->destination, "org.example.Peer");
    EXPECT_EQ(back->path, "/org/example/Object");
    EXPECT_EQ(back->interface, "org.example.Iface");
    EXPECT_EQ(back->member, "Do");
    TReader read = back->Read();
    EXPECT_EQ(read.Byte(), 7);
    EXPECT_EQ(read.Bool(), true);
    EXPECT_EQ(read.Int16(), -2);
    EXPECT_EQ(read.Uint16(), 65535);
    EXPECT_EQ(read.Int32(), -70000);
    EXPECT_EQ(read.Uint32(), 4000000000u);
    EXPECT_EQ(read.Int64(), -(std::int64_t(1) << 40));
    EXPECT_EQ(read.Uint64(), std::uint64_t(1) << 63);
    EXPECT_EQ(read.Double(), 2.5);
    EXPECT_EQ(read.String(), "grüße");
    EXPECT_EQ(read.ObjectPath(), "/a/b_1");
    EXPECT_EQ(read.Signature(), "a{sv}");

    TReader icons;
    ASSERT_TRUE(read.EnterArray(icons));
    TReader icon;
    ASSERT_TRUE(icons.EnterStruct(icon));
    EXPECT_EQ(icon.Int32(), 16);
    EXPECT_EQ(icon.Int32(), -16);
    TReader bytes;
    ASSERT_TRUE(icon.EnterArray(bytes));
    std::vector<std::uint8_t> got;
    while (!bytes.AtEnd()) {
        got.push_back(bytes.Byte().value_or(0));
    }
    EXPECT_EQ(got, std::vector<std::uint8_t>(pixels, pixels + sizeof pixels));
    icon.Leave(bytes);
    icons.Leave(icon);
    EXPECT_TRUE(icons.AtEnd());
    read.Leave(icons);

    TReader dict;
    ASSERT_TRUE(read.EnterArray(dict));
    TReader entry;
    ASSERT_TRUE(dict.EnterStruct(entry));
    EXPECT_EQ(entry.String(), "k");
    TReader value;
    ASSERT_TRUE(entry.EnterVariant(value));
    EXPECT_EQ(value.Type(), "s");
    EXPECT_EQ(value.String(), "v");
    entry.Leave(value);
    dict.Leave(entry);
    read.Leave(dict);

    TReader empty;
    ASSERT_TRUE(read.EnterArray(empty));
    EXPECT_TRUE(empty.AtEnd());
    read.Leave(empty);
    EXPECT_TRUE(read.AtEnd());
}

TEST(DbusCodecTest, ReadsAreCheckedAgainstTheSignature) {
    TWriter body;
    body.String("text").Uint32(5);
    const TMessage message = CallWithBody(body);
    TReader read = message.Read();
    EXPECT_FALSE(read.Uint32().has_value()) << "a string is not a number";
    EXPECT_EQ(read.String(), "text");
    EXPECT_EQ(read.Uint32(), 5u);
    EXPECT_FALSE(read.Byte().has_value()) << "nothing is left";
}

TEST(DbusCodecTest, ErrorsAndSignalsCarryTheirFields) {
    TMessage call = CallWithBody(TWriter());
    call.serial = 9;
    call.sender = ":1.5";
    const std::optional<TMessage> error = Roundtrip(ErrorReply(call, "org.example.Error.Nope", "not now"));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->type, TMessageType::Error);
    EXPECT_EQ(error->replySerial, 9u);
    EXPECT_EQ(error->destination, ":1.5");
    EXPECT_EQ(error->errorName, "org.example.Error.Nope");
    EXPECT_EQ(error->ErrorText(), "not now");

    const std::optional<TMessage> signal = Roundtrip(Signal("/p", "org.example.Iface", "Changed"));
    ASSERT_TRUE(signal.has_value());
    EXPECT_EQ(signal->type, TMessageType::Signal);
    EXPECT_TRUE(signal->body.empty());
    EXPECT_TRUE(signal->signature.empty());
}

TEST(DbusCodecTest, ReadsBigEndianMessages) {
    const TBytes wire = BigEndianReply();
    ASSERT_EQ(MessageSize(wire.data()), wire.size());
    const std::optional<TMessage> reply = Decode(wire.data(), wire.size());
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->type, TMessageType::MethodReturn);
    EXPECT_EQ(reply->serial, 7u);
    EXPECT_EQ(reply->replySerial, 3u);
    TReader read = reply->Read();
    EXPECT_EQ(read.String(), "hello");
    EXPECT_EQ(read.Uint32(), 0x01020304u);
}

TEST(DbusCodecTest, RefusesMalformedHeaders) {
    const TMessage message = CallWithBody(TWriter().Uint32(1));
    const TBytes good = Encode(message, 1);
    ASSERT_TRUE(Decodes(good));

    TBytes wrong = good;
    wrong[0] = 'x';
    EXPECT_FALSE(Decodes(wrong)) << "byte order";
    wrong = good;
    wrong[3] = 2;
    EXPECT_FALSE(Decodes(wrong)) << "protocol version";
    wrong = good;
    wrong[1] = 9;
    EXPECT_FALSE(Decodes(wrong)) << "message type";
    wrong = good;
    std::memset(wrong.data() + 8, 0, 4);
    EXPECT_FALSE(Decodes(wrong)) << "serial 0";
    EXPECT_FALSE(Decode(good.data(), good.size() - 1).has_value()) << "cut short";
    wrong = good;
    wrong.push_back(0);
    EXPECT_FALSE(Decodes(wrong)) << "a byte too many";
    EXPECT_FALSE(Decode(good.data(), 10).has_value()) << "shorter than the fixed header";

    // Lengths beyond the largest message.
    wrong = good;
    const std::uint32_t huge = 0x7fffffff;
    std::memcpy(wrong.data() + 4, &huge, 4);
    EXPECT_FALSE(MessageSize(wrong.data()).has_value());
    wrong = good;
    std::memcpy(wrong.data() + 12, &huge, 4);
    EXPECT_FALSE(MessageSize(wrong.data()).has_value());

    // The big-endian reply with a field's type or the body's padding broken.
    TBytes big = BigEndianReply();
    big[17] = 1;
    big[18] = 's'; // REPLY_SERIAL as a string
    EXPECT_FALSE(Decodes(big)) << "field of the wrong type";
    big = BigEndianReply();
    big[42] = 1;
    EXPECT_FALSE(Decodes(big)) << "padding in the body";
}

TEST(DbusCodecTest, RefusesMessagesWithoutTheirRequiredFields) {
    TMessage noPath = CallWithBody(TWriter());
    noPath.path.clear();
    EXPECT_FALSE(Roundtrip(noPath).has_value());
    TMessage signal = Signal("/p", "org.example.Iface", "Changed");
    signal.interface.clear();
    EXPECT_FALSE(Roundtrip(signal).has_value());
    TMessage reply;
    reply.type = TMessageType::MethodReturn;
    EXPECT_FALSE(Roundtrip(reply).has_value()) << "a reply to nothing";
    TMessage error;
    error.type = TMessageType::Error;
    error.replySerial = 1;
    EXPECT_FALSE(Roundtrip(error).has_value()) << "an error without a name";
    TMessage unsigned_ = CallWithBody(TWriter().Uint32(1));
    unsigned_.signature.clear();
    EXPECT_FALSE(Roundtrip(unsigned_).has_value()) << "a body without a signature";
}

TEST(DbusCodecTest, RefusesBadNames) {
    TMessage message = CallWithBody(TWriter());
    message.path = "/trailing/";
    EXPECT_FALSE(Roundtrip(message).has_value());
    message = CallWithBody(TWriter());
    message.interface = "nodots";
    EXPECT_FALSE(Roundtrip(message).has_value());
    message = CallWithBody(TWriter());
    message.member = "9lives";
    EXPECT_FALSE(Roundtrip(message).has_value());
    message = CallWithBody(TWriter());
    message.destination = "org..example";
    EXPECT_FALSE(Roundtrip(message).has_value());
}

TEST(DbusCodecTest, RefusesMalformedBodies) {
    const auto patched = [](const TWriter& body, std::size_t at, std::uint8_t value) {
        const TMessage message = CallWithBody(body);
        TBytes wire = Encode(message, 1);
        wire[BodyStart(wire, message) + at] = value;
        return Decodes(wire);
    };
    EXPECT_FALSE(patched(TWriter().Bool(true), 0, 2)) << "a boolean other than 0 or 1";
    EXPECT_FALSE(patched(TWriter().Byte(1).Uint32(1), 1, 5)) << "padding that is not zero";
    EXPECT_FALSE(patched(TWriter().String("ab"), 6, 'c')) << "a string without its zero";
    EXPECT_FALSE(patched(TWriter().String("ab"), 4, 0)) << "a zero inside a string";
    EXPECT_FALSE(patched(TWriter().String("ab"), 4, 0xff)) << "not UTF-8";
    EXPECT_FALSE(patched(TWriter().String("abcd"), 0, 200)) << "a string longer than the body";
    EXPECT_FALSE(patched(TWriter().ObjectPath("/ab"), 5, '/')) << "an object path ending in '/'";
    EXPECT_FALSE(patched(TWriter().Signature("ai"), 1, '(')) << "a broken signature value";
    EXPECT_FALSE(patched(TWriter().OpenVariant("i").Int32(1).CloseVariant(), 1, '{'))
        << "a variant of no single complete type";
    EXPECT_FALSE(patched(TWriter().OpenArray("y").Byte(1).CloseArray(), 0, 9)) << "an array past the body";
    EXPECT_FALSE(patched(TWriter().OpenArray("y").Byte(1).CloseArray(), 3, 0x10))
        << "an array longer than any allowed";

    // Bytes left over after what the signature describes.
    TMessage message = CallWithBody(TWriter().Uint32(1).Uint32(2));
    message.signature = "u";
    EXPECT_FALSE(Roundtrip(message).has_value());
}

TEST(DbusCodecTest, LimitsNesting) {
    EXPECT_TRUE(IsValidSignature(Nested("a", 32, "")));
    EXPECT_FALSE(IsValidSignature(Nested("a", 33, "")));
    EXPECT_TRUE(IsValidSignature(Nested("(", 32, ")")));
    EXPECT_FALSE(IsValidSignature(Nested("(", 33, ")")));
    EXPECT_FALSE(IsValidSignature(std::string(256, 'y'))) << "longer than 255";

    // Variants inside variants count toward the total depth of 64.
    const auto nested = [](int variants) {
        TWriter body;
        for (int i = 1; i < variants; ++i) {
            body.OpenVariant("v");
        }
        body.OpenVariant("y").Byte(1);
        for (int i = 0; i < variants; ++i) {
            body.CloseVariant();
        }
        return Roundtrip(CallWithBody(body)).has_value();
    };
    EXPECT_TRUE(nested(64));
    EXPECT_FALSE(nested(65));
}

TEST(DbusCodecTest, KnowsSignaturesAndNames) {
    EXPECT_TRUE(IsValidSignature(""));
    EXPECT_TRUE(IsValidSignature("a{sv}(sa(iiay)ss)"));
    EXPECT_FALSE(IsValidSignature("a"));
    EXPECT_FALSE(IsValidSignature("()"));
    EXPECT_FALSE(IsValidSignature("{sv}")) << "a dict entry outside an array";
    EXPECT_FALSE(IsValidSignature("a{vs}")) << "a key that is not basic";
    EXPECT_FALSE(IsValidSignature("a{sss}"));
    EXPECT_FALSE(IsValidSignature("(s"));
    EXPECT_FALSE(IsValidSignature("z"));
    EXPECT_TRUE(IsSingleCompleteType("a(ii)"));
    EXPECT_FALSE(IsSingleCompleteType("ii"));

    EXPECT_TRUE(IsValidObjectPath("/"));
    EXPECT_TRUE(IsValidObjectPath("/org/vesperon/Timer"));
    EXPECT_FALSE(IsValidObjectPath("org"));
    EXPECT_FALSE(IsValidObjectPath("/a//b"));
    EXPECT_FALSE(IsValidObjectPath("/a-b"));

    EXPECT_TRUE(IsValidBusName(":1.42"));
    EXPECT_TRUE(IsValidBusName("org.kde.StatusNotifierItem-12-1"));
    EXPECT_FALSE(IsValidBusName("org.7up"));
    EXPECT_FALSE(IsValidBusName("single"));
    EXPECT_TRUE(IsValidMemberName("NameOwnerChanged"));
    EXPECT_FALSE(IsValidMemberName("Name.Owner"));
}

TEST(DbusCodecTest, ParsesAddresses) {
    EXPECT_EQ(ParseAddress("unix:path=/run/user/1000/bus"),
              (std::vector<TSocketAddress>{{"/run/user/1000/bus", false}}));
    EXPECT_EQ(ParseAddress("unix:abstract=/tmp/dbus-X,guid=0123"),
              (std::vector<TSocketAddress>{{"/tmp/dbus-X", true}}));
    EXPECT_EQ(ParseAddress("tcp:host=localhost,port=1;unix:guid=1,path=/a%20b;unix:path=/c"),
              (std::vector<TSocketAddress>{{"/a b", false}, {"/c", false}}));
    EXPECT_TRUE(ParseAddress("unix:path=/a%2").empty()) << "a broken escape";
    EXPECT_TRUE(ParseAddress("unix:tmpdir=/tmp").empty()) << "an address to listen on";
    EXPECT_TRUE(ParseAddress("unix:path=/a,abstract=b").empty()) << "two sockets in one entry";
    EXPECT_TRUE(ParseAddress("").empty());
}
