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

bool WarningDue(bool FWarn, std::int64_t St) {
    return FWarn && St <= kWarnSeconds;
}

std::int32_t WarningCount(TDateTime now, TDateTime FTarget) {
    return std::int32_t(SpanBetween(now, FTarget).seconds);
}

bool FiringDue(TDateTime now, TDateTime FTarget) {
    return !(now < FTarget) && SpanBetween(FTarget, now).seconds < kFiringSeconds;
}

} // namespace core
