// The program's windows painted in bands, keeping no pixels of their own: after every kind of
// change the screen shows exactly what painting the whole window at once gives.
#include "controls/RzRadChk.h"
#include "controls/RzStatus.h"
#include "forms/VesperonFixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class BandedPaintTest : public VesperonTest {
protected:
    void SetUp() override {
        VesperonTest::SetUp();
        app->SetFormsKeepPixels(false);
    }
    std::vector<std::uint32_t> Screen() {
        const platform::PixelView frame = Window(main).Frame();
        return std::vector<std::uint32_t>(frame.pixels,
                                          frame.pixels + std::size_t(frame.width) * frame.height);
    }
    std::vector<std::uint32_t> WholeWindowPainted() {
        TPixelBuffer whole(main->Width(), main->Height());
        main->PaintArea(whole, TPoint{}, TRegion(Rect(0, 0, main->Width(), main->Height())));
        return std::vector<std::uint32_t>(whole.Data(),
                                          whole.Data() + std::size_t(whole.Width()) * whole.Height());
    }
    void ExpectWholeWindow(const std::string& step) { EXPECT_EQ(Screen(), WholeWindowPainted()) << step; }
    void PointAt(TControl* control) {
        const TPoint p =
            control->Parent()->ClientToParent(Point(control->Left() + 6, control->Top() + 8), main);
        platform.windows.MouseMove(Window(main), p.X, p.Y);
        Idle();
    }
};

TEST_F(BandedPaintTest, EachChangeShowsWhatTheWholeWindowPaintedGives) {
    Start();
    ExpectWholeWindow("the first frame");
    EXPECT_EQ(main->BackBuffer().Width(), 0) << "no pixels kept";
    PointAt(main->RBRestart);
    ExpectWholeWindow("a hot-tracked radio button");
    ClickOn(main->RBDe);
    TypeMinutes("90");
    ExpectWholeWindow("a typed countdown");
    ClickOn(main->CBWarn);
    ExpectWholeWindow("the warning ticked");
    ClickOn(main->BTNStart);
    ExpectWholeWindow("the task armed");
}

TEST_F(BandedPaintTest, TheClockPanesSecondRepaintsOnlyAroundThePane) {
    Start();
    Advance(1000);
    const int before = Window(main).PresentCount();
    Advance(1000);
    EXPECT_EQ(Window(main).PresentCount(), before + 1);
    const TPoint pane = main->RzClockStatus2->Parent()->ClientToParent(
        Point(main->RzClockStatus2->Left(), main->RzClockStatus2->Top()), main);
    const platform::Rect& area = Window(main).LastPresentedArea();
    // Bands start on multiples of eight pixels, so the area may reach up to seven pixels further.
    EXPECT_GE(area.left, pane.X - 7);
    EXPECT_GE(area.top, pane.Y - 7);
    EXPECT_LE(area.right, pane.X + main->RzClockStatus2->Width());
    EXPECT_LE(area.bottom, pane.Y + main->RzClockStatus2->Height());
}

} // namespace
