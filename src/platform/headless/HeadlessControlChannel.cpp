#include "platform/headless/HeadlessControlChannel.h"

#include "platform/controlline/ControlLine.h"

#include <string>

namespace platform::headless {

namespace {

std::string WithoutLineFeed(std::string line) {
    line.pop_back();
    return line;
}

} // namespace

bool HeadlessControlChannel::Listen(platform::IControlListener* value) {
    listener = value;
    return true;
}

std::optional<platform::ControlReply> HeadlessControlChannel::Send(const platform::ControlRequest& request) {
    if (listener == nullptr) {
        return std::nullopt;
    }
    const auto received = controlline::ParseRequest(WithoutLineFeed(controlline::FormatRequest(request)));
    if (!received) {
        platform::ControlReply refused;
        refused.code = platform::kControlRefused;
        refused.text = "malformed request";
        return refused;
    }
    return controlline::ParseReply(WithoutLineFeed(controlline::FormatReply(listener->Handle(*received))));
}

} // namespace platform::headless
