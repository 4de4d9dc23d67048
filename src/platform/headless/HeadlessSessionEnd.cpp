#include "platform/headless/HeadlessSessionEnd.h"

namespace platform::headless {

std::optional<bool> HeadlessSessionEnd::QueryEndSession() {
    if (sink_ == nullptr) {
        return std::nullopt;
    }
    return sink_->QueryEndSession();
}

void HeadlessSessionEnd::EndSession(bool ending) {
    if (sink_ != nullptr) {
        sink_->EndSession(ending);
    }
}

} // namespace platform::headless
