#include "core/Countdown.h"

#include "core/TaskTexts.h"

#include <cmath>

namespace core {

TSpan SpanBetween(TDateTime a, TDateTime b) {
    const double span = std::fabs(b - a);
    return TSpan{Trunc(span * HoursPerDay), Trunc(span * MinsPerDay), Trunc(span * SecsPerDay)};
}

TCountdown CountdownOf(TDateTime now, TDateTime FTarget, const std::string& FActionName) {
    const TSpan span = SpanBetween(now, FTarget);
    TCountdown countdown;
    countdown.H = span.hours;
    countdown.St = span.seconds;
    countdown.M = span.minutes - 60 * countdown.H;
    countdown.S = span.seconds - 3600 * countdown.H - 60 * countdown.M;
    countdown.caption = std::string(kLeadText) + FActionName + kSeparatorText + IntToStr(countdown.H) +
                        kHoursText + IntToStr(countdown.M) + kMinutesText + IntToStr(countdown.S) +
                        kSecondsText;
    countdown.hint = std::string(kTrayTitle) + '\r' + countdown.caption;
    return countdown;
}

TTickAction TickActionOf(TDateTime now, TDateTime FTarget, std::int64_t St, bool FWarn, TTaskState state) {
    if (state != TTaskState::Armed) {
        return TTickAction::None;
    }
    const bool reached = !(now < FTarget);
    if (FWarn) {
        return St <= kWarnSeconds || reached ? TTickAction::HandOver : TTickAction::None;
    }
    return reached ? TTickAction::Fire : TTickAction::None;
}

std::int32_t WarningCount(TDateTime now, TDateTime FTarget) {
    if (!(now < FTarget)) {
        return std::int32_t(kWarnSeconds);
    }
    return std::int32_t(SpanBetween(now, FTarget).seconds);
}

} // namespace core
