#include "platform/win32/Win32WindowSystem.h"

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Window.h"

#include <algorithm>
#include <cstring>

namespace platform::win32 {

std::unique_ptr<Win32WindowSystem> Win32WindowSystem::Open(std::string& error) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    // Double clicks arrive as their own messages; every pixel comes from the back buffer.
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &Win32Window::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = nullptr;
    // The program file's own icon (resource 1), where it has one.
    windowClass.hIcon =
        static_cast<HICON>(LoadImageW(windowClass.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageW(windowClass.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        error = "cannot register the window class (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    return std::unique_ptr<Win32WindowSystem>(new Win32WindowSystem());
}

Win32WindowSystem::Win32WindowSystem()
    : wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      applicationWindow_(std::make_unique<HiddenWindow>(HiddenWindow::Handler())) {}

Win32WindowSystem::~Win32WindowSystem() {
    applicationWindow_.reset();
    if (wake_ != nullptr) {
        CloseHandle(wake_);
    }
}

std::unique_ptr<INativeWindow> Win32WindowSystem::CreateNativeWindow(const WindowOptions& options,
                                                                     IWindowEvents& events) {
    return std::make_unique<Win32Window>(*this, options, events);
}

void Win32WindowSystem::Unregister(HWND hwnd) {
    windows_.erase(hwnd);
    std::erase_if(queued_, [hwnd](const auto& entry) { return entry.first == hwnd; });
}

void Win32WindowSystem::Queue(HWND hwnd, const InputEvent& event) {
    queued_.emplace_back(hwnd, event);
    SetEvent(wake_);
}

Rect Win32WindowSystem::ScreenBounds() {
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
        return Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return Rect{area.left, area.top, area.right, area.bottom};
}

Point Win32WindowSystem::CursorPos() {
    POINT point{};
    GetCursorPos(&point);
    return Point{point.x, point.y};
}

void Win32WindowSystem::SetMonitorPower(int state) {
    // The default window procedure of a top-level window carries the command out.
    SendMessageW(applicationWindow_->Handle(), WM_SYSCOMMAND, SC_MONITORPOWER, LPARAM(state));
}

void Win32WindowSystem::SetClipboardText(const std::string& text) {
    if (!OpenClipboard(applicationWindow_->Handle())) {
        return;
    }
    EmptyClipboard();
    const std::wstring wide = Widen(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory != nullptr) {
        if (void* target = GlobalLock(memory)) {
            std::memcpy(target, wide.c_str(), bytes);
            GlobalUnlock(memory);
            if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
                GlobalFree(memory);
            }
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

std::string Win32WindowSystem::ClipboardText() {
    if (!OpenClipboard(applicationWindow_->Handle())) {
        return std::string();
    }
    std::string text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(memory))) {
            text = Narrow(wide);
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}

void Win32WindowSystem::WatchFd(int /*fd*/, bool /*readable*/, bool /*writable*/, FdCallback /*onReady*/) {}

void Win32WindowSystem::UnwatchFd(int /*fd*/) {}

void Win32WindowSystem::WaitAndDispatch(std::optional<std::int64_t> deadlineMs) {
    if (!queued_.empty()) {
        DeliverQueued();
        return;
    }
    DWORD timeout = INFINITE;
    if (deadlineMs) {
        timeout = DWORD(std::clamp<std::int64_t>(*deadlineMs - MonotonicMilliseconds(), 0, 0x7FFFFFFF));
    }
    MSG message{};
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        MsgWaitForMultipleObjectsEx(1, &wake_, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeliverQueued();
}

void Win32WindowSystem::DeliverQueued() {
    while (!queued_.empty()) {
        const auto [hwnd, event] = queued_.front();
        queued_.pop_front();
        // A handler may destroy the window (a close request that frees the form).
        const auto found = windows_.find(hwnd);
        if (found != windows_.end()) {
            found->second->Events().HandleInput(*found->second, event);
        }
    }
}

} // namespace platform::win32
