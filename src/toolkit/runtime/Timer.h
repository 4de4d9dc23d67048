// TTimer: a component that raises OnTimer every Interval milliseconds while Enabled.
// Deadlines are kept on the platform's monotonic clock; the application's loop fires the
// timers that are due, earliest deadline first, and timers due together in creation order.
#pragma once

#include "toolkit/base/Classes.h"

#include <cstdint>

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // Raised at every expiry; a running timer without a handler just keeps its rhythm.
    TNotifyEvent OnTimer;

    // For the application's loop.
    bool Running() const { return running_; }
    std::int64_t Deadline() const { return deadline_; }
    std::uint64_t Sequence() const { return sequence_; }
    // Raises OnTimer and schedules the next deadline.
    void Fire(std::int64_t now);
    void Loaded() override;

private:
    void UpdateTimer();

    unsigned interval_ = 1000;
    bool enabled_ = true;
    bool running_ = false;
    std::int64_t deadline_ = 0;
    std::uint64_t sequence_;
};
