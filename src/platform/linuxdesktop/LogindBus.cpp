#include "platform/linuxdesktop/LogindBus.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <poll.h>
#include <sys/timerfd.h>
#include <unistd.h>
#include <utility>

namespace platform::linuxdesktop {

void ReportPowerFailure(const std::string& text) {
    std::fprintf(stderr, "vesperon: %s\n", text.c_str());
}

TBusReply::TBusReply(sd_bus_message* reply, std::string errorName, std::string error)
    : reply_(reply), errorName_(std::move(errorName)), error_(std::move(error)) {}

TBusReply TBusReply::Of(sd_bus_message* message) {
    const sd_bus_error* error = sd_bus_message_get_error(message);
    if (error == nullptr) {
        return TBusReply(sd_bus_message_ref(message), {}, {});
    }
    std::string name = error->name != nullptr ? error->name : "";
    std::string text = name;
    if (error->message != nullptr) {
        text += std::string(": ") + error->message;
    }
    return TBusReply(nullptr, std::move(name), std::move(text));
}

TBusReply::TBusReply(TBusReply&& other) noexcept
    : reply_(std::exchange(other.reply_, nullptr)), errorName_(std::move(other.errorName_)),
      error_(std::move(other.error_)) {}

TBusReply& TBusReply::operator=(TBusReply&& other) noexcept {
    if (this != &other) {
        sd_bus_message_unref(reply_);
        reply_ = std::exchange(other.reply_, nullptr);
        errorName_ = std::move(other.errorName_);
        error_ = std::move(other.error_);
    }
    return *this;
}

TBusReply::~TBusReply() {
    sd_bus_message_unref(reply_);
}

std::optional<std::string> TBusReply::ReadText(char type) {
    const char* text = nullptr;
    const char types[] = {type, '\0'};
    if (reply_ == nullptr || sd_bus_message_read(reply_, types, &text) < 0 || text == nullptr) {
        return std::nullopt;
    }
    return std::string(text);
}

std::optional<bool> TBusReply::ReadBool() {
    int value = 0;
    if (reply_ == nullptr || sd_bus_message_read(reply_, "b", &value) < 0) {
        return std::nullopt;
    }
    return value != 0;
}

std::optional<std::string> TBusReply::ReadVariantText() {
    if (reply_ == nullptr || sd_bus_message_enter_container(reply_, 'v', "s") < 0) {
        return std::nullopt;
    }
    std::optional<std::string> text = ReadText('s');
    sd_bus_message_exit_container(reply_);
    return text;
}

// ---------------------------------------------------------------------------------------
// TAsyncBus

namespace {

// An authorisation prompt stays open as long as the user leaves it; a call that waits for one
// gives up only after this long, so that its outcome is not logged as failed too early.
constexpr std::uint64_t kPromptWaitUsec = std::uint64_t(15) * 60 * 1000 * 1000;

} // namespace

struct TAsyncBus::TPendingCall {
    TAsyncBus* owner;
    TReplyHandler handler;
};

TAsyncBus::TAsyncBus(TBusKind kind, platform::IWindowSystem* loop) : kind_(kind), loop_(loop) {}

TAsyncBus::~TAsyncBus() {
    Close();
}

bool TAsyncBus::Open() {
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
    return true;
}

void TAsyncBus::Close() {
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

sd_bus_message* TAsyncBus::NewCall(const TBusObject& object, const char* method, TStart start) {
    sd_bus_message* message = nullptr;
    if (!Open() || sd_bus_message_new_method_call(bus_, &message, object.service, object.path,
                                                  object.interface, method) < 0) {
        return nullptr;
    }
    sd_bus_message_set_auto_start(message, start == TStart::Service ? 1 : 0);
    return message;
}

void TAsyncBus::Send(sd_bus_message* message, TWait wait, TReplyHandler handler) {
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

void TAsyncBus::Fail(TReplyHandler& handler, const std::string& error) {
    TBusReply reply(nullptr, {}, error);
    handler(reply);
}

int TAsyncBus::Replied(sd_bus_message* reply, void* userdata, sd_bus_error*) {
    TBusReply answer = TBusReply::Of(reply);
    static_cast<TPendingCall*>(userdata)->handler(answer);
    return 0;
}

void TAsyncBus::Forget(void* userdata) {
    const std::unique_ptr<TPendingCall> call(static_cast<TPendingCall*>(userdata));
    --call->owner->pending_;
}

void TAsyncBus::Process() {
    if (timerFd_ >= 0) {
        std::uint64_t expirations = 0;
        [[maybe_unused]] const auto got = read(timerFd_, &expirations, sizeof expirations);
    }
    while (bus_ != nullptr && sd_bus_process(bus_, nullptr) > 0) {
    }
    Rearm();
}

void TAsyncBus::Rearm() {
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

void TAsyncBus::ArmTimer() {
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

void TAsyncBus::HasOwner(const char* service, std::function<void(bool)> handler) {
    static constexpr TBusObject kBusDaemon{"org.freedesktop.DBus", "/org/freedesktop/DBus",
                                           "org.freedesktop.DBus"};
    Call(
        kBusDaemon, "NameHasOwner", TStart::Service, TWait::Query,
        [handler = std::move(handler)](TBusReply& reply) { handler(reply.ReadBool().value_or(false)); }, "s",
        service);
}

} // namespace platform::linuxdesktop
