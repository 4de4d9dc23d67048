#include "platform/x11/XEmbedTray.h"

#include <X11/Xutil.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace platform::x11 {

namespace {

constexpr long kRequestDock = 0;
constexpr long kXEmbedMapped = 1;
constexpr unsigned kIconSize = 16;

constexpr unsigned kMouseMove = 0x200;
constexpr unsigned kLeftDown = 0x201;
constexpr unsigned kLeftUp = 0x202;
constexpr unsigned kLeftDouble = 0x203;
constexpr unsigned kRightDown = 0x204;
constexpr unsigned kRightUp = 0x205;

// The layouts of shells from version 6 on (the long tooltip) are the ones this shell reads.
constexpr unsigned kShellVersion = 6u << 16;

} // namespace

XEmbedTray::XEmbedTray(X11WindowSystem& windows)
    : windows_(windows), display_(windows.XDisplay()),
      selection_(XInternAtom(display_,
                             ("_NET_SYSTEM_TRAY_S" + std::to_string(windows.ScreenNumber())).c_str(), False)),
      opcode_(XInternAtom(display_, "_NET_SYSTEM_TRAY_OPCODE", False)),
      manager_(XInternAtom(display_, "MANAGER", False)),
      xembedInfo_(XInternAtom(display_, "_XEMBED_INFO", False)) {
    // A tray that starts later says so on the root window.
    XWindowAttributes root{};
    XGetWindowAttributes(display_, windows_.Root(), &root);
    XSelectInput(display_, windows_.Root(), root.your_event_mask | StructureNotifyMask);
    windows_.SetTrayFilter([this](const XEvent& event) { return Handle(event); });
}

XEmbedTray::~XEmbedTray() {
    windows_.SetTrayFilter(nullptr);
    for (const auto& [key, icon] : icons_) {
        XDestroyWindow(display_, icon.window);
    }
    XFlush(display_);
}

unsigned XEmbedTray::ShellVersion() {
    return kShellVersion;
}

Window XEmbedTray::TrayOwner() const {
    return XGetSelectionOwner(display_, selection_);
}

Window XEmbedTray::IconWindow(const INotifySink* sink, std::uintptr_t id) const {
    const auto found = icons_.find(Key{sink, id});
    return found != icons_.end() ? found->second.window : 0;
}

void XEmbedTray::AddListener(INotifySink& sink) {
    if (std::find(listeners_.begin(), listeners_.end(), &sink) == listeners_.end()) {
        listeners_.push_back(&sink);
    }
}

void XEmbedTray::RemoveListener(INotifySink& sink) {
    std::erase(listeners_, &sink);
}

bool XEmbedTray::NotifyIcon(unsigned message, const NotifyIconData& data) {
    const auto found = icons_.find(Key{data.hWnd, data.uID});
    switch (message) {
    case NIM_ADD:
        return found == icons_.end() && Add(data);
    case NIM_MODIFY:
        if (found == icons_.end()) {
            return false;
        }
        Modify(found->second, data);
        return true;
    case NIM_DELETE:
        if (found == icons_.end()) {
            return false;
        }
        XDestroyWindow(display_, found->second.window);
        XFlush(display_);
        icons_.erase(found);
        return true;
    default:
        return false;
    }
}

// Creates the icon window, marks it as an XEmbed client that wants to be mapped, and asks
// the tray to dock it.
bool XEmbedTray::Add(const NotifyIconData& data) {
    const Window owner = TrayOwner();
    if (owner == 0) {
        return false;
    }
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = ParentRelative;
    attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | LeaveWindowMask | StructureNotifyMask;
    const Window window =
        XCreateWindow(display_, windows_.Root(), 0, 0, kIconSize, kIconSize, 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
    // Trays size the docked window by its smallest size.
    XSizeHints hints{};
    hints.flags = PMinSize | PBaseSize;
    hints.min_width = hints.base_width = int(kIconSize);
    hints.min_height = hints.base_height = int(kIconSize);
    XSetWMNormalHints(display_, window, &hints);
    const long info[2] = {0, kXEmbedMapped};
    XChangeProperty(display_, window, xembedInfo_, xembedInfo_, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(info), 2);
    Icon& icon = icons_[Key{data.hWnd, data.uID}];
    icon.window = window;
    icon.sink = data.hWnd;
    icon.id = data.uID;
    Store(icon, data);

    XEvent dock{};
    dock.xclient.type = ClientMessage;
    dock.xclient.window = owner;
    dock.xclient.message_type = opcode_;
    dock.xclient.format = 32;
    dock.xclient.data.l[0] = CurrentTime;
    dock.xclient.data.l[1] = kRequestDock;
    dock.xclient.data.l[2] = long(window);
    XSendEvent(display_, owner, False, NoEventMask, &dock);
    XFlush(display_);
    return true;
}

void XEmbedTray::Store(Icon& icon, const NotifyIconData& data) {
    icon.flags = data.uFlags;
    icon.callbackMessage = data.uCallbackMessage;
    icon.tip = (data.uFlags & NIF_TIP) != 0 ? NotifyTipText(data) : std::string();
    const PixelView& view = data.hIcon;
    if ((data.uFlags & NIF_ICON) == 0 || view.pixels == nullptr || view.width <= 0 || view.height <= 0) {
        return;
    }
    icon.image.width = view.width;
    icon.image.height = view.height;
    icon.image.pixels.clear();
    for (int y = 0; y < view.height; ++y) {
        const std::uint32_t* row = view.pixels + std::size_t(y) * std::size_t(view.stride);
        icon.image.pixels.insert(icon.image.pixels.end(), row, row + view.width);
    }
}

// A tip that shows (or is due) while the hint changes under the resting pointer follows the
// change, so that a countdown in the hint keeps running.
void XEmbedTray::Modify(Icon& icon, const NotifyIconData& data) {
    const std::string shownTip = icon.tip;
    Store(icon, data);
    Paint(icon);
    if (!icon.hovering || icon.tip == shownTip || icon.sink == nullptr) {
        return;
    }
    if (icon.tip.empty()) {
        icon.sink->HideTip();
    } else {
        icon.sink->ShowTip(icon.hoverPoint, icon.tip);
    }
}

// Draws the icon scaled to the window's size and centred; pixels at least half opaque are
// drawn, the rest shows the tray.
void XEmbedTray::Paint(const Icon& icon) {
    XClearWindow(display_, icon.window);
    if (icon.image.pixels.empty()) {
        XFlush(display_);
        return;
    }
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, icon.window, &attributes) == 0 || attributes.depth < 24) {
        return;
    }
    const ArgbImage shown = ScaleToSlot(icon.image, attributes.width, attributes.height);
    const int left = (attributes.width - shown.width) / 2;
    const int top = (attributes.height - shown.height) / 2;
    const std::size_t count = shown.pixels.size();
    auto* data = static_cast<std::uint32_t*>(std::malloc(count * sizeof(std::uint32_t)));
    const int maskStride = (shown.width + 7) / 8;
    std::vector<char> mask(std::size_t(maskStride) * std::size_t(shown.height), 0);
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const std::uint32_t argb =
                shown.pixels[std::size_t(y) * std::size_t(shown.width) + std::size_t(x)];
            data[std::size_t(y) * std::size_t(shown.width) + std::size_t(x)] = argb & 0xFFFFFFu;
            if ((argb >> 24) >= 0x80) {
                mask[std::size_t(y) * std::size_t(maskStride) + std::size_t(x / 8)] |= char(1 << (x % 8));
            }
        }
    }
    XImage* image =
        XCreateImage(display_, attributes.visual, unsigned(attributes.depth), ZPixmap, 0,
                     reinterpret_cast<char*>(data), unsigned(shown.width), unsigned(shown.height), 32, 0);
    const Pixmap clip = XCreateBitmapFromData(display_, icon.window, mask.data(), unsigned(shown.width),
                                              unsigned(shown.height));
    GC gc = XCreateGC(display_, icon.window, 0, nullptr);
    XSetClipMask(display_, gc, clip);
    XSetClipOrigin(display_, gc, left, top);
    XPutImage(display_, icon.window, gc, image, 0, 0, left, top, unsigned(shown.width),
              unsigned(shown.height));
    XFreeGC(display_, gc);
    XFreePixmap(display_, clip);
    XDestroyImage(image);
    XFlush(display_);
}

bool XEmbedTray::Handle(const XEvent& event) {
    if (event.type == ClientMessage && event.xclient.window == windows_.Root() &&
        event.xclient.message_type == manager_ && Atom(event.xclient.data.l[1]) == selection_) {
        TrayAppeared();
        return true;
    }
    for (auto& [key, icon] : icons_) {
        if (icon.window != event.xany.window) {
            continue;
        }
        if (event.type == Expose && event.xexpose.count == 0) {
            Paint(icon);
        } else {
            Pointer(icon, event);
        }
        return true;
    }
    return false;
}

// A new tray holds none of the icons: drop them and let every listener add its icon again.
void XEmbedTray::TrayAppeared() {
    for (const auto& [key, icon] : icons_) {
        XDestroyWindow(display_, icon.window);
    }
    icons_.clear();
    XFlush(display_);
    for (INotifySink* sink : std::vector<INotifySink*>(listeners_)) {
        sink->PostTaskbarCreated();
    }
}

// Pointer events become the icon's mouse messages; a second left press within the double-click
// time is the double click. Entering shows the hint at the pointer, leaving or pressing hides it.
void XEmbedTray::Pointer(Icon& icon, const XEvent& event) {
    INotifySink* sink = icon.sink;
    if (sink == nullptr) {
        return;
    }
    const auto post = [&icon, sink](unsigned mouseMessage) {
        if ((icon.flags & NIF_MESSAGE) != 0) {
            sink->PostCallback(icon.callbackMessage, icon.id, mouseMessage);
        }
    };
    switch (event.type) {
    case ButtonPress:
        icon.hovering = false;
        sink->HideTip();
        if (event.xbutton.button == Button1) {
            const bool twice =
                icon.leftPressed && event.xbutton.time - icon.lastLeftPress <= windows_.DoubleClickTimeMs();
            icon.leftPressed = !twice;
            icon.lastLeftPress = event.xbutton.time;
            post(twice ? kLeftDouble : kLeftDown);
        } else if (event.xbutton.button == Button3) {
            post(kRightDown);
        }
        break;
    case ButtonRelease:
        if (event.xbutton.button == Button1) {
            post(kLeftUp);
        } else if (event.xbutton.button == Button3) {
            post(kRightUp);
        }
        break;
    case MotionNotify:
        post(kMouseMove);
        break;
    case EnterNotify:
        icon.hovering = true;
        icon.hoverPoint = Point{event.xcrossing.x_root, event.xcrossing.y_root};
        if (!icon.tip.empty()) {
            sink->ShowTip(icon.hoverPoint, icon.tip);
        }
        break;
    case LeaveNotify:
        icon.hovering = false;
        sink->HideTip();
        break;
    default:
        break;
    }
}

std::unique_ptr<INotifyShell> OpenXEmbedTray(IWindowSystem& windows) {
    auto* x11 = dynamic_cast<X11WindowSystem*>(&windows);
    if (x11 == nullptr) {
        return nullptr;
    }
    return std::make_unique<XEmbedTray>(*x11);
}

} // namespace platform::x11
