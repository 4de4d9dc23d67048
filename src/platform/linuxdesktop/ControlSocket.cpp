#include "platform/linuxdesktop/ControlSocket.h"

#include "platform/controlline/ControlLine.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/timerfd.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform::linuxdesktop {

namespace {

// Connections waiting for their request line at one time; more are turned away.
constexpr std::size_t kMaxConnections = 8;
// Connections taken from the backlog per wake-up, so that a flood cannot hold the loop.
constexpr int kAcceptsPerWake = 16;

std::int64_t MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

bool AddressOf(const std::string& path, sockaddr_un& address) {
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

bool Connect(int fd, const std::string& path) {
    sockaddr_un address{};
    return AddressOf(path, address) &&
           connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

// The process at the other end runs as this process's user.
bool PeerIsSameUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == geteuid();
}

// A copy accepts connections at the path (a socket left by a killed copy refuses them).
bool SomeoneListens(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const bool listening = Connect(fd, path);
    close(fd);
    return listening;
}

void SendAndClose(int fd, const std::string& data) {
    // The reply is one short line into an empty socket buffer; a peer that does not take it
    // loses it rather than holding the loop.
    (void)send(fd, data.data(), data.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    close(fd);
}

} // namespace

ControlSocketServer::ControlSocketServer(platform::IWindowSystem& loop, std::string path, Handler handler,
                                         std::int64_t readTimeoutMs)
    : loop_(loop), path_(std::move(path)), handler_(std::move(handler)), readTimeoutMs_(readTimeoutMs) {}

ControlSocketServer::~ControlSocketServer() {
    while (!connections_.empty()) {
        Drop(connections_.begin()->first);
    }
    for (int fd : {listenFd_, timerFd_}) {
        if (fd >= 0) {
            loop_.UnwatchFd(fd);
            close(fd);
        }
    }
    // Only the file this server made: a later copy may have replaced it already.
    struct stat info {};
    if (inode_ != 0 && lstat(path_.c_str(), &info) == 0 && info.st_ino == inode_) {
        unlink(path_.c_str());
    }
}

bool ControlSocketServer::Open() {
    sockaddr_un address{};
    if (!AddressOf(path_, address)) {
        Report("control socket path too long: " + path_);
        return false;
    }
    struct stat info {};
    if (lstat(path_.c_str(), &info) == 0) {
        if (!S_ISSOCK(info.st_mode) || info.st_uid != geteuid()) {
            Report("control socket " + path_ + " is in the way of something else; left alone");
            return false;
        }
        if (SomeoneListens(path_)) {
            Report("another copy listens at " + path_);
            return false;
        }
        unlink(path_.c_str());
    }
    listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    timerFd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    // Nobody can connect before listen(): the mode is set while the file admits no one.
    if (listenFd_ < 0 || timerFd_ < 0 ||
        bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        chmod(path_.c_str(), 0600) != 0 || lstat(path_.c_str(), &info) != 0 || listen(listenFd_, 16) != 0) {
        Report("control socket " + path_ + " unavailable: " + std::strerror(errno));
        return false;
    }
    inode_ = info.st_ino;
    loop_.WatchFd(listenFd_, true, false, [this] { Accept(); });
    loop_.WatchFd(timerFd_, true, false, [this] { Expire(); });
    return true;
}

void ControlSocketServer::Accept() {
    for (int i = 0; i < kAcceptsPerWake; ++i) {
        const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            break;
        }
        if (!PeerIsSameUser(fd)) {
            Report("control request from another user refused");
            close(fd);
            continue;
        }
        if (connections_.size() >= kMaxConnections) {
            Report("control request refused: too many at once");
            close(fd);
            continue;
        }
        connections_[fd] = Connection{MonotonicMs() + readTimeoutMs_, {}};
        loop_.WatchFd(fd, true, false, [this, fd] { Receive(fd); });
    }
    ArmTimer();
}

void ControlSocketServer::Receive(int fd) {
    const auto found = connections_.find(fd);
    if (found == connections_.end()) {
        return;
    }
    std::string& received = found->second.received;
    char buffer[controlline::kMaxRequestLine];
    const ssize_t count = recv(fd, buffer, sizeof buffer, 0);
    if (count < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            Drop(fd);
        }
        return;
    }
    if (count == 0) {
        Refuse(fd, "the connection ended before the request line");
        return;
    }
    received.append(buffer, std::size_t(count));
    const std::size_t end = received.find('\n');
    if (end == std::string::npos) {
        if (received.size() >= controlline::kMaxRequestLine) {
            Refuse(fd, "request line too long");
        }
        return;
    }
    if (end + 1 != received.size()) {
        Refuse(fd, "more than one request line");
        return;
    }
    const std::string line = received.substr(0, end);
    // The connection leaves the server before the request runs, so that nothing the request
    // does to the server can reach it.
    loop_.UnwatchFd(fd);
    connections_.erase(found);
    ArmTimer();
    SendAndClose(fd, handler_(line));
}

void ControlSocketServer::Expire() {
    std::uint64_t expirations = 0;
    (void)read(timerFd_, &expirations, sizeof expirations);
    const std::int64_t now = MonotonicMs();
    for (auto it = connections_.begin(); it != connections_.end();) {
        const int fd = it->first;
        const bool late = it->second.deadlineMs <= now;
        ++it;
        if (late) {
            Refuse(fd, "no request line in time");
        }
    }
    ArmTimer();
}

void ControlSocketServer::Drop(int fd) {
    loop_.UnwatchFd(fd);
    close(fd);
    connections_.erase(fd);
}

void ControlSocketServer::Refuse(int fd, const std::string& reason) {
    Report("control request refused: " + reason);
    Drop(fd);
}

void ControlSocketServer::ArmTimer() {
    itimerspec when{};
    if (!connections_.empty()) {
        std::int64_t earliest = connections_.begin()->second.deadlineMs;
        for (const auto& [fd, connection] : connections_) {
            earliest = std::min(earliest, connection.deadlineMs);
        }
        // Zero would disarm the timer: a deadline already past is due at once.
        earliest = std::max<std::int64_t>(earliest, 1);
        when.it_value.tv_sec = time_t(earliest / 1000);
        when.it_value.tv_nsec = long(earliest % 1000) * 1000000;
    }
    timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &when, nullptr);
}

void ControlSocketServer::Report(const std::string& message) const {
    if (log_) {
        log_(message);
    } else {
        std::fprintf(stderr, "vesperon: %s\n", message.c_str());
    }
}

ControlExchange ExchangeControlLine(const std::string& path, const std::string& request, int timeoutMs) {
    ControlExchange exchange;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return exchange;
    }
    // A socket of another user in the folder is no copy of ours.
    if (!Connect(fd, path) || !PeerIsSameUser(fd)) {
        close(fd);
        return exchange;
    }
    exchange.listening = true;
    std::string reply;
    const std::int64_t deadline = MonotonicMs() + timeoutMs;
    bool complete = send(fd, request.data(), request.size(), MSG_NOSIGNAL) == ssize_t(request.size());
    while (complete && reply.find('\n') == std::string::npos && reply.size() < controlline::kMaxReplyLine) {
        pollfd ready{fd, POLLIN, 0};
        const std::int64_t left = deadline - MonotonicMs();
        char buffer[256];
        if (left <= 0 || poll(&ready, 1, int(left)) <= 0) {
            complete = false;
            break;
        }
        const ssize_t count = recv(fd, buffer, sizeof buffer, 0);
        if (count <= 0) {
            complete = false;
            break;
        }
        reply.append(buffer, std::size_t(count));
    }
    close(fd);
    const std::size_t end = reply.find('\n');
    if (complete && end != std::string::npos) {
        exchange.reply = reply.substr(0, end);
    }
    return exchange;
}

} // namespace platform::linuxdesktop
