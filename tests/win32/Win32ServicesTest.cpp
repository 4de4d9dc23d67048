// The Windows services the program keeps state in: files, the settings folder, the Run key,
// the named mutex, the end-of-session messages, the power requests' flags and the clock.
#include "platform/SessionEnd.h"
#include "platform/dryrun/DryRunPower.h"
#include "platform/win32/RunKeyAutostart.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Paths.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32SessionEnd.h"
#include "platform/win32/Win32SessionLock.h"
#include "support/TemporaryFolder.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(SettingsFiles, ReplacingCreatesFoldersAndLeavesNoTemporaryFile) {
    TemporaryFolder folder;
    platform::win32::Win32Files files;
    const std::string ini = folder.Path("Vesperon") + "\\Vesperon.ini";
    EXPECT_FALSE(files.Exists(ini));
    std::string content;
    EXPECT_FALSE(files.ReadFile(ini, content));
    ASSERT_TRUE(files.ReplaceFile(ini, "[CB]\r\nWarn=1\r\n"));
    ASSERT_TRUE(files.ReplaceFile(ini, "[CB]\r\nWarn=0\r\n"));
    EXPECT_TRUE(files.ReadFile(ini, content));
    EXPECT_EQ(content, "[CB]\r\nWarn=0\r\n");
    EXPECT_EQ(folder.Entries(), 1u);
}

TEST(SettingsFiles, AFailedReplacementLeavesNothingBehind) {
    TemporaryFolder folder;
    platform::win32::Win32Files files;
    // A folder where the file should be: the move over it fails.
    const std::string ini = folder.Path("Vesperon.ini");
    ASSERT_TRUE(CreateDirectoryW(platform::win32::Widen(ini).c_str(), nullptr));
    EXPECT_FALSE(files.ReplaceFile(ini, "new"));
    EXPECT_EQ(folder.Entries(), 1u);
    // A file where a folder should be: nothing can be made below it.
    ASSERT_TRUE(files.ReplaceFile(folder.Path("plain"), "x"));
    EXPECT_FALSE(files.ReplaceFile(folder.Path("plain") + "\\Vesperon.ini", "new"));
    EXPECT_EQ(folder.Entries(), 2u);
}

TEST(SettingsFolder, APortableCopyKeepsItsSettingsBesideTheProgram) {
    using platform::win32::ChooseConfigFolder;
    EXPECT_EQ(ChooseConfigFolder("C:\\Tools\\vesperon.exe", "C:\\Users\\u\\AppData\\Roaming", false),
              "C:\\Users\\u\\AppData\\Roaming\\Vesperon\\");
    EXPECT_EQ(ChooseConfigFolder("C:\\Tools\\vesperon.exe", "C:\\Users\\u\\AppData\\Roaming", true),
              "C:\\Tools\\");
    EXPECT_EQ(ChooseConfigFolder("C:\\Tools\\vesperon.exe", "", false), "C:\\Tools\\");
}

TEST(SettingsFolder, TheProgramPathIsThisProgram) {
    platform::win32::Win32Paths paths;
    const std::string program = paths.ProgramPath();
    EXPECT_NE(program.find("win32_tests.exe"), std::string::npos) << program;
    const std::string folder = paths.ConfigFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
}

// The Run value under a key of the test's own, in the test's private registry.
class RunKey : public ::testing::Test {
protected:
    static constexpr const wchar_t* kKey = L"Software\\Vesperon Tests\\Run";
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vesperon Tests"); }
    static std::wstring Value(const wchar_t* name) {
        wchar_t data[512] = {};
        DWORD size = sizeof data;
        if (RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_SZ, nullptr, data, &size) !=
            ERROR_SUCCESS) {
            return L"<none>";
        }
        return data;
    }
    platform::win32::RunKeyAutostart autostart{kKey};
};

TEST_F(RunKey, WritingStoresTheQuotedCommandAndRemovingTwiceIsFine) {
    ASSERT_TRUE(autostart.Write("Vesperon", "C:\\Program Files\\Vesperon\\vesperon.exe", {"au"}));
    EXPECT_EQ(Value(L"Vesperon"), L"\"C:\\Program Files\\Vesperon\\vesperon.exe\" au");
    EXPECT_TRUE(autostart.Remove("Vesperon"));
    EXPECT_EQ(Value(L"Vesperon"), L"<none>");
    EXPECT_TRUE(autostart.Remove("Vesperon"));
}

TEST(SingleInstance, TheSecondHolderOfTheNameIsRefused) {
    const std::string name = "Vesperon test mutex " + std::to_string(GetCurrentProcessId());
    platform::win32::Win32SessionLock first;
    platform::win32::Win32SessionLock second;
    EXPECT_TRUE(first.Acquire(name));
    EXPECT_FALSE(second.Acquire(name));
    EXPECT_TRUE(second.Acquire(name + " other"));
}

class RecordingSink : public platform::ISessionEndSink {
public:
    bool QueryEndSession() override {
        ++queries;
        return allow;
    }
    void EndSession(bool ending) override { endings.push_back(ending); }
    bool allow = true;
    int queries = 0;
    std::vector<bool> endings;
};

TEST(SessionEnd, TheQueryAsksTheProgramAndTheEndIsPassedOn) {
    platform::win32::Win32SessionEnd sessionEnd;
    LRESULT result = 0;
    // Without a program listening, the session may end.
    ASSERT_TRUE(sessionEnd.Handle(WM_QUERYENDSESSION, 0, result));
    EXPECT_EQ(result, TRUE);
    RecordingSink sink;
    sessionEnd.SetSink(&sink);
    sink.allow = false;
    ASSERT_TRUE(sessionEnd.Handle(WM_QUERYENDSESSION, 0, result));
    EXPECT_EQ(result, FALSE);
    EXPECT_EQ(sink.queries, 1);
    ASSERT_TRUE(sessionEnd.Handle(WM_ENDSESSION, FALSE, result));
    ASSERT_TRUE(sessionEnd.Handle(WM_ENDSESSION, TRUE, result));
    EXPECT_EQ(sink.endings, (std::vector<bool>{false, true}));
    EXPECT_FALSE(sessionEnd.Handle(WM_PAINT, 0, result));
}

// The program's flags and the system's share names and values (platform/win32/SystemHeaders.h).
TEST(PowerRequests, ShuttingDownPowersOffAndForcedShutdownIsAForcedPowerOff) {
    using platform::win32::SystemExitFlags;
    EXPECT_EQ(SystemExitFlags(EWX_SHUTDOWN), unsigned(EWX_POWEROFF));
    EXPECT_EQ(SystemExitFlags(EWX_SHUTDOWN | EWX_FORCE), unsigned(EWX_POWEROFF | EWX_FORCE));
    EXPECT_EQ(SystemExitFlags(EWX_REBOOT), unsigned(EWX_REBOOT));
    EXPECT_EQ(SystemExitFlags(EWX_REBOOT | EWX_FORCE), unsigned(EWX_REBOOT | EWX_FORCE));
    EXPECT_EQ(SystemExitFlags(EWX_LOGOFF), unsigned(EWX_LOGOFF));
}

TEST(PowerRequests, TheDryRunNamesTheSystemCalls) {
    const platform::dryrun::RequestTexts texts = platform::win32::DryRunRequestTexts();
    EXPECT_EQ(texts.exitWindows(EWX_SHUTDOWN | EWX_FORCE),
              "AdjustTokenPrivileges(SeShutdownPrivilege), ExitWindowsEx(EWX_POWEROFF | EWX_FORCE, 0)");
    EXPECT_EQ(texts.exitWindows(EWX_LOGOFF),
              "AdjustTokenPrivileges(SeShutdownPrivilege), ExitWindowsEx(EWX_LOGOFF, 0)");
    EXPECT_EQ(texts.powerState(true),
              "AdjustTokenPrivileges(SeShutdownPrivilege), SetSuspendState(FALSE, TRUE, FALSE)");
    EXPECT_EQ(texts.powerState(false),
              "AdjustTokenPrivileges(SeShutdownPrivilege), SetSuspendState(TRUE, TRUE, FALSE)");
}

TEST(Clock, LocalTimeInDaysAndAMonotonicCount) {
    platform::win32::Win32Clock clock;
    SYSTEMTIME local{};
    GetLocalTime(&local);
    const double now = clock.Now();
    const double secondsOfDay = (now - std::floor(now)) * 86400;
    const double difference =
        std::fabs(secondsOfDay - (local.wHour * 3600 + local.wMinute * 60 + local.wSecond));
    EXPECT_LT(std::min(difference, 86400 - difference), 2.0); // also across midnight
    // 2020-01-01 is day 43831.
    EXPECT_GT(now, 43831);
    const std::int64_t first = clock.MonotonicMs();
    Sleep(20);
    EXPECT_GE(clock.MonotonicMs() - first, 15);
}

} // namespace
