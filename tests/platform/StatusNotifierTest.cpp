#include "platform/StatusNotifierFixture.h"
#include "platform/headless/HeadlessNotifyShell.h"
#include "toolkit/widgets/Menus.h"

#include <gmock/gmock.h>

namespace sntest {
namespace {

const std::string kArmedHint = "Vesperon (Timer)\rWill be Shutdown: 0 hours 29 minutes 59 seconds";

std::string ReadString(sd_bus_message* reply) {
    const char* text = nullptr;
    return reply != nullptr && sd_bus_message_read(reply, "s", &text) >= 0 ? text : "";
}

// ---------------------------------------------------------------------------------------
// Registration and what the host reads

TEST_F(StatusNotifierTest, TheIconRegistersAsAnItemWithTheWatcher) {
    StartWatcher();
    ASSERT_TRUE(watcher->Ok());
    MakeShell();
    TRzTrayIcon* tray = MakeTray("Vesperon (Timer)");

    ASSERT_TRUE(PumpUntil([this] { return !watcher->registered.empty(); }));
    EXPECT_TRUE(tray->Enabled());
    EXPECT_EQ(watcher->registered[0], ItemOf(tray));
    EXPECT_THAT(watcher->registered[0], ::testing::StartsWith("org.kde.StatusNotifierItem-"));
}

TEST_F(StatusNotifierTest, TheToolTipCarriesTheCountdownsTwoLines) {
    StartWatcher();
    MakeShell();
    TRzTrayIcon* tray = MakeTray("Vesperon (Timer)");
    tray->SetHint(kArmedHint);
    const std::string name = ItemOf(tray);

    sd_bus_message* reply = ItemProperty(name, "ToolTip");
    ASSERT_NE(reply, nullptr);
    const char* iconName = nullptr;
    const char* title = nullptr;
    const char* body = nullptr;
    ASSERT_GE(sd_bus_message_enter_container(reply, 'r', "sa(iiay)ss"), 0);
    ASSERT_GE(sd_bus_message_read(reply, "s", &iconName), 0);
    ASSERT_GE(sd_bus_message_skip(reply, "a(iiay)"), 0);
    ASSERT_GE(sd_bus_message_read(reply, "ss", &title, &body), 0);
    EXPECT_STREQ(title, "Vesperon (Timer)");
    EXPECT_STREQ(body, "Will be Shutdown: 0 hours 29 minutes 59 seconds");
    sd_bus_message_unref(reply);

    reply = ItemProperty(name, "Title");
    EXPECT_EQ(ReadString(reply), "Vesperon (Timer)");
    sd_bus_message_unref(reply);
}

TEST_F(StatusNotifierTest, TheIconPixmapIsTheShownIconInNetworkByteOrder) {
    StartWatcher();
    MakeShell();
    TRzTrayIcon* tray = MakeTray("Vesperon (Timer)");

    sd_bus_message* reply = ItemProperty(ItemOf(tray), "IconPixmap");
    ASSERT_NE(reply, nullptr);
    int width = 0;
    int height = 0;
    const void* bytes = nullptr;
    std::size_t size = 0;
    ASSERT_GE(sd_bus_message_enter_container(reply, 'a', "(iiay)"), 0);
    ASSERT_GE(sd_bus_message_enter_container(reply, 'r', "iiay"), 0);
    ASSERT_GE(sd_bus_message_read(reply, "ii", &width, &height), 0);
    ASSERT_GE(sd_bus_message_read_array(reply, 'y', &bytes, &size), 0);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    ASSERT_EQ(size, 16u * 16u * 4u);
    const auto* pixel = static_cast<const unsigned char*>(bytes);
    EXPECT_EQ(pixel[0], 0xFF);
    EXPECT_EQ(pixel[1], 0x10);
    EXPECT_EQ(pixel[2], 0x20);
    EXPECT_EQ(pixel[3], 0x30);
    sd_bus_message_unref(reply);
}

TEST_F(StatusNotifierTest, AHintCutInsideACharacterStillReachesTheHost) {
    StartWatcher();
    MakeShell();
    // 126 ASCII bytes and a two-byte character: the cut at 127 bytes splits the character.
    TRzTrayIcon* tray = MakeTray(std::string(126, 'x') + "\xC3\xA9");

    sd_bus_message* reply = ItemProperty(ItemOf(tray), "Title");
    EXPECT_EQ(ReadString(reply), std::string(126, 'x'));
    sd_bus_message_unref(reply);
}

// ---------------------------------------------------------------------------------------
// What the host asks of the item

TEST_F(StatusNotifierTest, ActivateRestoresTheMainWindow) {
    StartWatcher();
    MakeShell();
    TRzTrayIcon* tray = MakeTray("Vesperon (Timer)");
    form->Show();
    tray->MinimizeToTray();
    ASSERT_FALSE(app->AppWindowVisible());

    sd_bus_message* reply = CallItem(ItemOf(tray), "org.kde.StatusNotifierItem", "Activate",
                                     [](sd_bus_message* m) { sd_bus_message_append(m, "ii", 10, 10); });
    ASSERT_NE(reply, nullptr);
    sd_bus_message_unref(reply);
    Idle();

    EXPECT_EQ(restored, 1);
    EXPECT_FALSE(app->Minimized());
    EXPECT_TRUE(app->AppWindowVisible());
}

TEST_F(StatusNotifierTest, ContextMenuOpensTheMenu) {
    StartWatcher();
    MakeShell();
    TRzTrayIcon* tray = MakeTray("Vesperon (Timer)");
    bool wasOpen = false;
    platform.windows.Script([this, &wasOpen] {
        wasOpen = menu->IsOpen();
        menu->CloseMenu();
    });

    sd_bus_message* reply = CallItem(ItemOf(tray), "org.kde.StatusNotifierItem", "ContextMenu",
                                     [](sd_bus_message* m) { sd_bus_message_append(m, "ii", 10, 10); });
    sd_bus_message_unref(reply);
    Idle();

    EXPECT_TRUE(wasOpen);
    EXPECT_EQ(restored, 0);
}

// ---------------------------------------------------------------------------------------
// Watchers coming and going

TEST_F(StatusNotifierTest, ARestartedWatcherGetsTheItemAgain) {
    StartWatcher();
    MakeShell();
    TRzTrayIcon* tray = MakeTray("Vesperon (Timer)");
    ASSERT_TRUE(PumpUntil([this] { return !watcher->registered.empty(); }));

    watcher.reset();
    ASSERT_TRUE(PumpUntil([this] { return !shell->WatcherPresent(); }));
    StartWatcher();

    ASSERT_TRUE(PumpUntil([this] { return !watcher->registered.empty(); }));
    EXPECT_TRUE(tray->Enabled());
    EXPECT_EQ(watcher->registered.size(), 1u);
}

TEST_F(StatusNotifierTest, AWatcherStartingAfterTheProgramGetsTheIcon) {
    MakeShell();
    EXPECT_FALSE(shell->HostPresent());
    TRzTrayIcon* tray = MakeTray("Vesperon (Timer)");
    form->Show();
    tray->MinimizeToTray();
    EXPECT_TRUE(tray->Enabled());
    EXPECT_TRUE(app->AppWindowVisible());

    StartWatcher();

    ASSERT_TRUE(PumpUntil([this] { return !watcher->registered.empty(); }));
    EXPECT_EQ(watcher->registered[0], ItemOf(tray));
    EXPECT_FALSE(app->AppWindowVisible());
}

TEST_F(StatusNotifierTest, WithoutAWatcherTheFallbackHoldsTheIconUntilOneStarts) {
    MakeShell(&fallback);
    TRzTrayIcon* tray = MakeTray("Vesperon (Timer)");
    ASSERT_EQ(fallback.Icons().size(), 1u);
    tray->SetHint(kArmedHint);
    EXPECT_EQ(fallback.Icons()[0].tip, kArmedHint);

    StartWatcher();
    ASSERT_TRUE(PumpUntil([this] { return !watcher->registered.empty(); }));

    EXPECT_TRUE(fallback.Icons().empty());
    EXPECT_TRUE(tray->Enabled());
}

TEST_F(StatusNotifierTest, ATrayAppearingForTheFallbackAddsEveryWantedIcon) {
    fallback.hostPresent = false;
    MakeShell(&fallback);
    TRzTrayIcon* loaded = MakeTray("Vesperon (Timer)");
    auto* inCode = new TRzTrayIcon(form);
    auto* disabled = new TRzTrayIcon(form);
    disabled->SetEnabled(false);

    fallback.RestartHost();
    Idle();

    EXPECT_TRUE(loaded->Enabled());
    EXPECT_TRUE(inCode->Enabled());
    EXPECT_EQ(fallback.Icons().size(), 2u);
}

} // namespace
} // namespace sntest
