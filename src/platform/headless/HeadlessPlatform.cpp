#include "platform/headless/HeadlessPlatform.h"

#include "platform/Clock.h"
#include "platform/NotifyShell.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"

namespace platform::headless {

HeadlessPlatform::~HeadlessPlatform() {
    if (installed_) {
        platform::Install(platform::Platform{});
    }
}

platform::Platform HeadlessPlatform::Record() {
    platform::Platform set;
    set.clock = &clock;
    set.fonts = fonts.get();
    set.locale = &locale;
    set.windows = &windows;
    set.power = &power;
    set.privilege = &power;
    set.shell = &shell;
    set.notifyShell = &notifyShell;
    set.sessionLock = &sessionLock;
    set.autostart = &autostart;
    set.paths = &paths;
    set.files = &files;
    set.sessionEnd = &sessionEnd;
    set.controlChannel = &controlChannel;
    return set;
}

void HeadlessPlatform::Install() {
    platform::Install(Record());
    installed_ = true;
}

} // namespace platform::headless
