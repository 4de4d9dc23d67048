// A connection to a message bus over a Unix socket: authentication (SASL EXTERNAL), Hello,
// serials and replies, per-call time-outs, signal matches, exported objects and signals. The
// socket is non-blocking; whoever serves the connection watches Fd() for reading (and for
// writing while WantsWrite()), wakes at NextDeadline(), and then calls Process(). A message
// from the bus that is malformed ends the connection: open calls get an error reply.
#pragma once

#include "platform/dbus/Message.h"
#include "platform/dbus/Objects.h"
#include "platform/dbus/Writer.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace platform::dbus {

// How long a call waits for its reply unless told otherwise: SYSTEMD_BUS_TIMEOUT ("300ms",
// "2s", "1min"; plain numbers are seconds) where it is set, as with sd-bus, else 25 s.
std::uint64_t DefaultCallTimeoutUsec();

inline constexpr const char* kNoReplyError = "org.freedesktop.DBus.Error.NoReply";

// The bus itself (names and their owners, matches): its name, which is also its interface, and
// its object.
inline constexpr const char* kBusService = "org.freedesktop.DBus";
inline constexpr const char* kBusPath = "/org/freedesktop/DBus";
// RequestName: a name another connection holds is not queued for; the answer that it is ours.
inline constexpr std::uint32_t kNameDoNotQueue = 4;
inline constexpr std::uint32_t kNamePrimaryOwner = 1;

// The signals a match selects; an empty field selects any.
struct TMatch {
    std::string sender;
    std::string path;
    std::string interface;
    std::string member;

    // The rule the bus is given ("type='signal',sender='...',...").
    std::string Rule() const;
    bool Selects(const TMessage& signal) const;
};

class TConnection {
public:
    // The reply, or an error: the peer's, or NoReply at the time-out or the loss of the
    // connection.
    using TReplyHandler = std::function<void(const TMessage& reply)>;
    using TSignalHandler = std::function<void(const TMessage& signal)>;

    TConnection() = default;
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;
    // Closes without running the handlers of open calls.
    ~TConnection();

    // Connects to the first socket of the address that accepts the user, and waits for the
    // bus's Hello. 0, or the errno value of the failure.
    int Open(const std::string& address);
    // Connected, and the connection has not been found lost.
    bool IsOpen() const { return fd_ >= 0 && !lost_; }
    int Fd() const { return fd_; }
    const std::string& UniqueName() const { return uniqueName_; }

    // Queues a message and writes what the socket takes; its serial, 0 when closed.
    std::uint32_t Send(TMessage message);
    // Sends a call whose handler runs once from Process(). The call's serial, or 0 when it
    // could not be sent (the handler then never runs).
    std::uint32_t CallAsync(TMessage call, std::uint64_t timeoutUsec, TReplyHandler handler);
    // The open call's handler will not run; false when no such call was open.
    bool Forget(std::uint32_t serial);
    // Waits for the reply; whatever else arrives meanwhile waits for Process().
    TMessage Call(TMessage call, std::uint64_t timeoutUsec);

    // Selects signals for the handler and asks the bus to route them here.
    std::uint64_t AddMatch(const TMatch& match, TSignalHandler handler);
    void RemoveMatch(std::uint64_t id);

    void AddObject(const std::string& path, TInterface interface) {
        objects_.Add(path, std::move(interface));
    }
    void RemoveObject(const std::string& path) { objects_.Remove(path); }
    void EmitSignal(const std::string& path, const std::string& interface, const std::string& member,
                    const TWriter& body = TWriter());

    // Writes everything queued, waiting for the socket as long as it takes (at most the
    // default call time-out). False when the connection failed.
    bool Flush();
    // Writes what the socket takes, reads what has arrived, dispatches it and handles the
    // time-outs. Called again from inside a handler, it only writes.
    void Process();
    bool WantsWrite() const { return !output_.empty(); }
    // When Process() has work: 0 at once, else a CLOCK_MONOTONIC time in microseconds;
    // UINT64_MAX when nothing waits.
    std::uint64_t NextDeadline() const;

private:
    struct TPending {
        std::uint64_t deadline;
        TReplyHandler handler;
    };

    void Close(bool tellCalls);
    void WriteSome();
    void ReadSome();
    void Dispatch(const TMessage& message);
    void Reply(const TMessage& reply);
    void TimeOut();

    int fd_ = -1;
    bool lost_ = false;
    bool processing_ = false;
    std::string uniqueName_;
    std::uint32_t serial_ = 0;
    std::vector<std::uint8_t> output_;
    std::vector<std::uint8_t> input_;
    std::deque<TMessage> incoming_;
    std::map<std::uint32_t, TPending> pending_;
    std::map<std::uint64_t, std::pair<TMatch, TSignalHandler>> matches_;
    std::uint64_t nextMatch_ = 0;
    TObjects objects_;
};

} // namespace platform::dbus
