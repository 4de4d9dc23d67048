#include "core/SettingsFile.h"

#include "toolkit/text/IniFiles.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace core {

namespace {

constexpr std::int32_t kShutdownAction = 1;
constexpr std::int32_t kLastAction = 6;

// Each key's section and name as they stand in the file, in the order of the enumerators.
struct TKeyInfo {
    TSettingKey key;
    const char* section;
    const char* name;
};

constexpr TKeyInfo kKeys[] = {
    {TSettingKey::AutoRun, "CB", "AutoRun"}, {TSettingKey::TimingMode, "CB", "RBFS"},
    {TSettingKey::RepeatTask, "CB", "CBCF"}, {TSettingKey::Date, "Set", "RQ"},
    {TSettingKey::Time, "Set", "SJ"},        {TSettingKey::Minutes, "Set", "FZ"},
    {TSettingKey::Action, "Set", "SD"},      {TSettingKey::Warn, "CB", "Warn"},
};

constexpr bool KeysInEnumeratorOrder() {
    for (std::size_t index = 0; index < std::size(kKeys); ++index) {
        if (kKeys[index].key != static_cast<TSettingKey>(index)) {
            return false;
        }
    }
    return true;
}
static_assert(KeysInEnumeratorOrder(), "the key table follows the enumerators");

const TKeyInfo& InfoOf(TSettingKey key) {
    return kKeys[static_cast<std::size_t>(key)];
}

bool ReadFlag(const TIniFile& ini, TSettingKey key, bool absent) {
    return ini.ReadBool(SectionOf(key), NameOf(key), absent);
}

std::string ReadText(const TIniFile& ini, TSettingKey key, const std::string& absent) {
    return ini.ReadString(SectionOf(key), NameOf(key), absent);
}

std::int32_t ReadNumber(const TIniFile& ini, TSettingKey key, std::int32_t absent) {
    return ini.ReadInteger(SectionOf(key), NameOf(key), absent);
}

// Stores a key changed during loading; a refused write is noted and loading goes on.
void StoreWhileLoading(const std::string& fileName, TLoadedSettings& loaded, TSettingKey key) {
    try {
        SaveSetting(fileName, loaded.task, key);
        loaded.stored.push_back(key);
    } catch (const EIniFileException& error) {
        loaded.problems.push_back(error.Message());
    }
}

} // namespace

const char* SectionOf(TSettingKey key) {
    return InfoOf(key).section;
}

const char* NameOf(TSettingKey key) {
    return InfoOf(key).name;
}

std::string SettingsFilePath(const std::string& folder) {
    return folder + kSettingsFileName;
}

TTaskSettings ReadSettings(const std::string& fileName, TDateTime now, const TFormatSettings& formats) {
    const TIniFile ini(fileName);
    TTaskSettings task;
    task.FAutoRun = ReadFlag(ini, TSettingKey::AutoRun, false);
    task.FDateTimeMode = ReadFlag(ini, TSettingKey::TimingMode, true);
    task.FRepeat = ReadFlag(ini, TSettingKey::RepeatTask, false);
    task.FDateText = ReadText(ini, TSettingKey::Date, DateToStr(now, formats));
    task.FTimeText = ReadText(ini, TSettingKey::Time, TimeToStr(now, formats));
    task.FMinutes = std::clamp(ReadNumber(ini, TSettingKey::Minutes, 30), kMinMinutes, kMaxMinutes);
    task.FAction = ReadNumber(ini, TSettingKey::Action, kShutdownAction);
    if (task.FAction < kShutdownAction || task.FAction > kLastAction) {
        task.FAction = kShutdownAction;
    }
    task.FWarn = ReadFlag(ini, TSettingKey::Warn, false);
    return task;
}

std::vector<TSettingKey> RepairDateTimeTexts(TTaskSettings& task, TDateTime now,
                                             const TFormatSettings& formats,
                                             std::vector<std::string>& errors) {
    std::vector<TSettingKey> replaced;
    TDateTime parsed = 0;
    if (!TryStrToDate(task.FDateText, parsed, formats)) {
        errors.push_back(FormatMessage("'%s' is not a valid date", task.FDateText));
        task.FDateText = DateToStr(now, formats);
        replaced.push_back(TSettingKey::Date);
    }
    if (!TryStrToTime(task.FTimeText, parsed, formats)) {
        errors.push_back(FormatMessage("'%s' is not a valid time", task.FTimeText));
        task.FTimeText = TimeToStr(now, formats);
        replaced.push_back(TSettingKey::Time);
    }
    return replaced;
}

bool MoveDateToToday(TTaskSettings& task, TDateTime now, const TFormatSettings& formats) {
    if (StrToDate(task.FDateText, formats) >= double(Trunc(now))) {
        return false;
    }
    task.FDateText = DateToStr(now, formats);
    return true;
}

bool MoveTimeToNow(TTaskSettings& task, TDateTime now, const TFormatSettings& formats) {
    if (!DateRowVisible(task) || StrToDate(task.FDateText, formats) != double(Trunc(now))) {
        return false;
    }
    const std::string nowText = TimeToStr(now, formats);
    if (StrToTime(task.FTimeText, formats) >= StrToTime(nowText, formats)) {
        return false;
    }
    task.FTimeText = nowText;
    return true;
}

TLoadedSettings LoadSettings(const std::string& fileName, TDateTime now, const TFormatSettings& formats) {
    TLoadedSettings loaded;
    loaded.task = ReadSettings(fileName, now, formats);
    for (TSettingKey key : RepairDateTimeTexts(loaded.task, now, formats, loaded.unreadable)) {
        StoreWhileLoading(fileName, loaded, key);
    }
    if (MoveDateToToday(loaded.task, now, formats)) {
        StoreWhileLoading(fileName, loaded, TSettingKey::Date);
    }
    if (MoveTimeToNow(loaded.task, now, formats)) {
        StoreWhileLoading(fileName, loaded, TSettingKey::Time);
    }
    return loaded;
}

void SaveSetting(const std::string& fileName, const TTaskSettings& task, TSettingKey key) {
    TIniFile ini(fileName);
    const char* section = SectionOf(key);
    const char* name = NameOf(key);
    switch (key) {
    case TSettingKey::AutoRun:
        ini.WriteBool(section, name, task.FAutoRun);
        break;
    case TSettingKey::TimingMode:
        ini.WriteBool(section, name, task.FDateTimeMode);
        break;
    case TSettingKey::RepeatTask:
        ini.WriteBool(section, name, task.FRepeat);
        break;
    case TSettingKey::Date:
        ini.WriteString(section, name, task.FDateText);
        break;
    case TSettingKey::Time:
        ini.WriteString(section, name, task.FTimeText);
        break;
    case TSettingKey::Minutes:
        ini.WriteInteger(section, name, task.FMinutes);
        break;
    case TSettingKey::Action:
        ini.WriteInteger(section, name, task.FAction);
        break;
    case TSettingKey::Warn:
        ini.WriteBool(section, name, task.FWarn);
        break;
    }
}

} // namespace core
