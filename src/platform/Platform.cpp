#include "platform/Platform.h"

namespace platform {

namespace {
Platform installed;
}

void Install(const Platform& platform) {
    installed = platform;
}

Platform& Current() {
    return installed;
}

} // namespace platform
