#include "ControlTestControls.h"
#include "support/ToolkitFixture.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

// A form 200x100 with a windowed panel (10,10 80x60) holding a graphic child (5,5 20x20),
// and a graphic control on the form (120,10 40x40).
class MouseTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        app->CreateForm(form);
        form->SetBounds(0, 0, 200, 100);
        panel = Place(new TLogControl(form, log, "panel"), form, 10, 10, 80, 60);
        inner = Place(new TLogGraphic(form, log, "inner"), panel, 5, 5, 20, 20);
        side = Place(new TLogGraphic(form, log, "side"), form, 120, 10, 40, 40);
        form->Show();
        log.clear();
    }
    platform::headless::HeadlessWindowSystem& windows() { return platform.windows; }

    TForm* form = nullptr;
    EventLog log;
    TLogControl* panel = nullptr;
    TLogGraphic* inner = nullptr;
    TLogGraphic* side = nullptr;
};

std::vector<std::string> Without(const EventLog& log, const std::string& word) {
    std::vector<std::string> kept;
    for (const auto& entry : log) {
        if (entry.find(word) == std::string::npos) {
            kept.push_back(entry);
        }
    }
    return kept;
}

} // namespace

TEST_F(MouseTest, APressReachesTheDeepestControlInItsOwnCoordinates) {
    TPoint seen{-1, -1};
    inner->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        seen = Point(x, y);
    };
    windows().MouseDown(Window(form), 18, 17);
    EXPECT_EQ(seen, Point(3, 2));
    windows().MouseUp(Window(form), 18, 17);
    EXPECT_THAT(Without(log, "move"), ElementsAre("inner enter", "inner down", "inner up"));
}

TEST_F(MouseTest, AClickOutsideChildrenGoesToTheWindowedParent) {
    int clicks = 0;
    panel->OnClick = [&](TObject*) {
        ++clicks;
    };
    Click(form, 80, 60);
    EXPECT_EQ(clicks, 1);
    EXPECT_THAT(Without(log, "move"), ElementsAre("panel enter", "panel down", "panel up"));
}

TEST_F(MouseTest, ADisabledGraphicControlLetsThePressFallToItsParent) {
    inner->SetEnabled(false);
    windows().MouseDown(Window(form), 18, 17);
    EXPECT_THAT(Without(log, "move"), ElementsAre("inner enter", "panel down"));
}

TEST_F(MouseTest, EnterAndLeaveFollowThePointerAcrossControls) {
    windows().MouseMove(Window(form), 18, 17);
    windows().MouseMove(Window(form), 50, 50);
    windows().MouseMove(Window(form), 130, 20);
    windows().MouseLeave(Window(form));
    EXPECT_THAT(Without(log, "move"), ElementsAre("inner enter", "inner leave", "panel enter", "panel leave",
                                                  "side enter", "side leave"));
}

TEST_F(MouseTest, TheCaptureKeepsMessagesWithThePressedControlUntilRelease) {
    windows().MouseMove(Window(form), 130, 20);
    windows().MouseDown(Window(form), 130, 20);
    log.clear();
    windows().MouseMove(Window(form), 18, 17);
    windows().MouseUp(Window(form), 18, 17);
    // The pressed control hears the pointer leave and gets the move and release; the control
    // under the pointer is entered once the capture ends.
    EXPECT_THAT(log, ElementsAre("side leave", "side move", "side up", "inner enter"));
}

TEST_F(MouseTest, AReleaseOutsideThePressedControlIsNoClick) {
    int clicks = 0;
    side->OnClick = [&](TObject*) {
        ++clicks;
    };
    windows().MouseDown(Window(form), 130, 20);
    windows().MouseUp(Window(form), 20, 80);
    EXPECT_EQ(clicks, 0);
    platform.clock.Advance(1000); // not a double click
    windows().MouseDown(Window(form), 130, 20);
    windows().MouseUp(Window(form), 131, 21);
    EXPECT_EQ(clicks, 1);
}

TEST_F(MouseTest, ASecondQuickPressArrivesAsDoubleClick) {
    int doubles = 0;
    panel->OnDblClick = [&](TObject*) {
        ++doubles;
    };
    windows().DoubleClick(Window(form), 60, 50);
    EXPECT_THAT(Without(log, "move"),
                ElementsAre("panel enter", "panel down", "panel up", "panel dblclk", "panel up"));
    EXPECT_EQ(doubles, 1);
}

TEST_F(MouseTest, PressesFarApartInTimeAreTwoSinglePresses) {
    windows().Click(Window(form), 60, 50);
    platform.clock.Advance(600);
    windows().Click(Window(form), 60, 50);
    EXPECT_THAT(Without(log, "move"),
                ElementsAre("panel enter", "panel down", "panel up", "panel down", "panel up"));
}

TEST_F(MouseTest, AControlWithoutDoubleClicksGetsTheSecondPressAsAPress) {
    panel->SetControlStyle(panel->ControlStyle() & ~unsigned(csDoubleClicks));
    int clicks = 0;
    int doubles = 0;
    std::vector<TShiftState> presses;
    panel->OnClick = [&](TObject*) {
        ++clicks;
    };
    panel->OnDblClick = [&](TObject*) {
        ++doubles;
    };
    panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState shift, int, int) {
        presses.push_back(shift);
    };
    windows().DoubleClick(Window(form), 60, 50);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubles, 0);
    EXPECT_THAT(presses, ElementsAre(TShiftState(ssLeft), TShiftState(ssLeft)));
}

TEST_F(MouseTest, TheCursorOfTheControlUnderThePointerIsShown) {
    side->SetCursor(crHandPoint);
    panel->SetCursor(crIBeam);
    windows().MouseMove(Window(form), 130, 20);
    EXPECT_EQ(Window(form).Cursor(), platform::CursorShape::Hand);
    windows().MouseMove(Window(form), 18, 17); // inner has no cursor of its own: the panel's
    EXPECT_EQ(Window(form).Cursor(), platform::CursorShape::IBeam);
    windows().MouseMove(Window(form), 190, 90);
    EXPECT_EQ(Window(form).Cursor(), platform::CursorShape::Arrow);
}

TEST_F(MouseTest, HitTestDecidesWhetherAGraphicControlTakesThePoint) {
    class THollow : public TLogGraphic {
    public:
        using TLogGraphic::TLogGraphic;

    protected:
        void Dispatch(TMessage& message) override {
            if (message.Msg == CM_HITTEST) {
                message.Result = LParamToPoint(message.LParam).X < 10 ? HTCLIENT : HTNOWHERE;
                return;
            }
            TLogGraphic::Dispatch(message);
        }
    };
    auto* hollow = Place(new THollow(form, log, "hollow"), form, 100, 60, 20, 20);
    (void)hollow;
    windows().MouseDown(Window(form), 105, 65);
    windows().MouseUp(Window(form), 105, 65);
    windows().MouseDown(Window(form), 115, 65);
    EXPECT_THAT(Without(Without(log, "move"), "enter"),
                ElementsAre("hollow down", "hollow up", "hollow leave"));
}
