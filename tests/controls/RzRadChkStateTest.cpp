// When check boxes and radio buttons change state and fire OnClick: from code, by mouse,
// by Space and Escape, by Tab and arrow keys, and while read-only.
#include "RzButtonTestSupport.h"

namespace {

// Two group boxes like the main window's: one with two timing radio buttons and a check
// box, one with three action radio buttons.
class RadioCheckTest : public ButtonFormTest {
protected:
    void SetUp() override {
        ButtonFormTest::SetUp();
        before = Place(new TRzBitBtn(form), form, 300, 10, 75, 25);
        timing = Place(new TCustomControl(form), form, 10, 10, 280, 60);
        timing->SetControlStyle(timing->ControlStyle() | csAcceptsControls);
        dateTime = Radio(timing, 10, "Appointed time");
        countdown = Radio(timing, 150, "Degression");
        repeat = Place(new TRzCheckBox(form), timing, 10, 35, 100, 17);
        repeat->SetCaption("Repeat");
        actions = Place(new TCustomControl(form), form, 10, 80, 280, 60);
        actions->SetControlStyle(actions->ControlStyle() | csAcceptsControls);
        shutdown = Radio(actions, 10, "Shutdown");
        logoff = Radio(actions, 100, "Logoff");
        restart = Radio(actions, 190, "Restart");
        dateTime->SetChecked(true);
        shutdown->SetChecked(true);
        for (TControl* control :
             std::initializer_list<TControl*>{dateTime, countdown, repeat, shutdown, logoff, restart}) {
            control->OnClick = [this](TObject* sender) {
                clicks.push_back(static_cast<TControl*>(sender)->Caption());
            };
        }
        ShowForm();
    }
    TRzRadioButton* Radio(TWinControl* parent, int left, const std::string& caption) {
        auto* radio = Place(new TRzRadioButton(form), parent, left, 10, 80, 17);
        radio->SetCaption(caption);
        radio->SetHotTrack(true);
        return radio;
    }

    TRzBitBtn* before = nullptr;
    TCustomControl* timing = nullptr;
    TCustomControl* actions = nullptr;
    TRzRadioButton* dateTime = nullptr;
    TRzRadioButton* countdown = nullptr;
    TRzCheckBox* repeat = nullptr;
    TRzRadioButton* shutdown = nullptr;
    TRzRadioButton* logoff = nullptr;
    TRzRadioButton* restart = nullptr;
    std::vector<std::string> clicks;
};

using Clicks = std::vector<std::string>;

} // namespace

// ---------------------------------------------------------------------------------------
// Radio buttons

TEST_F(RadioCheckTest, CheckingFromCodeClearsTheSiblingSilentlyAndClicksOnce) {
    logoff->SetChecked(true);
    EXPECT_FALSE(shutdown->Checked());
    EXPECT_EQ(clicks, Clicks{"Logoff"});
    logoff->SetChecked(true);
    EXPECT_EQ(clicks, Clicks{"Logoff"});
    logoff->SetChecked(false);
    EXPECT_EQ(clicks, Clicks{"Logoff"});
}

TEST_F(RadioCheckTest, AnotherParentsGroupIsUnaffected) {
    logoff->SetChecked(true);
    EXPECT_TRUE(dateTime->Checked());
    countdown->SetChecked(true);
    EXPECT_TRUE(logoff->Checked());
}

TEST_F(RadioCheckTest, OnlyTheCheckedRadioButtonIsATabStop) {
    EXPECT_TRUE(shutdown->TabStop());
    EXPECT_FALSE(logoff->TabStop());
    restart->SetChecked(true);
    EXPECT_FALSE(shutdown->TabStop());
    EXPECT_TRUE(restart->TabStop());
}

TEST_F(RadioCheckTest, ClickingTheCheckedRadioButtonDoesNothing) {
    ClickOn(shutdown);
    EXPECT_TRUE(shutdown->Checked());
    EXPECT_TRUE(clicks.empty());
    ClickOn(restart);
    EXPECT_TRUE(restart->Checked());
    EXPECT_EQ(clicks, Clicks{"Restart"});
}

TEST_F(RadioCheckTest, TabEntersAGroupOnItsCheckedButtonAndArrowsCheck) {
    before->SetFocus();
    Press(VK_TAB);
    EXPECT_TRUE(dateTime->Focused());
    Press(VK_TAB);
    Press(VK_TAB);
    EXPECT_TRUE(shutdown->Focused());
    EXPECT_TRUE(clicks.empty());
    Press(VK_RIGHT);
    EXPECT_TRUE(logoff->Focused());
    EXPECT_TRUE(logoff->Checked());
    EXPECT_FALSE(shutdown->Checked());
    EXPECT_EQ(clicks, Clicks{"Logoff"});
}

TEST_F(RadioCheckTest, AReadOnlyGroupIgnoresClicksAndTabbingButNotCode) {
    logoff->SetReadOnly(true);
    EXPECT_TRUE(shutdown->ReadOnly());
    EXPECT_TRUE(restart->ReadOnly());
    EXPECT_FALSE(dateTime->ReadOnly());
    ClickOn(restart);
    EXPECT_TRUE(shutdown->Checked());
    shutdown->SetFocus();
    Press(VK_RIGHT);
    EXPECT_TRUE(logoff->Focused());
    EXPECT_TRUE(shutdown->Checked());
    EXPECT_TRUE(clicks.empty());
    restart->SetChecked(true);
    EXPECT_EQ(clicks, Clicks{"Restart"});
}

TEST_F(RadioCheckTest, AMousePressFocusesWithoutCheckingUntilTheRelease) {
    MouseDown(logoff, 5, 5);
    EXPECT_TRUE(logoff->Focused());
    EXPECT_FALSE(logoff->Checked());
    MouseMove(logoff, 200, 5);
    MouseUp(logoff, 200, 5);
    EXPECT_FALSE(logoff->Checked());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(RadioCheckTest, RadioButtonsAnswerTheCheckQuery) {
    EXPECT_EQ(shutdown->Perform(BM_GETCHECK), 1);
    EXPECT_EQ(logoff->Perform(BM_GETCHECK), 0);
}

// ---------------------------------------------------------------------------------------
// Check boxes

TEST_F(RadioCheckTest, ClickingCyclesTheCheckBox) {
    ClickOn(repeat);
    EXPECT_EQ(repeat->State(), cbChecked);
    ClickOn(repeat);
    EXPECT_EQ(repeat->State(), cbUnchecked);
    repeat->SetAllowGrayed(true);
    ClickOn(repeat);
    EXPECT_EQ(repeat->State(), cbGrayed);
    EXPECT_EQ(repeat->Perform(BM_GETCHECK), 2);
    ClickOn(repeat);
    EXPECT_EQ(repeat->State(), cbChecked);
    ClickOn(repeat);
    EXPECT_EQ(repeat->State(), cbUnchecked);
    EXPECT_EQ(clicks.size(), 5u);
}

TEST_F(RadioCheckTest, EveryStateChangeFromCodeClicksOnce) {
    repeat->SetState(cbUnchecked);
    EXPECT_TRUE(clicks.empty());
    repeat->SetState(cbGrayed);
    repeat->SetChecked(false);
    EXPECT_EQ(repeat->State(), cbUnchecked);
    EXPECT_EQ(clicks, (Clicks{"Repeat", "Repeat"}));
}

TEST_F(RadioCheckTest, ADoubleClickCyclesTheCheckBoxTwice) {
    const TPoint p = form->ScreenToClient(repeat->ClientToScreen(Point(5, 5)));
    windows().DoubleClick(Window(form), p.X, p.Y);
    Idle();
    EXPECT_EQ(repeat->State(), cbUnchecked);
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(RadioCheckTest, DraggingOutOfTheCheckBoxChangesNothingAndBackInActivates) {
    MouseDown(repeat, 5, 5);
    MouseMove(repeat, 5, 40);
    EXPECT_FALSE(repeat->Pressed());
    MouseUp(repeat, 5, 40);
    EXPECT_EQ(repeat->State(), cbUnchecked);
    MouseDown(repeat, 5, 5);
    MouseMove(repeat, 5, 40);
    MouseMove(repeat, 6, 6);
    MouseUp(repeat, 6, 6);
    EXPECT_EQ(repeat->State(), cbChecked);
}

TEST_F(RadioCheckTest, SpaceThenEscapeLeavesTheStateAndEndsThePress) {
    repeat->SetFocus();
    KeyDown(VK_SPACE);
    EXPECT_TRUE(repeat->Pressed());
    KeyDown(VK_ESCAPE);
    EXPECT_FALSE(repeat->Pressed());
    KeyUp(VK_SPACE);
    EXPECT_EQ(repeat->State(), cbUnchecked);
    Press(VK_SPACE);
    EXPECT_EQ(repeat->State(), cbChecked);
}

TEST_F(RadioCheckTest, AReadOnlyCheckBoxIgnoresTheUserButNotCode) {
    repeat->SetReadOnly(true);
    ClickOn(repeat);
    repeat->SetFocus();
    Press(VK_SPACE);
    EXPECT_EQ(repeat->State(), cbUnchecked);
    repeat->SetChecked(true);
    EXPECT_EQ(clicks, Clicks{"Repeat"});
}

TEST_F(RadioCheckTest, AReadOnlyCheckBoxIgnoresAMouseChord) {
    repeat->SetReadOnly(true);
    MouseDown(repeat, 20, 8);
    MouseDown(repeat, 20, 8, platform::MouseButton::Right);
    MouseUp(repeat, 20, 8, platform::MouseButton::Right);
    MouseUp(repeat, 20, 8);
    EXPECT_EQ(repeat->State(), cbUnchecked);
    EXPECT_FALSE(repeat->Pressed());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(RadioCheckTest, AnActionPushesItsCheckedStateWithoutAClick) {
    auto* action = new TAction(form);
    repeat->SetAction(action);
    action->SetChecked(true);
    EXPECT_TRUE(repeat->Checked());
    EXPECT_TRUE(clicks.empty());
    delete action;
    EXPECT_EQ(repeat->Action(), nullptr);
}

TEST_F(RadioCheckTest, EnterMovesOnLikeTabWhenAsked) {
    repeat->SetTabOnEnter(true);
    repeat->SetFocus();
    windows().PressKey(Window(form), VK_RETURN);
    windows().Type(Window(form), "\r");
    Idle();
    EXPECT_FALSE(repeat->Focused());
    EXPECT_EQ(repeat->State(), cbUnchecked);
}

TEST_F(RadioCheckTest, AVisibleFrameControllerPushesItsColours) {
    auto* controller = new TRzFrameController(form);
    controller->SetFrameColor(clRed);
    controller->SetColor(clYellow);
    repeat->SetFrameController(controller);
    EXPECT_FALSE(repeat->HotTrack());
    controller->SetFrameVisible(true);
    EXPECT_TRUE(repeat->HotTrack());
    EXPECT_EQ(repeat->FrameColor(), clRed);
    EXPECT_EQ(repeat->FillColor(), clYellow);
    delete controller;
    EXPECT_EQ(repeat->FrameController(), nullptr);
}

TEST_F(RadioCheckTest, AcceleratorsToggleTheBoxAndFocusAndCheckTheRadioButton) {
    repeat->SetCaption("&Repeat");
    logoff->SetCaption("&Logoff");
    before->SetFocus();
    windows().Type(Window(form), "r", ssAlt);
    Idle();
    EXPECT_TRUE(repeat->Focused());
    EXPECT_EQ(repeat->State(), cbChecked);
    windows().Type(Window(form), "l", ssAlt);
    Idle();
    EXPECT_TRUE(logoff->Focused());
    EXPECT_TRUE(logoff->Checked());
    EXPECT_EQ(clicks, (Clicks{"&Repeat", "&Logoff"}));
}

TEST_F(RadioCheckTest, ADoubleClickOnARadioButtonAlsoReportsTheDoubleClick) {
    int doubleClicks = 0;
    logoff->OnDblClick = [&](TObject*) {
        ++doubleClicks;
    };
    const TPoint p = form->ScreenToClient(logoff->ClientToScreen(Point(5, 5)));
    windows().DoubleClick(Window(form), p.X, p.Y);
    Idle();
    EXPECT_TRUE(logoff->Checked());
    EXPECT_EQ(clicks, Clicks{"Logoff"});
    EXPECT_EQ(doubleClicks, 1);
}
