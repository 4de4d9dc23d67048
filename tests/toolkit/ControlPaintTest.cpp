#include "ControlTestControls.h"
#include "support/ToolkitFixture.h"

#include <gmock/gmock.h>
#include <type_traits>

using ::testing::ElementsAre;

namespace {

// Paints itself in one colour and records the order of painting; the windowed one takes
// children.
template <class Base> class TSolidControl : public Base {
public:
    TSolidControl(TComponent* owner, EventLog& log, std::string name, TColor color)
        : Base(owner), log_(log), name_(std::move(name)) {
        this->SetColor(color);
        if constexpr (std::is_base_of_v<TWinControl, Base>) {
            this->SetControlStyle(this->ControlStyle() | csAcceptsControls);
        }
    }

protected:
    void Paint() override {
        log_.push_back("paint " + name_);
        this->Canvas()->Brush()->SetColor(this->Color());
        this->Canvas()->FillRect(this->ClientRect());
    }

private:
    EventLog& log_;
    std::string name_;
};

using TSolid = TSolidControl<TCustomControl>;
using TSolidGraphic = TSolidControl<TGraphicControl>;

class PaintTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        app->CreateForm(form);
        form->SetBounds(0, 0, 100, 80);
        form->SetColor(clWhite);
        panel = Place(new TSolid(form, log, "panel", clBlue), form, 10, 10, 60, 50);
        mark = Place(new TSolidGraphic(form, log, "mark", clRed), panel, 5, 5, 10, 10);
        inner = Place(new TSolid(form, log, "inner", clLime), panel, 30, 20, 20, 20);
    }
    std::uint32_t Pixel(int x, int y) { return PixelToColor(Window(form).FramePixel(x, y)); }

    TForm* form = nullptr;
    EventLog log;
    TSolid* panel = nullptr;
    TSolidGraphic* mark = nullptr;
    TSolid* inner = nullptr;
};

} // namespace

TEST_F(PaintTest, AGraphicControlIsPaintedAfterItsWindowedParentAndBeforeWindowedChildren) {
    form->Show();
    Idle();
    EXPECT_THAT(log, ElementsAre("paint panel", "paint mark", "paint inner"));
}

TEST_F(PaintTest, ThePresentedFrameShowsEveryLayer) {
    form->Show();
    Idle();
    EXPECT_EQ(Pixel(2, 2), clWhite);
    EXPECT_EQ(Pixel(12, 12), clBlue);
    EXPECT_EQ(Pixel(16, 16), clRed);
    EXPECT_EQ(Pixel(45, 35), clLime);
    EXPECT_EQ(Pixel(69, 59), clBlue);
    EXPECT_EQ(Pixel(70, 60), clWhite);
}

TEST_F(PaintTest, PaintingWaitsForIdleAndCoversOnlyWhatWasInvalidated) {
    form->Show();
    Idle();
    log.clear();
    mark->SetColor(clYellow);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(Pixel(16, 16), clRed);
    Idle();
    EXPECT_THAT(log, ElementsAre("paint panel", "paint mark"));
    EXPECT_EQ(Pixel(16, 16), clYellow);
}

TEST_F(PaintTest, AFormHoldsPixelsOnlyWhileShownAndIsPaintedWholeWhenShownAgain) {
    EXPECT_EQ(form->BackBuffer().Width(), 0);
    form->Show();
    Idle();
    EXPECT_EQ(form->BackBuffer().Width(), 100);

    form->Hide();
    Idle();
    EXPECT_EQ(form->BackBuffer().Width(), 0);
    log.clear();
    form->Show();
    Idle();
    EXPECT_THAT(log, ElementsAre("paint panel", "paint mark", "paint inner"));
    EXPECT_EQ(Pixel(16, 16), clRed);
}

TEST_F(PaintTest, RepaintPaintsAtOnce) {
    form->Show();
    Idle();
    log.clear();
    inner->SetColor(clBlack);
    inner->Repaint();
    EXPECT_THAT(log, ElementsAre("paint inner"));
    EXPECT_EQ(Pixel(45, 35), clBlack);
}

TEST_F(PaintTest, AHiddenControlDisappearsFromTheFrame) {
    form->Show();
    Idle();
    panel->SetVisible(false);
    Idle();
    EXPECT_EQ(Pixel(45, 35), clWhite);
    EXPECT_EQ(Pixel(16, 16), clWhite);
}

TEST_F(PaintTest, AClientEdgeIsDrawnOutsideTheClientArea) {
    class TEdged : public TSolid {
    public:
        using TSolid::TSolid;

    protected:
        void CreateParams(TCreateParams& params) override {
            TSolid::CreateParams(params);
            params.ExStyle |= WS_EX_CLIENTEDGE;
        }
    };
    auto* edged = Place(new TEdged(form, log, "edged", clLime), form, 75, 10, 20, 20);
    form->Show();
    Idle();
    EXPECT_EQ(edged->ClientRect(), Rect(0, 0, 16, 16));
    EXPECT_EQ(edged->ClientOffsetInForm(), Point(77, 12));
    EXPECT_EQ(Pixel(77, 12), clLime);
    EXPECT_NE(Pixel(75, 10), clLime);
    EXPECT_NE(Pixel(76, 11), clLime);
}

TEST_F(PaintTest, GetDCDrawsOutsideThePaintCycleAndIsPresented) {
    form->Show();
    Idle();
    HDC dc = GetDC(panel);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Brush()->SetColor(clFuchsia);
    canvas.FillRect(Rect(0, 0, 60, 50));
    canvas.SetHandle(nullptr);
    ReleaseDC(panel, dc);
    Idle();
    EXPECT_EQ(Pixel(12, 12), clFuchsia);
    // The windowed child is clipped out of its parent's device context.
    EXPECT_EQ(Pixel(45, 35), clLime);
}
