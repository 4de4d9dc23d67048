// The main window around the task: the program's message boxes leave it in the tray.
#include "forms/VesperonFixture.h"
#include "toolkit/widgets/Menus.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::Optional;

namespace {

class MainWindowShellTest : public VesperonTest {
protected:
    bool InTray() { return app->Minimized() && Window(main).Iconified(); }
};

} // namespace

TEST_F(MainWindowShellTest, TheProgramsMessageBoxesLeaveTheWindowInTheTray) {
    WriteIni("[CB]\nAutoRun=1\nCBCF=1\nRBFS=0\n[Set]\nFZ=5\n");
    Start({"au"});
    EXPECT_THAT(Messages(), ElementsAre("Your settings may cause a system restart failure."));
    EXPECT_TRUE(InTray()) << "after the start guard";

    platform.messageBoxes.QueueAnswer(IDNO);
    main->NExitClick(main->NExit);
    Idle();
    EXPECT_TRUE(InTray()) << "after Exit, No";

    platform.messageBoxes.QueueAnswer(IDNO);
    EXPECT_THAT(platform.sessionEnd.QueryEndSession(), Optional(false));
    Idle();
    EXPECT_TRUE(InTray()) << "after the end-of-session question, No";
    EXPECT_EQ(Messages().size(), 3u);
}
