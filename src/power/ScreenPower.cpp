#include "power/ScreenPower.h"

#include "platform/Platform.h"
#include "platform/WindowSystem.h"

#include <cstdio>

namespace power {

void CloseScreen() {
    platform::IWindowSystem* windows = platform::Current().windows;
    if (windows == nullptr) {
        std::fputs("vesperon: no window system installed; screen-off request dropped\n", stderr);
        return;
    }
    windows->SetMonitorPower(kMonitorLowPower);
}

} // namespace power
