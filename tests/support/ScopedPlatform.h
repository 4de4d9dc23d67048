// Installs a platform record for the life of a scope and puts back the record that was
// active before when the scope ends, so that no test leaves its facilities installed.
#pragma once

#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

#include <functional>

class ScopedPlatform {
public:
    // Installs the given record.
    explicit ScopedPlatform(const platform::Platform& record);
    // Installs every facility of the headless backend.
    explicit ScopedPlatform(platform::headless::HeadlessPlatform& backend);
    // Installs the active record with the facilities the change replaces.
    explicit ScopedPlatform(const std::function<void(platform::Platform&)>& change);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    const platform::Platform previous_;
};
