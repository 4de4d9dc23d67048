#include "platform/dbus/Socket.h"

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform::dbus {

namespace {

// The longest line the bus may answer the authentication with.
constexpr std::size_t kMaxAuthLine = 512;

int PollTimeout(std::uint64_t deadline) {
    const std::uint64_t now = MonotonicUsec();
    if (deadline <= now) {
        return 0;
    }
    const std::uint64_t ms = (deadline - now + 999) / 1000;
    return ms > 60'000 ? 60'000 : int(ms);
}

bool WriteAll(int fd, const std::string& text, std::uint64_t deadline) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (wrote > 0) {
            done += std::size_t(wrote);
        } else if (wrote < 0 && errno == EINTR) {
            continue;
        } else if (wrote < 0 && errno == EAGAIN) {
            if (!WaitFor(fd, POLLOUT, deadline)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

// One line of the authentication dialogue, without its "\r\n"; read a byte at a time, so that
// nothing after it is taken from the socket.
bool ReadLine(int fd, std::string& line, std::uint64_t deadline) {
    line.clear();
    while (line.size() < kMaxAuthLine) {
        char c = 0;
        const ssize_t got = recv(fd, &c, 1, 0);
        if (got == 1) {
            line.push_back(c);
            if (line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0) {
                line.resize(line.size() - 2);
                return true;
            }
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else if (got < 0 && errno == EAGAIN) {
            if (!WaitFor(fd, POLLIN, deadline)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return false;
}

} // namespace

std::uint64_t MonotonicUsec() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::uint64_t(now.tv_sec) * 1'000'000 + std::uint64_t(now.tv_nsec) / 1000;
}

// Waits until the socket is ready for `events`; false at the deadline or on an error.
bool WaitFor(int fd, short events, std::uint64_t deadline) {
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = poll(&entry, 1, PollTimeout(deadline));
        if (ready > 0) {
            return true;
        }
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready == 0 && MonotonicUsec() < deadline) {
            continue;
        }
        return false;
    }
}

int ConnectTo(const TSocketAddress& address) {
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    const std::size_t offset = address.abstract ? 1 : 0; // the abstract namespace starts with a zero
    if (address.name.size() + offset >= sizeof where.sun_path) {
        errno = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(where.sun_path + offset, address.name.data(), address.name.size());
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + offset + address.name.size() +
                                  (address.abstract ? 0 : 1));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    int r = 0;
    do {
        r = connect(fd, reinterpret_cast<const sockaddr*>(&where), length);
    } while (r < 0 && errno == EINTR);
    if (r < 0) {
        const int error = errno;
        close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

bool Authenticate(int fd, std::uint64_t deadline) {
    std::string uid = std::to_string(getuid());
    std::string hex;
    for (char c : uid) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", unsigned(static_cast<unsigned char>(c)));
        hex += pair;
    }
    std::string line;
    if (!WriteAll(fd, std::string(1, '\0') + "AUTH EXTERNAL " + hex + "\r\n", deadline) ||
        !ReadLine(fd, line, deadline) || line.compare(0, 3, "OK ") != 0) {
        return false;
    }
    return WriteAll(fd, "BEGIN\r\n", deadline);
}

} // namespace platform::dbus
