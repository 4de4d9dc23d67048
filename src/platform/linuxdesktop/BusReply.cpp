#include "platform/linuxdesktop/BusReply.h"

#include <utility>

namespace platform::linuxdesktop {

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

} // namespace platform::linuxdesktop
