// Arming a task: the Start button's computation from the task fields, the two pickers' values
// and the clock, and the looks of the idle and armed states.
#pragma once

#include "core/TaskSettings.h"
#include "core/TaskTexts.h"
#include "toolkit/text/DateUtils.h"

#include <cstdint>
#include <string>

namespace core {

enum class TArmOutcome {
    Armed,
    Refused, // start-up guard: show message, set the minutes edit to guardMinutes
    Overdue, // appointed time already past: show message
};

struct TArmRequest {
    TTaskSettings task;
    std::string FActionName;      // as it is before arming
    TDateTime datePicker = 0;     // DateTimePicker1's date-time
    std::int32_t minutesEdit = 0; // ValueAsInteger of RZFenZhong
    TDateTime now = 0;
};

struct TArmResult {
    TArmOutcome outcome = TArmOutcome::Armed;
    std::string message;           // Refused, Overdue
    std::int32_t guardMinutes = 0; // Refused
    // Appointed-time mode with Repeat whose time has passed today: FDateText moved to tomorrow.
    // The move is kept in the field and the picker but not stored in the settings file.
    bool dateRolledOver = false;
    std::string FDateText;
    TDateTime datePicker = 0; // DateTimePicker1 after arming (also when Overdue)
    TDateTime FTarget = 0;
    std::string FActionName;
    std::string statusCaption; // RzStatusPane1
    std::string targetCaption; // RzStatusPane2
};

// Auto-run with Repeat and a countdown of 5 minutes or less could shut the computer down again
// right after each log-on; such a start is refused in both modes.
bool StartupGuardFails(const TTaskSettings& task);

// The display name of an action number; any other number keeps the previous name.
std::string ActionNameOf(std::int32_t action, const std::string& previous);

// The Start button: guard, target (appointed time with roll-over and overdue refusal, or now
// plus the minutes), action name and status texts.
TArmResult ArmTask(const TArmRequest& request, const TFormatSettings& formats);

// The moment of the next occurrence of a repeated appointed time after an occurrence was
// cancelled: the same time of day on the following day, or on the first later day whose
// moment is still ahead of now (when the cancelled one lies days back).
TDateTime NextAppointedOccurrence(TDateTime FTarget, TDateTime now);

// Armed: counting towards the target. Warning: the warning window counts the last seconds.
// Fired: the occurrence has requested its action; the task stays armed and counts up.
enum class TTaskState { Idle, Armed, Warning, Fired };

// What the main window shows in a state; Warning and Fired keep the armed look.
struct TTaskLook {
    bool optionsVisible = true;  // GBOption
    bool settingsEnabled = true; // GBSet
    bool startVisible = true;    // BTNStart
    bool stopVisible = false;    // BTNStop
    bool infoVisible = false;    // LabInfo
};
TTaskLook LookOf(TTaskState state);

// The texts the Stop button restores.
struct TIdleTexts {
    std::string statusCaption = kNoTaskText;
    std::string targetCaption;
    std::string FActionName;
    std::string infoCaption;
    std::string trayHint = kTrayTitle;
};

} // namespace core
