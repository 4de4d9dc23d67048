#include "platform/win32/Win32NotifyShell.h"

#include "platform/win32/SystemHeaders.h"
#include "platform/win32/WideText.h"
// The system headers below need windows.h before them.
#include <shlwapi.h>
#include <vector>

namespace platform::win32 {

namespace {

// The message the shell sends the hidden window for every icon (wParam: the icon's number).
constexpr UINT kIconCallback = WM_APP + 1;

} // namespace

std::wstring ShellTip(const std::string& tip, std::size_t capacity) {
    std::wstring wide = Widen(tip);
    for (wchar_t& c : wide) {
        if (c == L'\r') {
            c = L'\n';
        }
    }
    if (capacity > 0 && wide.size() > capacity - 1) {
        wide.resize(capacity - 1);
    }
    return wide;
}

Win32NotifyShell::Win32NotifyShell()
    : taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")),
      window_([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
          result = 0;
          return Handle(message, wParam, lParam);
      }) {}

Win32NotifyShell::~Win32NotifyShell() {
    for (auto& [key, icon] : icons_) {
        NOTIFYICONDATAW record{};
        record.cbSize = NOTIFYICONDATAW_V1_SIZE;
        record.hWnd = window_.Handle();
        record.uID = icon.shellId;
        Shell_NotifyIconW(NIM_DELETE, &record);
    }
}

unsigned Win32NotifyShell::ShellVersion() {
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (shell == nullptr) {
        return 0;
    }
    auto getVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(shell, "DllGetVersion")));
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    if (getVersion == nullptr || getVersion(&info) != S_OK) {
        return 0;
    }
    return unsigned(info.dwMajorVersion) * 65536 + unsigned(info.dwMinorVersion);
}

bool Win32NotifyShell::Call(DWORD message, const NotifyIconData& data, Icon& icon) {
    const bool extended = data.cbSize >= kNotifyIconDataExtendedSize;
    NOTIFYICONDATAW record{};
    // The layouts without balloons: 64 tooltip characters, or 128 with the second one.
    record.cbSize = extended ? NOTIFYICONDATAW_V2_SIZE : NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = window_.Handle();
    record.uID = icon.shellId;
    record.uFlags = data.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP);
    record.uCallbackMessage = kIconCallback;
    if ((data.uFlags & NIF_MESSAGE) != 0) {
        icon.callbackMessage = data.uCallbackMessage;
    }
    IconHandle previous;
    if ((data.uFlags & NIF_ICON) != 0) {
        previous = std::move(icon.image);
        icon.image.Reset(CreateIconFromPixels(data.hIcon));
        record.hIcon = icon.image.Get();
    }
    if ((data.uFlags & NIF_TIP) != 0) {
        const std::size_t capacity = extended ? kNotifyTipExtendedBytes : kNotifyTipBasicBytes;
        const std::wstring tip = ShellTip(NotifyTipText(data), capacity);
        tip.copy(record.szTip, tip.size());
    }
    return Shell_NotifyIconW(message, &record) != FALSE;
}

bool Win32NotifyShell::NotifyIcon(unsigned message, const NotifyIconData& data) {
    const IconKey key{data.hWnd, data.uID};
    auto found = icons_.find(key);
    if (message == NIM_ADD) {
        if (found != icons_.end()) {
            return false;
        }
        Icon icon;
        icon.shellId = nextShellId_++;
        if (!Call(NIM_ADD, data, icon)) {
            return false;
        }
        icons_.emplace(key, std::move(icon));
        return true;
    }
    if (found == icons_.end()) {
        return false;
    }
    if (message == NIM_MODIFY) {
        return Call(NIM_MODIFY, data, found->second);
    }
    if (message == NIM_DELETE) {
        NotifyIconData none;
        none.cbSize = data.cbSize;
        const bool deleted = Call(NIM_DELETE, none, found->second);
        icons_.erase(found);
        return deleted;
    }
    return false;
}

bool Win32NotifyShell::HostPresent() {
    return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
}

bool Win32NotifyShell::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kIconCallback) {
        for (const auto& [key, icon] : icons_) {
            if (icon.shellId == unsigned(wParam)) {
                key.first->PostCallback(icon.callbackMessage, key.second, LOWORD(lParam));
                break;
            }
        }
        return true;
    }
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        // The shell holds none of the icons now; the program adds them again.
        icons_.clear();
        for (INotifySink* sink : std::vector<INotifySink*>(listeners_.begin(), listeners_.end())) {
            sink->PostTaskbarCreated();
        }
        return true;
    }
    return false;
}

} // namespace platform::win32
