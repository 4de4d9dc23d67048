#include "platform/linuxdesktop/LoopBus.h"

#include "platform/dbus/BusAddress.h"
#include "platform/dbus/Names.h"

#include <cstdint>
#include <cstring>
#include <sys/timerfd.h>
#include <unistd.h>
#include <utility>

namespace platform::linuxdesktop {

namespace {

// An authorisation prompt stays open as long as the user leaves it; a call that waits for one
// gives up only after this long, so that its outcome is not logged as failed too early.
constexpr std::uint64_t kPromptWaitUsec = std::uint64_t(15) * 60 * 1000 * 1000;

// The call, or nullopt when a name in it would make the bus drop the connection.
std::optional<dbus::TMessage> NewCall(const TBusObject& object, const char* method,
                                      const dbus::TWriter& arguments) {
    if (!dbus::IsValidBusName(object.service) || !dbus::IsValidObjectPath(object.path) ||
        !dbus::IsValidInterfaceName(object.interface) || !dbus::IsValidMemberName(method)) {
        return std::nullopt;
    }
    dbus::TMessage call = dbus::MethodCall(object.service, object.path, object.interface, method);
    call.SetBody(arguments);
    return call;
}

} // namespace

LoopBus::LoopBus(TBusKind kind, platform::IWindowSystem* loop) : kind_(kind), loop_(loop) {}

LoopBus::~LoopBus() {
    if (connection_.IsOpen()) {
        connection_.Flush();
    }
    Unwatch();
    if (loop_ != nullptr && timerFd_ >= 0) {
        loop_->UnwatchFd(timerFd_);
    }
    if (timerFd_ >= 0) {
        close(timerFd_);
    }
}

bool LoopBus::Open() {
    if (connection_.IsOpen()) {
        return true;
    }
    if (connection_.Fd() >= 0) {
        // A lost connection: its open calls learn of the loss before it goes. One of them may
        // have connected again.
        Process();
        if (connection_.IsOpen()) {
            return true;
        }
    }
    Unwatch();
    const bool system = kind_ == TBusKind::System;
    const int error = connection_.Open(system ? dbus::SystemBusAddress() : dbus::SessionBusAddress());
    if (error != 0) {
        openError_ =
            std::string(system ? "system" : "session") + " bus not reachable: " + std::strerror(error);
        return false;
    }
    if (timerFd_ < 0) {
        timerFd_ = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
        if (loop_ != nullptr && timerFd_ >= 0) {
            loop_->WatchFd(timerFd_, true, false, [this] { Process(); });
        }
    }
    Rearm();
    return true;
}

void LoopBus::Flush() {
    if (!connection_.IsOpen()) {
        return;
    }
    connection_.Flush();
    Process();
}

std::uint32_t LoopBus::Call(const TBusObject& object, const char* method, TStart start, TWait wait,
                            TReplyHandler handler, const dbus::TWriter& arguments) {
    if (!Open()) {
        Fail(handler, openError_);
        return 0;
    }
    std::optional<dbus::TMessage> call = NewCall(object, method, arguments);
    if (!call) {
        Fail(handler, "cannot build the call");
        return 0;
    }
    if (start == TStart::NoService) {
        call->flags |= dbus::kFlagNoAutoStart;
    }
    const std::uint64_t timeout = wait == TWait::Prompt ? kPromptWaitUsec : dbus::DefaultCallTimeoutUsec();
    const std::uint32_t serial =
        connection_.CallAsync(std::move(*call), timeout, [this, handler](const dbus::TMessage& reply) {
            --pending_;
            TBusReply answer = TBusReply::Of(reply);
            handler(answer);
        });
    if (serial == 0) {
        Fail(handler, "cannot send the call: the connection is closed");
        return 0;
    }
    ++pending_;
    // Written now if the socket took it, else when the loop finds it writable.
    Rearm();
    return serial;
}

void LoopBus::Send(const TBusObject& object, const char* method, const dbus::TWriter& arguments) {
    std::optional<dbus::TMessage> call = NewCall(object, method, arguments);
    if (!call || !Open()) {
        return;
    }
    call->flags |= dbus::kFlagNoReplyExpected;
    connection_.Send(std::move(*call));
    Rearm();
}

void LoopBus::Forget(std::uint32_t serial) {
    if (connection_.Forget(serial)) {
        --pending_;
    }
}

void LoopBus::Fail(TReplyHandler& handler, const std::string& error) {
    TBusReply reply = TBusReply::Failure(error);
    handler(reply);
}

void LoopBus::Process() {
    if (timerFd_ >= 0) {
        std::uint64_t expirations = 0;
        [[maybe_unused]] const auto got = read(timerFd_, &expirations, sizeof expirations);
    }
    connection_.Process();
    Rearm();
}

void LoopBus::Unwatch() {
    if (loop_ != nullptr && fd_ >= 0) {
        loop_->UnwatchFd(fd_);
    }
    fd_ = -1;
}

void LoopBus::Rearm() {
    if (loop_ == nullptr) {
        return;
    }
    if (connection_.Fd() != fd_) {
        Unwatch();
    }
    if (connection_.Fd() < 0) {
        // The connection is gone: the next call opens a new one.
        ArmTimer(UINT64_MAX);
        return;
    }
    fd_ = connection_.Fd();
    loop_->WatchFd(fd_, true, connection_.WantsWrite(), [this] { Process(); });
    ArmTimer(connection_.NextDeadline());
}

void LoopBus::ArmTimer(std::uint64_t deadline) {
    if (timerFd_ < 0) {
        return;
    }
    itimerspec when{}; // all zero: disarmed
    int flags = 0;
    if (deadline == 0) {
        when.it_value.tv_nsec = 1; // work waiting: at once
    } else if (deadline != UINT64_MAX) {
        // An absolute CLOCK_MONOTONIC time in microseconds.
        flags = TFD_TIMER_ABSTIME;
        when.it_value.tv_sec = time_t(deadline / 1'000'000);
        when.it_value.tv_nsec = long(deadline % 1'000'000) * 1000;
    }
    timerfd_settime(timerFd_, flags, &when, nullptr);
}

void LoopBus::HasOwner(const char* service, std::function<void(bool)> handler) {
    Call(
        kBusDaemon, "NameHasOwner", TStart::Service, TWait::Query,
        [handler = std::move(handler)](TBusReply& reply) { handler(reply.ReadBool().value_or(false)); },
        dbus::TWriter().String(service));
}

} // namespace platform::linuxdesktop
