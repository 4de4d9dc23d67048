#include "ControlTestControls.h"
#include "support/ToolkitFixture.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class LayoutTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        app->CreateForm(form);
        form->SetBounds(0, 0, 200, 100);
    }
    TCustomControl* Child(TWinControl* parent, TAlign align, int width, int height) {
        auto* control = Place(new TCustomControl(form), parent, 0, 0, width, height);
        control->SetAlign(align);
        return control;
    }
    TForm* form = nullptr;
};

// A panel whose client area is inset by a frame of 3 pixels.
class TFramedPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    void AdjustClientRect(TRect& rect) override { InflateRect(rect, -3, -3); }
};

} // namespace

TEST_F(LayoutTest, AlignedChildrenShareTheClientAreaTopBottomLeftRightThenClient) {
    auto* top = Child(form, alTop, 0, 10);
    auto* bottom = Child(form, alBottom, 0, 20);
    auto* left = Child(form, alLeft, 30, 0);
    auto* right = Child(form, alRight, 40, 0);
    auto* client = Child(form, alClient, 0, 0);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 10));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 80, 200, 100));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 10, 30, 80));
    EXPECT_EQ(right->BoundsRect(), Rect(160, 10, 200, 80));
    EXPECT_EQ(client->BoundsRect(), Rect(30, 10, 160, 80));
}

TEST_F(LayoutTest, ResizingTheParentRealignsAndHidingGivesTheSpaceBack) {
    auto* top = Child(form, alTop, 0, 10);
    auto* client = Child(form, alClient, 0, 0);
    form->SetBounds(0, 0, 300, 150);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 10));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 10, 300, 150));
    top->SetVisible(false);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 300, 150));
}

TEST_F(LayoutTest, TwoTopAlignedControlsStackInTheirVerticalOrder) {
    auto* second = Place(new TCustomControl(form), form, 0, 50, 10, 15);
    auto* first = Place(new TCustomControl(form), form, 0, 5, 10, 10);
    form->DisableAlign();
    second->SetAlign(alTop);
    first->SetAlign(alTop);
    form->EnableAlign();
    EXPECT_EQ(first->Top(), 0);
    EXPECT_EQ(second->Top(), 10);
}

TEST_F(LayoutTest, AdjustClientRectInsetsTheAlignedArea) {
    auto* panel = Place(new TFramedPanel(form), form, 10, 10, 100, 50);
    auto* client = Child(panel, alClient, 0, 0);
    EXPECT_EQ(client->BoundsRect(), Rect(3, 3, 97, 47));
}

TEST_F(LayoutTest, AlignmentWaitsWhileLoadingOrDisabled) {
    form->BeginLoading();
    auto* client = Child(form, alClient, 5, 5);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 5, 5));
    form->EndLoading();
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 200, 100));
    form->DisableAlign();
    form->SetBounds(0, 0, 120, 60);
    EXPECT_EQ(client->Width(), 200);
    form->EnableAlign();
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 120, 60));
}

TEST_F(LayoutTest, RightAndBottomAnchorsKeepTheDistanceToThoseEdges) {
    auto* button = Place(new TCustomControl(form), form, 150, 70, 40, 20);
    button->SetAnchors(akRight | akBottom);
    auto* stretch = Place(new TCustomControl(form), form, 10, 10, 100, 20);
    stretch->SetAnchors(akLeft | akTop | akRight);
    form->SetBounds(0, 0, 250, 130);
    EXPECT_EQ(button->BoundsRect(), Rect(200, 100, 240, 120));
    EXPECT_EQ(stretch->BoundsRect(), Rect(10, 10, 160, 30));
}

TEST_F(LayoutTest, ClientWidthOfAFormSetsItsSize) {
    form->SetClientWidth(321);
    form->SetClientHeight(123);
    EXPECT_EQ(form->Width(), 321);
    EXPECT_EQ(form->ClientRect(), Rect(0, 0, 321, 123));
}

TEST_F(LayoutTest, ScreenCentredFormsArePlacedOnFirstShowing) {
    platform.windows.SetScreenBounds(platform::Rect{0, 0, 1000, 800});
    form->SetPosition(poScreenCenter);
    form->Show();
    EXPECT_EQ(form->BoundsRect(), Rect(400, 350, 600, 450));
    EXPECT_EQ(Window(form).Bounds().left, 400);
    EXPECT_EQ(form->ClientToScreen(Point(5, 5)), Point(405, 355));
}

// ---------------------------------------------------------------------------------------

using PropertyTest = LayoutTest;

TEST_F(PropertyTest, ParentFontAndColourFlowDownUntilAChildSetsItsOwn) {
    auto* panel = Place(new TCustomControl(form), form, 0, 0, 50, 50);
    auto* label = Place(new TGraphicControl(form), panel, 0, 0, 10, 10);
    panel->SetParentColor(true);
    label->SetParentColor(true);
    form->SetColor(clYellow);
    form->Font()->SetName("Arial");
    EXPECT_EQ(panel->Color(), clYellow);
    EXPECT_EQ(label->Color(), clYellow);
    EXPECT_EQ(label->Font()->Name(), "Arial");
    EXPECT_TRUE(label->ParentFont());
    label->SetColor(clRed);
    label->Font()->SetHeight(-20);
    EXPECT_FALSE(label->ParentColor());
    EXPECT_FALSE(label->ParentFont());
    form->SetColor(clAqua);
    form->Font()->SetName("Tahoma");
    EXPECT_EQ(label->Color(), clRed);
    EXPECT_EQ(label->Font()->Name(), "Arial");
    EXPECT_EQ(panel->Color(), clAqua);
}

TEST_F(PropertyTest, ChangesAreAnnouncedByTheirNotificationsOnlyWhenTheValueChanges) {
    std::vector<unsigned> seen;
    class TWatch : public TCustomControl {
    public:
        TWatch(TComponent* owner, std::vector<unsigned>& out) : TCustomControl(owner), out_(out) {}

    protected:
        void Dispatch(TMessage& message) override {
            if (message.Msg >= CM_BASE && message.Msg <= CM_MOUSEWHEEL) {
                out_.push_back(message.Msg);
            }
            TCustomControl::Dispatch(message);
        }

    private:
        std::vector<unsigned>& out_;
    };
    auto* watch = Place(new TWatch(form, seen), form, 0, 0, 10, 10);
    seen.clear();
    watch->SetCaption("Start");
    watch->SetCaption("Start");
    watch->SetEnabled(false);
    watch->SetEnabled(false);
    watch->SetColor(clRed);
    watch->SetColor(clRed);
    watch->Font()->SetName("Arial");
    EXPECT_THAT(seen, ElementsAre(CM_TEXTCHANGED, CM_ENABLEDCHANGED, CM_COLORCHANGED, CM_FONTCHANGED));
    EXPECT_EQ(CM_MOUSEENTER, 0xB013u);
    EXPECT_EQ(CM_HITTEST, 0xB00Au);
    EXPECT_EQ(CM_FOCUSCHANGED, 0xB007u);
    EXPECT_EQ(CM_MOUSEWHEEL, 0xB043u);
}

TEST_F(PropertyTest, ShowHintFollowsTheParentUntilSetOnTheControl) {
    auto* panel = Place(new TCustomControl(form), form, 0, 0, 50, 50);
    auto* child = Place(new TGraphicControl(form), panel, 0, 0, 10, 10);
    form->SetShowHint(true);
    EXPECT_TRUE(child->ShowHint());
    child->SetShowHint(false);
    EXPECT_FALSE(child->ParentShowHint());
    form->SetShowHint(false);
    form->SetShowHint(true);
    EXPECT_FALSE(child->ShowHint());
}

TEST_F(PropertyTest, AcceleratorsAndHotkeyMarkersAreRead) {
    EXPECT_TRUE(IsAccel('S', "&Start"));
    EXPECT_TRUE(IsAccel('s', "Re&peat") == false);
    EXPECT_TRUE(IsAccel('p', "Re&peat"));
    EXPECT_FALSE(IsAccel('a', "Save && Exit"));
    EXPECT_EQ(StripHotkey("Save && &Exit"), "Save & Exit");
    EXPECT_EQ(StripHotkey("trailing&"), "trailing&");
}
