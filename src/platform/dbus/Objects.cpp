#include "platform/dbus/Objects.h"

#include "platform/dbus/Names.h"

#include <set>
#include <string_view>

namespace platform::dbus {

namespace {

constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
constexpr const char* kIntrospectable = "org.freedesktop.DBus.Introspectable";
constexpr const char* kPeer = "org.freedesktop.DBus.Peer";
constexpr const char* kUnknownMethod = "org.freedesktop.DBus.Error.UnknownMethod";
constexpr const char* kUnknownObject = "org.freedesktop.DBus.Error.UnknownObject";
constexpr const char* kUnknownProperty = "org.freedesktop.DBus.Error.UnknownProperty";
constexpr const char* kInvalidArgs = "org.freedesktop.DBus.Error.InvalidArgs";
constexpr const char* kReadOnly = "org.freedesktop.DBus.Error.PropertyReadOnly";

constexpr const char* kDoctype =
    "<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object Introspection 1.0//EN\"\n"
    "\"http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd\">\n";

constexpr const char* kStandardInterfaces = " <interface name=\"org.freedesktop.DBus.Peer\">\n"
                                            "  <method name=\"Ping\"/>\n"
                                            " </interface>\n"
                                            " <interface name=\"org.freedesktop.DBus.Introspectable\">\n"
                                            "  <method name=\"Introspect\">\n"
                                            "   <arg name=\"xml_data\" type=\"s\" direction=\"out\"/>\n"
                                            "  </method>\n"
                                            " </interface>\n"
                                            " <interface name=\"org.freedesktop.DBus.Properties\">\n"
                                            "  <method name=\"Get\">\n"
                                            "   <arg name=\"interface_name\" direction=\"in\" type=\"s\"/>\n"
                                            "   <arg name=\"property_name\" direction=\"in\" type=\"s\"/>\n"
                                            "   <arg name=\"value\" direction=\"out\" type=\"v\"/>\n"
                                            "  </method>\n"
                                            "  <method name=\"GetAll\">\n"
                                            "   <arg name=\"interface_name\" direction=\"in\" type=\"s\"/>\n"
                                            "   <arg name=\"props\" direction=\"out\" type=\"a{sv}\"/>\n"
                                            "  </method>\n"
                                            "  <method name=\"Set\">\n"
                                            "   <arg name=\"interface_name\" direction=\"in\" type=\"s\"/>\n"
                                            "   <arg name=\"property_name\" direction=\"in\" type=\"s\"/>\n"
                                            "   <arg name=\"value\" direction=\"in\" type=\"v\"/>\n"
                                            "  </method>\n"
                                            "  <signal name=\"PropertiesChanged\">\n"
                                            "   <arg type=\"s\" name=\"interface_name\"/>\n"
                                            "   <arg type=\"a{sv}\" name=\"changed_properties\"/>\n"
                                            "   <arg type=\"as\" name=\"invalidated_properties\"/>\n"
                                            "  </signal>\n"
                                            " </interface>\n";

// One <arg/> per complete type of the signature, named from the space-separated names.
std::string Arguments(std::string_view types, std::string_view names, const char* direction) {
    std::string xml;
    while (!types.empty()) {
        const std::size_t length = CompleteTypeLength(types);
        if (length == 0) {
            break;
        }
        const std::size_t space = names.find(' ');
        const std::string_view name = names.substr(0, space);
        names = space == std::string_view::npos ? std::string_view() : names.substr(space + 1);
        xml += "   <arg type=\"" + std::string(types.substr(0, length)) + "\"";
        if (!name.empty()) {
            xml += " name=\"" + std::string(name) + "\"";
        }
        if (direction != nullptr) {
            xml += std::string(" direction=\"") + direction + "\"";
        }
        xml += "/>\n";
        types.remove_prefix(length);
    }
    return xml;
}

std::string Describe(const TInterface& object) {
    std::string xml = " <interface name=\"" + object.name + "\">\n";
    for (const TMethod& method : object.methods) {
        xml += "  <method name=\"" + method.name + "\">\n";
        xml += Arguments(method.in, method.inNames, "in");
        xml += Arguments(method.out, method.outNames, "out");
        xml += "  </method>\n";
    }
    for (const TSignal& signal : object.signals) {
        xml += "  <signal name=\"" + signal.name + "\">\n" + Arguments(signal.type, "", nullptr) +
               "  </signal>\n";
    }
    for (const TProperty& property : object.properties) {
        xml +=
            "  <property name=\"" + property.name + "\" type=\"" + property.type + "\" access=\"read\"/>\n";
    }
    return xml + " </interface>\n";
}

TMessage Unknown(const TMessage& call) {
    return ErrorReply(call, kUnknownMethod,
                      "Unknown method " + call.member + " or interface " + call.interface + ".");
}

} // namespace

void TObjects::Add(const std::string& path, TInterface interface) {
    objects_[path] = std::move(interface);
}

void TObjects::Remove(const std::string& path) {
    objects_.erase(path);
}

TMessage TObjects::Dispatch(const TMessage& call) const {
    const auto found = objects_.find(call.path);
    const TInterface* object = found != objects_.end() ? &found->second : nullptr;
    if (std::optional<TMessage> reply = Standard(call, object)) {
        return std::move(*reply);
    }
    if (object == nullptr) {
        return ErrorReply(call, kUnknownObject, "Unknown object '" + call.path + "'.");
    }
    if (!call.interface.empty() && call.interface != object->name) {
        return Unknown(call);
    }
    for (const TMethod& method : object->methods) {
        if (method.name != call.member) {
            continue;
        }
        if (call.signature != method.in) {
            return ErrorReply(call, kInvalidArgs,
                              "Invalid arguments '" + call.signature + "' to call " + object->name + "." +
                                  call.member + "(), expecting '" + method.in + "'.");
        }
        return method.handler(call);
    }
    return Unknown(call);
}

std::optional<TMessage> TObjects::Standard(const TMessage& call, const TInterface* object) const {
    if (call.interface == kPeer && call.member == "Ping") {
        return MethodReturn(call);
    }
    if (call.interface == kIntrospectable && call.member == "Introspect") {
        return Introspect(call, object);
    }
    if (call.interface != kProperties || object == nullptr) {
        return std::nullopt;
    }
    if (call.member == "Get" && call.signature == "ss") {
        return GetProperty(call, *object);
    }
    if (call.member == "GetAll" && call.signature == "s") {
        return GetAll(call, *object);
    }
    if (call.member == "Set") {
        return ErrorReply(call, kReadOnly, "Property is read-only.");
    }
    return Unknown(call);
}

TMessage TObjects::Introspect(const TMessage& call, const TInterface* object) const {
    // The objects below this path are its children, named by their next element.
    const std::string prefix = call.path == "/" ? "/" : call.path + "/";
    std::set<std::string> children;
    for (const auto& [path, exported] : objects_) {
        if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0) {
            children.insert(path.substr(prefix.size(), path.find('/', prefix.size()) - prefix.size()));
        }
    }
    if (object == nullptr && children.empty()) {
        return ErrorReply(call, kUnknownObject, "Unknown object '" + call.path + "'.");
    }
    std::string xml = std::string(kDoctype) + "<node>\n";
    if (object != nullptr) {
        xml += kStandardInterfaces + Describe(*object);
    }
    for (const std::string& child : children) {
        xml += " <node name=\"" + child + "\"/>\n";
    }
    xml += "</node>\n";
    TMessage reply = MethodReturn(call);
    reply.SetBody(TWriter().String(xml));
    return reply;
}

TMessage TObjects::GetProperty(const TMessage& call, const TInterface& object) {
    TReader arguments = call.Read();
    const std::string interface = arguments.String().value_or("");
    const std::string name = arguments.String().value_or("");
    if (!interface.empty() && interface != object.name) {
        return ErrorReply(call, kUnknownProperty, "Unknown interface '" + interface + "'.");
    }
    for (const TProperty& property : object.properties) {
        if (property.name == name) {
            TWriter value;
            value.OpenVariant(property.type);
            property.get(value);
            value.CloseVariant();
            TMessage reply = MethodReturn(call);
            reply.SetBody(value);
            return reply;
        }
    }
    return ErrorReply(call, kUnknownProperty, "Unknown property or interface.");
}

TMessage TObjects::GetAll(const TMessage& call, const TInterface& object) {
    const std::string interface = call.Read().String().value_or("");
    TWriter all;
    all.OpenArray("{sv}");
    if (interface.empty() || interface == object.name) {
        for (const TProperty& property : object.properties) {
            all.OpenDictEntry().String(property.name).OpenVariant(property.type);
            property.get(all);
            all.CloseVariant().CloseDictEntry();
        }
    }
    all.CloseArray();
    TMessage reply = MethodReturn(call);
    reply.SetBody(all);
    return reply;
}

} // namespace platform::dbus
