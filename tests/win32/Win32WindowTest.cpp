// The program's windows on Windows: frames and client areas, painting, the events the loop
// hands to the toolkit, minimising to the tray, the clipboard and the loop's waiting.
#include "platform/win32/Win32Window.h"

#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32WindowSystem.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using platform::InputKind;

class RecordingEvents : public platform::IWindowEvents {
public:
    void HandleInput(platform::INativeWindow&, const platform::InputEvent& event) override {
        events.push_back(event);
    }
    bool Heard(InputKind kind) const {
        return std::any_of(events.begin(), events.end(), [kind](const auto& e) { return e.kind == kind; });
    }
    std::vector<platform::InputEvent> events;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        system = platform::win32::Win32WindowSystem::Open(error);
        ASSERT_NE(system, nullptr) << error;
    }
    platform::win32::Win32Window& Open(const platform::WindowOptions& options) {
        windows.push_back(
            std::unique_ptr<platform::INativeWindow>(system->CreateNativeWindow(options, events)));
        return static_cast<platform::win32::Win32Window&>(*windows.back());
    }
    static platform::WindowOptions Main() {
        platform::WindowOptions options;
        options.title = "Vesperon V2.4(Timer)";
        options.bounds = {100, 100, 586, 402};
        return options;
    }
    // Runs the loop until nothing more arrives for a while.
    void Settle() {
        for (int i = 0; i < 20; ++i) {
            system->WaitAndDispatch(platform::win32::MonotonicMilliseconds() + 10);
        }
    }
    static RECT ClientRect(HWND hwnd) {
        RECT client{};
        GetClientRect(hwnd, &client);
        return client;
    }

    std::unique_ptr<platform::win32::Win32WindowSystem> system;
    RecordingEvents events;
    std::vector<std::unique_ptr<platform::INativeWindow>> windows;
};

TEST_F(WindowTest, TheMainWindowHasItsClientAreaAndNoMaximiseBox) {
    platform::win32::Win32Window& window = Open(Main());
    const RECT client = ClientRect(window.Handle());
    EXPECT_EQ(client.right, 486);
    EXPECT_EQ(client.bottom, 302);
    const LONG style = GetWindowLongW(window.Handle(), GWL_STYLE);
    EXPECT_NE(style & WS_CAPTION, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    wchar_t title[64] = {};
    GetWindowTextW(window.Handle(), title, 64);
    EXPECT_STREQ(title, L"Vesperon V2.4(Timer)");
}

TEST_F(WindowTest, ABorderlessWindowIsItsClientArea) {
    platform::WindowOptions options;
    options.bounds = {300, 300, 718, 415};
    options.borderless = true;
    options.alwaysOnTop = true;
    platform::win32::Win32Window& window = Open(options);
    RECT outer{};
    GetWindowRect(window.Handle(), &outer);
    EXPECT_EQ(outer.right - outer.left, 418);
    EXPECT_EQ(outer.bottom - outer.top, 115);
    EXPECT_NE(GetWindowLongW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(WindowTest, ShowingPaintsFromTheBackBufferAndFocusArrivesFromTheLoop) {
    platform::win32::Win32Window& window = Open(Main());
    window.Show();
    window.Activate();
    // Nothing reaches the toolkit from inside its own calls.
    EXPECT_TRUE(events.events.empty());
    Settle();
    EXPECT_TRUE(events.Heard(InputKind::FocusIn));
    EXPECT_TRUE(events.Heard(InputKind::Expose));
    std::vector<std::uint32_t> pixels(486 * 302, 0x00336699);
    window.Present(platform::PixelView{pixels.data(), 486, 302, 486}, platform::Rect{0, 0, 486, 302});
    HDC dc = GetDC(window.Handle());
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(0x33, 0x66, 0x99));
    ReleaseDC(window.Handle(), dc);
}

TEST_F(WindowTest, APartialViewLandsAtItsPlaceAndNoFurther) {
    platform::win32::Win32Window& window = Open(Main());
    window.Show();
    Settle();
    std::vector<std::uint32_t> whole(486 * 302, 0x00336699);
    window.Present(platform::PixelView{whole.data(), 486, 302, 486}, platform::Rect{0, 0, 486, 302});
    // A band of 100 x 32 pixels at (40, 64), named with a dirty area that reaches beyond it.
    std::vector<std::uint32_t> band(100 * 32, 0x00CC8844);
    window.Present(platform::PixelView{band.data(), 100, 32, 100, 40, 64}, platform::Rect{0, 0, 486, 302});
    HDC dc = GetDC(window.Handle());
    EXPECT_EQ(GetPixel(dc, 40, 64), RGB(0xCC, 0x88, 0x44));
    EXPECT_EQ(GetPixel(dc, 139, 95), RGB(0xCC, 0x88, 0x44));
    EXPECT_EQ(GetPixel(dc, 39, 64), RGB(0x33, 0x66, 0x99));
    EXPECT_EQ(GetPixel(dc, 140, 95), RGB(0x33, 0x66, 0x99));
    EXPECT_EQ(GetPixel(dc, 40, 96), RGB(0x33, 0x66, 0x99));
    ReleaseDC(window.Handle(), dc);
}

TEST_F(WindowTest, MouseAndKeyboardMessagesBecomeEvents) {
    platform::win32::Win32Window& window = Open(Main());
    PostMessageW(window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 30));
    PostMessageW(window.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 30));
    PostMessageW(window.Handle(), WM_CHAR, L'7', 0);
    PostMessageW(window.Handle(), WM_CLOSE, 0, 0);
    Settle();
    std::vector<InputKind> kinds;
    for (const auto& event : events.events) {
        if (event.kind != InputKind::MouseMove && event.kind != InputKind::MouseLeave) {
            kinds.push_back(event.kind);
        }
    }
    const std::vector<InputKind> expected = {InputKind::MouseDown, InputKind::MouseUp, InputKind::Char,
                                             InputKind::CloseRequest};
    EXPECT_EQ(kinds, expected);
    EXPECT_EQ(events.events.front().pos.x, 20);
    EXPECT_EQ(events.events.front().pos.y, 30);
    EXPECT_TRUE(IsWindow(window.Handle())) << "closing is the toolkit's decision";
}

TEST_F(WindowTest, MinimisedToTheTrayTheWindowLeavesTheScreenAndComesBack) {
    platform::win32::Win32Window& window = Open(Main());
    window.Show();
    Settle();
    window.Iconify();
    window.SetSkipTaskbar(true);
    Settle();
    EXPECT_TRUE(events.Heard(InputKind::Iconified));
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    events.events.clear();
    window.Restore();
    window.SetSkipTaskbar(false);
    Settle();
    EXPECT_TRUE(events.Heard(InputKind::Restored));
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_FALSE(IsIconic(window.Handle()));
}

TEST_F(WindowTest, MovingTheWindowTellsTheToolkitItsNewPlace) {
    platform::win32::Win32Window& window = Open(Main());
    window.Show();
    Settle();
    events.events.clear();
    RECT outer{};
    GetWindowRect(window.Handle(), &outer);
    SetWindowPos(window.Handle(), nullptr, outer.left + 40, outer.top + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Settle();
    ASSERT_TRUE(events.Heard(InputKind::Resize));
    EXPECT_EQ(window.Bounds().left, 140);
    EXPECT_EQ(window.Bounds().Width(), 486);
}

TEST_F(WindowTest, TheClipboardCarriesUnicodeText) {
    system->SetClipboardText("30 \xE2\x82\xAC");
    EXPECT_EQ(system->ClipboardText(), "30 \xE2\x82\xAC");
}

TEST_F(WindowTest, TheLoopWaitsForItsDeadlineOrAWakeUp) {
    const std::int64_t start = platform::win32::MonotonicMilliseconds();
    system->WaitAndDispatch(start + 60);
    EXPECT_GE(platform::win32::MonotonicMilliseconds() - start, 50);
    system->Wake();
    const std::int64_t woken = platform::win32::MonotonicMilliseconds();
    system->WaitAndDispatch(std::nullopt);
    EXPECT_LT(platform::win32::MonotonicMilliseconds() - woken, 1000);
}

} // namespace
