// Windows made through the platform interface, as other X clients see them.
#include "platform/X11Fixture.h"
#include "platform/x11/X11Backend.h"
#include "platform/x11/X11Errors.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <cstring>
#include <unistd.h>

namespace x11test {
namespace {

std::vector<unsigned char> PropertyBytes(Display* display, Window window, const char* name,
                                         Atom* typeOut = nullptr) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned char> bytes;
    XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1 << 20, False, AnyPropertyType,
                       &type, &format, &count, &remaining, &data);
    if (data != nullptr) {
        const std::size_t unit = format == 32 ? sizeof(long) : std::size_t(format / 8);
        bytes.assign(data, data + count * unit);
        XFree(data);
    }
    if (typeOut != nullptr) {
        *typeOut = type;
    }
    return bytes;
}

std::string PropertyText(Display* display, Window window, const char* name) {
    const auto bytes = PropertyBytes(display, window, name);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<long> PropertyLongs(Display* display, Window window, const char* name) {
    const auto bytes = PropertyBytes(display, window, name);
    std::vector<long> values(bytes.size() / sizeof(long));
    if (!values.empty()) {
        std::memcpy(values.data(), bytes.data(), values.size() * sizeof(long));
    }
    return values;
}

WindowOptions MainWindowOptions() {
    WindowOptions options;
    options.title = "Vesperon V2.4(Timer)";
    options.bounds = Rect{157, 149, 157 + 486, 149 + 302};
    options.alwaysOnTop = true;
    return options;
}

class X11WindowTest : public X11Test {};

TEST_F(X11WindowTest, IdentityIsWhatWindowManagersRead) {
    auto window = MakeWindow(MainWindowOptions());
    XSync(system_->XDisplay(), False);

    char* name = nullptr;
    ASSERT_NE(XFetchName(observer_, window->Id(), &name), 0);
    EXPECT_STREQ(name, "Vesperon V2.4(Timer)");
    XFree(name);
    EXPECT_EQ(PropertyText(observer_, window->Id(), "_NET_WM_NAME"), "Vesperon V2.4(Timer)");

    XClassHint classHint{};
    ASSERT_NE(XGetClassHint(observer_, window->Id(), &classHint), 0);
    EXPECT_STREQ(classHint.res_name, "vesperon");
    EXPECT_STREQ(classHint.res_class, "Vesperon");
    XFree(classHint.res_name);
    XFree(classHint.res_class);

    EXPECT_EQ(PropertyLongs(observer_, window->Id(), "_NET_WM_PID"), std::vector<long>{long(getpid())});
    EXPECT_FALSE(PropertyText(observer_, window->Id(), "WM_CLIENT_MACHINE").empty());
}

TEST_F(X11WindowTest, UnicodeTitleIsUtf8AndItsLatinFormIsTheOldName) {
    auto window = MakeWindow(MainWindowOptions());
    window->SetTitle("Caf\xc3\xa9 \xe2\x82\xac");
    XSync(system_->XDisplay(), False);
    EXPECT_EQ(PropertyText(observer_, window->Id(), "_NET_WM_NAME"), "Caf\xc3\xa9 \xe2\x82\xac");
    EXPECT_EQ(PropertyText(observer_, window->Id(), "WM_NAME"), "Caf\xe9 ?");
}

TEST_F(X11WindowTest, InvalidUtf8TitleIsRepairedNotPassedOn) {
    auto window = MakeWindow(MainWindowOptions());
    window->SetTitle("Caf\xe9");
    XSync(system_->XDisplay(), False);
    EXPECT_EQ(PropertyText(observer_, window->Id(), "_NET_WM_NAME"), "Caf\xc3\xa9");
}

TEST_F(X11WindowTest, FixedSizeMeansEqualMinimumAndMaximumAndNoMaximise) {
    auto window = MakeWindow(MainWindowOptions());
    XSync(system_->XDisplay(), False);

    XSizeHints hints{};
    long supplied = 0;
    ASSERT_NE(XGetWMNormalHints(observer_, window->Id(), &hints, &supplied), 0);
    ASSERT_TRUE(hints.flags & PMinSize);
    ASSERT_TRUE(hints.flags & PMaxSize);
    EXPECT_EQ(hints.min_width, 486);
    EXPECT_EQ(hints.max_width, 486);
    EXPECT_EQ(hints.min_height, 302);
    EXPECT_EQ(hints.max_height, 302);

    const auto motif = PropertyLongs(observer_, window->Id(), "_MOTIF_WM_HINTS");
    ASSERT_EQ(motif.size(), 5u);
    EXPECT_EQ(motif[1] & 16, 0) << "no maximise function";
    EXPECT_EQ(motif[2] & 64, 0) << "no maximise button";
    EXPECT_NE(motif[2] & 8, 0) << "title bar";
    EXPECT_NE(motif[2] & 32, 0) << "minimise button";
}

TEST_F(X11WindowTest, BorderlessWindowAsksForNoDecorations) {
    WindowOptions options = MainWindowOptions();
    options.borderless = true;
    auto window = MakeWindow(options);
    XSync(system_->XDisplay(), False);
    const auto motif = PropertyLongs(observer_, window->Id(), "_MOTIF_WM_HINTS");
    ASSERT_EQ(motif.size(), 5u);
    EXPECT_EQ(motif[2], 0);
}

TEST_F(X11WindowTest, AlwaysOnTopAndSkipTaskbarAreNetWmStates) {
    auto window = MakeWindow(MainWindowOptions());
    window->SetSkipTaskbar(true);
    XSync(system_->XDisplay(), False);
    const auto states = PropertyLongs(observer_, window->Id(), "_NET_WM_STATE");
    const long above = long(XInternAtom(observer_, "_NET_WM_STATE_ABOVE", False));
    const long skip = long(XInternAtom(observer_, "_NET_WM_STATE_SKIP_TASKBAR", False));
    EXPECT_EQ(states, (std::vector<long>{above, skip}));

    window->SetSkipTaskbar(false);
    XSync(system_->XDisplay(), False);
    EXPECT_EQ(PropertyLongs(observer_, window->Id(), "_NET_WM_STATE"), std::vector<long>{above});
}

TEST_F(X11WindowTest, IconBecomesOpaqueArgbProperty) {
    auto window = MakeWindow(MainWindowOptions());
    const std::uint32_t pixels[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
    window->SetIcon(PixelView{pixels, 2, 2, 2});
    XSync(system_->XDisplay(), False);
    std::vector<unsigned long> icon;
    for (const long value : PropertyLongs(observer_, window->Id(), "_NET_WM_ICON")) {
        icon.push_back(static_cast<unsigned long>(value) & 0xFFFFFFFFUL); // Xlib sign-extends
    }
    EXPECT_EQ(icon, (std::vector<unsigned long>{2, 2, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF123456}));

    window->SetIcon(PixelView{});
    XSync(system_->XDisplay(), False);
    EXPECT_TRUE(PropertyLongs(observer_, window->Id(), "_NET_WM_ICON").empty());
}

TEST_F(X11WindowTest, ShowHideAndBoundsWithoutWindowManager) {
    auto window = MakeWindow(MainWindowOptions());
    ShowAndWait(*window);
    EXPECT_TRUE(window->IsVisible());
    XWindowAttributes attributes{};
    XGetWindowAttributes(observer_, window->Id(), &attributes);
    EXPECT_EQ(attributes.map_state, IsViewable);
    EXPECT_EQ(attributes.x, 157);
    EXPECT_EQ(attributes.width, 486);
    EXPECT_EQ(attributes.height, 302);

    window->Hide();
    XSync(system_->XDisplay(), False);
    EXPECT_FALSE(window->IsVisible());
    XGetWindowAttributes(observer_, window->Id(), &attributes);
    EXPECT_EQ(attributes.map_state, IsUnmapped);
}

TEST_F(X11WindowTest, SetBoundsMovesAndResizesWithoutEchoingAResize) {
    auto window = MakeWindow(MainWindowOptions());
    ShowAndWait(*window);
    window->SetBounds(Rect{10, 20, 110, 70});
    EXPECT_EQ(window->Bounds().left, 10);
    EXPECT_EQ(window->Bounds().Width(), 100);
    XWindowAttributes attributes{};
    ASSERT_TRUE(PumpUntil([&] {
        XGetWindowAttributes(observer_, window->Id(), &attributes);
        return attributes.width == 100;
    }));
    EXPECT_EQ(attributes.x, 10);
    EXPECT_EQ(attributes.y, 20);
    EXPECT_EQ(attributes.height, 50);
    PumpUntil([] { return false; }, 100);
    EXPECT_FALSE(events_.Has(InputKind::Resize)) << "the toolkit already knows the size it asked for";

    XSizeHints hints{};
    long supplied = 0;
    XGetWMNormalHints(observer_, window->Id(), &hints, &supplied);
    EXPECT_EQ(hints.max_width, 100);
}

TEST_F(X11WindowTest, ResizeFromOutsideIsReported) {
    auto window = MakeWindow(MainWindowOptions());
    ShowAndWait(*window);
    XResizeWindow(observer_, window->Id(), 300, 200);
    XFlush(observer_);
    ASSERT_TRUE(PumpUntil([&] { return events_.Has(InputKind::Resize); }));
    const auto resize = events_.Of(InputKind::Resize).back();
    EXPECT_EQ(resize.area.Width(), 300);
    EXPECT_EQ(resize.area.Height(), 200);
    EXPECT_EQ(window->Bounds().Width(), 300);
}

TEST_F(X11WindowTest, IconifyAndRestoreAreEmulatedWithoutWindowManager) {
    auto window = MakeWindow(MainWindowOptions());
    ShowAndWait(*window);
    window->Iconify();
    ASSERT_TRUE(PumpUntil([&] { return events_.Has(InputKind::Iconified); }));
    window->Restore();
    ASSERT_TRUE(PumpUntil([&] { return events_.Has(InputKind::Restored); }));
    XWindowAttributes attributes{};
    XGetWindowAttributes(observer_, window->Id(), &attributes);
    EXPECT_EQ(attributes.map_state, IsViewable);
}

TEST_F(X11WindowTest, ActivateWithoutWindowManagerFocusesOnceMapped) {
    auto window = MakeWindow(MainWindowOptions());
    window->Show();
    window->Activate();
    ASSERT_TRUE(PumpUntil([&] { return events_.Has(kFocusInInput); }));
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(observer_, &focus, &revert);
    EXPECT_EQ(focus, window->Id());
}

TEST_F(X11WindowTest, DeleteWindowMessageBecomesCloseRequest) {
    auto window = MakeWindow(MainWindowOptions());
    ShowAndWait(*window);
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window->Id();
    message.xclient.message_type = XInternAtom(observer_, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = long(XInternAtom(observer_, "WM_DELETE_WINDOW", False));
    XSendEvent(observer_, window->Id(), False, NoEventMask, &message);
    XFlush(observer_);
    EXPECT_TRUE(PumpUntil([&] { return events_.Has(InputKind::CloseRequest); }));
}

TEST_F(X11WindowTest, HandlerMayDestroyTheWindowItHears) {
    auto window = MakeWindow(MainWindowOptions());
    ShowAndWait(*window);
    events_.onInput = [&](INativeWindow&, const InputEvent& event) {
        if (event.kind == InputKind::KeyDown) {
            window.reset();
        }
    };
    window->Activate();
    ASSERT_TRUE(PumpUntil([&] { return events_.Has(kFocusInInput); }));
    if (!Xdotool({"key", "a"})) {
        GTEST_SKIP() << "xdotool is not installed";
    }
    // The key press gives KeyDown and Char; the Char must not reach the destroyed window.
    ASSERT_TRUE(PumpUntil([&] { return window == nullptr; }));
    PumpUntil([] { return false; }, 200);
    EXPECT_FALSE(events_.Has(InputKind::Char));
}

TEST_F(X11WindowTest, ScreenBoundsArePlainScreenWithoutWorkArea) {
    const Rect screen = system_->ScreenBounds();
    EXPECT_EQ(screen.Width(), 800);
    EXPECT_EQ(screen.Height(), 600);
}

TEST_F(X11WindowTest, DpmsRequestIsSilentWhereServerHasNone) {
    system_->SetMonitorPower(1);
    system_->SetMonitorPower(2);
    system_->SetMonitorPower(-1);
    system_->SetMonitorPower(7);
    system_->Beep();
    auto window = MakeWindow(MainWindowOptions());
    window->SetCursor(PointerShape::SizeNWSE);
    window->SetCursor(PointerShape::IBeam);
    XSync(system_->XDisplay(), False);
    EXPECT_EQ(TakeLastError(), 0);
}

TEST(X11Open, NoDisplayGivesReasonInsteadOfCrash) {
    std::string error;
    auto system = OpenWindowSystem(":9999", error);
    EXPECT_EQ(system, nullptr);
    EXPECT_NE(error.find(":9999"), std::string::npos);
}

} // namespace
} // namespace x11test
