#include "WidgetTestSupport.h"
#include "toolkit/widgets/Menus.h"

namespace {

// The tray menu: "&Show", a separator, "&Exit".
class MenuTest : public StdControlsTest {
protected:
    void SetUp() override {
        StdControlsTest::SetUp();
        form = ShowForm();
        menu = new TPopupMenu(form);
        show = AddItem("&Show");
        AddItem("-");
        exit = AddItem("&Exit");
    }
    TMenuItem* AddItem(const std::string& caption) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        item->OnClick = [this, caption](TObject*) {
            clicks.push_back(caption);
            openDuringClick = menu->IsOpen();
        };
        menu->Items()->Add(item);
        return item;
    }
    // Runs steps against the open menu's window while Popup waits.
    void WhileOpen(std::function<void(platform::headless::HeadlessWindow&, TMenuWindow&)> steps) {
        platform.windows.Script([this, steps] {
            TMenuWindow* window = menu->Window();
            ASSERT_NE(window, nullptr);
            steps(*dynamic_cast<platform::headless::HeadlessWindow*>(window->NativeWindow()), *window);
        });
    }
    TPoint Centre(TMenuWindow& window, int index) {
        TRect r = window.ItemRect(index);
        return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }

    TForm* form = nullptr;
    TPopupMenu* menu = nullptr;
    TMenuItem* show = nullptr;
    TMenuItem* exit = nullptr;
    std::vector<std::string> clicks;
    bool openDuringClick = true;
};

} // namespace

TEST_F(MenuTest, KeyboardSelectionSkipsTheSeparatorAndTheClickFollowsPopup) {
    WhileOpen([this](platform::headless::HeadlessWindow& window, TMenuWindow& menuWindow) {
        platform.windows.PressKey(window, VK_DOWN);
        EXPECT_EQ(menuWindow.Selected(), 0);
        platform.windows.PressKey(window, VK_DOWN);
        EXPECT_EQ(menuWindow.Selected(), 2);
        SaveScreenshot(window, "menu");
        platform.windows.PressKey(window, VK_RETURN);
    });
    menu->Popup(500, 400);
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_TRUE(clicks.empty()) << "Popup returns before the item's handler runs";
    Idle();
    EXPECT_EQ(clicks, std::vector<std::string>{"&Exit"});
    EXPECT_FALSE(openDuringClick);
    EXPECT_TRUE(Window(form).Active()) << "the focus is back with the form";
}

TEST_F(MenuTest, MouseChoosesTheItemUnderThePointer) {
    WhileOpen([this](platform::headless::HeadlessWindow& window, TMenuWindow& menuWindow) {
        EXPECT_EQ(window.Bounds().left, 500);
        EXPECT_EQ(window.Bounds().top, 400);
        TPoint p = Centre(menuWindow, 1);
        platform.windows.Click(window, p.X, p.Y); // the separator: nothing
        EXPECT_TRUE(menu->IsOpen());
        p = Centre(menuWindow, 0);
        platform.windows.Click(window, p.X, p.Y);
    });
    menu->Popup(500, 400);
    Idle();
    EXPECT_EQ(clicks, std::vector<std::string>{"&Show"});
}

TEST_F(MenuTest, EscapeAndAClickOutsideCloseWithoutAChoice) {
    WhileOpen([this](platform::headless::HeadlessWindow& window, TMenuWindow&) {
        platform.windows.PressKey(window, VK_DOWN);
        platform.windows.PressKey(window, VK_ESCAPE);
    });
    menu->Popup(10, 10);
    WhileOpen([this](platform::headless::HeadlessWindow& window, TMenuWindow&) {
        platform.windows.Click(window, -30, 5);
    });
    menu->Popup(10, 10);
    Idle();
    EXPECT_TRUE(clicks.empty());
}

TEST_F(MenuTest, MnemonicsChooseTheirItemAndDisabledItemsCannotBeChosen) {
    exit->SetEnabled(false);
    WhileOpen([this](platform::headless::HeadlessWindow& window, TMenuWindow& menuWindow) {
        platform.windows.Type(window, "e");
        EXPECT_TRUE(menu->IsOpen()) << "Exit is disabled";
        TPoint p = Centre(menuWindow, 2);
        platform.windows.Click(window, p.X, p.Y);
        EXPECT_TRUE(menu->IsOpen());
        platform.windows.Type(window, "S");
    });
    menu->Popup(10, 10);
    Idle();
    EXPECT_EQ(clicks, std::vector<std::string>{"&Show"});
}

TEST_F(MenuTest, AMenuNearTheScreenEdgeOpensOnTheOtherSideAndClosesWhenTheFocusGoes) {
    WhileOpen([this](platform::headless::HeadlessWindow& window, TMenuWindow&) {
        EXPECT_LE(window.Bounds().right, 1280);
        EXPECT_LE(window.Bounds().bottom, 1024);
        EXPECT_EQ(window.Bounds().right, 1275);
        EXPECT_EQ(window.Bounds().bottom, 1020);
        platform.windows.SwitchToOtherApplication(); // the menu loses the focus
    });
    menu->Popup(1275, 1020);
    EXPECT_FALSE(menu->IsOpen());
}
