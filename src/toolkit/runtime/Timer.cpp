#include "toolkit/runtime/Timer.h"

#include "platform/Clock.h"
#include "platform/Platform.h"
#include "toolkit/base/Store.h"
#include "toolkit/runtime/Forms.h"

namespace {

// Creation order of timers: timers due at the same moment fire in this order.
std::uint64_t NextTimerSequence() {
    static std::uint64_t sequence = 0;
    return ++sequence;
}

} // namespace

std::int64_t MonotonicNow() {
    platform::IClock* clock = platform::Current().clock;
    return clock != nullptr ? clock->MonotonicMs() : 0;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner), sequence_(NextTimerSequence()) {
    UpdateTimer();
}

TTimer::~TTimer() {
    Destroying();
    if (Application != nullptr) {
        Application->UnregisterTimer(this);
    }
}

void TTimer::SetInterval(unsigned value) {
    if (!Store(interval_, value)) {
        return;
    }
    UpdateTimer();
}

void TTimer::SetEnabled(bool value) {
    if (!Store(enabled_, value)) {
        return;
    }
    UpdateTimer();
}

void TTimer::ExpireAt(std::int64_t monotonicMs) {
    if (running_) {
        deadline_ = monotonicMs;
    }
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

// Restarts the countdown from now, or stops it when the timer cannot run.
void TTimer::UpdateTimer() {
    running_ = false;
    if (Application != nullptr) {
        Application->UnregisterTimer(this);
    }
    if (!enabled_ || interval_ == 0 || Application == nullptr || InState(csDesigning)) {
        return;
    }
    deadline_ = MonotonicNow() + std::int64_t(interval_);
    running_ = true;
    Application->RegisterTimer(this);
}

void TTimer::Fire(std::int64_t now) {
    deadline_ = now + std::int64_t(interval_);
    if (OnTimer) {
        OnTimer(this);
    }
}
