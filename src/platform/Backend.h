// A whole backend: every facility of one platform, owned together, and the record that makes
// them the active platform. Each backend folder offers one factory that opens it
// (platform::linuxdesktop::OpenBackend, platform::win32::OpenBackend); only app/ calls one.
#pragma once

#include "platform/Platform.h"

#include <optional>
#include <string>

namespace platform {

struct BackendOptions {
    // Set: power requests are logged (to stderr, and appended to the file when the path is not
    // empty) instead of being made.
    std::optional<std::string> dryRunLog;
};

class IBackend {
public:
    virtual ~IBackend() = default;
    // The facilities as a platform record, valid while the backend lives.
    virtual const Platform& Set() const = 0;
};

} // namespace platform
