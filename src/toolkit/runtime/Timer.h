// TTimer: a component that raises OnTimer every Interval milliseconds while Enabled.
// Deadlines are kept on the platform's monotonic clock; the application's loop fires the
// timers that are due, earliest deadline first, and timers due together in creation order.
// A timer with a tolerance may fire that much later than its deadline, so that the loop wakes
// once for several timers.
#pragma once

#include "toolkit/base/Classes.h"

#include <cstdint>

// The monotonic clock timers count on, in milliseconds (0 without a platform clock).
std::int64_t MonotonicNow();

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // How many milliseconds after its deadline an expiry may come when the loop wakes then
    // for another timer; 0, the default, keeps every expiry to its deadline.
    unsigned Tolerance() const { return tolerance_; }
    void SetTolerance(unsigned value) { tolerance_ = value; }
    // Moves the next expiry of a running timer to a monotonic time; the interval counts on
    // from the expiry.
    void ExpireAt(std::int64_t monotonicMs);
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
    unsigned tolerance_ = 0;
    bool running_ = false;
    std::int64_t deadline_ = 0;
    std::uint64_t sequence_;
};
