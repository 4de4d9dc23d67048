// The task the user sets up: eight fields, each shown by one control and stored under one key.
#pragma once

#include <cstdint>
#include <string>

namespace core {

struct TTaskSettings {
    bool FAutoRun = false;
    bool FDateTimeMode = true; // appointed time; false: countdown
    bool FRepeat = false;
    std::string FDateText; // short date text
    std::string FTimeText; // long time text
    std::int32_t FMinutes = 30;
    std::int32_t FAction = 1; // 1..6
    bool FWarn = false;
};

// The date row (label and date picker) shows in appointed-time mode without Repeat; the time
// row in appointed-time mode; the minutes row in countdown mode.
inline bool DateRowVisible(const TTaskSettings& task) {
    return task.FDateTimeMode && !task.FRepeat;
}
inline bool TimeRowVisible(const TTaskSettings& task) {
    return task.FDateTimeMode;
}
inline bool MinutesRowVisible(const TTaskSettings& task) {
    return !task.FDateTimeMode;
}

} // namespace core
