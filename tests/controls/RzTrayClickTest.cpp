#include "RzTrayTestSupport.h"
#include "toolkit/widgets/HintWindow.h"

#include <gmock/gmock.h>
#include <vector>

namespace {

using ::testing::ElementsAre;

// A main window on screen with its tray icon, menu and restore handler (which shows the
// window, as the program's handler does).
class TrayClickTest : public TrayTest {
protected:
    void SetUp() override {
        TrayTest::SetUp();
        menu = MakeMenu();
        menu->OnPopup = [this](TObject*) {
            steps.push_back("menu");
        };
        tray = MakeTray([this](TRzTrayIcon* t) {
            t->SetHint("Vesperon (Timer)");
            t->SetPopupMenu(menu);
            t->OnRestoreApp = [this](TObject*) {
                steps.push_back("restore");
                form->Show();
            };
            t->OnMinimizeApp = [this](TObject*) {
                steps.push_back("minimize");
            };
        });
        form->Show();
        Idle();
    }

    // Opens the menu by releasing the right button; `whileOpen` runs inside the menu's loop,
    // then the menu closes.
    void RightClickWithMenuOpen(const std::function<void()>& whileOpen) {
        platform.windows.Script(whileOpen);
        platform.windows.Script([this] {
            menuWasOpen = menu->IsOpen();
            menu->CloseMenu();
        });
        Shell().Mouse(WM_RBUTTONDOWN);
        Shell().Mouse(WM_RBUTTONUP);
        Idle();
    }

    TPopupMenu* menu = nullptr;
    TRzTrayIcon* tray = nullptr;
    std::vector<std::string> steps;
    bool menuWasOpen = false;
};

// ---------------------------------------------------------------------------------------
// Minimising and restoring

TEST_F(TrayClickTest, MinimizeToTrayWhileShownFiresTwiceAndHidesTheTaskbarButton) {
    tray->MinimizeToTray();

    EXPECT_THAT(steps, ElementsAre("minimize", "minimize"));
    EXPECT_TRUE(app->Minimized());
    EXPECT_FALSE(app->AppWindowVisible());
    EXPECT_TRUE(Window(form).SkipTaskbar());
}

TEST_F(TrayClickTest, TheUserMinimisingTheWindowGoesToTheTrayOnce) {
    platform.windows.UserIconify(Window(form));
    Idle();

    EXPECT_THAT(steps, ElementsAre("minimize"));
    EXPECT_FALSE(app->AppWindowVisible());
}

TEST_F(TrayClickTest, ALeftDoubleClickRestoresOnceAndActivatesTheWindow) {
    tray->MinimizeToTray();
    steps.clear();
    platform.windows.SwitchToOtherApplication();

    Shell().DoubleClickLeft();
    Idle();

    EXPECT_THAT(steps, ElementsAre("restore"));
    EXPECT_FALSE(app->Minimized());
    EXPECT_TRUE(app->AppWindowVisible());
    EXPECT_FALSE(Window(form).SkipTaskbar());
    EXPECT_TRUE(Window(form).Active());
}

TEST_F(TrayClickTest, ARestoreFromElsewhereEndsInOneRestoreEvent) {
    tray->MinimizeToTray();
    steps.clear();

    app->Restore();

    EXPECT_THAT(steps, ElementsAre("restore"));
    EXPECT_TRUE(app->AppWindowVisible());
}

TEST_F(TrayClickTest, ADisabledIconNeitherHidesNorShowsTheTaskbarButton) {
    tray->SetEnabled(false);
    tray->MinimizeToTray();
    EXPECT_TRUE(app->AppWindowVisible());
    EXPECT_THAT(steps, ElementsAre("minimize", "minimize"));
}

// ---------------------------------------------------------------------------------------
// Clicks and the popup menu

TEST_F(TrayClickTest, ReleasingTheRightButtonOpensTheMenuAtTheCursor) {
    platform.windows.MouseMove(Window(form), 30, 40);
    TRect menuBounds;
    RightClickWithMenuOpen([this, &menuBounds] { menuBounds = menu->Window()->ScreenBounds(); });

    EXPECT_TRUE(menuWasOpen);
    EXPECT_EQ(menuBounds.Left, 130);
    EXPECT_EQ(menuBounds.Top, 140);
    EXPECT_FALSE(menu->IsOpen());
}

TEST_F(TrayClickTest, ADoubleClickWhileTheMenuIsOpenDoesNotRestore) {
    tray->MinimizeToTray();
    steps.clear();

    RightClickWithMenuOpen([this] { Shell().DoubleClickLeft(); });

    EXPECT_THAT(steps, ElementsAre("menu"));
    EXPECT_TRUE(app->Minimized());
    Shell().DoubleClickLeft();
    Idle();
    EXPECT_THAT(steps, ElementsAre("menu", "restore"));
}

TEST_F(TrayClickTest, OpeningTheMenuLeavesAMinimisedWindowInTheTray) {
    tray->MinimizeToTray();
    RightClickWithMenuOpen([] {});
    EXPECT_TRUE(Window(form).Iconified());
    EXPECT_TRUE(app->Minimized());
}

TEST_F(TrayClickTest, TheSameClickForRestoreAndMenuRestoresFirst) {
    tray->SetRestoreOn(ticRightClickUp);
    tray->MinimizeToTray();
    steps.clear();

    RightClickWithMenuOpen([] {});

    EXPECT_THAT(steps, ElementsAre("restore", "menu"));
    EXPECT_TRUE(menuWasOpen);
}

TEST_F(TrayClickTest, EachMouseMessageFiresItsEventAndOthersAreIgnored) {
    tray->SetPopupMenu(nullptr);
    tray->SetRestoreOn(ticNone);
    std::vector<std::string> events;
    auto note = [&events](const char* name) {
        return [&events, name](TObject*) {
            events.push_back(name);
        };
    };
    tray->OnLButtonDown = note("ldown");
    tray->OnLButtonUp = note("lup");
    tray->OnLButtonDblClick = note("ldbl");
    tray->OnRButtonDown = note("rdown");
    tray->OnRButtonUp = note("rup");
    tray->OnRButtonDblClick = note("rdbl");
    tray->OnBalloonHintHide = note("bhide");
    tray->OnBalloonHintClose = note("bclose");
    tray->OnBalloonHintClick = note("bclick");

    for (unsigned message :
         {0x200u, 0x201u, 0x202u, 0x203u, 0x204u, 0x205u, 0x206u, 0x207u, 0x402u, 0x403u, 0x404u, 0x405u}) {
        Shell().Mouse(message);
    }
    Idle();

    EXPECT_THAT(events,
                ElementsAre("ldown", "lup", "ldbl", "rdown", "rup", "rdbl", "bhide", "bclose", "bclick"));
}

TEST_F(TrayClickTest, TheMenuGoneElsewhereIsForgotten) {
    auto* other = new TPopupMenu(nullptr);
    tray->SetPopupMenu(other);
    delete other;
    EXPECT_EQ(tray->PopupMenu(), nullptr);
    Shell().Mouse(WM_RBUTTONUP);
    Idle();
}

// ---------------------------------------------------------------------------------------
// End of session

TEST_F(TrayClickTest, QueryEndSessionAnswersAsTheHandlerDecides) {
    EXPECT_EQ(SendMessage(tray->WindowHandle(), WM_QUERYENDSESSION, 0, 0), 1);

    tray->OnQueryEndSession = [](TObject*, bool& allow) {
        allow = false;
    };
    EXPECT_EQ(SendMessage(tray->WindowHandle(), WM_QUERYENDSESSION, 0, 0), 0);
}

TEST_F(TrayClickTest, EndSessionRemovesTheIconOnlyWhenTheSessionEnds) {
    int ended = 0;
    tray->OnEndSession = [&ended](TObject*) {
        ++ended;
    };

    SendMessage(tray->WindowHandle(), WM_ENDSESSION, 0, 0);
    EXPECT_EQ(Shell().Icons().size(), 1u);

    SendMessage(tray->WindowHandle(), WM_ENDSESSION, 1, 0);
    EXPECT_EQ(ended, 2);
    EXPECT_TRUE(Shell().Icons().empty());
    EXPECT_TRUE(tray->Enabled());
}

// ---------------------------------------------------------------------------------------
// Tooltips for hosts that show none

TEST_F(TrayClickTest, AHostWithoutTooltipsGetsTheHintWindowAfterThePause) {
    TRzTrayWindow* window = tray->WindowHandle();
    window->ShowTip(platform::Point{300, 200}, "Vesperon (Timer)\rWill be Shutdown");
    EXPECT_EQ(window->ShownTip(), nullptr);

    Advance(app->HintPause());

    ASSERT_NE(window->ShownTip(), nullptr);
    EXPECT_EQ(window->ShownTip()->Text(), "Vesperon (Timer)\nWill be Shutdown");
    window->HideTip();
    EXPECT_EQ(window->ShownTip(), nullptr);
}

// The countdown rewrites the hint every second while the pointer rests on the icon: a due
// tip keeps its pause and shows the latest text, a shown one follows each change in place,
// below the pointer by the cursor's height.
TEST_F(TrayClickTest, TheTipFollowsTheHintUnderARestingPointer) {
    TRzTrayWindow* window = tray->WindowHandle();
    const platform::Point pointer{300, 200};
    window->ShowTip(pointer, "Will be Shutdown: 0 hours 0 minutes 9 seconds");
    Advance(app->HintPause() - 1);
    window->ShowTip(pointer, "Will be Shutdown: 0 hours 0 minutes 8 seconds");
    Advance(1);

    ASSERT_NE(window->ShownTip(), nullptr);
    EXPECT_EQ(window->ShownTip()->Text(), "Will be Shutdown: 0 hours 0 minutes 8 seconds");
    window->ShowTip(pointer, "Will be Shutdown: 0 hours 0 minutes 7 seconds");
    EXPECT_EQ(window->ShownTip()->Text(), "Will be Shutdown: 0 hours 0 minutes 7 seconds");
    EXPECT_EQ(window->ShownTip()->ScreenBounds().Left, 300);
    EXPECT_EQ(window->ShownTip()->ScreenBounds().Top, 220);
}

} // namespace
