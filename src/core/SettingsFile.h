// The settings file "Vesperon.ini": its eight keys, reading them at start-up and storing one
// key per change.
#pragma once

#include "core/TaskSettings.h"
#include "toolkit/text/DateUtils.h"

#include <cstdint>
#include <string>
#include <vector>

namespace core {

// The keys, named for the field each holds, in the order the loader reads them. Their
// sections and names in the file are in one table (SettingsFile.cpp).
enum class TSettingKey { AutoRun, TimingMode, RepeatTask, Date, Time, Minutes, Action, Warn };

inline constexpr const char* kSettingsFileName = "Vesperon.ini";

// The section and the name the key has in the file.
const char* SectionOf(TSettingKey key);
const char* NameOf(TSettingKey key);

// The file in the given folder (which ends with a path separator).
std::string SettingsFilePath(const std::string& folder);

struct TLoadedSettings {
    TTaskSettings task;
    // Keys written back while loading, in order.
    std::vector<TSettingKey> stored;
    // The conversion errors of date or time texts that were replaced by today or now.
    std::vector<std::string> unreadable;
    // Stores the platform refused (the fields keep their values). Loading never stops
    // half-way; the window may report these texts.
    std::vector<std::string> problems;
};

// The range of the countdown in minutes, as the minutes edit allows it.
inline constexpr std::int32_t kMinMinutes = 1;
inline constexpr std::int32_t kMaxMinutes = 10000;

// Reads the eight keys with their defaults (today's date and the present time as text for the
// date and time keys). Booleans are integers, integers decimal or "0x" hex. Minutes outside
// 1..10000 are brought to the nearer end and an action number outside 1..6 reads as Shutdown
// (a hand-edited or damaged file would otherwise fire at once or do nothing at the target);
// the file keeps what it holds until the user changes the setting.
TTaskSettings ReadSettings(const std::string& fileName, TDateTime now, const TFormatSettings& formats);

// A date or time text that does not read in the current formats (after the regional formats
// changed, or edited by hand) falls back to today or now; returns the keys replaced and adds
// the conversion error texts to errors.
std::vector<TSettingKey> RepairDateTimeTexts(TTaskSettings& task, TDateTime now,
                                             const TFormatSettings& formats,
                                             std::vector<std::string>& errors);

// A date before today becomes today. True when the date text changed.
bool MoveDateToToday(TTaskSettings& task, TDateTime now, const TFormatSettings& formats);

// With the date row visible and the date today, a time earlier than now (to the second)
// becomes now. True when the time text changed.
bool MoveTimeToNow(TTaskSettings& task, TDateTime now, const TFormatSettings& formats);

// The loading steps that touch no control: read, repair, move date and time, storing each
// changed key at once. The window then sets its controls from the task (picker date from
// FDateText, picker time from FTimeText), which after this always read.
TLoadedSettings LoadSettings(const std::string& fileName, TDateTime now, const TFormatSettings& formats);

// Writes the one key from its field. Raises EIniFileException when the file cannot be written.
void SaveSetting(const std::string& fileName, const TTaskSettings& task, TSettingKey key);

} // namespace core
