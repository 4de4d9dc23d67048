// The dry-run backend: every action is logged with its number and the calls it would
// make, on stderr and appended to the log file, and nothing is performed.
#include "platform/dryrun/DryRunPower.h"

#include "platform/Platform.h"
#include "platform/dryrun/DryRunSwitch.h"
#include "platform/linuxdesktop/LogindRequests.h"
#include "power/PowerActions.h"
#include "support/ScopedPlatform.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

using ::testing::ContainsRegex;
using ::testing::HasSubstr;

class DryRunPowerTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/vesperon-dryrun-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        folder_ = folder;
        logPath_ = folder_ + "/requests.log";
    }
    void TearDown() override {
        std::remove(logPath_.c_str());
        rmdir(folder_.c_str());
    }

    // Performs the action over a dry-run backend logging to this path; returns stderr.
    std::string Perform(int action, const std::string& logPath) {
        platform::dryrun::DryRunPower dryRun(logPath, platform::linuxdesktop::DryRunRequestTexts());
        const ScopedPlatform installed([&dryRun](platform::Platform& set) {
            set.power = &dryRun;
            set.privilege = &dryRun;
        });
        bool actionDone = false;
        ::testing::internal::CaptureStderr();
        power::PerformAction(action, actionDone);
        return ::testing::internal::GetCapturedStderr();
    }

    std::string LogText() const {
        std::ifstream file(logPath_);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::string folder_;
    std::string logPath_;
};

TEST_F(DryRunPowerTest, EachActionLogsItsNumberAndTheCallItWouldMake) {
    const char* expected[] = {"",
                              "login1 PowerOff(true)",
                              "session manager Logout",
                              "login1 Reboot(true)",
                              "login1 PowerOffWithFlags(SKIP_INHIBITORS)",
                              "login1 Suspend(true)",
                              "login1 Hibernate(true)"};
    for (int action = 1; action <= 6; ++action) {
        const std::string line = Perform(action, logPath_);
        EXPECT_THAT(line,
                    ContainsRegex("^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} dry-run action " +
                                  std::to_string(action) + ": "));
        EXPECT_THAT(line, HasSubstr(expected[action]));
        EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
    }
}

TEST_F(DryRunPowerTest, TheLogFileCollectsTheSameLinesInOrder) {
    const std::string first = Perform(power::kActionRestart, logPath_);
    const std::string second = Perform(power::kActionStandBy, logPath_);
    EXPECT_EQ(LogText(), first + second);
}

TEST_F(DryRunPowerTest, NumbersOutsideTheTableLogNothing) {
    EXPECT_EQ(Perform(0, logPath_), "");
    EXPECT_EQ(Perform(7, logPath_), "");
    EXPECT_EQ(LogText(), "");
}

TEST_F(DryRunPowerTest, AnUnwritableLogIsReportedAndTheRequestStillLogged) {
    const std::string output = Perform(power::kActionShutdown, folder_ + "/missing/requests.log");
    EXPECT_THAT(output, HasSubstr("dry-run action 1: "));
    EXPECT_THAT(output, HasSubstr("vesperon: dry-run log " + folder_ + "/missing/requests.log: "));
}

TEST(DryRunSwitch, ParsesTheSwitchWithAndWithoutAPath) {
    using platform::dryrun::ParseSwitch;
    EXPECT_EQ(ParseSwitch("--dry-run"), std::string());
    EXPECT_EQ(ParseSwitch("--dry-run=/tmp/a b.log"), std::string("/tmp/a b.log"));
    EXPECT_EQ(ParseSwitch("--dry-run="), std::string());
    EXPECT_EQ(ParseSwitch("--dry-runx"), std::nullopt);
    EXPECT_EQ(ParseSwitch("au"), std::nullopt);
    EXPECT_EQ(ParseSwitch(""), std::nullopt);
}

} // namespace
