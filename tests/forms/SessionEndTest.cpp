// The desktop's end of the session reaching the program: the query asks the exit question
// unless an action was performed, the answer decides, the end of the session ends the
// program without asking, and the tray icon's hidden window takes part as before.
#include "controls/RzButton.h"
#include "controls/RzRadChk.h"
#include "controls/RzTray.h"
#include "forms/VesperonFixture.h"
#include "toolkit/runtime/Timer.h"

#include <gmock/gmock.h>
#include <stdexcept>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Optional;

namespace {

class SessionEndTest : public VesperonTest {
protected:
    platform::headless::HeadlessSessionEnd& Desktop() { return platform.sessionEnd; }
};

} // namespace

TEST_F(SessionEndTest, TheQueryAsksTheExitQuestionAndNoRefusesTheEndOfTheSession) {
    Start();
    platform.messageBoxes.QueueAnswer(IDNO);

    EXPECT_THAT(Desktop().QueryEndSession(), Optional(false));

    ASSERT_THAT(Messages(), ElementsAre("Are you sure to exit?"));
    EXPECT_EQ(platform.messageBoxes.Shown()[0].caption, "Vesperon");
    EXPECT_EQ(platform.messageBoxes.Shown()[0].flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_FALSE(app->Terminated());
    EXPECT_TRUE(main->Visible());
}

TEST_F(SessionEndTest, YesAllowsTheEndButTheProgramRunsOnUntilTheSessionEnds) {
    Start();
    platform.messageBoxes.QueueAnswer(IDYES);

    EXPECT_THAT(Desktop().QueryEndSession(), Optional(true));
    EXPECT_FALSE(app->Terminated());

    Desktop().EndSession(true);
    EXPECT_TRUE(app->Terminated());
    EXPECT_THAT(Messages(), ElementsAre("Are you sure to exit?"));
}

TEST_F(SessionEndTest, AnEndWithoutAQueryEndsTheProgramWithoutAsking) {
    Start();
    Desktop().EndSession(true);
    EXPECT_TRUE(app->Terminated());
    EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(SessionEndTest, ACancelledEndKeepsTheProgramAndItsTask) {
    ArmCountdown("5", false);
    ASSERT_TRUE(main->Timer1->Enabled());
    platform.messageBoxes.QueueAnswer(IDYES);
    ASSERT_THAT(Desktop().QueryEndSession(), Optional(true));

    Desktop().EndSession(false);

    EXPECT_FALSE(app->Terminated());
    EXPECT_TRUE(main->Timer1->Enabled());
    EXPECT_EQ(platform.notifyShell.Icons().size(), 1u);
}

TEST_F(SessionEndTest, AfterShutdownNowTheQueryAsksNothing) {
    Start();
    ClickOn(main->RBForce);
    ClickOn(main->BTNAtOnce);

    EXPECT_THAT(Desktop().QueryEndSession(), Optional(true));
    EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(SessionEndTest, TheTrayIconsHandlerCanStillRefuseAfterTheUserSaidYes) {
    Start();
    int asked = 0;
    main->TrayIcon->OnQueryEndSession = [&asked](TObject*, bool& allow) {
        ++asked;
        allow = false;
    };
    platform.messageBoxes.QueueAnswer(IDYES);

    EXPECT_THAT(Desktop().QueryEndSession(), Optional(false));
    EXPECT_EQ(asked, 1);
}

TEST_F(SessionEndTest, ARefusalByTheMainWindowLeavesTheTrayIconUnasked) {
    Start();
    int asked = 0;
    main->TrayIcon->OnQueryEndSession = [&asked](TObject*, bool&) {
        ++asked;
    };
    platform.messageBoxes.QueueAnswer(IDNO);

    EXPECT_THAT(Desktop().QueryEndSession(), Optional(false));
    EXPECT_EQ(asked, 0);
}

TEST_F(SessionEndTest, TheEndOfTheSessionReachesTheTrayIconWhichRemovesItsIcon) {
    Start();
    std::vector<int> ended;
    main->TrayIcon->OnEndSession = [&ended, this](TObject*) {
        ended.push_back(app->Terminated() ? 1 : 0);
    };

    Desktop().EndSession(false);
    EXPECT_EQ(platform.notifyShell.Icons().size(), 1u);

    Desktop().EndSession(true);
    EXPECT_THAT(ended, ElementsAre(0, 0)); // told before the loop ends
    EXPECT_TRUE(platform.notifyShell.Icons().empty());
    EXPECT_TRUE(main->TrayIcon->Enabled());
}

TEST_F(SessionEndTest, AFailingQuestionIsReportedAndRefuses) {
    Start();
    main->OnCloseQuery = [](TObject*, bool&) {
        throw std::runtime_error("Cannot ask");
    };

    EXPECT_THAT(Desktop().QueryEndSession(), Optional(false));
    EXPECT_THAT(Messages(), ElementsAre("Cannot ask"));
}

TEST_F(SessionEndTest, TheApplicationListensForItsLifetimeOnly) {
    EXPECT_TRUE(Desktop().Listening());
    app.reset();
    EXPECT_FALSE(Desktop().Listening());
    EXPECT_EQ(Desktop().QueryEndSession(), std::nullopt);
}
