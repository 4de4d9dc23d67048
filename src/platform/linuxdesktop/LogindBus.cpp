#include "platform/linuxdesktop/LogindBus.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace platform::linuxdesktop {

void ReportPowerFailure(const std::string& text) {
    std::fprintf(stderr, "vesperon: %s\n", text.c_str());
}

TBusReply::TBusReply(sd_bus_message* reply, std::string errorName, std::string error)
    : reply_(reply), errorName_(std::move(errorName)), error_(std::move(error)) {}

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

TBusConnection::TBusConnection(TBusKind kind) {
    const int r = kind == TBusKind::System ? sd_bus_open_system(&bus_) : sd_bus_open_user(&bus_);
    if (r < 0) {
        bus_ = nullptr;
        openError_ = std::string(kind == TBusKind::System ? "system" : "session") +
                     " bus not reachable: " + std::strerror(-r);
    }
}

TBusConnection::~TBusConnection() {
    sd_bus_flush_close_unref(bus_);
}

sd_bus_message* TBusConnection::NewCall(const TBusObject& object, const char* method, bool autoStart) {
    sd_bus_message* message = nullptr;
    if (bus_ == nullptr || sd_bus_message_new_method_call(bus_, &message, object.service, object.path,
                                                          object.interface, method) < 0) {
        return nullptr;
    }
    sd_bus_message_set_auto_start(message, autoStart ? 1 : 0);
    return message;
}

TBusReply TBusConnection::Send(sd_bus_message* message) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    const int r = sd_bus_call(bus_, message, 0, &error, &reply);
    sd_bus_message_unref(message);
    if (r >= 0) {
        return TBusReply(reply, {}, {});
    }
    std::string name = error.name != nullptr ? error.name : "";
    std::string text = name.empty() ? std::strerror(-r) : name;
    if (error.message != nullptr) {
        text += std::string(": ") + error.message;
    }
    sd_bus_error_free(&error);
    return TBusReply(nullptr, std::move(name), std::move(text));
}

TBusReply TBusConnection::CallFailed(const char* why) const {
    return TBusReply(nullptr, {}, bus_ == nullptr ? openError_ : std::string(why));
}

bool TBusConnection::HasOwner(const char* service) {
    static constexpr TBusObject kBusDaemon{"org.freedesktop.DBus", "/org/freedesktop/DBus",
                                           "org.freedesktop.DBus"};
    TBusReply reply = Call(kBusDaemon, "NameHasOwner", true, "s", service);
    return reply.ReadBool().value_or(false);
}

} // namespace platform::linuxdesktop
