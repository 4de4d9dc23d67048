// The notification area of Windows as the program's windows hear it: the shell's version,
// "TaskbarCreated" reaching every listener, and icons the shell does not know.
#include "platform/win32/Win32NotifyShell.h"

#include "platform/win32/SystemHeaders.h"

#include <gtest/gtest.h>

namespace {

class RecordingSink : public platform::INotifySink {
public:
    void PostCallback(unsigned, std::uintptr_t, unsigned) override { ++callbacks; }
    void PostTaskbarCreated() override { ++taskbarCreated; }
    void ShowTip(platform::Point, const std::string&) override {}
    void HideTip() override {}
    int callbacks = 0;
    int taskbarCreated = 0;
};

void PumpMessages() {
    MSG message{};
    for (int i = 0; i < 50; ++i) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

TEST(NotifyShell, TheShellIsNewEnoughForTheLongTooltip) {
    platform::win32::Win32NotifyShell shell;
    EXPECT_GE(shell.ShellVersion(), 5u * 65536);
}

TEST(NotifyShell, TaskbarCreatedReachesEveryListenerOnce) {
    platform::win32::Win32NotifyShell shell;
    RecordingSink first;
    RecordingSink second;
    RecordingSink gone;
    shell.AddListener(first);
    shell.AddListener(second);
    shell.AddListener(gone);
    shell.RemoveListener(gone);
    // The shell sends it to every top-level window when the taskbar starts again.
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    PumpMessages();
    EXPECT_EQ(first.taskbarCreated, 1);
    EXPECT_EQ(second.taskbarCreated, 1);
    EXPECT_EQ(gone.taskbarCreated, 0);
}

TEST(NotifyShell, AnIconTheShellDoesNotKnowCannotBeChangedOrDeleted) {
    platform::win32::Win32NotifyShell shell;
    RecordingSink sink;
    platform::NotifyIconData data;
    data.cbSize = platform::kNotifyIconDataExtendedSize;
    data.hWnd = &sink;
    data.uID = 7;
    EXPECT_FALSE(shell.NotifyIcon(NIM_MODIFY, data));
    EXPECT_FALSE(shell.NotifyIcon(NIM_DELETE, data));
}

} // namespace
