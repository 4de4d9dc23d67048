#include "platform/linuxdesktop/LoopBus.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <poll.h>
#include <sys/timerfd.h>
#include <unistd.h>
#include <utility>

namespace platform::linuxdesktop {

namespace {

// An authorisation prompt stays open as long as the user leaves it; a call that waits for one
// gives up only after this long, so that its outcome is not logged as failed too early.
constexpr std::uint64_t kPromptWaitUsec = std::uint64_t(15) * 60 * 1000 * 1000;

} // namespace

struct LoopBus::TPendingCall {
    LoopBus* owner;
    TReplyHandler handler;
};

LoopBus::LoopBus(TBusKind kind, platform::IWindowSystem* loop) : kind_(kind), loop_(loop) {}

LoopBus::~LoopBus() {
    Close();
}

bool LoopBus::Open() {
    if (bus_ != nullptr && sd_bus_is_open(bus_) > 0) {
        return true;
    }
    if (bus_ != nullptr) {
        // A lost connection: its open calls learn of the loss before it goes.
        Process();
        Close();
    }
    const bool system = kind_ == TBusKind::System;
    const int r = system ? sd_bus_open_system(&bus_) : sd_bus_open_user(&bus_);
    if (r < 0) {
        bus_ = nullptr;
        openError_ = std::string(system ? "system" : "session") + " bus not reachable: " + std::strerror(-r);
        return false;
    }
    fd_ = sd_bus_get_fd(bus_);
    timerFd_ = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
    if (loop_ != nullptr && timerFd_ >= 0) {
        loop_->WatchFd(timerFd_, true, false, [this] { Process(); });
    }
    Rearm();
    return true;
}

void LoopBus::Close() {
    if (loop_ != nullptr) {
        if (fd_ >= 0) {
            loop_->UnwatchFd(fd_);
        }
        if (timerFd_ >= 0) {
            loop_->UnwatchFd(timerFd_);
        }
    }
    if (timerFd_ >= 0) {
        close(timerFd_);
    }
    fd_ = -1;
    timerFd_ = -1;
    // Frees the open calls' slots: their handlers never run.
    bus_ = sd_bus_flush_close_unref(bus_);
}

void LoopBus::Flush() {
    if (bus_ == nullptr) {
        return;
    }
    sd_bus_flush(bus_);
    Process();
}

sd_bus_message* LoopBus::NewCall(const TBusObject& object, const char* method, TStart start) {
    sd_bus_message* message = nullptr;
    if (!Open() || sd_bus_message_new_method_call(bus_, &message, object.service, object.path,
                                                  object.interface, method) < 0) {
        return nullptr;
    }
    sd_bus_message_set_auto_start(message, start == TStart::Service ? 1 : 0);
    return message;
}

void LoopBus::Send(sd_bus_message* message, TWait wait, TReplyHandler handler) {
    auto call = std::make_unique<TPendingCall>(TPendingCall{this, std::move(handler)});
    sd_bus_slot* slot = nullptr;
    const int r = sd_bus_call_async(bus_, &slot, message, Replied, call.get(),
                                    wait == TWait::Prompt ? kPromptWaitUsec : 0);
    sd_bus_message_unref(message);
    if (r < 0) {
        Fail(call->handler, std::string("cannot send the call: ") + std::strerror(-r));
        return;
    }
    // The bus owns the slot from here; freeing it (after the reply, or with the connection)
    // forgets the call.
    call.release();
    ++pending_;
    sd_bus_slot_set_destroy_callback(slot, Forget);
    sd_bus_slot_set_floating(slot, 1);
    sd_bus_slot_unref(slot);
    // Written now if the connection is ready, else when the loop finds it writable.
    Rearm();
}

void LoopBus::Fail(TReplyHandler& handler, const std::string& error) {
    TBusReply reply(nullptr, {}, error);
    handler(reply);
}

int LoopBus::Replied(sd_bus_message* reply, void* userdata, sd_bus_error*) {
    TBusReply answer = TBusReply::Of(reply);
    static_cast<TPendingCall*>(userdata)->handler(answer);
    return 0;
}

void LoopBus::Forget(void* userdata) {
    const std::unique_ptr<TPendingCall> call(static_cast<TPendingCall*>(userdata));
    --call->owner->pending_;
}

void LoopBus::Process() {
    if (timerFd_ >= 0) {
        std::uint64_t expirations = 0;
        [[maybe_unused]] const auto got = read(timerFd_, &expirations, sizeof expirations);
    }
    while (bus_ != nullptr && sd_bus_process(bus_, nullptr) > 0) {
    }
    Rearm();
}

void LoopBus::Rearm() {
    if (bus_ == nullptr || loop_ == nullptr || fd_ < 0) {
        return;
    }
    const int events = sd_bus_get_events(bus_);
    if (events < 0) {
        // The connection is gone: stop watching a descriptor that would report forever. The
        // next call opens a new one.
        loop_->UnwatchFd(fd_);
        fd_ = -1;
        return;
    }
    loop_->WatchFd(fd_, (events & POLLIN) != 0, (events & POLLOUT) != 0, [this] { Process(); });
    ArmTimer();
}

void LoopBus::ArmTimer() {
    if (timerFd_ < 0) {
        return;
    }
    itimerspec when{}; // all zero: disarmed
    int flags = 0;
    std::uint64_t deadline = UINT64_MAX;
    if (sd_bus_get_timeout(bus_, &deadline) > 0 && deadline != UINT64_MAX) {
        if (deadline == 0) {
            when.it_value.tv_nsec = 1; // work waiting: at once
        } else {
            // An absolute CLOCK_MONOTONIC time in microseconds.
            flags = TFD_TIMER_ABSTIME;
            when.it_value.tv_sec = time_t(deadline / 1'000'000);
            when.it_value.tv_nsec = long(deadline % 1'000'000) * 1000;
        }
    }
    timerfd_settime(timerFd_, flags, &when, nullptr);
}

void LoopBus::HasOwner(const char* service, std::function<void(bool)> handler) {
    Call(
        kBusDaemon, "NameHasOwner", TStart::Service, TWait::Query,
        [handler = std::move(handler)](TBusReply& reply) { handler(reply.ReadBool().value_or(false)); }, "s",
        service);
}

} // namespace platform::linuxdesktop
