#include "platform/win32/Win32Window.h"

#include "platform/win32/WideText.h"
#include "platform/win32/Win32WindowSystem.h"

#include <algorithm>
#include <windowsx.h>

namespace platform::win32 {

namespace {

bool SameRect(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Windows of at least one pixel each way.
Rect Sanitized(Rect bounds) {
    bounds.right = bounds.left + std::max(1, bounds.Width());
    bounds.bottom = bounds.top + std::max(1, bounds.Height());
    return bounds;
}

bool KeyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// The modifiers and buttons held now.
unsigned KeyShift() {
    unsigned shift = 0;
    if (KeyDown(VK_SHIFT)) {
        shift |= kShift;
    }
    if (KeyDown(VK_CONTROL)) {
        shift |= kCtrl;
    }
    if (KeyDown(VK_MENU)) {
        shift |= kAlt;
    }
    if (KeyDown(VK_LBUTTON)) {
        shift |= kLeftButton;
    }
    if (KeyDown(VK_RBUTTON)) {
        shift |= kRightButton;
    }
    if (KeyDown(VK_MBUTTON)) {
        shift |= kMiddleButton;
    }
    return shift;
}

LPCWSTR CursorResource(CursorShape shape) {
    switch (shape) {
    case CursorShape::IBeam:
        return IDC_IBEAM;
    case CursorShape::Hand:
        return IDC_HAND;
    case CursorShape::SizeNWSE:
        return IDC_SIZENWSE;
    case CursorShape::SizeNS:
        return IDC_SIZENS;
    case CursorShape::SizeWE:
        return IDC_SIZEWE;
    case CursorShape::Wait:
        return IDC_WAIT;
    case CursorShape::Arrow:
        break;
    }
    return IDC_ARROW;
}

} // namespace

WindowStyles StylesFor(const WindowOptions& options) {
    WindowStyles styles;
    if (options.kind != WindowKind::Normal) {
        styles.style = WS_POPUP;
        styles.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
        if (options.kind == WindowKind::Tooltip) {
            styles.exStyle |= WS_EX_NOACTIVATE;
        }
        return styles;
    }
    if (options.borderless) {
        // Still minimisable, from the taskbar button.
        styles.style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
    } else {
        styles.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        if (!options.fixedSize) {
            styles.style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
        }
    }
    if (options.alwaysOnTop) {
        styles.exStyle |= WS_EX_TOPMOST;
    }
    if (options.skipTaskbar) {
        styles.exStyle |= WS_EX_TOOLWINDOW;
    }
    return styles;
}

Win32Window::Win32Window(Win32WindowSystem& system, const WindowOptions& options, IWindowEvents& events)
    : system_(system), events_(events), options_(options), styles_(StylesFor(options)),
      bounds_(Sanitized(options.bounds)), skipTaskbar_(options.skipTaskbar),
      cursor_(LoadCursorW(nullptr, IDC_ARROW)) {
    RECT outer{bounds_.left, bounds_.top, bounds_.right, bounds_.bottom};
    AdjustWindowRectEx(&outer, styles_.style, FALSE, styles_.exStyle);
    CreateWindowExW(styles_.exStyle, Win32WindowSystem::kClassName, Widen(options.title).c_str(),
                    styles_.style, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                    nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd_ != nullptr) {
        system_.Register(hwnd_, this);
    }
}

Win32Window::~Win32Window() {
    if (hwnd_ == nullptr) {
        return;
    }
    system_.Unregister(hwnd_);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
}

LRESULT CALLBACK Win32Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return window->Handle(message, wParam, lParam);
}

void Win32Window::SetTitle(const std::string& title) {
    options_.title = title;
    SetWindowTextW(hwnd_, Widen(title).c_str());
}

void Win32Window::SetBounds(const Rect& screenBounds) {
    const Rect bounds = Sanitized(screenBounds);
    if (SameRect(bounds, bounds_)) {
        return;
    }
    bounds_ = bounds;
    RECT outer{bounds_.left, bounds_.top, bounds_.right, bounds_.bottom};
    AdjustWindowRectEx(&outer, styles_.style, FALSE, styles_.exStyle);
    SetWindowPos(hwnd_, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetIcon(const PixelView& icon) {
    IconHandle image(CreateIconFromPixels(icon));
    // The system scales the one picture for the title bar and the taskbar.
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(image.Get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(image.Get()));
    icon_ = std::move(image);
}

void Win32Window::Show() {
    visible_ = true;
    if (!OnScreen()) {
        return;
    }
    if (iconic_) {
        ShowWindow(hwnd_, SW_SHOWMINNOACTIVE);
    } else if (options_.kind == WindowKind::Normal) {
        ShowWindow(hwnd_, SW_SHOW);
    } else {
        SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

void Win32Window::Hide() {
    visible_ = false;
    ShowWindow(hwnd_, SW_HIDE);
}

void Win32Window::Iconify() {
    if (!visible_) {
        SetIconic(true);
        return;
    }
    ShowWindow(hwnd_, SW_MINIMIZE);
    // Minimised to the tray: no taskbar button and no minimised frame either.
    if (skipTaskbar_) {
        ShowWindow(hwnd_, SW_HIDE);
    }
}

void Win32Window::Restore() {
    visible_ = true;
    if (IsIconic(hwnd_)) {
        ShowWindow(hwnd_, SW_RESTORE);
        return;
    }
    SetIconic(false);
    ShowWindow(hwnd_, SW_SHOW);
}

void Win32Window::Activate() {
    if (!OnScreen() || IsIconic(hwnd_)) {
        return;
    }
    SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
}

void Win32Window::SetSkipTaskbar(bool skip) {
    if (skipTaskbar_ == skip) {
        return;
    }
    skipTaskbar_ = skip;
    // A window on screen keeps its button; a minimised one goes to the tray or comes back.
    if (visible_ && iconic_) {
        ShowWindow(hwnd_, skip ? SW_HIDE : SW_SHOWMINNOACTIVE);
    }
}

void Win32Window::Present(const PixelView& buffer, const Rect& dirty) {
    Rect area{std::max(dirty.left, buffer.left), std::max(dirty.top, buffer.top),
              std::min(dirty.right, buffer.left + buffer.width),
              std::min(dirty.bottom, buffer.top + buffer.height)};
    if (buffer.pixels == nullptr || area.IsEmpty()) {
        return;
    }
    // A bitmap of exactly the dirty rows, top-down, so that no source origin is ambiguous.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = buffer.stride;
    info.bmiHeader.biHeight = -area.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const std::uint32_t* rows =
        buffer.pixels + std::size_t(area.top - buffer.top) * std::size_t(buffer.stride);
    HDC dc = GetDC(hwnd_);
    StretchDIBits(dc, area.left, area.top, area.Width(), area.Height(), area.left - buffer.left, 0,
                  area.Width(), area.Height(), rows, &info, DIB_RGB_COLORS, SRCCOPY);
    ReleaseDC(hwnd_, dc);
}

void Win32Window::SetCursor(CursorShape cursor) {
    cursor_ = LoadCursorW(nullptr, CursorResource(cursor));
    POINT point{};
    RECT client{};
    if (GetCursorPos(&point) && ScreenToClient(hwnd_, &point) && GetClientRect(hwnd_, &client) &&
        PtInRect(&client, point)) {
        ::SetCursor(cursor_);
    }
}

void Win32Window::SetMouseCapture(bool capture) {
    if (capture) {
        SetCapture(hwnd_);
    } else if (GetCapture() == hwnd_) {
        ReleaseCapture();
    }
}

void Win32Window::Queue(InputKind kind, const Rect& area) {
    InputEvent event;
    event.kind = kind;
    event.area = area;
    Queue(event);
}

void Win32Window::Queue(const InputEvent& event) {
    system_.Queue(hwnd_, event);
}

void Win32Window::SetIconic(bool iconic) {
    if (iconic_ == iconic) {
        return;
    }
    iconic_ = iconic;
    Queue(iconic ? InputKind::Iconified : InputKind::Restored);
}

void Win32Window::OnPaint() {
    PAINTSTRUCT paint{};
    BeginPaint(hwnd_, &paint);
    const RECT area = paint.rcPaint;
    EndPaint(hwnd_, &paint);
    if (area.right > area.left && area.bottom > area.top) {
        Queue(InputKind::Expose, Rect{area.left, area.top, area.right, area.bottom});
    }
}

void Win32Window::OnPositionChanged() {
    if (IsIconic(hwnd_)) {
        return;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd_, &origin);
    const Rect bounds{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    if (!SameRect(bounds, bounds_)) {
        bounds_ = bounds;
        Queue(InputKind::Resize, bounds_);
    }
}

void Win32Window::OnSize(WPARAM kind) {
    if (kind == SIZE_MINIMIZED) {
        SetIconic(true);
    } else if (kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED) {
        SetIconic(false);
    }
}

bool Win32Window::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool alt = KeyDown(VK_MENU);
    if (const std::optional<InputEvent> button = ButtonEvent(message, wParam, lParam, alt)) {
        Queue(*button);
        return true;
    }
    InputEvent event;
    switch (message) {
    case WM_MOUSEMOVE:
        if (!trackingLeave_) {
            TRACKMOUSEEVENT track{};
            track.cbSize = sizeof track;
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = hwnd_;
            trackingLeave_ = TrackMouseEvent(&track) != 0;
        }
        event.kind = InputKind::MouseMove;
        event.pos = MessagePoint(lParam);
        event.shift = ShiftFromMouseKeys(wParam, alt);
        break;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        event.kind = InputKind::MouseLeave;
        break;
    case WM_MOUSEWHEEL: {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(hwnd_, &point);
        event.kind = InputKind::MouseWheel;
        event.pos = Point{point.x, point.y};
        event.wheelDelta = GET_WHEEL_DELTA_WPARAM(wParam);
        event.shift = ShiftFromMouseKeys(GET_KEYSTATE_WPARAM(wParam), alt);
        break;
    }
    default:
        return false;
    }
    Queue(event);
    return true;
}

bool Win32Window::HandleKeyboard(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    InputEvent event;
    event.shift = KeyShift();
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        event.kind = InputKind::KeyDown;
        event.virtualKey = unsigned(wParam);
        Queue(event);
        // Alt+F4 and Alt+Space keep their system meaning; Alt or F10 alone open no menu.
        return message == WM_KEYDOWN || wParam == VK_MENU || wParam == VK_F10;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        event.kind = InputKind::KeyUp;
        event.virtualKey = unsigned(wParam);
        Queue(event);
        return true;
    case WM_CHAR:
    case WM_SYSCHAR: {
        if (message == WM_SYSCHAR && wParam == L' ' && options_.kind == WindowKind::Normal) {
            return false; // Alt+Space: the window menu
        }
        const std::optional<std::string> text = chars_.Add(wchar_t(wParam));
        if (!text) {
            return true;
        }
        // Ctrl with Alt is AltGr: the character is typed, not an accelerator.
        if (message == WM_CHAR && (event.shift & (kCtrl | kAlt)) == (kCtrl | kAlt)) {
            event.shift &= ~(kCtrl | kAlt);
        }
        event.kind = InputKind::Char;
        event.text = *text;
        Queue(event);
        return true;
    }
    default:
        return false;
    }
}

LRESULT Win32Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the program paints every pixel
    case WM_WINDOWPOSCHANGED:
        OnPositionChanged();
        break; // the default procedure sends WM_SIZE and WM_MOVE
    case WM_SIZE:
        OnSize(wParam);
        return 0;
    case WM_SETFOCUS:
        Queue(InputKind::FocusIn);
        return 0;
    case WM_KILLFOCUS:
        Queue(InputKind::FocusOut);
        return 0;
    case WM_CLOSE:
        Queue(InputKind::CloseRequest);
        return 0;
    case WM_MOUSEACTIVATE:
        if (options_.kind == WindowKind::Tooltip) {
            return MA_NOACTIVATE;
        }
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(cursor_);
            return TRUE;
        }
        break;
    default:
        if (HandleMouse(message, wParam, lParam) || HandleKeyboard(message, wParam, lParam)) {
            return 0;
        }
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

} // namespace platform::win32
