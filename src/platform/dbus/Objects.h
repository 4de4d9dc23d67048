// The objects a connection exports: their methods, read-only properties (through
// org.freedesktop.DBus.Properties Get and GetAll), signals, and the introspection data
// (org.freedesktop.DBus.Introspectable) that describes them; org.freedesktop.DBus.Peer's Ping
// is answered on every path.
#pragma once

#include "platform/dbus/Message.h"
#include "platform/dbus/Writer.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform::dbus {

struct TMethod {
    std::string name;
    std::string in;  // the signature of the arguments
    std::string out; // the signature of the reply
    // The arguments' names for the introspection data, separated by spaces; may be empty.
    std::string inNames;
    std::string outNames;
    // Carries out a call whose arguments match `in`; gives the reply (MethodReturn or
    // ErrorReply of the call).
    std::function<TMessage(const TMessage& call)> handler;
};

struct TProperty {
    std::string name;
    std::string type;
    std::function<void(TWriter& value)> get; // writes one value of `type`
};

struct TSignal {
    std::string name;
    std::string type;
};

struct TInterface {
    std::string name;
    std::vector<TMethod> methods;
    std::vector<TProperty> properties;
    std::vector<TSignal> signals;
};

class TObjects {
public:
    void Add(const std::string& path, TInterface interface);
    void Remove(const std::string& path);
    // The reply to a method call: the method's, or an error for an unknown object, interface,
    // method or property and for arguments of the wrong types.
    TMessage Dispatch(const TMessage& call) const;

private:
    std::optional<TMessage> Standard(const TMessage& call, const TInterface* object) const;
    TMessage Introspect(const TMessage& call, const TInterface* object) const;
    static TMessage GetProperty(const TMessage& call, const TInterface& object);
    static TMessage GetAll(const TMessage& call, const TInterface& object);

    std::map<std::string, TInterface> objects_;
};

} // namespace platform::dbus
