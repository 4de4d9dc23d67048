// The fixed English texts of the task: status, refusals, action names, countdown and warning.
#pragma once

namespace core {

inline constexpr const char* kNoTaskText = "No task";
inline constexpr const char* kExecutingText = "Executing...";
inline constexpr const char* kGuardText = "Your settings may cause a system restart failure.";
inline constexpr const char* kOverdueText = "The set time is overdue!";

// Action numbers 1..6.
inline constexpr const char* kActionNames[6] = {"Shutdown",        "Logoff",   "Restart",
                                                "Forced Shutdown", "Stand By", "Dormancy"};

inline constexpr const char* kLeadText = "Will be ";
inline constexpr const char* kSeparatorText = ": ";
inline constexpr const char* kHoursText = " hours ";
inline constexpr const char* kMinutesText = " minutes ";
inline constexpr const char* kSecondsText = " seconds";
inline constexpr const char* kTrayTitle = "Vesperon (Timer)";

inline constexpr const char* kWarnCancelCaption = "Cancel";
inline constexpr const char* kWarnPrefix = "Will be in ";
inline constexpr const char* kWarnSuffix = " seconds before shutdown,Please save unsaved file.";

} // namespace core
