#include "core/SettingsFile.h"

#include "toolkit/text/IniFiles.h"

namespace core {

namespace {

struct TKeyInfo {
    const char* section;
    const char* name;
};

constexpr TKeyInfo kKeys[] = {
    {"CB", "AutoRun"}, {"CB", "RBFS"}, {"CB", "CBCF"}, {"Set", "RQ"},
    {"Set", "SJ"},     {"Set", "FZ"},  {"Set", "SD"},  {"CB", "Warn"},
};

const TKeyInfo& InfoOf(TSettingKey key) {
    return kKeys[static_cast<int>(key)];
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
    task.FAutoRun = ini.ReadBool("CB", "AutoRun", false);
    task.FDateTimeMode = ini.ReadBool("CB", "RBFS", true);
    task.FRepeat = ini.ReadBool("CB", "CBCF", false);
    task.FDateText = ini.ReadString("Set", "RQ", DateToStr(now, formats));
    task.FTimeText = ini.ReadString("Set", "SJ", TimeToStr(now, formats));
    task.FMinutes = ini.ReadInteger("Set", "FZ", 30);
    task.FAction = ini.ReadInteger("Set", "SD", 1);
    task.FWarn = ini.ReadBool("CB", "Warn", false);
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
        replaced.push_back(TSettingKey::RQ);
    }
    if (!TryStrToTime(task.FTimeText, parsed, formats)) {
        errors.push_back(FormatMessage("'%s' is not a valid time", task.FTimeText));
        task.FTimeText = TimeToStr(now, formats);
        replaced.push_back(TSettingKey::SJ);
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
    for (TSettingKey key : RepairDateTimeTexts(loaded.task, now, formats, loaded.problems)) {
        StoreWhileLoading(fileName, loaded, key);
    }
    if (MoveDateToToday(loaded.task, now, formats)) {
        StoreWhileLoading(fileName, loaded, TSettingKey::RQ);
    }
    if (MoveTimeToNow(loaded.task, now, formats)) {
        StoreWhileLoading(fileName, loaded, TSettingKey::SJ);
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
    case TSettingKey::RBFS:
        ini.WriteBool(section, name, task.FDateTimeMode);
        break;
    case TSettingKey::CBCF:
        ini.WriteBool(section, name, task.FRepeat);
        break;
    case TSettingKey::RQ:
        ini.WriteString(section, name, task.FDateText);
        break;
    case TSettingKey::SJ:
        ini.WriteString(section, name, task.FTimeText);
        break;
    case TSettingKey::FZ:
        ini.WriteInteger(section, name, task.FMinutes);
        break;
    case TSettingKey::SD:
        ini.WriteInteger(section, name, task.FAction);
        break;
    case TSettingKey::Warn:
        ini.WriteBool(section, name, task.FWarn);
        break;
    }
}

} // namespace core
