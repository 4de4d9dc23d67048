// Real input from the server (xdotool drives the XTEST extension) arrives as the platform's
// input events: coordinates, buttons, double clicks, wheel, virtual keys and text.
#include "platform/X11Fixture.h"

#include <X11/keysym.h>

namespace x11test {
namespace {

constexpr int kLeft = 100;
constexpr int kTop = 100;

class X11InputTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        if (FindProgram("xdotool").empty()) {
            GTEST_SKIP() << "xdotool is not installed";
        }
        WindowOptions options;
        options.title = "input";
        options.bounds = Rect{kLeft, kTop, kLeft + 200, kTop + 150};
        window_ = MakeWindow(options);
        ShowAndWait(*window_);
        window_->Activate();
        ASSERT_TRUE(PumpUntil([&] { return events_.Has(kFocusInInput); }));
        events_.events.clear();
    }

    void TearDown() override {
        window_.reset();
        X11Test::TearDown();
    }

    // Runs xdotool, then pumps until `count` events of `kind` arrived.
    bool Drive(const std::vector<std::string>& arguments, InputKind kind, std::size_t count = 1) {
        return Xdotool(arguments) && PumpUntil([&] { return events_.Of(kind).size() >= count; });
    }

    // Binds the key symbol to a keycode that has none.
    bool MapSpareKey(KeySym keysym) {
        int minCode = 0;
        int maxCode = 0;
        XDisplayKeycodes(observer_, &minCode, &maxCode);
        int perCode = 0;
        KeySym* map = XGetKeyboardMapping(observer_, KeyCode(minCode), maxCode - minCode + 1, &perCode);
        int spare = 0;
        for (int code = maxCode; code >= minCode && spare == 0; --code) {
            bool empty = true;
            for (int i = 0; i < perCode; ++i) {
                empty = empty && map[(code - minCode) * perCode + i] == NoSymbol;
            }
            spare = empty ? code : 0;
        }
        XFree(map);
        if (spare == 0) {
            return false;
        }
        KeySym symbols[2] = {keysym, keysym};
        XChangeKeyboardMapping(observer_, spare, 2, symbols, 1);
        XSync(observer_, False);
        return true;
    }

    std::unique_ptr<X11Window> window_;
};

TEST_F(X11InputTest, ClickArrivesAsDownAndUpAtClientCoordinates) {
    ASSERT_TRUE(
        Drive({"mousemove", "--sync", std::to_string(kLeft + 30), std::to_string(kTop + 40), "click", "1"},
              InputKind::MouseUp));
    const auto down = events_.Of(InputKind::MouseDown);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].pos.x, 30);
    EXPECT_EQ(down[0].pos.y, 40);
    EXPECT_EQ(down[0].button, MouseButton::Left);
    EXPECT_EQ(down[0].shift & kLeftButton, kLeftButton);
    EXPECT_FALSE(down[0].doubleClick);
    const auto up = events_.Of(InputKind::MouseUp);
    EXPECT_EQ(up[0].button, MouseButton::Left);
    EXPECT_EQ(up[0].shift & kLeftButton, 0u);
}

TEST_F(X11InputTest, RightButtonIsRight) {
    ASSERT_TRUE(
        Drive({"mousemove", "--sync", std::to_string(kLeft + 5), std::to_string(kTop + 6), "click", "3"},
              InputKind::MouseUp));
    EXPECT_EQ(events_.Of(InputKind::MouseDown).at(0).button, MouseButton::Right);
}

TEST_F(X11InputTest, QuickSecondClickIsDoubleClick) {
    ASSERT_TRUE(Drive({"mousemove", "--sync", std::to_string(kLeft + 50), std::to_string(kTop + 50), "click",
                       "--repeat", "2", "--delay", "80", "1"},
                      InputKind::MouseUp, 2));
    const auto down = events_.Of(InputKind::MouseDown);
    ASSERT_EQ(down.size(), 2u);
    EXPECT_FALSE(down[0].doubleClick);
    EXPECT_TRUE(down[1].doubleClick);
    EXPECT_EQ(down[1].shift & kDouble, kDouble);
}

TEST_F(X11InputTest, MotionWheelAndLeave) {
    ASSERT_TRUE(Drive({"mousemove", "--sync", std::to_string(kLeft + 70), std::to_string(kTop + 80)},
                      InputKind::MouseMove));
    const auto move = events_.Of(InputKind::MouseMove).back();
    EXPECT_EQ(move.pos.x, 70);
    EXPECT_EQ(move.pos.y, 80);

    ASSERT_TRUE(Drive({"click", "4", "click", "5"}, InputKind::MouseWheel, 2));
    const auto wheel = events_.Of(InputKind::MouseWheel);
    EXPECT_EQ(wheel[0].wheelDelta, 120);
    EXPECT_EQ(wheel[1].wheelDelta, -120);
    EXPECT_FALSE(events_.Has(InputKind::MouseDown)) << "a wheel notch is no button press";

    ASSERT_TRUE(Drive({"mousemove", "--sync", "5", "5"}, InputKind::MouseLeave));
}

TEST_F(X11InputTest, KeysGiveVirtualKeysAndText) {
    ASSERT_TRUE(Drive({"key", "Return", "type", "aB"}, InputKind::Char, 3));
    const auto downs = events_.Of(InputKind::KeyDown);
    std::vector<unsigned> keys;
    for (const auto& down : downs) {
        keys.push_back(down.virtualKey);
    }
    // Return, A, Shift, B
    EXPECT_EQ(keys, (std::vector<unsigned>{13, 'A', 16, 'B'}));
    EXPECT_EQ(downs[3].shift & kShift, kShift);
    const auto chars = events_.Of(InputKind::Char);
    EXPECT_EQ(chars[0].text, "\r");
    EXPECT_EQ(chars[1].text, "a");
    EXPECT_EQ(chars[2].text, "B");
    EXPECT_EQ(events_.Of(InputKind::KeyUp).size(), 4u);
}

TEST_F(X11InputTest, NavigationAndFunctionKeys) {
    ASSERT_TRUE(
        Drive({"key", "Prior", "Left", "Up", "Right", "Down", "Delete", "Escape", "F1", "BackSpace", "Tab"},
              InputKind::KeyUp, 10));
    std::vector<unsigned> keys;
    for (const auto& down : events_.Of(InputKind::KeyDown)) {
        keys.push_back(down.virtualKey);
    }
    EXPECT_EQ(keys, (std::vector<unsigned>{33, 37, 38, 39, 40, 46, 27, 112, 8, 9}));
    std::vector<std::string> texts;
    for (const auto& typed : events_.Of(InputKind::Char)) {
        texts.push_back(typed.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"\x1b", "\b", "\t"})) << "Delete and arrows type nothing";
}

TEST_F(X11InputTest, ControlLetterTypesControlCharacterAndAltIsReported) {
    ASSERT_TRUE(Drive({"key", "ctrl+c", "alt+x"}, InputKind::KeyUp, 4));
    const auto chars = events_.Of(InputKind::Char);
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].text, "\x03");
    EXPECT_EQ(chars[1].text, "x");
    EXPECT_EQ(chars[1].shift & kAlt, kAlt);
}

TEST_F(X11InputTest, NonAsciiCharactersArriveAsUtf8) {
    // xdotool types a character missing from the keymap by remapping a key for a moment, and
    // the mapping can be gone before a client looks the key up. Give the keymap both keys.
    ASSERT_TRUE(MapSpareKey(XK_eacute));
    ASSERT_TRUE(MapSpareKey(XK_EuroSign));
    PumpUntil([] { return false; }, 100);
    ASSERT_TRUE(Drive({"type", "\xc3\xa9\xe2\x82\xac"}, InputKind::Char, 2));
    const auto chars = events_.Of(InputKind::Char);
    EXPECT_EQ(chars[0].text, "\xc3\xa9");
    EXPECT_EQ(chars[1].text, "\xe2\x82\xac");
}

TEST_F(X11InputTest, CursorPosIsInScreenCoordinates) {
    ASSERT_TRUE(Xdotool({"mousemove", "--sync", "321", "234"}));
    const Point pos = system_->CursorPos();
    EXPECT_EQ(pos.x, 321);
    EXPECT_EQ(pos.y, 234);
}

TEST_F(X11InputTest, CaptureKeepsPointerEventsOutsideTheWindow) {
    window_->SetMouseCapture(true);
    ASSERT_TRUE(Drive({"mousemove", "--sync", std::to_string(kLeft + 300), std::to_string(kTop + 10)},
                      InputKind::MouseMove));
    EXPECT_EQ(events_.Of(InputKind::MouseMove).back().pos.x, 300);
    EXPECT_FALSE(events_.Has(InputKind::MouseLeave));
    window_->SetMouseCapture(false);
}

} // namespace
} // namespace x11test
