#include "platform/x11/X11Window.h"

#include "platform/x11/Utf8.h"
#include "platform/x11/X11Input.h"
#include "platform/x11/X11WindowSystem.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <unistd.h>

namespace platform::x11 {

namespace {

// The Motif window-manager hints most window managers read for decorations and functions.
enum MotifBits : unsigned long {
    kMwmHintsFunctions = 1,
    kMwmHintsDecorations = 2,
    kMwmFuncResize = 2,
    kMwmFuncMove = 4,
    kMwmFuncMinimize = 8,
    kMwmFuncMaximize = 16,
    kMwmFuncClose = 32,
    kMwmDecorBorder = 2,
    kMwmDecorResizeH = 4,
    kMwmDecorTitle = 8,
    kMwmDecorMenu = 16,
    kMwmDecorMinimize = 32,
    kMwmDecorMaximize = 64,
};

enum NetWmStateAction : long { kNetWmStateRemove = 0, kNetWmStateAdd = 1 };

constexpr long kSourceApplication = 1;
constexpr long kWmStateNormal = 1;
constexpr long kWmStateIconic = 3;

constexpr long kEventMask = ExposureMask | StructureNotifyMask | PropertyChangeMask | FocusChangeMask |
                            KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            PointerMotionMask | EnterWindowMask | LeaveWindowMask;

Rect UnionOf(const Rect& a, const Rect& b) {
    if (a.IsEmpty()) {
        return b;
    }
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

InputEvent EventOf(InputKind kind, const Rect& area = {}) {
    InputEvent event;
    event.kind = kind;
    event.area = area;
    return event;
}

unsigned SideOf(int length) {
    return unsigned(std::clamp(length, 1, SHRT_MAX));
}

} // namespace

X11Window::X11Window(X11WindowSystem& system, const WindowOptions& options, IWindowEvents& events)
    : system_(system), events_(events), display_(system.XDisplay()), options_(options),
      bounds_(options.bounds) {
    bounds_.right = bounds_.left + int(SideOf(bounds_.Width()));
    bounds_.bottom = bounds_.top + int(SideOf(bounds_.Height()));
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = 0; // no background: the back buffer paints every pixel
    attributes.bit_gravity = NorthWestGravity;
    attributes.event_mask = kEventMask;
    attributes.override_redirect = options.kind == WindowKind::Normal ? False : True;
    const int screen = system.ScreenNumber();
    id_ = XCreateWindow(display_, system.Root(), bounds_.left, bounds_.top, SideOf(bounds_.Width()),
                        SideOf(bounds_.Height()), 0, DefaultDepth(display_, screen), InputOutput,
                        DefaultVisual(display_, screen),
                        CWBackPixmap | CWBitGravity | CWEventMask | CWOverrideRedirect, &attributes);
    system_.Register(id_, this);
    presenter_ = std::make_unique<X11Presenter>(display_, id_, system.Options().useSharedMemory);
    SetIdentity();
    SetSizeHints();
    SetMotifHints();
    WriteNetWmState();
    SetTitle(options.title);
}

X11Window::~X11Window() {
    system_.Unregister(id_);
    presenter_.reset();
    XDestroyWindow(display_, id_);
    XFlush(display_);
}

void X11Window::SetIdentity() {
    const X11Atoms& atoms = system_.Atoms();
    XClassHint classHint{};
    classHint.res_name = const_cast<char*>("vesperon");
    classHint.res_class = const_cast<char*>("Vesperon");
    XSetClassHint(display_, id_, &classHint);

    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = options_.kind == WindowKind::Normal ? True : False;
    hints.initial_state = NormalState;
    XSetWMHints(display_, id_, &hints);

    Atom protocols[] = {atoms.wmDeleteWindow};
    XSetWMProtocols(display_, id_, protocols, 1);

    const long pid = long(getpid());
    XChangeProperty(display_, id_, atoms.netWmPid, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    // _NET_WM_PID is only meaningful together with the machine it names.
    std::array<char, 256> host{};
    if (gethostname(host.data(), host.size() - 1) == 0) {
        XChangeProperty(display_, id_, atoms.wmClientMachine, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(host.data()), int(std::strlen(host.data())));
    }

    Atom type = atoms.netWmWindowTypeNormal;
    if (options_.kind == WindowKind::Popup) {
        type = atoms.netWmWindowTypePopupMenu;
    } else if (options_.kind == WindowKind::Tooltip) {
        type = atoms.netWmWindowTypeTooltip;
    }
    XChangeProperty(display_, id_, atoms.netWmWindowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&type), 1);
}

void X11Window::SetSizeHints() {
    XSizeHints* hints = XAllocSizeHints();
    if (hints == nullptr) {
        return;
    }
    hints->flags = PPosition | USPosition | PSize | PWinGravity;
    hints->x = bounds_.left;
    hints->y = bounds_.top;
    hints->width = bounds_.Width();
    hints->height = bounds_.Height();
    // The given bounds are the client area's; the frame goes around it.
    hints->win_gravity = StaticGravity;
    if (options_.fixedSize) {
        hints->flags |= PMinSize | PMaxSize;
        hints->min_width = hints->max_width = bounds_.Width();
        hints->min_height = hints->max_height = bounds_.Height();
    }
    XSetWMNormalHints(display_, id_, hints);
    XFree(hints);
}

void X11Window::SetMotifHints() {
    unsigned long functions = kMwmFuncMove | kMwmFuncMinimize | kMwmFuncClose;
    unsigned long decorations = kMwmDecorBorder | kMwmDecorTitle | kMwmDecorMenu | kMwmDecorMinimize;
    if (!options_.fixedSize) {
        functions |= kMwmFuncResize | kMwmFuncMaximize;
        decorations |= kMwmDecorResizeH | kMwmDecorMaximize;
    }
    if (options_.borderless) {
        decorations = 0;
    }
    const std::array<unsigned long, 5> hints{kMwmHintsFunctions | kMwmHintsDecorations, functions,
                                             decorations, 0, 0};
    const Atom atom = system_.Atoms().motifWmHints;
    XChangeProperty(display_, id_, atom, atom, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints.data()), int(hints.size()));
}

void X11Window::WriteNetWmState() {
    const X11Atoms& atoms = system_.Atoms();
    std::vector<Atom> states;
    if (options_.alwaysOnTop) {
        states.push_back(atoms.netWmStateAbove);
    }
    if (options_.skipTaskbar) {
        states.push_back(atoms.netWmStateSkipTaskbar);
    }
    XChangeProperty(display_, id_, atoms.netWmState, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()), int(states.size()));
}

// A mapped window's state belongs to the window manager: ask it. Without one, the property is
// ours to write.
void X11Window::ChangeNetWmState(Atom state, bool on) {
    if (!mapped_ || !system_.HasWindowManager()) {
        WriteNetWmState();
        return;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = id_;
    event.xclient.message_type = system_.Atoms().netWmState;
    event.xclient.format = 32;
    event.xclient.data.l[0] = on ? kNetWmStateAdd : kNetWmStateRemove;
    event.xclient.data.l[1] = long(state);
    event.xclient.data.l[3] = kSourceApplication;
    XSendEvent(display_, system_.Root(), False, SubstructureNotifyMask | SubstructureRedirectMask, &event);
    XFlush(display_);
}

void X11Window::SetTitle(const std::string& title) {
    const std::string utf8 = SanitizeUtf8(title);
    const X11Atoms& atoms = system_.Atoms();
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    XChangeProperty(display_, id_, atoms.netWmName, atoms.utf8String, 8, PropModeReplace, bytes,
                    int(utf8.size()));
    const std::string latin1 = Latin1FromUtf8(utf8);
    XChangeProperty(display_, id_, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(latin1.data()), int(latin1.size()));
    options_.title = title;
    XFlush(display_);
}

void X11Window::SetBounds(const Rect& screenBounds) {
    Rect bounds = screenBounds;
    bounds.right = bounds.left + int(SideOf(bounds.Width()));
    bounds.bottom = bounds.top + int(SideOf(bounds.Height()));
    if (bounds.left == bounds_.left && bounds.top == bounds_.top && bounds.right == bounds_.right &&
        bounds.bottom == bounds_.bottom) {
        return;
    }
    bounds_ = bounds;
    SetSizeHints();
    XMoveResizeWindow(display_, id_, bounds_.left, bounds_.top, SideOf(bounds_.Width()),
                      SideOf(bounds_.Height()));
    XFlush(display_);
}

void X11Window::SetIcon(const PixelView& icon) {
    const X11Atoms& atoms = system_.Atoms();
    constexpr int kLargestIcon = 512;
    const bool usable = icon.pixels != nullptr && icon.width > 0 && icon.height > 0 &&
                        icon.width <= kLargestIcon && icon.height <= kLargestIcon &&
                        icon.stride >= icon.width;
    if (!usable) {
        XDeleteProperty(display_, id_, atoms.netWmIcon);
        XFlush(display_);
        return;
    }
    // Format-32 properties travel as longs on the client side; the icon is opaque ARGB.
    std::vector<unsigned long> data;
    data.reserve(2 + std::size_t(icon.width) * std::size_t(icon.height));
    data.push_back(static_cast<unsigned long>(icon.width));
    data.push_back(static_cast<unsigned long>(icon.height));
    for (int y = 0; y < icon.height; ++y) {
        const std::uint32_t* row = icon.pixels + std::size_t(y) * std::size_t(icon.stride);
        for (int x = 0; x < icon.width; ++x) {
            data.push_back(0xFF000000UL | (row[x] & 0xFFFFFFUL));
        }
    }
    XChangeProperty(display_, id_, atoms.netWmIcon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
    XFlush(display_);
}

void X11Window::Show() {
    visible_ = true;
    if (options_.kind == WindowKind::Normal) {
        XMapWindow(display_, id_);
    } else {
        XMapRaised(display_, id_);
    }
    XFlush(display_);
}

void X11Window::Hide() {
    visible_ = false;
    focusOnMap_ = false;
    XWithdrawWindow(display_, id_, system_.ScreenNumber());
    XFlush(display_);
}

void X11Window::Iconify() {
    if (system_.HasWindowManager()) {
        XIconifyWindow(display_, id_, system_.ScreenNumber());
    } else {
        // Nobody keeps icons: unmapping is all an iconic window looks like.
        emulatedIconify_ = true;
        XUnmapWindow(display_, id_);
    }
    XFlush(display_);
}

void X11Window::Restore() {
    visible_ = true;
    XMapWindow(display_, id_);
    XFlush(display_);
}

void X11Window::Activate() {
    if (system_.HasWindowManager()) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = id_;
        event.xclient.message_type = system_.Atoms().netActiveWindow;
        event.xclient.format = 32;
        event.xclient.data.l[0] = kSourceApplication;
        event.xclient.data.l[1] = long(system_.LastUserTime());
        XSendEvent(display_, system_.Root(), False, SubstructureNotifyMask | SubstructureRedirectMask,
                   &event);
    } else if (mapped_) {
        FocusNow();
    } else {
        // Focus can only go to a viewable window; the map is on its way.
        focusOnMap_ = true;
    }
    XFlush(display_);
}

void X11Window::FocusNow() {
    XRaiseWindow(display_, id_);
    XSetInputFocus(display_, id_, RevertToParent, CurrentTime);
}

void X11Window::SetSkipTaskbar(bool skip) {
    if (options_.skipTaskbar == skip) {
        return;
    }
    options_.skipTaskbar = skip;
    ChangeNetWmState(system_.Atoms().netWmStateSkipTaskbar, skip);
}

void X11Window::Present(const PixelView& buffer, const Rect& dirty) {
    presenter_->Present(buffer, dirty);
    system_.NoteFramePresented();
}

void X11Window::SetCursor(PointerShape cursor) {
    if (cursor_ == cursor) {
        return;
    }
    cursor_ = cursor;
    // The arrow is the desktop's own (the root window's): no cursor is made for it, which
    // keeps Xlib from loading its cursor-theme libraries for a window that shows only arrows.
    if (cursor == PointerShape::Arrow) {
        XUndefineCursor(display_, id_);
    } else {
        XDefineCursor(display_, id_, system_.CursorFor(cursor));
    }
    XFlush(display_);
}

void X11Window::SetMouseCapture(bool capture) {
    if (capture) {
        XGrabPointer(display_, id_, False,
                     ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                         LeaveWindowMask,
                     GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime);
    } else {
        XUngrabPointer(display_, CurrentTime);
    }
    XFlush(display_);
}

void X11Window::Translate(XEvent& event, DoubleClickDetector& doubleClick, std::vector<InputEvent>& out) {
    switch (event.type) {
    case ConfigureNotify:
        OnConfigure(event.xconfigure, out);
        break;
    case Expose:
        OnExpose(event.xexpose, out);
        break;
    case MapNotify:
        mapped_ = true;
        if (focusOnMap_) {
            focusOnMap_ = false;
            FocusNow();
        }
        if (emulatedIconify_ && iconic_) {
            emulatedIconify_ = false;
            iconic_ = false;
            out.push_back(EventOf(InputKind::Restored));
        }
        break;
    case UnmapNotify:
        mapped_ = false;
        if (emulatedIconify_ && !iconic_) {
            iconic_ = true;
            out.push_back(EventOf(InputKind::Iconified));
        }
        break;
    case ReparentNotify:
        reparented_ = event.xreparent.parent != system_.Root();
        break;
    case PropertyNotify:
        if (event.xproperty.atom == system_.Atoms().wmState) {
            OnWmState(out);
        }
        break;
    case FocusIn:
    case FocusOut:
        OnFocus(event.xfocus, out);
        break;
    case ClientMessage:
        if (event.xclient.message_type == system_.Atoms().wmProtocols &&
            Atom(event.xclient.data.l[0]) == system_.Atoms().wmDeleteWindow) {
            out.push_back(EventOf(InputKind::CloseRequest));
        }
        break;
    default:
        TranslateInput(event, doubleClick, out);
        break;
    }
}

void X11Window::OnConfigure(const XConfigureEvent& configure, std::vector<InputEvent>& out) {
    Rect bounds = bounds_;
    // Real events of a reparented window are relative to the frame; the window manager's
    // synthetic ones carry root coordinates.
    if (configure.send_event != 0 || !reparented_) {
        bounds.left = configure.x;
        bounds.top = configure.y;
    }
    bounds.right = bounds.left + configure.width;
    bounds.bottom = bounds.top + configure.height;
    const bool resized = bounds.Width() != bounds_.Width() || bounds.Height() != bounds_.Height();
    bounds_ = bounds;
    if (resized) {
        out.push_back(EventOf(InputKind::Resize, bounds_));
    }
}

void X11Window::OnExpose(const XExposeEvent& expose, std::vector<InputEvent>& out) {
    pendingExpose_ =
        UnionOf(pendingExpose_, Rect{expose.x, expose.y, expose.x + expose.width, expose.y + expose.height});
    // The last of a series (count 0) reports the whole damaged area at once.
    if (expose.count == 0) {
        out.push_back(EventOf(kExposeInput, pendingExpose_));
        pendingExpose_ = Rect{};
    }
}

void X11Window::OnWmState(std::vector<InputEvent>& out) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const Atom wmState = system_.Atoms().wmState;
    if (XGetWindowProperty(display_, id_, wmState, 0, 2, False, wmState, &type, &format, &count, &remaining,
                           &data) != Success) {
        return;
    }
    long state = 0;
    if (data != nullptr && format == 32 && count >= 1) {
        state = reinterpret_cast<long*>(data)[0];
    }
    if (data != nullptr) {
        XFree(data);
    }
    if (state == kWmStateIconic && !iconic_) {
        iconic_ = true;
        out.push_back(EventOf(InputKind::Iconified));
    } else if (state == kWmStateNormal && iconic_) {
        iconic_ = false;
        out.push_back(EventOf(InputKind::Restored));
    }
}

void X11Window::OnFocus(const XFocusChangeEvent& focus, std::vector<InputEvent>& out) {
    // Grabs (a window manager moving the window, a menu) do not move the focus.
    if (focus.mode == NotifyGrab || focus.mode == NotifyUngrab || focus.detail == NotifyPointer ||
        focus.detail == NotifyInferior) {
        return;
    }
    out.push_back(EventOf(focus.type == FocusIn ? kFocusInInput : kFocusOutInput));
}

} // namespace platform::x11
