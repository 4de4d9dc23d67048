// A D-Bus connection served by the program's event loop: its descriptor is watched for the
// direction sd-bus waits on, a timer descriptor wakes the loop at the earliest time-out of an
// open call, and whatever arrives is handled at once. No call waits for its answer (an
// authorisation prompt may keep logind from answering for as long as the user takes).
#pragma once

#include "platform/WindowSystem.h"
#include "platform/linuxdesktop/BusReply.h"

#include <functional>
#include <string>
#include <systemd/sd-bus.h>

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
inline constexpr TBusObject kBusDaemon{"org.freedesktop.DBus", "/org/freedesktop/DBus",
                                       "org.freedesktop.DBus"};

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
    ~LoopBus();

    // Connects unless connected; a lost connection's open calls learn of the loss, and a new
    // connection takes its place. False when the bus cannot be reached.
    bool Open();
    // The connection, for objects, matches and calls of the user's own; null until opened.
    sd_bus* Get() const { return bus_; }
    // Sends what is queued and handles what has arrived: a synchronous call may have read
    // messages into the queue, which the descriptor will not report.
    void Flush();

    // Calls a method with arguments in sd-bus's append notation (types "b", "t", "s", ...;
    // nullptr for none).
    template <typename... Args>
    void Call(const TBusObject& object, const char* method, TStart start, TWait wait, TReplyHandler handler,
              const char* types, Args... args) {
        sd_bus_message* message = NewCall(object, method, start);
        if (message == nullptr) {
            Fail(handler, IsOpen() ? "cannot build the call" : openError_);
            return;
        }
        if (types != nullptr && sd_bus_message_append(message, types, args...) < 0) {
            sd_bus_message_unref(message);
            Fail(handler, "cannot append the arguments");
            return;
        }
        Send(message, wait, std::move(handler));
    }

    // Whether a service of this name is running on the bus (does not start it); false also
    // when the bus cannot be asked.
    void HasOwner(const char* service, std::function<void(bool)> handler);

    // The calls sent whose handlers have not run yet.
    int PendingCalls() const { return pending_; }

private:
    struct TPendingCall;

    bool IsOpen() const { return bus_ != nullptr; }
    void Close();
    sd_bus_message* NewCall(const TBusObject& object, const char* method, TStart start);
    void Send(sd_bus_message* message, TWait wait, TReplyHandler handler);
    static void Fail(TReplyHandler& handler, const std::string& error);
    // Handles what has arrived and what has timed out, then watches for what comes next.
    void Process();
    void Rearm();
    void ArmTimer();
    static int Replied(sd_bus_message* reply, void* userdata, sd_bus_error* error);
    static void Forget(void* userdata);

    const TBusKind kind_;
    platform::IWindowSystem* const loop_;
    sd_bus* bus_ = nullptr;
    int fd_ = -1;
    int timerFd_ = -1; // wakes the loop at the earliest time-out of an open call
    std::string openError_;
    int pending_ = 0;
};

} // namespace platform::linuxdesktop
