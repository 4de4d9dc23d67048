#include "core/SettingsFile.h"

#include "CoreTestPlatform.h"
#include "toolkit/text/IniFiles.h"

#include <tuple>

using namespace core;

using SettingsLoading = CoreTest;

TEST_F(SettingsLoading, FirstStartWithoutAFileUsesTheDefaultsAndWritesNothing) {
    const TLoadedSettings loaded = LoadSettings(kIni, now, FormatSettings());
    const TTaskSettings& task = loaded.task;
    EXPECT_FALSE(task.FAutoRun);
    EXPECT_TRUE(task.FDateTimeMode);
    EXPECT_FALSE(task.FRepeat);
    EXPECT_EQ(task.FDateText, "12/8/2026");
    EXPECT_EQ(task.FTimeText, "10:00:00 AM");
    EXPECT_EQ(task.FMinutes, 30);
    EXPECT_EQ(task.FAction, 1);
    EXPECT_FALSE(task.FWarn);
    EXPECT_TRUE(loaded.stored.empty());
    EXPECT_EQ(Ini(), "<none>");
}

TEST_F(SettingsLoading, StoredValuesAreReadWithTheirRules) {
    WriteIni(
        "[CB]\nAutoRun=1\nRBFS=0\nCBCF=5\nWarn=x\n[Set]\nRQ=12/24/2026\nSJ=11:30:00 PM\nFZ=0x1E\nSD=6\n");
    const TTaskSettings task = LoadSettings(kIni, now, FormatSettings()).task;
    EXPECT_TRUE(task.FAutoRun);
    EXPECT_FALSE(task.FDateTimeMode);
    EXPECT_TRUE(task.FRepeat);
    EXPECT_FALSE(task.FWarn); // not a number: the default
    EXPECT_EQ(task.FDateText, "12/24/2026");
    EXPECT_EQ(task.FTimeText, "11:30:00 PM");
    EXPECT_EQ(task.FMinutes, 30);
    EXPECT_EQ(task.FAction, 6);
}

TEST_F(SettingsLoading, MinutesAreClampedAndAnUnknownActionReadsAsShutdownWithoutWritingBack) {
    const struct {
        const char* minutes;
        const char* action;
        std::int32_t FMinutes;
        std::int32_t FAction;
    } cases[] = {
        {"0", "0", 1, 1},         {"-5", "7", 1, 1}, {"10001", "-1", 10000, 1}, {"0x7FFFFFFF", "6", 10000, 6},
        {"10000", "1", 10000, 1}, {"1", "5", 1, 5},
    };
    for (const auto& stored : cases) {
        const std::string content =
            std::string("[Set]\nFZ=") + stored.minutes + "\nSD=" + stored.action + "\n";
        WriteIni(content);
        const TLoadedSettings loaded = LoadSettings(kIni, now, FormatSettings());
        EXPECT_EQ(loaded.task.FMinutes, stored.FMinutes) << content;
        EXPECT_EQ(loaded.task.FAction, stored.FAction) << content;
        EXPECT_TRUE(loaded.stored.empty()) << content;
        EXPECT_EQ(Ini(), content);
    }
}

TEST_F(SettingsLoading, ADateBeforeTodayBecomesTodayAndIsWrittenBackAlone) {
    WriteIni("; mine\n[Set]\nRQ=12/1/2026\nSJ=11:00:00 PM\nOther=1\n");
    const TLoadedSettings loaded = LoadSettings(kIni, now, FormatSettings());
    EXPECT_EQ(loaded.task.FDateText, "12/8/2026");
    EXPECT_EQ(loaded.stored, std::vector<TSettingKey>{TSettingKey::Date});
    EXPECT_EQ(Ini(), "; mine\n[Set]\nRQ=12/8/2026\nSJ=11:00:00 PM\nOther=1\n");
}

TEST_F(SettingsLoading, APastTimeTodayBecomesNowOnlyInAppointedTimeModeWithoutRepeat) {
    WriteIni("[Set]\nRQ=12/8/2026\nSJ=9:59:59 AM\n");
    EXPECT_EQ(LoadSettings(kIni, now, FormatSettings()).task.FTimeText, "10:00:00 AM");
    EXPECT_EQ(Ini(), "[Set]\nRQ=12/8/2026\nSJ=10:00:00 AM\n");

    for (const char* flags : {"[CB]\nCBCF=1\n", "[CB]\nRBFS=0\n"}) {
        WriteIni(std::string(flags) + "[Set]\nRQ=12/8/2026\nSJ=9:59:59 AM\n");
        const TLoadedSettings loaded = LoadSettings(kIni, now, FormatSettings());
        EXPECT_EQ(loaded.task.FTimeText, "9:59:59 AM") << flags;
        EXPECT_TRUE(loaded.stored.empty()) << flags;
    }
}

TEST_F(SettingsLoading, TimesAreComparedToTheSecond) {
    clock.Advance(900); // 10:00:00.9
    WriteIni("[Set]\nRQ=12/8/2026\nSJ=10:00:00 AM\n");
    EXPECT_TRUE(LoadSettings(kIni, clock.Now(), FormatSettings()).stored.empty());
}

TEST_F(SettingsLoading, UnreadableDateOrTimeFallsBackToTodayOrNowAndLoadingGoesOn) {
    WriteIni("[Set]\nRQ=08.12.2026\nSJ=\n");
    const TLoadedSettings loaded = LoadSettings(kIni, now, FormatSettings());
    EXPECT_EQ(loaded.task.FDateText, "12/8/2026");
    EXPECT_EQ(loaded.task.FTimeText, "10:00:00 AM");
    EXPECT_EQ(loaded.unreadable,
              (std::vector<std::string>{"'08.12.2026' is not a valid date", "'' is not a valid time"}));
    EXPECT_TRUE(loaded.problems.empty());
    EXPECT_EQ(Ini(), "[Set]\nRQ=12/8/2026\nSJ=10:00:00 AM\n");
}

TEST_F(SettingsLoading, TheGermanFixtureReadsItsOwnTexts) {
    UseGermany();
    WriteIni("[Set]\nRQ=24.12.2026\nSJ=23:30:00\n");
    const TLoadedSettings loaded = LoadSettings(kIni, now, FormatSettings());
    EXPECT_EQ(loaded.task.FDateText, "24.12.2026");
    EXPECT_EQ(loaded.task.FTimeText, "23:30:00");
    EXPECT_TRUE(loaded.unreadable.empty());
}

TEST_F(SettingsLoading, ARefusedWriteBackIsNotedAndLoadingGoesOn) {
    WriteIni("[Set]\nRQ=12/1/2026\n");
    files.RefuseWritesUnder(kFolder);
    const TLoadedSettings loaded = LoadSettings(kIni, now, FormatSettings());
    EXPECT_EQ(loaded.task.FDateText, "12/8/2026");
    EXPECT_EQ(loaded.problems, std::vector<std::string>{std::string("Unable to write to ") + kIni});
}

using SettingsStoring = CoreTest;

TEST_F(SettingsStoring, EachKeyIsStoredAloneInItsStoredForm) {
    WriteIni("[CB]\nAutoRun=0\nCBCF=0\n[Set]\nSD=1\nFZ=30\n");
    TTaskSettings task;
    task.FRepeat = true;
    task.FAction = 4;
    task.FMinutes = 45;
    SaveSetting(kIni, task, TSettingKey::Action);
    EXPECT_EQ(Ini(), "[CB]\nAutoRun=0\nCBCF=0\n[Set]\nSD=4\nFZ=30\n");
    SaveSetting(kIni, task, TSettingKey::RepeatTask);
    EXPECT_EQ(Ini(), "[CB]\nAutoRun=0\nCBCF=1\n[Set]\nSD=4\nFZ=30\n");
}

TEST_F(SettingsStoring, EveryKeyRoundTrips) {
    TTaskSettings task{true, false, true, "1/2/2027", "3:04:05 PM", 1234, 6, true};
    for (TSettingKey key :
         {TSettingKey::AutoRun, TSettingKey::TimingMode, TSettingKey::RepeatTask, TSettingKey::Date,
          TSettingKey::Time, TSettingKey::Minutes, TSettingKey::Action, TSettingKey::Warn}) {
        SaveSetting(kIni, task, key);
    }
    const TTaskSettings read = ReadSettings(kIni, now, FormatSettings());
    EXPECT_EQ(
        (std::tuple{read.FAutoRun, read.FDateTimeMode, read.FRepeat, read.FDateText, read.FTimeText,
                    read.FMinutes, read.FAction, read.FWarn}),
        (std::tuple{true, false, true, std::string("1/2/2027"), std::string("3:04:05 PM"), 1234, 6, true}));
    EXPECT_EQ(Ini(),
              "[CB]\nAutoRun=1\nRBFS=0\nCBCF=1\nWarn=1\n[Set]\nRQ=1/2/2027\nSJ=3:04:05 PM\nFZ=1234\nSD=6\n");
}

TEST_F(SettingsStoring, AnUnwritableFolderRaisesTheErrorWithThePath) {
    files.RefuseWritesUnder(kFolder);
    try {
        SaveSetting(kIni, TTaskSettings{}, TSettingKey::Warn);
        FAIL() << "no error raised";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(error.Message(), "Unable to write to /home/u/.config/Vesperon/Vesperon.ini");
    }
}

TEST_F(SettingsStoring, AWriteKilledHalfWayLeavesTheOldFileWhole) {
    const std::string before = "[CB]\nWarn=0\n[Set]\nFZ=45\nSD=3\n";
    WriteIni(before);
    TTaskSettings task;
    task.FWarn = true;
    files.CrashDuringNextWrite();
    EXPECT_THROW(SaveSetting(kIni, task, TSettingKey::Warn), platform::headless::SimulatedCrash);
    EXPECT_EQ(Ini(), before);
    const TTaskSettings read = LoadSettings(kIni, now, FormatSettings()).task;
    EXPECT_EQ(read.FMinutes, 45);
    EXPECT_EQ(read.FAction, 3);
}
