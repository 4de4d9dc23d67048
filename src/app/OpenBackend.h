// Opens the backend of the platform the program is built for (app/<platform>/OpenBackend.cpp);
// nullptr with a readable reason in `error` when the platform cannot be reached.
#pragma once

#include "platform/Backend.h"
#include "platform/ControlChannel.h"

#include <memory>
#include <string>

std::unique_ptr<platform::IBackend> OpenBackend(const platform::BackendOptions& options, std::string& error);

// The control channel of the platform alone, for a process that only sends a request to the
// copy that runs; nullptr when the platform has none.
std::unique_ptr<platform::IControlChannel> OpenControlClient();
