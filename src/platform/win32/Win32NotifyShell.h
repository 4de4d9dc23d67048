// The notification area of Windows: Shell_NotifyIconW with the first record layouts (no
// balloons, no newer notification style), one hidden window that receives every icon's
// callbacks and the shell's "TaskbarCreated" message and passes them to the program's windows.
#pragma once

#include "platform/NotifyShell.h"
#include "platform/win32/HiddenWindow.h"
#include "platform/win32/IconImage.h"

#include <map>
#include <set>
#include <string>
#include <utility>

namespace platform::win32 {

// The tooltip as the shell takes it: UTF-16, a carriage return between lines becomes a line
// feed, at most `capacity` - 1 characters.
std::wstring ShellTip(const std::string& tip, std::size_t capacity);

class Win32NotifyShell final : public INotifyShell {
public:
    Win32NotifyShell();
    ~Win32NotifyShell() override;
    Win32NotifyShell(const Win32NotifyShell&) = delete;
    Win32NotifyShell& operator=(const Win32NotifyShell&) = delete;

    unsigned ShellVersion() override;
    bool NotifyIcon(unsigned message, const NotifyIconData& data) override;
    bool HostPresent() override;
    void AddListener(INotifySink& sink) override { listeners_.insert(&sink); }
    void RemoveListener(INotifySink& sink) override { listeners_.erase(&sink); }

private:
    // One icon of the program, known to the shell by the hidden window and its own number.
    struct Icon {
        unsigned shellId = 0;
        unsigned callbackMessage = 0;
        IconHandle image;
    };
    using IconKey = std::pair<INotifySink*, std::uintptr_t>;

    bool Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool Call(DWORD message, const NotifyIconData& data, Icon& icon);

    std::map<IconKey, Icon> icons_;
    std::set<INotifySink*> listeners_;
    unsigned nextShellId_ = 1;
    unsigned taskbarCreated_ = 0;
    HiddenWindow window_;
};

} // namespace platform::win32
