#include "toolkit/widgets/ProgressBar.h"

#include "WidgetTestSupport.h"

namespace {

class ProgressTest : public StdControlsTest {
protected:
    // The warning window's bar: 397 x 28, range 0..29, smooth, step 1.
    TProgressBar* MakeBar() {
        form = ShowForm(418, 115);
        auto* bar = new TProgressBar(form);
        bar->SetParent(form);
        bar->SetBounds(10, 40, 397, 28);
        bar->SetMin(0);
        bar->SetMax(29);
        bar->SetSmooth(true);
        bar->SetStep(1);
        Idle();
        return bar;
    }
    // Filled columns of the bar's inside, read from the presented frame.
    int FilledColumns() {
        Idle();
        int filled = 0;
        for (int x = 11; x < 10 + 396; ++x) {
            filled += Window(form).FramePixel(x, 54) == Pixel(clHighlight) ? 1 : 0;
        }
        return filled;
    }
    TForm* form = nullptr;
};

} // namespace

TEST_F(ProgressTest, FillFollowsThePositionWithinTheRange) {
    TProgressBar* bar = MakeBar();
    EXPECT_EQ(FilledColumns(), 0);
    bar->SetPosition(15);
    EXPECT_EQ(FilledColumns(), 395 * 15 / 29);
    bar->SetPosition(29);
    EXPECT_EQ(FilledColumns(), 395);
    EXPECT_EQ(Window(form).FramePixel(10, 40), Pixel(clBtnShadow)) << "sunken frame";
    EXPECT_EQ(Window(form).FramePixel(10 + 396, 40 + 27), Pixel(clBtnHighlight));
    SaveScreenshot(Window(form), "progress");
}

TEST_F(ProgressTest, PositionStaysInsideTheRangeAndStepItStartsOverPastMax) {
    TProgressBar* bar = MakeBar();
    bar->SetPosition(-5);
    EXPECT_EQ(bar->Position(), 0);
    bar->SetPosition(40);
    EXPECT_EQ(bar->Position(), 29);
    bar->SetPosition(28);
    bar->StepIt();
    EXPECT_EQ(bar->Position(), 29);
    bar->StepIt();
    EXPECT_EQ(bar->Position(), 1);
    bar->SetMax(0); // an empty range fills nothing
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->FillRect().Width(), 0);
}

TEST_F(ProgressTest, BlocksLeaveGapsWhenNotSmooth) {
    TProgressBar* bar = MakeBar();
    bar->SetSmooth(false);
    bar->SetPosition(29);
    int filled = FilledColumns();
    EXPECT_GT(filled, 300);
    EXPECT_LT(filled, 395);
}
