#include "RzTrayTestSupport.h"

#include <gmock/gmock.h>

namespace {

using platform::NIM_ADD;
using platform::NIM_DELETE;
using platform::NIM_MODIFY;

// ---------------------------------------------------------------------------------------
// The record and the tooltip

TEST_F(TrayTest, LoadingAddsTheIconOnceWithTheExtendedRecordAndTheHint) {
    TRzTrayIcon* tray = MakeTray([](TRzTrayIcon* t) { t->SetHint("Vesperon (Timer)"); });

    EXPECT_TRUE(tray->UsesExtendedRecord());
    EXPECT_EQ(Shell().CountOf(NIM_ADD), 1u);
    ASSERT_EQ(Shell().Icons().size(), 1u);
    EXPECT_EQ(Shell().Icons()[0].tip, "Vesperon (Timer)");
    const platform::NotifyIconData& record = tray->Record();
    EXPECT_EQ(record.cbSize, 488u);
    EXPECT_EQ(record.uFlags, platform::NIF_MESSAGE | platform::NIF_ICON | platform::NIF_TIP);
    EXPECT_EQ(record.uCallbackMessage, 9250u);
    EXPECT_EQ(record.uID, reinterpret_cast<std::uintptr_t>(tray));
    EXPECT_EQ(record.hWnd, tray->WindowHandle());
    EXPECT_TRUE(tray->Enabled());
}

TEST_F(TrayTest, OlderOrUnknownShellsGetTheBasicRecord) {
    for (unsigned version : {4u * 65536u + 71u, 0u}) {
        Shell().version = version;
        auto tray = std::make_unique<TRzTrayIcon>(nullptr);
        EXPECT_FALSE(tray->UsesExtendedRecord());
        EXPECT_EQ(tray->Record().cbSize, 88u);
    }
}

TEST_F(TrayTest, LongHintsAreCutToTheTooltipBufferOfTheRecordInUse) {
    const std::string hundred(100, 'a');
    const std::string twoHundred = std::string(127, 'b') + std::string(73, 'c');
    TRzTrayIcon* extended = MakeTray();
    extended->SetHint(hundred);
    EXPECT_EQ(LastCall().tip, hundred);
    extended->SetHint(twoHundred);
    EXPECT_EQ(LastCall().tip, std::string(127, 'b'));
    EXPECT_EQ(extended->Hint(), twoHundred);

    Shell().version = 4 * 65536;
    TRzTrayIcon* basic = MakeTray();
    basic->SetHint(hundred);
    EXPECT_EQ(LastCall().size, 88u);
    EXPECT_EQ(LastCall().tip, std::string(63, 'a'));
    EXPECT_EQ(basic->Record().szTip[63], '\0');
}

TEST_F(TrayTest, SettingTheSameHintAgainMakesNoShellCall) {
    TRzTrayIcon* tray = MakeTray([](TRzTrayIcon* t) { t->SetHint("Vesperon (Timer)"); });
    const std::size_t before = Shell().calls.size();

    tray->SetHint("Vesperon (Timer)");

    EXPECT_EQ(Shell().calls.size(), before);
    tray->SetHint("vesperon (timer)");
    EXPECT_EQ(Shell().calls.size(), before + 1);
    EXPECT_EQ(LastCall().message, NIM_MODIFY);
}

TEST_F(TrayTest, AnEmptyHintClearsTheTipFlagAndTheBuffer) {
    TRzTrayIcon* tray = MakeTray([](TRzTrayIcon* t) { t->SetHint("Vesperon (Timer)\rWill be Shutdown"); });

    tray->SetHint("");

    EXPECT_EQ(LastCall().flags, platform::NIF_MESSAGE | platform::NIF_ICON);
    EXPECT_EQ(LastCall().tip, "");
    EXPECT_EQ(tray->Record().szTip[0], '\0');
    EXPECT_EQ(tray->Record().szTip[20], '\0');
}

TEST_F(TrayTest, AZeroByteEndsTheTooltip) {
    TRzTrayIcon* tray = MakeTray();
    tray->SetHint(std::string("one\0two", 7));
    EXPECT_EQ(LastCall().tip, "one");
}

// ---------------------------------------------------------------------------------------
// Icons, IconIndex and animation

TEST_F(TrayTest, IconIndexWithoutIconsShowsTheApplicationIconAndKeepsTheIndex) {
    TRzTrayIcon* tray = MakeTray([](TRzTrayIcon* t) { t->SetIconIndex(17); });

    EXPECT_EQ(tray->IconIndex(), 17);
    EXPECT_EQ(LastCall().iconPixel, kAppPixel);
    EXPECT_EQ(LastCall().iconWidth, 16);
}

TEST_F(TrayTest, IndexesOutsideTheListFallBackToTheApplicationIcon) {
    TCustomImageList* icons = MakeIcons(3);
    TRzTrayIcon* tray = MakeTray([icons](TRzTrayIcon* t) {
        t->SetIcons(icons);
        t->SetIconIndex(1);
    });
    EXPECT_EQ(LastCall().iconPixel, 0xFF000002u);

    for (int index : {-1, 3, 40}) {
        tray->SetIconIndex(index);
        EXPECT_EQ(LastCall().iconPixel, kAppPixel) << index;
        EXPECT_EQ(tray->IconIndex(), index);
    }
}

TEST_F(TrayTest, LoadingWithAnIndexOutsideTheListShowsTheApplicationIcon) {
    TCustomImageList* icons = MakeIcons(2);
    TRzTrayIcon* tray = MakeTray([icons](TRzTrayIcon* t) {
        t->SetIcons(icons);
        t->SetIconIndex(5);
    });
    EXPECT_EQ(tray->CurrentIcon().Image().At(0, 0), kAppPixel);
}

TEST_F(TrayTest, AnimationWrapsFromTheLastImageToTheFirst) {
    TCustomImageList* icons = MakeIcons(3);
    TRzTrayIcon* tray = MakeTray([icons](TRzTrayIcon* t) {
        t->SetIcons(icons);
        t->SetIconIndex(2);
        t->SetInterval(100);
    });
    tray->SetAnimate(true);

    Advance(100);
    EXPECT_EQ(tray->IconIndex(), 0);
    EXPECT_EQ(LastCall().iconPixel, 0xFF000001u);
    Advance(100);
    EXPECT_EQ(tray->IconIndex(), 1);
}

TEST_F(TrayTest, AnimationWithoutIconsDoesNothing) {
    TRzTrayIcon* tray = MakeTray([](TRzTrayIcon* t) { t->SetInterval(100); });
    tray->SetAnimate(true);
    const std::size_t before = Shell().calls.size();
    Advance(350);
    EXPECT_EQ(Shell().calls.size(), before);
    EXPECT_EQ(tray->IconIndex(), 0);
}

TEST_F(TrayTest, ChangedOrDestroyedIconsReachTheShownImage) {
    TCustomImageList* icons = MakeIcons(1);
    TRzTrayIcon* tray = MakeTray([icons](TRzTrayIcon* t) {
        t->SetIcons(icons);
        t->SetIconIndex(1);
    });
    EXPECT_EQ(LastCall().iconPixel, kAppPixel);

    TIcon second;
    second.Image().Resize(16, 16, 0xFF0000AA);
    icons->AddIcon(second);
    EXPECT_EQ(LastCall().iconPixel, 0xFF0000AAu);

    delete icons;
    EXPECT_EQ(tray->Icons(), nullptr);
    EXPECT_EQ(LastCall().iconPixel, kAppPixel);
}

// ---------------------------------------------------------------------------------------
// Enabled, tray hosts and destruction

TEST_F(TrayTest, DisablingRemovesTheIconAndEnablingAddsItWithTheCurrentTip) {
    TRzTrayIcon* tray = MakeTray([](TRzTrayIcon* t) { t->SetHint("first"); });

    tray->SetEnabled(false);
    EXPECT_EQ(LastCall().message, NIM_DELETE);
    EXPECT_TRUE(Shell().Icons().empty());

    tray->SetHint("second");
    tray->SetEnabled(true);
    EXPECT_EQ(LastCall().message, NIM_ADD);
    ASSERT_EQ(Shell().Icons().size(), 1u);
    EXPECT_EQ(Shell().Icons()[0].tip, "second");
}

TEST_F(TrayTest, ARefusedAddKeepsTheIconEnabledAndTheTaskbarButton) {
    Shell().hostPresent = false;
    TRzTrayIcon* tray = MakeTray();
    form->Show();

    EXPECT_TRUE(tray->Enabled());
    EXPECT_TRUE(Shell().Icons().empty());
    tray->MinimizeToTray();

    EXPECT_TRUE(app->Minimized());
    EXPECT_TRUE(app->AppWindowVisible());
    EXPECT_FALSE(Window(form).SkipTaskbar());

    // Enabling it again tries the add again.
    Shell().hostPresent = true;
    tray->SetEnabled(true);
    EXPECT_EQ(Shell().Icons().size(), 1u);
}

// At log-on the program may start before the panel: the host that appears later gets the
// icon, with its tip, and the minimised program leaves the taskbar for the tray.
TEST_F(TrayTest, AHostAppearingAfterARefusedAddGetsTheIcon) {
    Shell().hostPresent = false;
    TRzTrayIcon* tray = MakeTray([](TRzTrayIcon* t) { t->SetHint("Vesperon (Timer)"); });
    form->Show();
    tray->MinimizeToTray();
    ASSERT_TRUE(app->AppWindowVisible());

    Shell().RestartHost();
    Idle();

    ASSERT_EQ(Shell().Icons().size(), 1u);
    EXPECT_EQ(Shell().Icons()[0].tip, "Vesperon (Timer)");
    EXPECT_TRUE(tray->Enabled());
    EXPECT_FALSE(app->AppWindowVisible());
    EXPECT_TRUE(Window(form).SkipTaskbar());

    Shell().DoubleClickLeft();
    Idle();
    EXPECT_FALSE(app->Minimized());
    EXPECT_TRUE(app->AppWindowVisible());
}

TEST_F(TrayTest, TaskbarCreatedAddsTheIconExactlyOnceWhileEnabled) {
    TRzTrayIcon* tray = MakeTray([](TRzTrayIcon* t) { t->SetHint("tip"); });
    Shell().calls.clear();

    Shell().RestartHost();
    Idle();

    ASSERT_EQ(Shell().calls.size(), 1u);
    EXPECT_EQ(LastCall().message, NIM_ADD);
    EXPECT_EQ(LastCall().tip, "tip");
    EXPECT_TRUE(tray->Enabled());

    tray->SetEnabled(false);
    Shell().calls.clear();
    Shell().RestartHost();
    Idle();
    EXPECT_TRUE(Shell().calls.empty());
}

TEST_F(TrayTest, AnIconCreatedInCodeIsAddedByTaskbarCreated) {
    auto tray = std::make_unique<TRzTrayIcon>(nullptr);
    EXPECT_EQ(Shell().CountOf(NIM_ADD), 0u);

    Shell().RestartHost();
    Idle();

    EXPECT_EQ(Shell().CountOf(NIM_ADD), 1u);
}

TEST_F(TrayTest, AHostThatFailsTheReAddBringsTheTaskbarButtonBackUntilItComesAgain) {
    TRzTrayIcon* tray = MakeTray();
    form->Show();
    tray->MinimizeToTray();
    ASSERT_FALSE(app->AppWindowVisible());

    Shell().RestartHost();
    Shell().hostPresent = false;
    Idle();

    EXPECT_TRUE(tray->Enabled());
    EXPECT_TRUE(app->AppWindowVisible());

    Shell().RestartHost();
    Idle();
    EXPECT_EQ(Shell().Icons().size(), 1u);
    EXPECT_FALSE(app->AppWindowVisible());
}

// Two announcements before the first is answered: the second add finds the icon there and
// must not take it away.
TEST_F(TrayTest, AHostAnnouncedTwiceKeepsTheIcon) {
    TRzTrayIcon* tray = MakeTray();

    Shell().RestartHost();
    Shell().RestartHost();
    Idle();

    EXPECT_EQ(Shell().Icons().size(), 1u);
    EXPECT_EQ(Shell().CountOf(NIM_DELETE), 0u);
    EXPECT_TRUE(tray->Enabled());
}

TEST_F(TrayTest, DestructionDeletesTheIconAndGivesTheApplicationHooksBack) {
    TRzTrayIcon* tray = MakeTray();
    form->Show();
    ASSERT_TRUE(app->OnMinimize);
    EXPECT_EQ(Shell().ListenerCount(), 1u);

    delete tray;

    EXPECT_EQ(LastCall().message, NIM_DELETE);
    EXPECT_TRUE(Shell().Icons().empty());
    EXPECT_EQ(Shell().ListenerCount(), 0u);
    EXPECT_FALSE(app->OnMinimize);
    EXPECT_FALSE(app->OnRestore);
    app->Minimize();
    app->Restore();
}

TEST_F(TrayTest, DestructionLeavesHooksThatOthersInstalledSinceAlone) {
    TRzTrayIcon* tray = MakeTray();
    int minimized = 0;
    app->OnMinimize = [&minimized](TObject*) {
        ++minimized;
    };

    delete tray;
    app->Minimize();

    EXPECT_EQ(minimized, 1);
    EXPECT_FALSE(app->OnRestore);
}

TEST_F(TrayTest, MessagesPostedBeforeDestructionNeverArrive) {
    TRzTrayIcon* tray = MakeTray();
    int clicks = 0;
    tray->OnLButtonDown = [&clicks](TObject*) {
        ++clicks;
    };
    Shell().Mouse(WM_LBUTTONDOWN);

    delete tray;
    Idle();

    EXPECT_EQ(clicks, 0);
}

} // namespace
