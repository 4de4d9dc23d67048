// The answer to one method call on a bus connection: the reply message, or the error.
#pragma once

#include <optional>
#include <string>
#include <systemd/sd-bus.h>

namespace platform::linuxdesktop {

// A reply message, or the error as "Name: message".
class TBusReply {
public:
    TBusReply() = default;
    TBusReply(sd_bus_message* reply, std::string errorName, std::string error);
    // The reply the bus delivered for a call: its error when it is one, else the message.
    static TBusReply Of(sd_bus_message* message);
    TBusReply(TBusReply&& other) noexcept;
    TBusReply& operator=(TBusReply&& other) noexcept;
    TBusReply(const TBusReply&) = delete;
    TBusReply& operator=(const TBusReply&) = delete;
    ~TBusReply();

    bool Ok() const { return reply_ != nullptr; }
    const std::string& ErrorName() const { return errorName_; }
    const std::string& Error() const { return error_; }
    // The reply's first argument of this basic type ('s' string, 'o' object path).
    std::optional<std::string> ReadText(char type);
    std::optional<bool> ReadBool();
    // The reply's first argument as a variant holding a string (a property's value).
    std::optional<std::string> ReadVariantText();

private:
    sd_bus_message* reply_ = nullptr;
    std::string errorName_;
    std::string error_;
};

} // namespace platform::linuxdesktop
