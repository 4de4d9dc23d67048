#include "WidgetTestSupport.h"
#include "toolkit/widgets/Dialogs.h"

namespace {

class MessageBoxTest : public StdControlsTest {
protected:
    void SetUp() override {
        StdControlsTest::SetUp();
        app->SetTitle("Vesperon V2.4(Timer)");
        owner = ShowForm(486, 302);
    }
    // Runs steps against the box while it waits for an answer.
    void WhileShown(std::function<void(platform::headless::HeadlessWindow&, TMessageForm&)> steps) {
        platform.windows.Script([this, steps] {
            TMessageForm* box = nullptr;
            for (TCustomForm* form : app->Forms()) {
                box = box != nullptr ? box : dynamic_cast<TMessageForm*>(form);
            }
            ASSERT_NE(box, nullptr);
            Idle();
            steps(Window(box), *box);
        });
    }
    int AskExit() {
        return MessageBoxDialog("Are you sure to exit?", app->Title(), MB_YESNO | MB_ICONQUESTION);
    }

    TForm* owner = nullptr;
};

} // namespace

TEST_F(MessageBoxTest, YesNoAnswersByKeyboard) {
    WhileShown([this](platform::headless::HeadlessWindow& window, TMessageForm&) {
        platform.windows.Type(window, "n");
    });
    EXPECT_EQ(AskExit(), IDNO);
    WhileShown([this](platform::headless::HeadlessWindow& window, TMessageForm&) {
        platform.windows.Type(window, "Y");
    });
    EXPECT_EQ(AskExit(), IDYES);
    WhileShown([this](platform::headless::HeadlessWindow& window, TMessageForm&) {
        platform.windows.PressKey(window, VK_RETURN);
    });
    EXPECT_EQ(AskExit(), IDYES) << "Enter presses the focused first button";
    WhileShown([this](platform::headless::HeadlessWindow& window, TMessageForm& box) {
        platform.windows.PressKey(window, VK_TAB);
        EXPECT_TRUE(box.Buttons()[1]->Focused());
        platform.windows.PressKey(window, VK_RETURN);
    });
    EXPECT_EQ(AskExit(), IDNO);
    WhileShown([this](platform::headless::HeadlessWindow& window, TMessageForm&) {
        platform.windows.PressKey(window, VK_ESCAPE);
    });
    EXPECT_EQ(AskExit(), IDNO) << "Escape gives the safe answer";
}

TEST_F(MessageBoxTest, YesNoAnswersByMouse) {
    WhileShown([this](platform::headless::HeadlessWindow& window, TMessageForm& box) {
        TMessageButton* no = box.Buttons()[1];
        platform.windows.MouseDown(window, no->Left() + 5, no->Top() + 5);
        platform.windows.MouseMove(window, 2, 2);
        platform.windows.MouseUp(window, 2, 2); // released outside: no answer
        EXPECT_EQ(box.ModalResult(), mrNone);
        platform.windows.Click(window, no->Left() + 5, no->Top() + 5);
    });
    EXPECT_EQ(AskExit(), IDNO);
}

TEST_F(MessageBoxTest, TheBoxIsModalCentredOverTheActiveWindowAndSizedToItsText) {
    WhileShown([this](platform::headless::HeadlessWindow& window, TMessageForm& box) {
        EXPECT_FALSE(owner->Enabled()) << "the program's other windows wait";
        EXPECT_EQ(window.Title(), "Vesperon V2.4(Timer)");
        EXPECT_NEAR(box.Left() + box.Width() / 2, owner->Left() + owner->Width() / 2, 1);
        TLabel* text = box.Message();
        EXPECT_GE(text->Width(), MeasureText(*box.Font(), "Are you sure to exit?").cx);
        EXPECT_GE(box.Width(), text->Left() + text->Width());
        SaveScreenshot(window, "messagebox");
        platform.windows.Type(window, "y");
    });
    AskExit();
    EXPECT_TRUE(owner->Enabled());
    EXPECT_TRUE(Window(owner).Active()) << "the focus comes back to the window that had it";

    std::string longText(400, 'x');
    for (std::size_t i = 9; i < longText.size(); i += 10) {
        longText[i] = ' ';
    }
    WhileShown([this](platform::headless::HeadlessWindow& window, TMessageForm& box) {
        EXPECT_LE(box.Width(), 1280 * 3 / 4) << "long text wraps";
        EXPECT_GT(box.Message()->Height(), MeasureText(*box.Font(), "x").cy);
        platform.windows.PressKey(window, VK_RETURN);
    });
    EXPECT_EQ(MessageBoxDialog(longText, "Vesperon", MB_OK), IDOK);
}

TEST_F(MessageBoxTest, ClosingTheBoxLeavesAnIconifiedOwnerIconified) {
    app->Minimize();
    WhileShown([this](platform::headless::HeadlessWindow& window, TMessageForm&) {
        platform.windows.Type(window, "n");
    });
    EXPECT_EQ(AskExit(), IDNO);
    EXPECT_TRUE(Window(owner).Iconified());
    EXPECT_TRUE(app->Minimized());
}

TEST_F(MessageBoxTest, ShowMessageUsesTheBoxOnceInstalledWithTheApplicationTitle) {
    InstallMessageBoxDialog();
    WhileShown([this](platform::headless::HeadlessWindow& window, TMessageForm& box) {
        EXPECT_EQ(window.Title(), "Vesperon V2.4(Timer)");
        EXPECT_EQ(box.Buttons().size(), 1u);
        EXPECT_EQ(box.Message()->Caption(), "The set time is overdue!");
        platform.windows.RequestClose(window); // closing the box answers OK
    });
    ShowMessage("The set time is overdue!");
    EXPECT_TRUE(platform.windows.ScriptEmpty());
    WhileShown([this](platform::headless::HeadlessWindow& window, TMessageForm&) {
        platform.windows.Type(window, "n");
    });
    EXPECT_EQ(app->MessageBox("Are you sure to exit?", app->Title(), MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_TRUE(platform.messageBoxes.Shown().empty()) << "the scripted provider was replaced";
}
