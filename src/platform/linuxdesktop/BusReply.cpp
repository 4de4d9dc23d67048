#include "platform/linuxdesktop/BusReply.h"

#include <utility>

namespace platform::linuxdesktop {

TBusReply TBusReply::Failure(std::string error) {
    TBusReply reply;
    reply.errorMessage_ = std::move(error);
    return reply;
}

TBusReply TBusReply::Of(const dbus::TMessage& message) {
    TBusReply reply;
    reply.sender_ = message.sender;
    if (message.type == dbus::TMessageType::Error) {
        reply.errorName_ = message.errorName;
        reply.errorMessage_ = message.ErrorText();
    } else {
        reply.reply_ = message;
    }
    return reply;
}

std::string TBusReply::Error() const {
    if (errorName_.empty() || errorMessage_.empty()) {
        return errorName_ + errorMessage_;
    }
    return errorName_ + ": " + errorMessage_;
}

std::optional<std::string> TBusReply::ReadText(char type) const {
    if (!reply_) {
        return std::nullopt;
    }
    dbus::TReader reader = reply_->Read();
    return type == 'o' ? reader.ObjectPath() : type == 'g' ? reader.Signature() : reader.String();
}

std::optional<bool> TBusReply::ReadBool() const {
    if (!reply_) {
        return std::nullopt;
    }
    return reply_->Read().Bool();
}

std::optional<std::string> TBusReply::ReadVariantText() const {
    if (!reply_) {
        return std::nullopt;
    }
    dbus::TReader reader = reply_->Read();
    dbus::TReader value;
    if (!reader.EnterVariant(value)) {
        return std::nullopt;
    }
    return value.String();
}

} // namespace platform::linuxdesktop
