// The control channel's Unix-domain socket, in the session's runtime folder beside the
// single-instance lock. The listening side is served by the program's event loop and never
// blocks: the socket file is mode 0600, a peer of another user is turned away, and each
// connection carries one request line, limited in size and read within a time limit. What it
// refuses it logs to stderr.
#pragma once

#include "platform/WindowSystem.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace platform::linuxdesktop {

inline constexpr const char* kControlSocketName = "Vesperon.sock";

class ControlSocketServer {
public:
    // Answers one request line (without its line feed) with one reply line (with it).
    using Handler = std::function<std::string(std::string_view line)>;
    using Log = std::function<void(const std::string& message)>;

    ControlSocketServer(platform::IWindowSystem& loop, std::string path, Handler handler,
                        std::int64_t readTimeoutMs = 2000);
    ~ControlSocketServer();
    ControlSocketServer(const ControlSocketServer&) = delete;
    ControlSocketServer& operator=(const ControlSocketServer&) = delete;

    // Where refusals are told; stderr unless replaced.
    void SetLog(Log log) { log_ = std::move(log); }

    // Binds and listens. A socket file left by a copy that is gone is replaced; false (and a
    // line in the log) when another copy listens there, the path holds something else, or the
    // socket cannot be made.
    bool Open();

private:
    struct Connection {
        std::int64_t deadlineMs = 0;
        std::string received;
    };

    void Accept();
    void Receive(int fd);
    void Expire();
    void Drop(int fd);
    void Refuse(int fd, const std::string& reason);
    void ArmTimer();
    void Report(const std::string& message) const;

    platform::IWindowSystem& loop_;
    std::string path_;
    Handler handler_;
    std::int64_t readTimeoutMs_;
    Log log_;
    int listenFd_ = -1;
    int timerFd_ = -1;
    unsigned long long inode_ = 0; // of the socket file this server made
    std::map<int, Connection> connections_;
};

struct ControlExchange {
    bool listening = false;           // a copy of this user accepted the connection
    std::optional<std::string> reply; // its reply line without the line feed, if one came in time
};

// Sends one request line (with its line feed) to the copy listening at `path` and waits up to
// `timeoutMs` for its reply line.
ControlExchange ExchangeControlLine(const std::string& path, const std::string& request, int timeoutMs);

} // namespace platform::linuxdesktop
