#include "platform/linuxdesktop/LinuxControlChannel.h"

#include "platform/controlline/ControlLine.h"
#include "platform/linuxdesktop/ControlBus.h"
#include "platform/linuxdesktop/ControlSocket.h"
#include "platform/x11/X11Backend.h"

#include <cstdio>

namespace platform::linuxdesktop {

namespace {

// How long a sender waits for the running copy's reply.
constexpr int kReplyTimeoutMs = 10000;

} // namespace

LinuxControlChannel::LinuxControlChannel(platform::IWindowSystem* loop, std::string folder)
    : loop_(loop), folder_(std::move(folder)) {
    if (!folder_.empty() && folder_.back() != '/') {
        folder_ += '/';
    }
}

LinuxControlChannel::~LinuxControlChannel() = default;

std::string LinuxControlChannel::SocketPath() const {
    return folder_ + kControlSocketName;
}

bool LinuxControlChannel::Listen(platform::IControlListener* listener) {
    bus_.reset();
    socket_.reset();
    listener_ = listener;
    if (listener_ == nullptr || loop_ == nullptr) {
        return listener_ == nullptr;
    }
    socket_ = std::make_unique<ControlSocketServer>(
        *loop_, SocketPath(), [this](std::string_view line) { return HandleLine(line); });
    if (!socket_->Open()) {
        socket_.reset();
    }
    // The bus name waits until the program is idle after its first frame.
    x11::RunWhenIdle(*loop_, [this, listener, alive = std::weak_ptr<int>(alive_)] {
        if (!alive.expired() && listener_ == listener) {
            bus_ = std::make_unique<ControlBus>(loop_, *listener_);
        }
    });
    return socket_ != nullptr;
}

void LinuxControlChannel::TaskChanged() {
    if (bus_ != nullptr) {
        bus_->EmitChanged();
    }
}

std::optional<platform::ControlReply> LinuxControlChannel::Send(const platform::ControlRequest& request) {
    const ControlExchange exchange =
        ExchangeControlLine(SocketPath(), controlline::FormatRequest(request), kReplyTimeoutMs);
    if (!exchange.listening) {
        return std::nullopt;
    }
    if (exchange.reply) {
        if (auto reply = controlline::ParseReply(*exchange.reply)) {
            return reply;
        }
    }
    return platform::ReplyOf(platform::kControlFailed, "the running copy gave no answer");
}

std::string LinuxControlChannel::HandleLine(std::string_view line) {
    const std::optional<platform::ControlRequest> request = controlline::ParseRequest(line);
    if (!request) {
        std::fprintf(stderr, "vesperon: control request refused: malformed request line\n");
        return controlline::FormatReply(platform::ReplyOf(platform::kControlRefused, "malformed request"));
    }
    try {
        return controlline::FormatReply(listener_->Handle(*request));
    } catch (...) {
        return controlline::FormatReply(platform::ReplyOf(platform::kControlFailed, "the request failed"));
    }
}

} // namespace platform::linuxdesktop
