#include "platform/linuxdesktop/LogindBus.h"

#include <cstdio>

namespace platform::linuxdesktop {

void ReportPowerFailure(const std::string& text) {
    std::fprintf(stderr, "vesperon: %s\n", text.c_str());
}

} // namespace platform::linuxdesktop
