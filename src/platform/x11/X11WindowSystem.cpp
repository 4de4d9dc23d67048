#include "platform/x11/X11WindowSystem.h"

#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Errors.h"
#include "platform/x11/X11Window.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/cursorfont.h>
#include <X11/extensions/dpms.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <utility>
#include <vector>

namespace platform::x11 {

namespace {

// Monitor power states of the desktop platform's screen command.
constexpr int kMonitorOn = -1;
constexpr int kMonitorLowPower = 1;
constexpr int kMonitorOff = 2;

unsigned FontCursorOf(PointerShape shape) {
    switch (shape) {
    case PointerShape::IBeam:
        return XC_xterm;
    case PointerShape::Hand:
        return XC_hand2;
    case PointerShape::SizeNWSE:
        return XC_bottom_right_corner;
    case PointerShape::SizeNS:
        return XC_sb_v_double_arrow;
    case PointerShape::SizeWE:
        return XC_sb_h_double_arrow;
    case PointerShape::Wait:
        return XC_watch;
    case PointerShape::Arrow:
        break;
    }
    return XC_left_ptr;
}

// Reads up to `count` 32-bit items of a window property (longs on the client side).
std::vector<long> ReadLongs(Display* display, Window window, Atom property, Atom type, long count) {
    Atom actualType = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(display, window, property, 0, count, False, type, &actualType, &format, &items,
                           &remaining, &data) != Success) {
        return values;
    }
    if (data != nullptr && format == 32) {
        const long* longs = reinterpret_cast<const long*>(data);
        values.assign(longs, longs + items);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return values;
}

} // namespace

std::unique_ptr<X11WindowSystem> X11WindowSystem::Open(const char* displayName, std::string& error,
                                                       const X11Options& options) {
    Display* display = XOpenDisplay(displayName);
    if (display == nullptr) {
        const char* name = displayName != nullptr ? displayName : std::getenv("DISPLAY");
        error = name == nullptr || *name == '\0' ? "no X display is set (DISPLAY is empty)"
                                                 : std::string("cannot open the X display \"") + name + "\"";
        return nullptr;
    }
    InstallErrorHandler();
    return std::unique_ptr<X11WindowSystem>(new X11WindowSystem(display, options));
}

X11WindowSystem::X11WindowSystem(Display* display, const X11Options& options)
    : display_(display), screen_(DefaultScreen(display)), root_(RootWindow(display, screen_)),
      options_(options) {
    atoms_.Intern(display_);
    // Held keys repeat as presses only, like the desktop platform's repeated key-downs. The
    // round trips this takes wait until the first frame is out; no key arrives before.
    RunWhenIdle([this] { XkbSetDetectableAutoRepeat(display_, True, nullptr); });
    clipboard_ = std::make_unique<X11Clipboard>(*this);
    const char* trace = std::getenv("VESPERON_TRACE_FIRST_FRAME");
    traceFirstFrame_ = trace != nullptr && std::strcmp(trace, "1") == 0;
}

X11WindowSystem::~X11WindowSystem() {
    clipboard_.reset();
    for (const Cursor cursor : cursors_) {
        if (cursor != 0) {
            XFreeCursor(display_, cursor);
        }
    }
    XCloseDisplay(display_);
}

std::unique_ptr<INativeWindow> X11WindowSystem::CreateNativeWindow(const WindowOptions& options,
                                                                   IWindowEvents& events) {
    return std::make_unique<X11Window>(*this, options, events);
}

void X11WindowSystem::Unregister(Window id) {
    windows_.erase(id);
}

Rect X11WindowSystem::ScreenBounds() {
    const std::vector<long> area = ReadLongs(display_, root_, atoms_.netWorkarea, XA_CARDINAL, 4);
    if (area.size() == 4 && area[2] > 0 && area[3] > 0) {
        return Rect{int(area[0]), int(area[1]), int(area[0] + area[2]), int(area[1] + area[3])};
    }
    return Rect{0, 0, DisplayWidth(display_, screen_), DisplayHeight(display_, screen_)};
}

Point X11WindowSystem::CursorPos() {
    Window rootReturn = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned mask = 0;
    XQueryPointer(display_, root_, &rootReturn, &child, &rootX, &rootY, &windowX, &windowY, &mask);
    return Point{rootX, rootY};
}

void X11WindowSystem::Beep() {
    XBell(display_, 0);
    XFlush(display_);
}

void X11WindowSystem::SetMonitorPower(int state) {
    int eventBase = 0;
    int errorBase = 0;
    if (!DPMSQueryExtension(display_, &eventBase, &errorBase) || !DPMSCapable(display_)) {
        return; // no DPMS (Xvfb, some remote servers): nothing to switch
    }
    CARD16 level = 0;
    switch (state) {
    case kMonitorOn:
        level = DPMSModeOn;
        break;
    case kMonitorLowPower:
        level = DPMSModeStandby;
        break;
    case kMonitorOff:
        level = DPMSModeOff;
        break;
    default:
        return;
    }
    CARD16 current = 0;
    BOOL enabled = False;
    DPMSInfo(display_, &current, &enabled);
    // Forcing a level needs DPMS switched on, as `xset dpms force` does.
    if (!enabled) {
        DPMSEnable(display_);
    }
    DPMSForceLevel(display_, level);
    XFlush(display_);
}

void X11WindowSystem::SetClipboardText(const std::string& text) {
    clipboard_->SetText(text);
}

std::string X11WindowSystem::ClipboardText() {
    return clipboard_->Text();
}

void X11WindowSystem::WatchFd(int fd, bool readable, bool writable, FdCallback onReady) {
    loop_.Watch(fd, readable, writable, std::move(onReady));
}

bool X11WindowSystem::HasWindowManager() {
    if (!hasWindowManager_) {
        hasWindowManager_ = AskForWindowManager();
    }
    return *hasWindowManager_;
}

bool X11WindowSystem::AskForWindowManager() {
    const std::vector<long> check = ReadLongs(display_, root_, atoms_.netSupportingWmCheck, XA_WINDOW, 1);
    if (check.size() != 1) {
        return false;
    }
    // A stale property outlives a window manager that died; its check window names itself.
    const std::vector<long> self =
        ReadLongs(display_, Window(check[0]), atoms_.netSupportingWmCheck, XA_WINDOW, 1);
    TakeLastError();
    return self.size() == 1 && self[0] == check[0];
}

Cursor X11WindowSystem::CursorFor(PointerShape shape) {
    Cursor& cursor = cursors_[std::size_t(shape)];
    if (cursor == 0) {
        cursor = XCreateFontCursor(display_, FontCursorOf(shape));
    }
    return cursor;
}

void X11WindowSystem::TraceFirstFrame() {
    if (!traceFirstFrame_ || !framePresented_) {
        return;
    }
    traceFirstFrame_ = false;
    // The frame counts as presented once the server has processed it.
    XSync(display_, False);
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(stderr, "vesperon: first frame presented at %lld.%09ld\n",
                 static_cast<long long>(now.tv_sec), now.tv_nsec);
}

void X11WindowSystem::WaitAndDispatch(std::optional<std::int64_t> deadlineMs) {
    // A window manager may start or end while the program waits.
    hasWindowManager_.reset();
    TraceFirstFrame();
    XFlush(display_);
    for (const std::function<void()>& work : std::exchange(idleWork_, {})) {
        work();
    }
    // Events Xlib already read (while answering some other request) would not wake poll().
    const bool queued = XEventsQueued(display_, QueuedAlready) > 0;
    const bool readable = loop_.Wait(ConnectionNumber(display_), queued ? std::int64_t{0} : deadlineMs);
    if (queued || readable) {
        DispatchQueuedEvents();
    }
}

void X11WindowSystem::DispatchQueuedEvents() {
    while (XEventsQueued(display_, QueuedAfterReading) > 0) {
        XEvent event{};
        XNextEvent(display_, &event);
        DispatchEvent(event);
    }
}

void X11WindowSystem::TrackUserTime(const XEvent& event) {
    if (event.type == ButtonPress || event.type == ButtonRelease) {
        lastUserTime_ = event.xbutton.time;
    } else if (event.type == KeyPress || event.type == KeyRelease) {
        lastUserTime_ = event.xkey.time;
    }
}

void X11WindowSystem::DispatchEvent(XEvent& event) {
    TrackUserTime(event);
    if (event.type == MappingNotify) {
        XRefreshKeyboardMapping(&event.xmapping);
        return;
    }
    if (clipboard_->Handles(event)) {
        clipboard_->Handle(event);
        return;
    }
    if (trayFilter_ && trayFilter_(event)) {
        return;
    }
    const Window id = event.xany.window;
    const auto found = windows_.find(id);
    if (found == windows_.end()) {
        return;
    }
    std::vector<InputEvent> inputs;
    found->second->Translate(event, doubleClick_, inputs);
    for (const InputEvent& input : inputs) {
        // A handler may destroy the window (a close request that frees the form).
        const auto window = windows_.find(id);
        if (window == windows_.end()) {
            return;
        }
        window->second->Events().HandleInput(*window->second, input);
    }
}

} // namespace platform::x11
