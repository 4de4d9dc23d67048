// The control channel in memory: the listening copy and the sending process are the same test.
// A request and its reply pass through the request and reply lines as they do between two
// processes; TaskChanged calls are counted.
#pragma once

#include "platform/ControlChannel.h"

#include <optional>

namespace platform::headless {

class HeadlessControlChannel : public platform::IControlChannel {
public:
    bool Listen(platform::IControlListener* listener) override;
    void TaskChanged() override { ++changes; }
    // Nothing while no listener is there, as when no copy runs.
    std::optional<platform::ControlReply> Send(const platform::ControlRequest& request) override;

    platform::IControlListener* listener = nullptr;
    int changes = 0;
};

} // namespace platform::headless
