#include "core/Arming.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

constexpr std::int32_t kGuardMinutesLimit = 5;
constexpr std::int32_t kGuardMinutes = 10;

// With the date row hidden (Repeat on), a time that has passed today moves the date to
// tomorrow. Both times are compared as read from their texts, to the second.
bool RollOverToTomorrow(const TArmRequest& request, const TFormatSettings& formats, TArmResult& result) {
    if (DateRowVisible(request.task)) {
        return false;
    }
    const double today = double(Trunc(request.now));
    const bool notLater = StrToDate(request.task.FDateText, formats) <= today;
    const bool timePassed =
        StrToTime(request.task.FTimeText, formats) < StrToTime(TimeToStr(request.now, formats), formats);
    if (!(notLater && timePassed)) {
        return false;
    }
    result.FDateText = DateToStr(request.now + 1, formats);
    result.datePicker = ReplaceDate(result.datePicker, StrToDate(result.FDateText, formats));
    return true;
}

// Appointed-time mode: the picker gets the time of the time text; a picker moment already
// past is refused (equal is accepted).
bool AppointedTarget(const TArmRequest& request, const TFormatSettings& formats, TArmResult& result) {
    result.dateRolledOver = RollOverToTomorrow(request, formats, result);
    result.datePicker = ReplaceTime(result.datePicker, StrToTime(request.task.FTimeText, formats));
    if (request.now > result.datePicker) {
        result.outcome = TArmOutcome::Overdue;
        result.message = kOverdueText;
        return false;
    }
    result.FTarget = result.datePicker;
    return true;
}

} // namespace

bool StartupGuardFails(const TTaskSettings& task) {
    return task.FAutoRun && task.FRepeat && task.FMinutes <= kGuardMinutesLimit;
}

std::string ActionNameOf(std::int32_t action, const std::string& previous) {
    if (action < 1 || action > 6) {
        return previous;
    }
    return kActionNames[action - 1];
}

TArmResult ArmTask(const TArmRequest& request, const TFormatSettings& formats) {
    TArmResult result;
    result.FDateText = request.task.FDateText;
    result.datePicker = request.datePicker;
    result.FActionName = request.FActionName;
    if (StartupGuardFails(request.task)) {
        result.outcome = TArmOutcome::Refused;
        result.message = kGuardText;
        result.guardMinutes = kGuardMinutes;
        return result;
    }
    if (request.task.FDateTimeMode) {
        if (!AppointedTarget(request, formats, result)) {
            return result;
        }
    } else {
        result.FTarget = request.now + double(request.minutesEdit) / MinsPerDay;
    }
    result.FActionName = ActionNameOf(request.task.FAction, request.FActionName);
    result.statusCaption = kExecutingText;
    result.targetCaption = result.FActionName + ":" + DateTimeToStr(result.FTarget, formats);
    return result;
}

TDateTime NextAppointedOccurrence(TDateTime FTarget, TDateTime now) {
    const double days = std::max(1.0, std::floor(now - FTarget) + 1.0);
    return FTarget + days;
}

TTaskLook LookOf(TTaskState state) {
    if (state == TTaskState::Idle) {
        return TTaskLook{};
    }
    return TTaskLook{false, false, false, true, true};
}

} // namespace core
