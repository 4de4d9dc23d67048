// The power backend's D-Bus connections: served by the program's event loop, so that no call
// waits for its answer (an authorisation prompt may keep logind from answering for as long as
// the user takes); the reply or the error reaches a handler from the loop. Also the one-line
// diagnostic every power failure writes to stderr.
#pragma once

#include "platform/WindowSystem.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <systemd/sd-bus.h>

namespace platform::linuxdesktop {

// Writes "vesperon: <text>" as one line to stderr.
void ReportPowerFailure(const std::string& text);

struct TBusObject {
    const char* service;
    const char* path;
    const char* interface;
};

inline constexpr TBusObject kLogindManager{"org.freedesktop.login1", "/org/freedesktop/login1",
                                           "org.freedesktop.login1.Manager"};

// The answer to one method call: a reply message, or the error as "Name: message".
class TBusReply {
public:
    TBusReply() = default;
    TBusReply(sd_bus_message* reply, std::string errorName, std::string error);
    // The reply the bus delivered for a call: its error when it is one, else the message.
    static TBusReply Of(sd_bus_message* message);
    TBusReply(TBusReply&& other) noexcept;
    TBusReply& operator=(TBusReply&& other) noexcept;
    TBusReply(const TBusReply&) = delete;
    TBusReply& operator=(const TBusReply&) = delete;
    ~TBusReply();

    bool Ok() const { return reply_ != nullptr; }
    const std::string& ErrorName() const { return errorName_; }
    const std::string& Error() const { return error_; }
    // The reply's first argument of this basic type ('s' string, 'o' object path).
    std::optional<std::string> ReadText(char type);
    std::optional<bool> ReadBool();
    // The reply's first argument as a variant holding a string (a property's value).
    std::optional<std::string> ReadVariantText();

private:
    sd_bus_message* reply_ = nullptr;
    std::string errorName_;
    std::string error_;
};

enum class TBusKind { System, Session };

// Whether the bus may start a service that is not running for the call.
enum class TStart { Service, NoService };
// How long a call waits for its answer: a query gets the bus's usual time; a request that may
// open an authorisation prompt waits as long as a user may sit over it.
enum class TWait { Query, Prompt };

// A connection to the system bus (DBUS_SYSTEM_BUS_ADDRESS, else the standard socket) or to
// the user's session bus, opened at its first call (and again after it was lost), its
// descriptor and its calls' time-outs served by the event loop. A handler runs once: from the
// loop when the answer, the time-out or the loss of the connection comes, or at once when the
// call could not be sent. Handlers of calls still open when this object goes away never run.
class TAsyncBus {
public:
    using TReplyHandler = std::function<void(TBusReply& reply)>;

    TAsyncBus(TBusKind kind, platform::IWindowSystem* loop);
    TAsyncBus(const TAsyncBus&) = delete;
    TAsyncBus& operator=(const TAsyncBus&) = delete;
    ~TAsyncBus();

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
    bool Open();
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
