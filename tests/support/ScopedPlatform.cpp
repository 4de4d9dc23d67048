#include "support/ScopedPlatform.h"

namespace {

platform::Platform Changed(const std::function<void(platform::Platform&)>& change) {
    platform::Platform record = platform::Current();
    change(record);
    return record;
}

} // namespace

ScopedPlatform::ScopedPlatform(const platform::Platform& record) : previous_(platform::Current()) {
    platform::Install(record);
}

ScopedPlatform::ScopedPlatform(platform::headless::HeadlessPlatform& backend)
    : ScopedPlatform(backend.Record()) {}

ScopedPlatform::ScopedPlatform(const std::function<void(platform::Platform&)>& change)
    : ScopedPlatform(Changed(change)) {}

ScopedPlatform::~ScopedPlatform() {
    platform::Install(previous_);
}
