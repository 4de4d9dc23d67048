// The one entry point of the Linux desktop backend: X11 windows, fontconfig fonts, the Linux
// clock, regional settings, paths and files, the notification area, the single-instance lock,
// the log-on entry, xdg-open, the session manager's end-of-session query, the control channel
// (socket and session bus), and logind power requests or the dry-run backend that only logs
// them. Free of system headers.
#pragma once

#include "platform/Backend.h"
#include "platform/ControlChannel.h"

#include <memory>
#include <string>

namespace platform::linuxdesktop {

// Connects to the display ($DISPLAY); nullptr and a readable reason in `error` when there is
// none.
std::unique_ptr<IBackend> OpenBackend(const BackendOptions& options, std::string& error);

// The control channel alone, without a display: for a process that only sends requests to the
// running copy.
std::unique_ptr<IControlChannel> OpenControlClient();

} // namespace platform::linuxdesktop
