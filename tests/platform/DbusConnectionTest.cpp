// The D-Bus connection against a scripted bus on a socket of its own: authentication and
// Hello, replies matched to their calls, signals to their matches, calls to exported objects,
// time-outs, and a malformed message that ends the connection with its open calls told.
#include "platform/dbus/Connection.h"
#include "platform/dbus/Message.h"
#include "platform/dbus/Writer.h"
#include "support/TemporaryFolder.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace platform::dbus;

namespace {

bool ReadExactly(int fd, std::uint8_t* into, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = read(fd, into + done, size - done);
        if (got <= 0) {
            return false;
        }
        done += std::size_t(got);
    }
    return true;
}

void WriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote <= 0) {
            return;
        }
        done += std::size_t(wrote);
    }
}

std::optional<TMessage> ReadMessage(int fd) {
    std::vector<std::uint8_t> bytes(kFixedHeaderSize);
    if (!ReadExactly(fd, bytes.data(), bytes.size())) {
        return std::nullopt;
    }
    const std::optional<std::size_t> size = MessageSize(bytes.data());
    if (!size) {
        return std::nullopt;
    }
    bytes.resize(*size);
    if (!ReadExactly(fd, bytes.data() + kFixedHeaderSize, *size - kFixedHeaderSize)) {
        return std::nullopt;
    }
    return Decode(bytes.data(), bytes.size());
}

// A bus of one client: it takes the authentication and Hello, then plays the test's script
// on the connection in a thread of its own.
class ScriptedBus {
public:
    using Script = std::function<void(int fd)>;

    explicit ScriptedBus(Script script) : script_(std::move(script)) {
        path_ = folder_.Path("bus");
        listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un where{};
        where.sun_family = AF_UNIX;
        path_.copy(where.sun_path, sizeof where.sun_path - 1);
        bind(listener_, reinterpret_cast<const sockaddr*>(&where), sizeof where);
        listen(listener_, 1);
        thread_ = std::thread([this] { Serve(); });
    }
    ~ScriptedBus() {
        thread_.join();
        close(listener_);
    }
    std::string Address() const { return "unix:path=" + path_ + ",guid=0123456789abcdef"; }
    std::string authLine;

private:
    void Serve() {
        const int fd = accept(listener_, nullptr, nullptr);
        if (fd < 0) {
            return;
        }
        char c = 0;
        while (read(fd, &c, 1) == 1 && c != '\n') {
            authLine.push_back(c);
        }
        const std::string ok = "OK 0123456789abcdef0123456789abcdef\r\n";
        WriteAll(fd, std::vector<std::uint8_t>(ok.begin(), ok.end()));
        std::string begin;
        while (read(fd, &c, 1) == 1 && c != '\n') {
            begin.push_back(c);
        }
        if (const std::optional<TMessage> hello = ReadMessage(fd); hello && hello->member == "Hello") {
            TMessage reply = MethodReturn(*hello);
            reply.SetBody(TWriter().String(":1.7"));
            WriteAll(fd, Encode(reply, 1));
            script_(fd);
        }
        close(fd);
    }

    TemporaryFolder folder_;
    std::string path_;
    int listener_ = -1;
    Script script_;
    std::thread thread_;
};

// Serves the connection until `done` or five seconds have passed.
bool ServeUntil(TConnection& connection, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < end) {
        if (connection.Fd() >= 0) {
            pollfd entry{connection.Fd(), short(POLLIN | (connection.WantsWrite() ? POLLOUT : 0)), 0};
            poll(&entry, 1, 10);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        connection.Process();
    }
    return done();
}

TMessage Ask(const char* member) {
    return MethodCall("org.example.Peer", "/org/example/Peer", "org.example.Peer", member);
}

} // namespace

TEST(DbusConnectionTest, AuthenticatesAndMatchesRepliesSignalsAndCalls) {
    std::optional<TMessage> objectReply;
    std::atomic<bool> replied{false};
    ScriptedBus bus([&objectReply, &replied](int fd) {
        const std::optional<TMessage> call = ReadMessage(fd); // Ask("Two")
        const std::optional<TMessage> match = ReadMessage(fd);
        if (!call || !match) {
            return;
        }
        TMessage signal = Signal("/org/example/Peer", "org.example.Peer", "Changed");
        signal.sender = ":1.3";
        WriteAll(fd, Encode(signal, 2));
        TMessage reply = MethodReturn(*call);
        reply.SetBody(TWriter().Uint32(2));
        WriteAll(fd, Encode(reply, 3));
        TMessage echo = MethodCall(":1.7", "/item", "org.example.Item", "Echo");
        echo.sender = ":1.3";
        echo.SetBody(TWriter().String("hi"));
        WriteAll(fd, Encode(echo, 4));
        objectReply = ReadMessage(fd);
        replied = true;
    });
    TConnection connection;
    ASSERT_EQ(connection.Open(bus.Address()), 0);
    EXPECT_EQ(connection.UniqueName(), ":1.7");

    TInterface item{"org.example.Item", {}, {}, {}};
    item.methods.push_back({"Echo", "s", "s", "", "", [](const TMessage& call) {
                                TMessage reply = MethodReturn(call);
                                reply.SetBody(TWriter().String(call.Read().String().value_or("") + "!"));
                                return reply;
                            }});
    connection.AddObject("/item", std::move(item));
    std::optional<std::uint32_t> answer;
    connection.CallAsync(Ask("Two"), DefaultCallTimeoutUsec(),
                         [&answer](const TMessage& reply) { answer = reply.Read().Uint32(); });
    int signals = 0;
    TMatch changed;
    changed.member = "Changed";
    connection.AddMatch(changed, [&signals](const TMessage&) { ++signals; });
    EXPECT_TRUE(ServeUntil(connection, [&] { return answer.has_value() && signals == 1 && replied; }));
    EXPECT_EQ(answer, 2u);
    EXPECT_NE(bus.authLine.find("AUTH EXTERNAL "), std::string::npos);
    EXPECT_EQ(bus.authLine.substr(0, 1), std::string(1, '\0'));
    ASSERT_TRUE(objectReply.has_value());
    EXPECT_EQ(objectReply->replySerial, 4u);
    EXPECT_EQ(objectReply->destination, ":1.3");
    EXPECT_EQ(objectReply->Read().String(), "hi!");
}

TEST(DbusConnectionTest, ACallGivesUpAtItsTimeOut) {
    ScriptedBus bus([](int fd) {
        ReadMessage(fd); // the call, never answered
        std::uint8_t rest = 0;
        while (read(fd, &rest, 1) == 1) { // until the client hangs up
        }
    });
    TConnection connection;
    ASSERT_EQ(connection.Open(bus.Address()), 0);
    std::optional<TMessage> reply;
    connection.CallAsync(Ask("Slow"), 100'000, [&reply](const TMessage& got) { reply = got; });
    EXPECT_NE(connection.NextDeadline(), UINT64_MAX);
    ASSERT_TRUE(ServeUntil(connection, [&] { return reply.has_value(); }));
    EXPECT_EQ(reply->errorName, kNoReplyError);
    EXPECT_EQ(reply->ErrorText(), "Method call timed out");
    EXPECT_TRUE(connection.IsOpen());
}

TEST(DbusConnectionTest, AMalformedMessageEndsTheConnectionAndTellsTheOpenCalls) {
    ScriptedBus bus([](int fd) {
        const std::optional<TMessage> call = ReadMessage(fd);
        if (!call) {
            return;
        }
        TMessage reply = MethodReturn(*call);
        reply.SetBody(TWriter().String("x"));
        std::vector<std::uint8_t> wire = Encode(reply, 2);
        wire.back() = 'x'; // the string loses its terminating zero
        WriteAll(fd, wire);
        std::uint8_t rest = 0;
        [[maybe_unused]] const auto got = read(fd, &rest, 1); // until the client hangs up
    });
    TConnection connection;
    ASSERT_EQ(connection.Open(bus.Address()), 0);
    std::vector<TMessage> replies;
    connection.CallAsync(Ask("One"), DefaultCallTimeoutUsec(),
                         [&replies](const TMessage& got) { replies.push_back(got); });
    ASSERT_TRUE(ServeUntil(connection, [&] { return !replies.empty(); }));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].type, TMessageType::Error);
    EXPECT_EQ(replies[0].errorName, kNoReplyError);
    EXPECT_EQ(replies[0].ErrorText(), "Connection terminated");
    EXPECT_FALSE(connection.IsOpen());
    EXPECT_EQ(connection.Fd(), -1);
}

TEST(DbusConnectionTest, AMessageOfALaterTypeIsPassedOver) {
    ScriptedBus bus([](int fd) {
        const std::optional<TMessage> call = ReadMessage(fd);
        if (!call) {
            return;
        }
        TMessage later = Signal("/org/example/Peer", "org.example.Peer", "Changed");
        std::vector<std::uint8_t> wire = Encode(later, 2);
        wire[1] = 5; // a message type the protocol may add
        WriteAll(fd, wire);
        TMessage reply = MethodReturn(*call);
        reply.SetBody(TWriter().Uint32(7));
        WriteAll(fd, Encode(reply, 3));
        std::uint8_t rest = 0;
        [[maybe_unused]] const auto got = read(fd, &rest, 1); // until the client hangs up
    });
    TConnection connection;
    ASSERT_EQ(connection.Open(bus.Address()), 0);
    std::optional<std::uint32_t> answer;
    connection.CallAsync(Ask("Seven"), DefaultCallTimeoutUsec(),
                         [&answer](const TMessage& reply) { answer = reply.Read().Uint32(); });
    ASSERT_TRUE(ServeUntil(connection, [&] { return answer.has_value(); }));
    EXPECT_EQ(answer, 7u);
    EXPECT_TRUE(connection.IsOpen());
}

TEST(DbusConnectionTest, AnAddressWithoutABusIsRefused) {
    const TemporaryFolder folder;
    TConnection connection;
    EXPECT_NE(connection.Open("unix:path=" + folder.Path("absent")), 0);
    EXPECT_FALSE(connection.IsOpen());
    EXPECT_NE(connection.Open(""), 0);
    EXPECT_NE(connection.Open("tcp:host=localhost,port=1"), 0);
}
