// When a bitmap button clicks: mouse presses and drags, Space, Enter and Escape through the
// dialog keys, accelerators, and the owning form's ModalResult.
#include "RzButtonTestSupport.h"

namespace {

class ButtonClickTest : public ButtonFormTest {
protected:
    void SetUp() override {
        ButtonFormTest::SetUp();
        first = WindowButton(10, 10, 100, 30, kStartFace, "First");
        second = WindowButton(10, 50, 100, 30, kStartFace, "&Second");
        box = Place(new TRzCheckBox(form), form, 10, 100, 120, 17);
        firstClicks.Attach(first);
        secondClicks.Attach(second);
        ShowForm();
    }

    TRzBitBtn* first = nullptr;
    TRzBitBtn* second = nullptr;
    TRzCheckBox* box = nullptr;
    ClickCounter firstClicks;
    ClickCounter secondClicks;
};

} // namespace

TEST_F(ButtonClickTest, AClickFocusesAndClicksOnce) {
    ClickOn(second);
    EXPECT_TRUE(second->Focused());
    EXPECT_EQ(secondClicks.count, 1);
    EXPECT_FALSE(second->Pressed());
}

TEST_F(ButtonClickTest, DraggingOutBeforeTheReleaseCancelsTheClick) {
    MouseDown(first, 20, 10);
    EXPECT_TRUE(first->Pressed());
    MouseMove(first, 150, 10);
    EXPECT_FALSE(first->Pressed());
    MouseUp(first, 150, 10);
    EXPECT_EQ(firstClicks.count, 0);
}

TEST_F(ButtonClickTest, DraggingBackInBeforeTheReleaseClicks) {
    MouseDown(first, 20, 10);
    MouseMove(first, 150, 10);
    MouseMove(first, 30, 12);
    EXPECT_TRUE(first->Pressed());
    MouseUp(first, 30, 12);
    EXPECT_EQ(firstClicks.count, 1);
}

TEST_F(ButtonClickTest, TheRightButtonNeverPressesOrClicks) {
    MouseDown(first, 20, 10, platform::MouseButton::Right);
    EXPECT_FALSE(first->Pressed());
    MouseUp(first, 20, 10, platform::MouseButton::Right);
    EXPECT_EQ(firstClicks.count, 0);
}

TEST_F(ButtonClickTest, AnyReleaseEndsThePressAndClicksOnce) {
    MouseDown(first, 20, 10);
    MouseDown(first, 20, 10, platform::MouseButton::Right);
    MouseUp(first, 20, 10, platform::MouseButton::Right);
    EXPECT_FALSE(first->Pressed());
    EXPECT_EQ(firstClicks.count, 1);
    MouseUp(first, 20, 10);
    EXPECT_EQ(firstClicks.count, 1);
}

TEST_F(ButtonClickTest, ADoubleClickClicksTwice) {
    const TPoint p = form->ScreenToClient(first->ClientToScreen(Point(20, 10)));
    windows().DoubleClick(Window(form), p.X, p.Y);
    Idle();
    EXPECT_EQ(firstClicks.count, 2);
}

TEST_F(ButtonClickTest, SpaceShowsThePressAndItsReleaseClicks) {
    first->SetFocus();
    KeyDown(VK_SPACE);
    EXPECT_TRUE(first->Pressed());
    EXPECT_EQ(firstClicks.count, 0);
    KeyUp(VK_SPACE);
    EXPECT_FALSE(first->Pressed());
    EXPECT_EQ(firstClicks.count, 1);
    // Once a Space press happened, every later Space release clicks until focus leaves.
    KeyUp(VK_SPACE);
    EXPECT_EQ(firstClicks.count, 2);
    second->SetFocus();
    first->SetFocus();
    KeyUp(VK_SPACE);
    EXPECT_EQ(firstClicks.count, 2);
}

TEST_F(ButtonClickTest, SpaceWithAltShowsNoPress) {
    first->SetFocus();
    KeyDown(VK_SPACE, ssAlt);
    EXPECT_FALSE(first->Pressed());
    KeyUp(VK_SPACE, ssAlt);
    EXPECT_EQ(firstClicks.count, 0);
}

TEST_F(ButtonClickTest, EnterClicksTheFocusedButton) {
    second->SetDefault(true);
    first->SetFocus();
    Press(VK_RETURN);
    EXPECT_EQ(firstClicks.count, 1);
    EXPECT_EQ(secondClicks.count, 0);
}

TEST_F(ButtonClickTest, EnterClicksTheDefaultButtonWhileAnotherControlHasFocus) {
    second->SetDefault(true);
    box->SetFocus();
    Idle();
    EXPECT_TRUE(second->Active());
    Press(VK_RETURN);
    EXPECT_EQ(secondClicks.count, 1);
    Press(VK_RETURN, ssShift);
    Press(VK_RETURN, ssCtrl);
    EXPECT_EQ(secondClicks.count, 1);
}

TEST_F(ButtonClickTest, EscapeClicksTheCancelButtonWithoutModifiers) {
    second->SetCancel(true);
    box->SetFocus();
    Press(VK_ESCAPE);
    EXPECT_EQ(secondClicks.count, 1);
    Press(VK_ESCAPE, ssShift);
    EXPECT_EQ(secondClicks.count, 1);
}

TEST_F(ButtonClickTest, AHiddenDefaultButtonIsNotPressedByEnter) {
    second->SetDefault(true);
    second->Hide();
    box->SetFocus();
    Press(VK_RETURN);
    EXPECT_EQ(secondClicks.count, 0);
}

TEST_F(ButtonClickTest, TheAcceleratorClicks) {
    box->SetFocus();
    windows().Type(Window(form), "s", ssAlt);
    Idle();
    EXPECT_EQ(secondClicks.count, 1);
}

TEST_F(ButtonClickTest, EveryClickCopiesTheButtonsModalResultToTheForm) {
    form->SetModalResult(mrCancel);
    ClickOn(first);
    EXPECT_EQ(form->ModalResult(), mrNone);
    second->SetModalResult(mrOk);
    ClickOn(second);
    EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST_F(ButtonClickTest, WithoutOnClickAClickExecutesTheAction) {
    auto* action = new TAction(form);
    int executed = 0;
    action->OnExecute = [&](TObject*) {
        ++executed;
    };
    action->SetCaption("Go");
    first->OnClick = nullptr;
    first->SetAction(action);
    EXPECT_EQ(first->Caption(), "Go");
    ClickOn(first);
    EXPECT_EQ(executed, 1);
    delete action;
    EXPECT_EQ(first->Action(), nullptr);
}
