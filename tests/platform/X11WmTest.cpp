// With a window manager (openbox), the requests that only a window manager answers:
// activation through _NET_ACTIVE_WINDOW, iconify and restore, state changes of a mapped window.
#include "platform/X11Fixture.h"

#include <X11/Xatom.h>

namespace x11test {
namespace {

class X11WmTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        if (FindProgram("openbox").empty()) {
            GTEST_SKIP() << "openbox is not installed";
        }
        wm_ = StartOnDisplay(server_->Display(), {"openbox", "--sm-disable"});
        ASSERT_GT(wm_, 0);
        ASSERT_TRUE(PumpUntil([&] { return system_->HasWindowManager(); }, 5000)) << "openbox did not start";
        // openbox announces itself before it has finished taking over the screen.
        PumpUntil([] { return false; }, 300);
    }

    void TearDown() override {
        window_.reset();
        StopProcess(wm_);
        X11Test::TearDown();
    }

    void ShowManagedWindow() {
        WindowOptions options;
        options.title = "managed";
        options.bounds = Rect{200, 150, 400, 250};
        window_ = MakeWindow(options);
        ShowAndWait(*window_);
    }

    bool HasState(const char* name) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(observer_, window_->Id(), XInternAtom(observer_, "_NET_WM_STATE", False), 0, 64,
                           False, XA_ATOM, &type, &format, &count, &remaining, &data);
        bool found = false;
        const Atom wanted = XInternAtom(observer_, name, False);
        for (unsigned long i = 0; data != nullptr && i < count; ++i) {
            found = found || reinterpret_cast<Atom*>(data)[i] == wanted;
        }
        if (data != nullptr) {
            XFree(data);
        }
        return found;
    }

    pid_t wm_ = -1;
    std::unique_ptr<X11Window> window_;
};

TEST_F(X11WmTest, ActivateAsksTheWindowManagerAndGetsTheFocus) {
    ShowManagedWindow();
    window_->Activate();
    EXPECT_TRUE(PumpUntil([&] { return events_.Has(kFocusInInput); }));
}

TEST_F(X11WmTest, IconifyAndRestoreGoThroughTheWindowManager) {
    ShowManagedWindow();
    window_->Iconify();
    ASSERT_TRUE(PumpUntil([&] { return events_.Has(InputKind::Iconified); }));
    window_->Restore();
    ASSERT_TRUE(PumpUntil([&] { return events_.Has(InputKind::Restored); }));
    EXPECT_TRUE(window_->IsVisible());
}

TEST_F(X11WmTest, SkipTaskbarOfAMappedWindowIsChangedByTheWindowManager) {
    ShowManagedWindow();
    EXPECT_FALSE(HasState("_NET_WM_STATE_SKIP_TASKBAR"));
    window_->SetSkipTaskbar(true);
    EXPECT_TRUE(PumpUntil([&] { return HasState("_NET_WM_STATE_SKIP_TASKBAR"); }));
    window_->SetSkipTaskbar(false);
    EXPECT_TRUE(PumpUntil([&] { return !HasState("_NET_WM_STATE_SKIP_TASKBAR"); }));
}

} // namespace
} // namespace x11test
