#include "platform/dbus/BusAddress.h"

#include <cstdlib>

namespace platform::dbus {

namespace {

constexpr const char* kSystemSocket = "unix:path=/run/dbus/system_bus_socket";

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The value with its %XX escapes decoded; false when an escape is broken.
bool Unescape(std::string_view value, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '%') {
            out.push_back(value[i]);
            continue;
        }
        if (i + 2 >= value.size() || HexValue(value[i + 1]) < 0 || HexValue(value[i + 2]) < 0) {
            return false;
        }
        out.push_back(char(HexValue(value[i + 1]) * 16 + HexValue(value[i + 2])));
        i += 2;
    }
    return true;
}

} // namespace

std::vector<TSocketAddress> ParseAddress(std::string_view address) {
    std::vector<TSocketAddress> sockets;
    while (!address.empty()) {
        const std::size_t end = address.find(';');
        const std::string_view entry = address.substr(0, end);
        address = end == std::string_view::npos ? std::string_view() : address.substr(end + 1);
        const std::size_t colon = entry.find(':');
        if (colon == std::string_view::npos || entry.substr(0, colon) != "unix") {
            continue;
        }
        TSocketAddress socket;
        bool found = false;
        bool broken = false;
        std::string_view pairs = entry.substr(colon + 1);
        while (!pairs.empty()) {
            const std::size_t comma = pairs.find(',');
            const std::string_view pair = pairs.substr(0, comma);
            pairs = comma == std::string_view::npos ? std::string_view() : pairs.substr(comma + 1);
            const std::size_t equals = pair.find('=');
            if (equals == std::string_view::npos) {
                broken = true;
                break;
            }
            const std::string_view key = pair.substr(0, equals);
            if (key == "path" || key == "abstract") {
                broken =
                    broken || found || !Unescape(pair.substr(equals + 1), socket.name) || socket.name.empty();
                socket.abstract = key == "abstract";
                found = true;
            }
        }
        if (found && !broken) {
            sockets.push_back(std::move(socket));
        }
    }
    return sockets;
}

std::string SessionBusAddress() {
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        address != nullptr && *address != '\0') {
        return address;
    }
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0') {
        return std::string("unix:path=") + runtime + "/bus";
    }
    return {};
}

std::string SystemBusAddress() {
    const char* address = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
    return address != nullptr && *address != '\0' ? address : kSystemSocket;
}

} // namespace platform::dbus
