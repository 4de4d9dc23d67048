// The XEmbed system tray with a real tray (trayer): no tray makes the add fail, the icon
// window docks into the tray's window, the icon is scaled to the slot, a click on it arrives
// as the icon's mouse messages, the tip follows the hint while the pointer rests on the icon,
// and a tray that starts again is "TaskbarCreated".
#include "platform/x11/XEmbedTray.h"

#include "platform/X11Fixture.h"

#include <X11/Xutil.h>
#include <cstring>

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
    void ShowTip(Point screen, const std::string& text) override {
        tipPoint = screen;
        tips.push_back(text);
    }
    void HideTip() override { ++hidden; }

    std::vector<unsigned> mouseMessages;
    int taskbarCreated = 0;
    Point tipPoint;
    std::vector<std::string> tips;
    int hidden = 0;
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
    void StartTrayer(const std::vector<std::string>& options = {}) {
        const int announced = sink_.taskbarCreated;
        std::vector<std::string> command = {"trayer", "--edge", "top", "--align", "right"};
        command.insert(command.end(), options.begin(), options.end());
        trayer_ = StartOnDisplay(server_->Display(), command);
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

    // Adds the icon and waits until the tray has docked it.
    void AddDocked() {
        ASSERT_TRUE(tray_->NotifyIcon(NIM_ADD, record_));
        ASSERT_TRUE(PumpUntil([&] { return Docked(); }, 5000)) << "the icon window was not docked";
    }

    // The pixel of the icon window at (x, y) as 0xRRGGBB.
    unsigned long PixelAt(int x, int y) const {
        XImage* image = XGetImage(observer_, tray_->IconWindow(&sink_, 1), x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr) {
            return 0;
        }
        const unsigned long pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return pixel & 0xFFFFFFu;
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

// A 32-pixel icon in a smaller slot: red grows from left to right and green from top to
// bottom, so the corners of the slot show whether the whole icon is there or only its middle.
TEST_F(XEmbedTrayTest, AnIconLargerThanItsSlotIsScaledToFit) {
    StartTrayer({"--heighttype", "pixel", "--height", "16"});
    icon_.clear();
    for (std::uint32_t y = 0; y < 32; ++y) {
        for (std::uint32_t x = 0; x < 32; ++x) {
            icon_.push_back(0xFF000080u | (x * 8) << 16 | (y * 8) << 8);
        }
    }
    record_.hIcon = PixelView{icon_.data(), 32, 32, 32};
    AddDocked();
    XWindowAttributes slot{};
    ASSERT_NE(XGetWindowAttributes(observer_, tray_->IconWindow(&sink_, 1), &slot), 0);
    ASSERT_LT(slot.width, 32);
    const int side = std::min(slot.width, slot.height);
    const int left = (slot.width - side) / 2;
    const int top = (slot.height - side) / 2;

    const auto corners = [&] {
        return std::vector<unsigned long>{PixelAt(left, top), PixelAt(left + side - 1, top + side - 1)};
    };
    ASSERT_TRUE(PumpUntil([&] { return (corners()[0] & 0xFF) == 0x80; })) << "the icon was not painted";
    const std::vector<unsigned long> seen = corners();
    EXPECT_LT(seen[0] >> 16, 12u) << std::hex << seen[0];
    EXPECT_LT((seen[0] >> 8) & 0xFF, 12u) << std::hex << seen[0];
    EXPECT_GT(seen[1] >> 16, 236u) << std::hex << seen[1];
    EXPECT_GT((seen[1] >> 8) & 0xFF, 236u) << std::hex << seen[1];
}

// The countdown rewrites the hint every second: while the pointer rests on the icon, each
// change reaches the tip, which is placed for the pointer itself.
TEST_F(XEmbedTrayTest, TheTipFollowsTheHintWhileThePointerRests) {
    StartTrayer();
    std::strcpy(record_.szTip, "0 minutes 9 seconds");
    AddDocked();

    const std::string window = std::to_string(tray_->IconWindow(&sink_, 1));
    ASSERT_TRUE(Xdotool({"mousemove", "--window", window, "4", "5"}));
    ASSERT_TRUE(PumpUntil([&] { return !sink_.tips.empty(); }));
    EXPECT_EQ(sink_.tips.back(), "0 minutes 9 seconds");
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned mask = 0;
    XQueryPointer(observer_, DefaultRootWindow(observer_), &root, &child, &x, &y, &windowX, &windowY, &mask);
    EXPECT_EQ(sink_.tipPoint.x, x);
    EXPECT_EQ(sink_.tipPoint.y, y);

    std::strcpy(record_.szTip, "0 minutes 8 seconds");
    ASSERT_TRUE(tray_->NotifyIcon(NIM_MODIFY, record_));
    EXPECT_EQ(sink_.tips.back(), "0 minutes 8 seconds");

    ASSERT_TRUE(Xdotool({"mousemove", "500", "500"}));
    ASSERT_TRUE(PumpUntil([&] { return sink_.hidden > 0; }));
    std::strcpy(record_.szTip, "0 minutes 7 seconds");
    ASSERT_TRUE(tray_->NotifyIcon(NIM_MODIFY, record_));
    EXPECT_EQ(sink_.tips.back(), "0 minutes 8 seconds");
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
