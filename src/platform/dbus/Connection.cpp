#include "platform/dbus/Connection.h"

#include "platform/dbus/BusAddress.h"
#include "platform/dbus/Socket.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string_view>
#include <sys/socket.h>
#include <unistd.h>

namespace platform::dbus {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

TMessage NoReply(std::uint32_t serial, const char* text) {
    TMessage error;
    error.type = TMessageType::Error;
    error.replySerial = serial;
    error.errorName = kNoReplyError;
    error.SetBody(TWriter().String(text));
    return error;
}

} // namespace

std::uint64_t DefaultCallTimeoutUsec() {
    constexpr std::uint64_t kFallback = std::uint64_t(25) * 1000 * 1000;
    const char* text = std::getenv("SYSTEMD_BUS_TIMEOUT");
    if (text == nullptr) {
        return kFallback;
    }
    char* unit = nullptr;
    errno = 0;
    const double amount = std::strtod(text, &unit);
    const std::string_view suffix = unit != nullptr ? std::string_view(unit) : std::string_view();
    double scale = 0;
    if (suffix.empty() || suffix == "s" || suffix == "sec") {
        scale = 1e6;
    } else if (suffix == "ms" || suffix == "msec") {
        scale = 1e3;
    } else if (suffix == "us" || suffix == "usec") {
        scale = 1;
    } else if (suffix == "m" || suffix == "min") {
        scale = 60e6;
    }
    const double usec = amount * scale;
    if (errno != 0 || unit == text || !(usec >= 1) || usec > 1e15) {
        return kFallback;
    }
    return std::uint64_t(usec);
}

std::string TMatch::Rule() const {
    std::string rule = "type='signal'";
    const auto add = [&rule](const char* key, const std::string& value) {
        if (!value.empty()) {
            rule += std::string(",") + key + "='" + value + "'";
        }
    };
    add("sender", sender);
    add("path", path);
    add("interface", interface);
    add("member", member);
    return rule;
}

bool TMatch::Selects(const TMessage& signal) const {
    const auto fits = [](const std::string& wanted, const std::string& actual) {
        return wanted.empty() || wanted == actual;
    };
    return signal.type == TMessageType::Signal && fits(sender, signal.sender) && fits(path, signal.path) &&
           fits(interface, signal.interface) && fits(member, signal.member);
}

TConnection::~TConnection() {
    Close(false);
}

int TConnection::Open(const std::string& address) {
    Close(true);
    const std::vector<TSocketAddress> sockets = ParseAddress(address);
    if (sockets.empty()) {
        return address.empty() ? ENOMEDIUM : EINVAL;
    }
    const std::uint64_t deadline = MonotonicUsec() + DefaultCallTimeoutUsec();
    int error = ECONNREFUSED;
    for (const TSocketAddress& socket : sockets) {
        const int fd = ConnectTo(socket);
        if (fd < 0) {
            error = errno;
            continue;
        }
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        if (!Authenticate(fd, deadline)) {
            close(fd);
            error = EACCES;
            continue;
        }
        fd_ = fd;
        break;
    }
    if (fd_ < 0) {
        return error;
    }
    const TMessage hello =
        Call(MethodCall(kBusService, kBusPath, kBusService, "Hello"), DefaultCallTimeoutUsec());
    std::optional<std::string> name =
        hello.type == TMessageType::MethodReturn ? hello.Read().String() : std::nullopt;
    if (!name) {
        Close(false);
        return ECONNREFUSED;
    }
    uniqueName_ = std::move(*name);
    return 0;
}

void TConnection::Close(bool tellCalls) {
    if (fd_ >= 0) {
        close(fd_);
    }
    fd_ = -1;
    lost_ = false;
    uniqueName_.clear();
    output_.clear();
    input_.clear();
    incoming_.clear();
    std::map<std::uint32_t, TPending> open = std::move(pending_);
    pending_.clear();
    if (!tellCalls) {
        return;
    }
    for (auto& [serial, call] : open) {
        call.handler(NoReply(serial, "Connection terminated"));
    }
}

std::uint32_t TConnection::Send(TMessage message) {
    if (!IsOpen()) {
        return 0;
    }
    if (++serial_ == 0) {
        serial_ = 1;
    }
    const std::vector<std::uint8_t> wire = Encode(message, serial_);
    output_.insert(output_.end(), wire.begin(), wire.end());
    WriteSome();
    return serial_;
}

std::uint32_t TConnection::CallAsync(TMessage call, std::uint64_t timeoutUsec, TReplyHandler handler) {
    const std::uint32_t serial = Send(std::move(call));
    if (serial != 0) {
        pending_[serial] = TPending{MonotonicUsec() + timeoutUsec, std::move(handler)};
    }
    return serial;
}

bool TConnection::Forget(std::uint32_t serial) {
    return pending_.erase(serial) != 0;
}

TMessage TConnection::Call(TMessage call, std::uint64_t timeoutUsec) {
    const std::uint32_t serial = Send(std::move(call));
    if (serial == 0) {
        return NoReply(0, "Connection terminated");
    }
    const std::uint64_t deadline = MonotonicUsec() + timeoutUsec;
    std::size_t seen = 0;
    while (IsOpen()) {
        for (; seen < incoming_.size(); ++seen) {
            if (incoming_[seen].type != TMessageType::MethodCall &&
                incoming_[seen].type != TMessageType::Signal && incoming_[seen].replySerial == serial) {
                TMessage reply = std::move(incoming_[seen]);
                incoming_.erase(incoming_.begin() + std::ptrdiff_t(seen));
                return reply;
            }
        }
        if (MonotonicUsec() >= deadline) {
            return NoReply(serial, "Method call timed out");
        }
        WaitFor(fd_, short(POLLIN | (WantsWrite() ? POLLOUT : 0)), deadline);
        WriteSome();
        ReadSome();
    }
    return NoReply(serial, "Connection terminated");
}

std::uint64_t TConnection::AddMatch(const TMatch& match, TSignalHandler handler) {
    TMessage add = MethodCall(kBusService, kBusPath, kBusService, "AddMatch");
    add.flags = kFlagNoReplyExpected;
    add.SetBody(TWriter().String(match.Rule()));
    Send(std::move(add));
    matches_[++nextMatch_] = {match, std::move(handler)};
    return nextMatch_;
}

void TConnection::RemoveMatch(std::uint64_t id) {
    const auto found = matches_.find(id);
    if (found == matches_.end()) {
        return;
    }
    TMessage remove = MethodCall(kBusService, kBusPath, kBusService, "RemoveMatch");
    remove.flags = kFlagNoReplyExpected;
    remove.SetBody(TWriter().String(found->second.first.Rule()));
    Send(std::move(remove));
    matches_.erase(found);
}

void TConnection::EmitSignal(const std::string& path, const std::string& interface, const std::string& member,
                             const TWriter& body) {
    TMessage signal = Signal(path, interface, member);
    signal.SetBody(body);
    Send(std::move(signal));
}

bool TConnection::Flush() {
    const std::uint64_t deadline = MonotonicUsec() + DefaultCallTimeoutUsec();
    while (IsOpen() && WantsWrite()) {
        WriteSome();
        if (WantsWrite() && !WaitFor(fd_, POLLOUT, deadline)) {
            return false;
        }
    }
    return IsOpen();
}

void TConnection::WriteSome() {
    std::size_t done = 0;
    while (fd_ >= 0 && !lost_ && done < output_.size()) {
        const ssize_t wrote = send(fd_, output_.data() + done, output_.size() - done, MSG_NOSIGNAL);
        if (wrote > 0) {
            done += std::size_t(wrote);
        } else if (wrote < 0 && errno == EINTR) {
            continue;
        } else {
            lost_ = wrote < 0 && errno != EAGAIN;
            break;
        }
    }
    output_.erase(output_.begin(), output_.begin() + std::ptrdiff_t(done));
}

void TConnection::ReadSome() {
    std::uint8_t chunk[kReadChunk];
    while (fd_ >= 0 && !lost_) {
        const ssize_t got = recv(fd_, chunk, sizeof chunk, 0);
        if (got > 0) {
            input_.insert(input_.end(), chunk, chunk + got);
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            lost_ = got == 0 || errno != EAGAIN;
            break;
        }
    }
    // The complete messages; a malformed one ends the connection.
    std::size_t used = 0;
    while (!lost_ && input_.size() - used >= kFixedHeaderSize) {
        const std::optional<std::size_t> size = MessageSize(input_.data() + used);
        if (!size) {
            lost_ = true;
            break;
        }
        if (input_.size() - used < *size) {
            break;
        }
        // A message type a later protocol version may add is passed over, as the protocol asks.
        if (!IsKnownType(input_.data() + used)) {
            used += *size;
            continue;
        }
        std::optional<TMessage> message = Decode(input_.data() + used, *size);
        if (!message) {
            lost_ = true;
            break;
        }
        incoming_.push_back(std::move(*message));
        used += *size;
    }
    input_.erase(input_.begin(), input_.begin() + std::ptrdiff_t(used));
}

void TConnection::Process() {
    if (processing_) {
        WriteSome();
        return;
    }
    processing_ = true;
    WriteSome();
    ReadSome();
    while (!incoming_.empty() && fd_ >= 0) {
        const TMessage message = std::move(incoming_.front());
        incoming_.pop_front();
        Dispatch(message);
    }
    TimeOut();
    processing_ = false;
    if (lost_) {
        Close(true);
    }
}

void TConnection::Dispatch(const TMessage& message) {
    switch (message.type) {
    case TMessageType::MethodReturn:
    case TMessageType::Error:
        Reply(message);
        break;
    case TMessageType::Signal:
        // A handler may remove matches, its own too: each is looked up again.
        for (std::uint64_t id = 1; id <= nextMatch_; ++id) {
            const auto found = matches_.find(id);
            if (found != matches_.end() && found->second.first.Selects(message)) {
                const TSignalHandler handler = found->second.second;
                handler(message);
            }
        }
        break;
    case TMessageType::MethodCall: {
        TMessage reply = objects_.Dispatch(message);
        if ((message.flags & kFlagNoReplyExpected) == 0) {
            Send(std::move(reply));
        }
        break;
    }
    }
}

void TConnection::Reply(const TMessage& reply) {
    const auto found = pending_.find(reply.replySerial);
    if (found == pending_.end()) {
        return;
    }
    const TReplyHandler handler = std::move(found->second.handler);
    pending_.erase(found);
    handler(reply);
}

void TConnection::TimeOut() {
    const std::uint64_t now = MonotonicUsec();
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->second.deadline > now) {
            ++it;
            continue;
        }
        const std::uint32_t serial = it->first;
        const TReplyHandler handler = std::move(it->second.handler);
        it = pending_.erase(it);
        handler(NoReply(serial, "Method call timed out"));
        // The handler may have sent or forgotten calls: start again.
        it = pending_.begin();
    }
}

std::uint64_t TConnection::NextDeadline() const {
    if (lost_ || !incoming_.empty()) {
        return 0;
    }
    std::uint64_t deadline = UINT64_MAX;
    for (const auto& [serial, call] : pending_) {
        deadline = std::min(deadline, call.deadline);
    }
    return deadline;
}

} // namespace platform::dbus
