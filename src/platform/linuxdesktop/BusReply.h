// The answer to one method call on a bus connection: the reply message, or the error.
#pragma once

#include "platform/dbus/Message.h"

#include <optional>
#include <string>

namespace platform::linuxdesktop {

// A reply message, or the error as "Name: message".
class TBusReply {
public:
    TBusReply() = default;
    // A call that never reached the bus, and why.
    static TBusReply Failure(std::string error);
    // The reply the bus delivered for a call: its error when it is one, else the message.
    static TBusReply Of(const dbus::TMessage& message);

    bool Ok() const { return reply_.has_value(); }
    const std::string& ErrorName() const { return errorName_; }
    // The error's message alone (its first argument), without the name.
    const std::string& ErrorMessage() const { return errorMessage_; }
    // "Name: message", or what there is of them.
    std::string Error() const;
    // The unique name of the connection that sent the reply; empty for a failure.
    const std::string& Sender() const { return sender_; }
    // The reply's first argument of this basic type ('s' string, 'o' object path).
    std::optional<std::string> ReadText(char type) const;
    std::optional<bool> ReadBool() const;
    // The reply's first argument as a variant holding a string (a property's value).
    std::optional<std::string> ReadVariantText() const;

private:
    std::optional<dbus::TMessage> reply_;
    std::string errorName_;
    std::string errorMessage_;
    std::string sender_;
};

} // namespace platform::linuxdesktop
