// The moment a command names for a task, as text ("WHEN"): now, a countdown, a time of day or
// a date with a time, always in local time.
//
//   now                       at once
//   +M, Mm                    a countdown of M minutes (1..10000)
//   HhMm, Hh                  a countdown of H hours and M minutes (M below 60)
//   HH:MM[:SS]                that time today, or tomorrow when it is not later than now
//   YYYY-MM-DD HH:MM[:SS]     that date and time (a 'T' may stand for the blank)
#pragma once

#include "toolkit/text/DateUtils.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

inline constexpr std::int32_t kMinCountdownMinutes = 1;
inline constexpr std::int32_t kMaxCountdownMinutes = 10000;

enum class TWhenKind { Now, Countdown, TimeOfDay, Moment };

struct TWhen {
    TWhenKind kind = TWhenKind::Now;
    std::int32_t minutes = 0; // Countdown
    TDateTime time = 0;       // TimeOfDay: the time of day; Moment: the local date-time
};

struct TWhenParse {
    std::optional<TWhen> when;
    std::string error; // one line saying what is wrong, when `when` is empty
};

TWhenParse ParseWhen(std::string_view text);

// The local date-time a time of day or a moment names, seen from `now`: a time of day that is
// not later than now today is tomorrow's.
TDateTime MomentOf(const TWhen& when, TDateTime now);

} // namespace core
