// A D-Bus connection served by the program's event loop: its descriptor is watched for reading
// (and for writing while output waits), a timer descriptor wakes the loop at the earliest
// time-out of an open call or when read messages wait, and whatever arrives is handled at
// once. No call waits for its answer (an authorisation prompt may keep logind from answering
// for as long as the user takes).
#pragma once

#include "platform/WindowSystem.h"
#include "platform/dbus/Connection.h"
#include "platform/dbus/Writer.h"
#include "platform/linuxdesktop/BusReply.h"

#include <cstdint>
#include <functional>
#include <string>

namespace platform::linuxdesktop {

enum class TBusKind { System, Session };

// Whether the bus may start a service that is not running for the call.
enum class TStart { Service, NoService };
// How long a call waits for its answer: a query gets the bus's usual time; a request that may
// open an authorisation prompt waits as long as a user may sit over it.
enum class TWait { Query, Prompt };

struct TBusObject {
    const char* service;
    const char* path;
    const char* interface;
};

// The bus itself: names and their owners.
inline constexpr TBusObject kBusDaemon{dbus::kBusService, dbus::kBusPath, dbus::kBusService};

// A connection to the system bus (DBUS_SYSTEM_BUS_ADDRESS, else the standard socket) or to the
// user's session bus. A call's handler runs once: from the loop when the answer, the time-out
// or the loss of the connection comes, or at once when the call could not be sent. Handlers of
// calls still open when this object goes away never run.
class LoopBus {
public:
    using TReplyHandler = std::function<void(TBusReply& reply)>;

    // Connects at Open(); a call opens the connection itself.
    LoopBus(TBusKind kind, platform::IWindowSystem* loop);
    LoopBus(const LoopBus&) = delete;
    LoopBus& operator=(const LoopBus&) = delete;
    // Writes what is queued, then closes.
    ~LoopBus();

    // Connects unless connected; a lost connection's open calls learn of the loss, and a new
    // connection takes its place. False when the bus cannot be reached.
    bool Open();
    // The connection, for objects, matches, signals and calls of the user's own; null until
    // opened.
    dbus::TConnection* Get() { return connection_.IsOpen() ? &connection_ : nullptr; }
    // Sends what is queued and handles what has arrived: a synchronous call may have read
    // messages into the queue, which the descriptor will not report.
    void Flush();

    // Calls a method with these arguments; the call's serial, 0 when it could not be sent
    // (the handler has then run already).
    std::uint32_t Call(const TBusObject& object, const char* method, TStart start, TWait wait,
                       TReplyHandler handler, const dbus::TWriter& arguments = dbus::TWriter());
    // Calls a method whose answer nobody waits for.
    void Send(const TBusObject& object, const char* method, const dbus::TWriter& arguments);
    // The open call's handler will not run.
    void Forget(std::uint32_t serial);

    // Whether a service of this name is running on the bus (does not start it); false also
    // when the bus cannot be asked.
    void HasOwner(const char* service, std::function<void(bool)> handler);

    // The calls sent whose handlers have not run yet.
    int PendingCalls() const { return pending_; }

private:
    static void Fail(TReplyHandler& handler, const std::string& error);
    // Handles what has arrived and what has timed out, then watches for what comes next.
    void Process();
    void Rearm();
    void Unwatch();
    void ArmTimer(std::uint64_t deadline);

    const TBusKind kind_;
    platform::IWindowSystem* const loop_;
    dbus::TConnection connection_;
    int fd_ = -1;      // the descriptor the loop watches
    int timerFd_ = -1; // wakes the loop at the earliest time-out of an open call
    std::string openError_;
    int pending_ = 0;
};

} // namespace platform::linuxdesktop
