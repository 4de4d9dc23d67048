// Short-lived D-Bus connections for the power backend: one connection per operation,
// method calls that return either the reply or one line of error text, and the one-line
// diagnostic every power failure writes to stderr.
#pragma once

#include <cstdint>
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

// A connection to the system bus (DBUS_SYSTEM_BUS_ADDRESS, else the standard socket) or
// to the user's session bus, closed when this object goes away.
class TBusConnection {
public:
    explicit TBusConnection(TBusKind kind);
    TBusConnection(const TBusConnection&) = delete;
    TBusConnection& operator=(const TBusConnection&) = delete;
    ~TBusConnection();

    bool IsOpen() const { return bus_ != nullptr; }
    const std::string& OpenError() const { return openError_; }

    // Calls a method with arguments in sd-bus's append notation (types "b", "t", "s", ...).
    // With autoStart false, a service that is not running is not started for the call.
    template <typename... Args>
    TBusReply Call(const TBusObject& object, const char* method, bool autoStart, const char* types,
                   Args... args) {
        sd_bus_message* message = NewCall(object, method, autoStart);
        if (message == nullptr) {
            return CallFailed("cannot build the call");
        }
        if (types != nullptr && sd_bus_message_append(message, types, args...) < 0) {
            sd_bus_message_unref(message);
            return CallFailed("cannot append the arguments");
        }
        return Send(message);
    }

    // Whether a service of this name is running on the bus (does not start it).
    bool HasOwner(const char* service);

private:
    sd_bus_message* NewCall(const TBusObject& object, const char* method, bool autoStart);
    TBusReply Send(sd_bus_message* message);
    TBusReply CallFailed(const char* why) const;

    sd_bus* bus_ = nullptr;
    std::string openError_;
};

} // namespace platform::linuxdesktop
