// The XEmbed system tray with a real tray (trayer): no tray makes the add fail, the icon
// window docks into the tray's window, a click on it arrives as the icon's mouse messages,
// and a tray that starts again is "TaskbarCreated".
#include "platform/x11/XEmbedTray.h"

#include "platform/X11Fixture.h"

namespace x11test {
namespace {

constexpr unsigned kCallback = 9250;

class RecordingSink : public INotifySink {
public:
    void PostCallback(unsigned message, std::uintptr_t id, unsigned mouseMessage) override {
        if (message == kCallback && id == 1) {
            mouseMessages.push_back(mouseMessage);
        }
    }
    void PostTaskbarCreated() override { ++taskbarCreated; }
    void ShowTip(Point, const std::string&) override {}
    void HideTip() override {}

    std::vector<unsigned> mouseMessages;
    int taskbarCreated = 0;
};

class XEmbedTrayTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        if (FindProgram("trayer").empty()) {
            GTEST_SKIP() << "trayer is not installed";
        }
        tray_ = std::make_unique<XEmbedTray>(*system_);
        tray_->AddListener(sink_);
        icon_.resize(16 * 16, 0xFF2040C0);
        record_.cbSize = kNotifyIconDataExtendedSize;
        record_.hWnd = &sink_;
        record_.uID = 1;
        record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        record_.uCallbackMessage = kCallback;
        record_.hIcon = PixelView{icon_.data(), 16, 16, 16};
    }

    void TearDown() override {
        tray_.reset();
        StopProcess(trayer_);
        X11Test::TearDown();
    }

    // Starts trayer and waits for its announcement, after which the icons are added.
    void StartTrayer() {
        const int announced = sink_.taskbarCreated;
        trayer_ = StartOnDisplay(server_->Display(), {"trayer", "--edge", "top", "--align", "right"});
        ASSERT_GT(trayer_, 0);
        ASSERT_TRUE(PumpUntil([&] { return sink_.taskbarCreated == announced + 1; }, 5000))
            << "trayer did not announce itself";
        EXPECT_TRUE(tray_->HostPresent());
    }

    Window ParentOf(Window window) const {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(observer_, window, &root, &parent, &children, &count) == 0) {
            return 0;
        }
        XFree(children);
        return parent == root ? 0 : parent;
    }

    bool Docked() const {
        const Window window = tray_->IconWindow(&sink_, 1);
        XWindowAttributes attributes{};
        return window != 0 && ParentOf(window) != 0 &&
               XGetWindowAttributes(observer_, window, &attributes) != 0 &&
               attributes.map_state == IsViewable;
    }

    std::unique_ptr<XEmbedTray> tray_;
    RecordingSink sink_;
    std::vector<std::uint32_t> icon_;
    NotifyIconData record_;
    pid_t trayer_ = -1;
};

TEST_F(XEmbedTrayTest, WithoutATrayTheAddFails) {
    EXPECT_FALSE(tray_->HostPresent());
    EXPECT_FALSE(tray_->NotifyIcon(NIM_ADD, record_));
    EXPECT_FALSE(tray_->NotifyIcon(NIM_MODIFY, record_));
}

TEST_F(XEmbedTrayTest, TheIconDocksAndItsClicksArriveAsMouseMessages) {
    StartTrayer();
    ASSERT_TRUE(tray_->NotifyIcon(NIM_ADD, record_));
    EXPECT_FALSE(tray_->NotifyIcon(NIM_ADD, record_));
    ASSERT_TRUE(PumpUntil([&] { return Docked(); }, 5000)) << "the icon window was not docked";

    const std::string window = std::to_string(tray_->IconWindow(&sink_, 1));
    ASSERT_TRUE(Xdotool({"mousemove", "--window", window, "4", "4", "click", "1"}));
    ASSERT_TRUE(PumpUntil(
        [&] { return std::count(sink_.mouseMessages.begin(), sink_.mouseMessages.end(), 0x202u) == 1; }));
    EXPECT_EQ(std::count(sink_.mouseMessages.begin(), sink_.mouseMessages.end(), 0x201u), 1);

    EXPECT_TRUE(tray_->NotifyIcon(NIM_DELETE, record_));
    EXPECT_EQ(tray_->IconWindow(&sink_, 1), 0u);
}

TEST_F(XEmbedTrayTest, ATrayStartingAgainIsTaskbarCreated) {
    StartTrayer();
    ASSERT_TRUE(tray_->NotifyIcon(NIM_ADD, record_));
    ASSERT_TRUE(PumpUntil([&] { return Docked(); }, 5000));

    StopProcess(trayer_);
    StartTrayer();
    EXPECT_EQ(tray_->IconWindow(&sink_, 1), 0u); // the new tray holds none of the icons
    EXPECT_TRUE(tray_->NotifyIcon(NIM_ADD, record_));
    EXPECT_TRUE(PumpUntil([&] { return Docked(); }, 5000));
}

} // namespace
} // namespace x11test
