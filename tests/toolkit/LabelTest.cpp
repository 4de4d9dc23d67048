#include "toolkit/widgets/Label.h"

#include "WidgetTestSupport.h"
#include "toolkit/widgets/DateTimePicker.h"

namespace {

class LabelTest : public StdControlsTest {
protected:
    TLabel* MakeLabel(const std::string& caption, TRect bounds) {
        if (form == nullptr) {
            form = ShowForm();
        }
        auto* label = new TLabel(form);
        label->SetParent(form);
        label->SetAutoSize(false);
        label->SetBoundsRect(bounds);
        label->SetCaption(caption);
        Idle();
        return label;
    }
    // The columns of a label's row band that hold text pixels (anything but the background).
    TRect InkBounds(TRect area) {
        Idle();
        TRect ink{area.Right, area.Bottom, area.Left, area.Top};
        for (int y = area.Top; y < area.Bottom; ++y) {
            for (int x = area.Left; x < area.Right; ++x) {
                if (Window(form).FramePixel(x, y) != Pixel(clBtnFace)) {
                    ink = Rect(std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                               std::max(ink.Bottom, y + 1));
                }
            }
        }
        return ink;
    }
    TForm* form = nullptr;
};

} // namespace

TEST_F(LabelTest, AlignmentPlacesTheTextInsideFixedBounds) {
    TLabel* label = MakeLabel("Time:", Bounds(20, 20, 100, 14));
    TRect area = Bounds(20, 20, 100, 14);
    EXPECT_LT(InkBounds(area).Left, 22);
    label->SetAlignment(taRightJustify);
    EXPECT_GT(InkBounds(area).Right, 117);
    label->SetAlignment(taCenter);
    TRect ink = InkBounds(area);
    EXPECT_NEAR(ink.Left - 20, 120 - ink.Right, 2);
    EXPECT_EQ(label->Width(), 100) << "auto-size off keeps the bounds";
}

TEST_F(LabelTest, AutoSizeFitsTheCaptionAndKeepsTheRightEdgeOfRightJustifiedText) {
    TLabel* label = MakeLabel("Date:", Bounds(10, 62, 51, 14));
    label->SetAlignment(taRightJustify);
    label->SetAutoSize(true);
    EXPECT_EQ(label->Left() + label->Width(), 61);
    EXPECT_LT(label->Width(), 51);
    label->SetCaption("Appointed date:");
    EXPECT_GT(label->Width(), 51);
    EXPECT_EQ(label->Left() + label->Width(), 61) << "the right edge stays";
    EXPECT_EQ(label->Height(), MeasureText(*label->Font(), "A").cy);
}

TEST_F(LabelTest, TransparentLabelsLeaveTheParentVisibleAndOpaqueOnesFillTheirColour) {
    TLabel* label = MakeLabel("", Bounds(10, 10, 40, 14));
    label->SetColor(clRed);
    Idle();
    EXPECT_EQ(Window(form).FramePixel(20, 15), Pixel(clRed));
    label->SetTransparent(true);
    Idle();
    EXPECT_EQ(Window(form).FramePixel(20, 15), Pixel(clBtnFace));
}

TEST_F(LabelTest, DisabledTextIsEmbossed) {
    TLabel* label = MakeLabel("Minutes", Bounds(10, 10, 80, 16));
    label->SetEnabled(false);
    TRect area = Bounds(10, 10, 80, 16);
    Idle();
    int light = 0;
    int dark = 0;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x) {
            light += Window(form).FramePixel(x, y) == Pixel(clBtnHighlight) ? 1 : 0;
            dark += Window(form).FramePixel(x, y) == Pixel(clBtnShadow) ? 1 : 0;
        }
    }
    EXPECT_GT(light, 5);
    EXPECT_GT(dark, 5);
}

TEST_F(LabelTest, AcceleratorFocusesTheAssociatedControl) {
    TLabel* label = MakeLabel("&Time:", Bounds(10, 10, 50, 14));
    auto* first = new TDateTimePicker(form);
    first->SetParent(form);
    first->SetBounds(10, 40, 120, 23);
    auto* second = new TDateTimePicker(form);
    second->SetParent(form);
    second->SetBounds(10, 70, 120, 23);
    label->SetFocusControl(second);
    first->SetFocus();
    platform.windows.Type(Window(form), "t", ssAlt);
    EXPECT_TRUE(second->Focused());
    delete second;
    EXPECT_EQ(label->FocusControl(), nullptr) << "a destroyed control is forgotten";
    platform.windows.Type(Window(form), "t", ssAlt);
}
