// The main window around the task: the program's message boxes leave it in the tray, its
// radio buttons hot-track.
#include "controls/RzRadChk.h"
#include "forms/VesperonFixture.h"
#include "toolkit/widgets/Menus.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::Optional;

namespace {

class MainWindowShellTest : public VesperonTest {
protected:
    bool InTray() { return app->Minimized() && Window(main).Iconified(); }
    // The window's pixels of a control's 13 x 13 glyph at its top left (rows 2 to 14).
    std::vector<std::uint32_t> Glyph(TControl* control) {
        const TPoint origin =
            control->Parent()->ClientToParent(Point(control->Left(), control->Top() + 2), main);
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < 13; ++y) {
            for (int x = 0; x < 13; ++x) {
                pixels.push_back(Window(main).FramePixel(origin.X + x, origin.Y + y));
            }
        }
        return pixels;
    }
    void PointAt(TControl* control) {
        const TPoint p =
            control->Parent()->ClientToParent(Point(control->Left() + 6, control->Top() + 8), main);
        platform.windows.MouseMove(Window(main), p.X, p.Y);
        Idle();
    }
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

TEST_F(MainWindowShellTest, EveryRadioButtonHotTracksItsGlyph) {
    Start();
    for (TRzRadioButton* radio : {main->RBDateTime, main->RBDe, main->RBShutdown, main->RBLogoff,
                                  main->RBRestart, main->RBForce, main->RBStandby, main->RBDormancy}) {
        SCOPED_TRACE(radio->Name());
        const std::vector<std::uint32_t> resting = Glyph(radio);
        PointAt(radio);
        EXPECT_NE(Glyph(radio), resting) << "hovering changes nothing";
        PointAt(main->LabInfo);
        EXPECT_EQ(Glyph(radio), resting);
    }
}
