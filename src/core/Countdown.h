// The once-a-second tick of an armed task: the time left measured afresh from the clock, its
// caption and tray hint, the hand-over to the warning window and the request of the action.
#pragma once

#include "core/Arming.h"
#include "toolkit/text/DateUtils.h"

#include <cstdint>
#include <string>

namespace core {

// Whole hours, minutes and seconds of |b - a|: the span in days times 24, 1440 and 86400, each
// truncated toward zero, never rounded.
struct TSpan {
    std::int64_t hours = 0;
    std::int64_t minutes = 0;
    std::int64_t seconds = 0;
};
TSpan SpanBetween(TDateTime a, TDateTime b);

struct TCountdown {
    std::int64_t H = 0;  // whole hours
    std::int64_t M = 0;  // minutes past the hours
    std::int64_t S = 0;  // seconds past the minutes
    std::int64_t St = 0; // whole seconds of the span
    std::string caption; // LabInfo: Will be <action>: H hours M minutes S seconds
    std::string hint;    // tray: the title, a carriage return, the caption
};

// Steps 1 to 5 of the tick; after the target the numbers count up again.
TCountdown CountdownOf(TDateTime now, TDateTime FTarget, const std::string& FActionName);

inline constexpr std::int64_t kWarnSeconds = 30;

// What a tick does after showing the countdown. An armed occurrence acts once, at its first
// tick that is due, however late that tick comes (the computer slept through the target, or
// the program was held up): with the warning on, the warning window takes over at the first
// tick with 30 or fewer whole seconds left or at or after the target; without it, the first
// tick at or after the target requests the action. Once acted, the ticks only count.
enum class TTickAction { None, HandOver, Fire };
TTickAction TickActionOf(TDateTime now, TDateTime FTarget, std::int64_t St, bool FWarn, TTaskState state);

// The warning window's starting count: the whole seconds left until the target (now read
// again), or the full 30 seconds when the target has passed, so that a user back at the
// computer can still cancel.
std::int32_t WarningCount(TDateTime now, TDateTime FTarget);

} // namespace core
