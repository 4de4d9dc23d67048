// A listener of the control channel for tests: it keeps the requests and answers each with the
// reply the test sets.
#pragma once

#include "platform/ControlChannel.h"

#include <vector>

class RecordingControlListener : public platform::IControlListener {
public:
    platform::ControlReply Handle(const platform::ControlRequest& request) override {
        requests.push_back(request);
        return reply;
    }
    std::vector<platform::ControlRequest> requests;
    platform::ControlReply reply;
};
