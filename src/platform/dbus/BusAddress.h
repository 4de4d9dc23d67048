// Where a bus listens: D-Bus address strings ("unix:path=/run/user/1000/bus",
// "unix:abstract=/tmp/dbus-x,guid=...", alternatives separated by ';') and the usual places of
// the session and system buses.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::dbus {

// One Unix socket to try: a file path, or a name in the abstract namespace.
struct TSocketAddress {
    std::string name;
    bool abstract = false;
    bool operator==(const TSocketAddress&) const = default;
};

// The Unix sockets of an address, in the order given; transports other than "unix" and
// entries without a path or abstract name are left out. Values are unescaped (%XX).
std::vector<TSocketAddress> ParseAddress(std::string_view address);

// DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus; empty when neither is set.
std::string SessionBusAddress();
// DBUS_SYSTEM_BUS_ADDRESS, else the standard socket.
std::string SystemBusAddress();

} // namespace platform::dbus
