// The socket under a bus connection: connecting to a Unix socket, the SASL EXTERNAL
// authentication as the process's user, and waiting on a non-blocking descriptor.
#pragma once

#include "platform/dbus/BusAddress.h"

#include <cstdint>

namespace platform::dbus {

// CLOCK_MONOTONIC in microseconds.
std::uint64_t MonotonicUsec();

// A connected stream socket (blocking, close-on-exec), or -1 with errno set.
int ConnectTo(const TSocketAddress& address);
// Authenticates the non-blocking socket as the user (uid in hex) and begins the message
// stream; false when the bus refuses or the deadline passes.
bool Authenticate(int fd, std::uint64_t deadline);
// Waits until the socket is ready for `events`; false at the deadline or on an error.
bool WaitFor(int fd, short events, std::uint64_t deadline);

} // namespace platform::dbus
