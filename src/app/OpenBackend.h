// The program's platform: each target has its own factory (app/linux, app/win32), chosen by
// the build; the program block opens it once and installs its facilities.
#pragma once

#include "platform/Backend.h"

#include <memory>
#include <string>

// Opens every facility of the target platform; nullptr and a readable reason in `error` when
// the program cannot run here (no display, for example).
std::unique_ptr<platform::IBackend> OpenBackend(const platform::BackendOptions& options, std::string& error);
