#include "toolkit/widgets/HintWindow.h"

#include "WidgetTestSupport.h"
#include "toolkit/runtime/Actions.h"
#include "toolkit/widgets/Label.h"

namespace {

class HintTest : public StdControlsTest {
protected:
    void SetUp() override {
        StdControlsTest::SetUp();
        hints = new THintController(app.get());
        form = ShowForm();
        help = new TLabel(form);
        help->SetParent(form);
        help->SetAutoSize(false);
        help->SetBounds(10, 10, 40, 20);
        help->SetHint("Help");
        help->SetShowHint(true);
        Idle();
    }
    void MoveTo(int x, int y) { platform.windows.MouseMove(Window(form), x, y); }

    THintController* hints = nullptr;
    TForm* form = nullptr;
    TLabel* help = nullptr;
};

} // namespace

TEST_F(HintTest, TheHintShowsAfterThePointerRestsForTheHintPause) {
    MoveTo(20, 15);
    Advance(app->HintPause() - 1);
    EXPECT_EQ(hints->ShownHint(), nullptr);
    MoveTo(21, 16); // moving inside the same control keeps the pause running
    Advance(1);
    ASSERT_NE(hints->ShownHint(), nullptr);
    EXPECT_EQ(hints->ShownHint()->Text(), "Help");
    platform::headless::HeadlessWindow* tip = ShownWindowOfKind(platform::WindowKind::Tooltip);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->Bounds().left, 100 + 21);
    EXPECT_GT(tip->Bounds().top, 100 + 16);
    EXPECT_TRUE(Window(form).Active()) << "a hint never takes the focus";
    EXPECT_EQ(tip->FramePixel(3, 3), Pixel(clInfoBk));
    SaveScreenshot(*tip, "hint");
}

TEST_F(HintTest, LeavingOrClickingHidesTheHint) {
    MoveTo(20, 15);
    Advance(app->HintPause());
    ASSERT_NE(hints->ShownHint(), nullptr);
    MoveTo(150, 150);
    EXPECT_EQ(hints->ShownHint(), nullptr);
    Advance(app->HintPause());
    EXPECT_EQ(hints->ShownHint(), nullptr) << "the form has no hint";

    MoveTo(20, 15);
    Advance(app->HintPause());
    ASSERT_NE(hints->ShownHint(), nullptr);
    Click(form, 20, 15);
    EXPECT_EQ(hints->ShownHint(), nullptr);
    Advance(app->HintPause() * 2);
    EXPECT_EQ(hints->ShownHint(), nullptr) << "not again until the pointer comes back";
    platform.windows.MouseLeave(Window(form));
    MoveTo(20, 15);
    Advance(app->HintPause());
    EXPECT_NE(hints->ShownHint(), nullptr);
}

TEST_F(HintTest, ControlsWithoutShowHintOrWithHintsOffShowNothing) {
    help->SetShowHint(false);
    MoveTo(20, 15);
    Advance(app->HintPause());
    EXPECT_EQ(hints->ShownHint(), nullptr);
    help->SetShowHint(true);
    app->SetShowHint(false);
    MoveTo(150, 150);
    MoveTo(20, 15);
    Advance(app->HintPause());
    EXPECT_EQ(hints->ShownHint(), nullptr);
}

TEST_F(HintTest, AControlDestroyedUnderThePointerIsForgotten) {
    MoveTo(20, 15);
    delete help;
    Advance(app->HintPause());
    EXPECT_EQ(hints->ShownHint(), nullptr);
}

// ---------------------------------------------------------------------------------------
// The application's current hint

TEST_F(HintTest, TheApplicationsHintFollowsThePointerWithoutShowHint) {
    help->SetShowHint(false);
    auto* inner = new TLabel(form);
    inner->SetParent(form);
    inner->SetBounds(10, 40, 40, 20);
    form->SetHint("Vesperon");
    MoveTo(20, 15);
    EXPECT_EQ(app->Hint(), "Help");
    MoveTo(20, 45);
    EXPECT_EQ(app->Hint(), "Vesperon") << "a control without a hint takes its parent's";
    platform.windows.MouseLeave(Window(form));
    EXPECT_EQ(app->Hint(), "");
}

TEST_F(HintTest, AHintChangeRunsOnHintOrOffersTheHintActionToTheControls) {
    struct HintTaker : TLabel {
        using TLabel::TLabel;
        bool ExecuteAction(TBasicAction* action) override {
            auto* hint = dynamic_cast<THintAction*>(action);
            if (hint == nullptr) {
                return TLabel::ExecuteAction(action);
            }
            taken.push_back(hint->Hint());
            return true;
        }
        std::vector<std::string> taken;
    };
    auto* taker = new HintTaker(form);
    taker->SetParent(form);
    taker->SetBounds(10, 70, 40, 20);
    MoveTo(20, 15);
    MoveTo(20, 15);
    MoveTo(150, 150);
    EXPECT_EQ(taker->taken, (std::vector<std::string>{"Help", ""}));

    int onHint = 0;
    app->OnHint = [&onHint](TObject*) {
        ++onHint;
    };
    MoveTo(20, 15);
    EXPECT_EQ(onHint, 1);
    EXPECT_EQ(taker->taken.size(), 2u) << "OnHint takes the place of the action";

    TAction other(nullptr);
    EXPECT_FALSE(app->ExecuteAction(other));
}
