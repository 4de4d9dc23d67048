// Commands from other processes carried out on the main window: arming as the window's own
// controls and Start do it, cancelling, the status line, the refusals without boxes, the
// change notices, and the copy started for a command.
#include "controls/RzButton.h"
#include "controls/RzEdit.h"
#include "controls/RzPanel.h"
#include "controls/RzRadChk.h"
#include "controls/RzStatus.h"
#include "controls/RzTray.h"
#include "forms/ProgramBlock.h"
#include "forms/VesperonFixture.h"
#include "support/ControlRequests.h"
#include "toolkit/runtime/Timer.h"
#include "toolkit/widgets/Label.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class RemoteCommandsTest : public VesperonTest {
protected:
    platform::ControlReply Send(const platform::ControlRequest& request) {
        const std::optional<platform::ControlReply> reply = platform.controlChannel.Send(request);
        EXPECT_TRUE(reply.has_value()) << "no copy listens";
        Idle();
        return reply.value_or(platform::ControlReply{});
    }
    platform::ControlReply Arm(const std::string& action, const std::string& when,
                               std::optional<bool> warning = std::nullopt) {
        return Send(ArmRequest(action, when, warning));
    }
    platform::ControlReply Cancel() { return Send({platform::ControlCommand::Cancel, "", "", std::nullopt}); }
    platform::ControlReply Status() { return Send(platform::ControlRequest{}); }
    bool Armed() { return main->BTNStop->Visible() && main->Timer1->Enabled() && !main->GBOption->Visible(); }
    std::string Local(TDateTime moment) { return FormatDateTime("yyyy-mm-dd hh:nn:ss", moment); }
};

} // namespace

TEST_F(RemoteCommandsTest, ACountdownArmsAsTheWindowsControlsAndStartDo) {
    Start();
    const double armedAt = platform.clock.Now();
    const platform::ControlReply reply = Arm("shutdown", "+1", true);

    EXPECT_EQ(reply.code, 0);
    EXPECT_EQ(reply.text, "Shutdown at " + Local(armedAt + 1.0 / 1440) + ", in 0:01:00");
    EXPECT_TRUE(Armed());
    EXPECT_TRUE(main->RBDe->Checked());
    EXPECT_TRUE(main->CBWarn->Checked());
    EXPECT_EQ(main->RZFenZhong->ValueAsInteger(), 1);
    EXPECT_EQ(Ini(), "[CB]\nRBFS=0\nWarn=1\n[Set]\nFZ=1\n");
    EXPECT_EQ(main->RzStatusPane1->Caption(), "Executing...");
    EXPECT_EQ(main->RzStatusPane2->Caption(),
              "Shutdown:" + DateTimeToStr(armedAt + 1.0 / 1440, FormatSettings()));
    EXPECT_TRUE(app->Minimized());
    platform.clock.SetNow(InSeconds(-0.3));
    Advance(1000);
    EXPECT_EQ(main->TrayIcon->Hint(), "Vesperon (Timer)\rWill be Shutdown: 0 hours 0 minutes 59 seconds");
    Advance(30000);
    EXPECT_TRUE(warn->Visible());
    EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(RemoteCommandsTest, OnlyTheKeysWhoseValuesChangeAreStored) {
    WriteIni("[CB]\nRBFS=0\nWarn=1\n[Set]\nFZ=45\nSD=3\n");
    Start();
    EXPECT_EQ(Arm("restart", "45m").code, 0);
    EXPECT_EQ(Ini(), "[CB]\nRBFS=0\nWarn=1\n[Set]\nFZ=45\nSD=3\n");
    EXPECT_EQ(Cancel().code, 0);
    EXPECT_EQ(Arm("force-shutdown", "1h30m", false).code, 0);
    EXPECT_EQ(Ini(), "[CB]\nRBFS=0\nWarn=0\n[Set]\nFZ=90\nSD=4\n");
    EXPECT_EQ(main->FActionName, "Forced Shutdown");
    EXPECT_TRUE(main->RBForce->Checked());
}

TEST_F(RemoteCommandsTest, ATimeOfDayArmsTheAppointedTimeTodayOrTomorrow) {
    Start();
    const TDateTime now = platform.clock.Now();
    const TDateTime later = TDateTime(Trunc(now)) + Frac(now) + 3600.0 / 86400;
    const std::string laterText = FormatDateTime("hh:nn:ss", later);
    EXPECT_EQ(Arm("logoff", laterText).code, 0);
    EXPECT_EQ(Local(main->FTarget), Local(later));
    EXPECT_TRUE(main->RBDateTime->Checked());

    const std::string earlierText = FormatDateTime("hh:nn:ss", now - 3600.0 / 86400);
    EXPECT_EQ(Arm("logoff", earlierText).code, 0);
    EXPECT_EQ(Local(main->FTarget), Local(now - 3600.0 / 86400 + 1));
    EXPECT_NE(Ini().find("RQ=" + DateToStr(now + 1, FormatSettings())), std::string::npos);
    EXPECT_NE(Ini().find("SJ=" + TimeToStr(now - 3600.0 / 86400, FormatSettings())), std::string::npos);
}

TEST_F(RemoteCommandsTest, WithRepeatOnATimeOfDayStillNamesItsNextOccurrence) {
    WriteIni("[CB]\nCBCF=1\n[Set]\nRQ=12/24/2026\nSJ=6:00:00 PM\n");
    Start();
    ASSERT_TRUE(Armed());
    EXPECT_EQ(Arm("standby", FormatDateTime("hh:nn:ss", platform.clock.Now() + 600.0 / 86400)).code, 0);
    EXPECT_NEAR(main->FTarget, platform.clock.Now() + 600.0 / 86400, 1.0 / 86400);
}

TEST_F(RemoteCommandsTest, AnOverdueMomentIsRefusedWithTheWindowsTextAndNoBox) {
    Start();
    const platform::ControlReply reply = Arm("hibernate", "2020-01-01 10:00");
    EXPECT_EQ(reply.code, 2);
    EXPECT_EQ(reply.text, "The set time is overdue!");
    EXPECT_THAT(Messages(), IsEmpty());
    EXPECT_FALSE(Armed());
    EXPECT_EQ(main->RzStatusPane1->Caption(), "No task");
}

TEST_F(RemoteCommandsTest, TheStartGuardRefusesAsInTheWindow) {
    WriteIni("[CB]\nAutoRun=1\nCBCF=1\nRBFS=0\n[Set]\nFZ=30\n");
    Start();
    EXPECT_EQ(Cancel().code, 0);
    const platform::ControlReply reply = Arm("shutdown", "+3");
    EXPECT_EQ(reply.code, 2);
    EXPECT_EQ(reply.text, "Your settings may cause a system restart failure.");
    EXPECT_EQ(main->RZFenZhong->ValueAsInteger(), 10);
    EXPECT_NE(Ini().find("FZ=10"), std::string::npos);
    EXPECT_FALSE(Armed());
    EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(RemoteCommandsTest, AWrongActionOrTimeStoresNothing) {
    WriteIni("[Set]\nSD=2\n");
    Start();
    const std::string before = Ini();
    const platform::ControlReply action = Arm("reboot", "+5");
    EXPECT_EQ(action.code, 2);
    EXPECT_EQ(action.text,
              "unknown action \"reboot\": use shutdown, logoff, restart, force-shutdown, standby, hibernate");
    EXPECT_EQ(Arm("restart", "tomorrow").code, 2);
    EXPECT_EQ(Ini(), before);
    EXPECT_FALSE(Armed());
}

TEST_F(RemoteCommandsTest, NowActsAtOnceLikeShutdownNow) {
    Start();
    const platform::ControlReply reply = Arm("restart", "now");
    EXPECT_EQ(reply.code, 0);
    EXPECT_THAT(PowerRequests(), ElementsAre("ExitWindowsEx(2, 0)"));
    EXPECT_TRUE(main->FActionDone);
    EXPECT_FALSE(Armed());
}

TEST_F(RemoteCommandsTest, ArmingAgainReplacesTheRunningTask) {
    Start();
    Arm("shutdown", "+30");
    Advance(5000);
    EXPECT_EQ(Arm("logoff", "+10").code, 0);
    EXPECT_EQ(main->FActionName, "Logoff");
    EXPECT_NEAR(main->FTarget, platform.clock.Now() + 10.0 / 1440, 1e-9);
    EXPECT_TRUE(Armed());
}

TEST_F(RemoteCommandsTest, StatusTellsTheTaskOrNoTask) {
    Start();
    EXPECT_EQ(Status().code, 1);
    EXPECT_EQ(Status().text, "No task");
    Arm("standby", "2h");
    platform.clock.SetNow(InSeconds(0.5));
    // What the session bus hears: the reply with the task behind its text.
    const platform::ControlReply status =
        platform.controlChannel.listener->Handle(platform::ControlRequest{});
    EXPECT_EQ(status.code, 0);
    EXPECT_EQ(status.text, "Stand By at " + Local(main->FTarget) + ", in 1:59:59");
    EXPECT_TRUE(status.status.armed);
    EXPECT_EQ(status.status.action, "Stand By");
    EXPECT_NEAR(status.status.secondsLeft, 7199.5, 0.01);
}

TEST_F(RemoteCommandsTest, CancelStopsTheTaskLikeStop) {
    Start();
    Arm("shutdown", "+5");
    const platform::ControlReply reply = Cancel();
    EXPECT_EQ(reply.code, 0);
    EXPECT_FALSE(Armed());
    EXPECT_EQ(main->RzStatusPane1->Caption(), "No task");
    EXPECT_EQ(main->TrayIcon->Hint(), "Vesperon (Timer)");
    const platform::ControlReply again = Cancel();
    EXPECT_EQ(again.code, 1);
    EXPECT_EQ(again.text, "No task");
}

TEST_F(RemoteCommandsTest, CancelDuringTheWarningStopsItsCountForGood) {
    Start();
    Arm("shutdown", "+1", true);
    Advance(40000);
    ASSERT_TRUE(warn->Visible());
    EXPECT_EQ(Cancel().code, 0);
    EXPECT_FALSE(warn->Visible());
    EXPECT_FALSE(warn->Timer1->Enabled());
    Advance(60000);
    EXPECT_THAT(PowerRequests(), IsEmpty());
    EXPECT_EQ(Status().text, "No task");
}

TEST_F(RemoteCommandsTest, EveryChangeOfTheTaskIsToldOnceWhoeverMadeIt) {
    Start();
    const int before = platform.controlChannel.changes;
    Status();
    EXPECT_EQ(platform.controlChannel.changes, before);
    Arm("shutdown", "+5");
    EXPECT_EQ(platform.controlChannel.changes, before + 1);
    Advance(3000);
    EXPECT_EQ(platform.controlChannel.changes, before + 1);
    app->Restore();
    Idle();
    ClickOn(main->BTNStop);
    EXPECT_EQ(platform.controlChannel.changes, before + 2);
    ClickOn(main->BTNStart);
    EXPECT_EQ(platform.controlChannel.changes, before + 3);
}

TEST_F(RemoteCommandsTest, WhileAMessageBoxWaitsForItsAnswerRequestsAreTurnedAway) {
    Start();
    std::optional<platform::ControlReply> duringBox;
    SetMessageBoxProvider([&](const std::string&, const std::string&, unsigned) {
        duringBox = platform.controlChannel.Send(platform::ControlRequest{});
        return IDNO;
    });
    platform.windows.RequestClose(Window(main));
    Idle();
    ASSERT_TRUE(duringBox.has_value());
    EXPECT_EQ(duringBox->code, 4);
    EXPECT_EQ(duringBox->text, "Vesperon is waiting for an answer in a message box");
}

TEST_F(RemoteCommandsTest, NoCopyListensOnceTheWindowsAreGone) {
    Start();
    app.reset();
    EXPECT_EQ(platform.controlChannel.listener, nullptr);
    EXPECT_FALSE(platform.controlChannel.Send(platform::ControlRequest{}).has_value());
}

TEST_F(RemoteCommandsTest, ACopyStartedForACommandArmsItAtTheFirstActivationInTheTray) {
    std::vector<platform::ControlReply> replies;
    // The test ends the program once the command is carried out.
    const auto done = [&](const platform::ControlReply& reply) {
        replies.push_back(reply);
        auto* form = dynamic_cast<TFormVesperon*>(app->MainForm());
        EXPECT_TRUE(form->BTNStop->Visible());
        EXPECT_TRUE(app->Minimized());
        app->Terminate();
    };
    const std::optional<int> code =
        forms::RunProgramWithCommand(*app, {}, ArmRequest("shutdown", "+20"), done);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].code, 0);
    EXPECT_EQ(code, 0);
    EXPECT_NE(Ini().find("FZ=20"), std::string::npos);
}

TEST_F(RemoteCommandsTest, ACopyStartedForARefusedCommandEndsWithItsCode) {
    std::vector<platform::ControlReply> replies;
    const std::optional<int> code =
        forms::RunProgramWithCommand(*app, {}, ArmRequest("shutdown", "2020-01-01 10:00"),
                                     [&](const platform::ControlReply& reply) { replies.push_back(reply); });
    EXPECT_EQ(code, 2);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].text, "The set time is overdue!");
    EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(RemoteCommandsTest, ACommandMeetingAnotherCopysLockIsLeftToThatCopy) {
    platform.sessionLock.held.insert("Vesperon");
    bool called = false;
    const std::optional<int> code = forms::RunProgramWithCommand(
        *app, {}, platform::ControlRequest{}, [&](const platform::ControlReply&) { called = true; });
    EXPECT_FALSE(code.has_value());
    EXPECT_FALSE(called);
    EXPECT_THAT(Messages(), IsEmpty());
    EXPECT_THAT(app->Forms(), IsEmpty());
}
