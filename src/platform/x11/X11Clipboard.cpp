#include "platform/x11/X11Clipboard.h"

#include "platform/x11/PollLoop.h"
#include "platform/x11/Utf8.h"
#include "platform/x11/X11WindowSystem.h"

#include <X11/Xatom.h>
#include <array>
#include <poll.h>

namespace platform::x11 {

X11Clipboard::X11Clipboard(X11WindowSystem& system) : system_(system), display_(system.XDisplay()) {}

X11Clipboard::~X11Clipboard() {
    if (window_ != 0) {
        XDestroyWindow(display_, window_);
    }
}

Window X11Clipboard::EnsureWindow() {
    if (window_ == 0) {
        XSetWindowAttributes attributes{};
        attributes.event_mask = PropertyChangeMask;
        window_ = XCreateWindow(display_, system_.Root(), -10, -10, 1, 1, 0, 0, InputOnly, CopyFromParent,
                                CWEventMask, &attributes);
    }
    return window_;
}

bool X11Clipboard::Handles(const XEvent& event) const {
    if (window_ == 0) {
        return false;
    }
    switch (event.type) {
    case SelectionRequest:
        return event.xselectionrequest.owner == window_;
    case SelectionClear:
        return event.xselectionclear.window == window_;
    case SelectionNotify:
        return event.xselection.requestor == window_;
    default:
        return false;
    }
}

void X11Clipboard::Handle(const XEvent& event) {
    if (event.type == SelectionRequest) {
        AnswerRequest(event.xselectionrequest);
    } else if (event.type == SelectionClear && event.xselectionclear.selection == system_.Atoms().clipboard) {
        owned_ = false;
        text_.clear();
    }
}

void X11Clipboard::SetText(const std::string& text) {
    const Window window = EnsureWindow();
    text_ = SanitizeUtf8(text);
    XSetSelectionOwner(display_, system_.Atoms().clipboard, window, CurrentTime);
    owned_ = XGetSelectionOwner(display_, system_.Atoms().clipboard) == window;
}

void X11Clipboard::AnswerRequest(const XSelectionRequestEvent& request) {
    const X11Atoms& atoms = system_.Atoms();
    // Obsolete clients name no property: the target doubles as one.
    const Atom property = request.property != 0 ? request.property : request.target;
    // Larger transfers would need the incremental protocol; the program copies short texts.
    const long maxBytes = XMaxRequestSize(display_) * 4 - 256;
    bool answered = false;
    if (owned_ && request.selection == atoms.clipboard) {
        if (request.target == atoms.targets) {
            const std::array<Atom, 4> targets{atoms.targets, atoms.utf8String, XA_STRING, atoms.text};
            XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(targets.data()), int(targets.size()));
            answered = true;
        } else if (request.target == atoms.utf8String || request.target == atoms.text ||
                   request.target == XA_STRING) {
            const bool utf8 = request.target != XA_STRING;
            const std::string data = utf8 ? text_ : Latin1FromUtf8(text_);
            if (long(data.size()) <= maxBytes) {
                XChangeProperty(display_, request.requestor, property, utf8 ? atoms.utf8String : XA_STRING, 8,
                                PropModeReplace, reinterpret_cast<const unsigned char*>(data.data()),
                                int(data.size()));
                answered = true;
            }
        }
    }
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.property = answered ? property : 0;
    reply.xselection.time = request.time;
    XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
    XFlush(display_);
}

std::string X11Clipboard::Text() {
    if (owned_) {
        return text_;
    }
    EnsureWindow();
    if (XGetSelectionOwner(display_, system_.Atoms().clipboard) == 0) {
        return {};
    }
    // Owners that refuse UTF-8 still give Latin-1; one that does not answer is asked once.
    bool refused = false;
    std::string text = RequestText(system_.Atoms().utf8String, refused);
    if (refused) {
        text = RequestText(XA_STRING, refused);
    }
    return text;
}

// Waits for the owner's answer, leaving every other event queued for the loop. The wait is
// bounded: an owner that never answers costs at most the timeout.
bool X11Clipboard::WaitForSelectionNotify(XEvent& event) {
    const std::int64_t deadline = MonotonicNowMs() + kRequestTimeoutMs;
    while (true) {
        if (XCheckTypedWindowEvent(display_, window_, SelectionNotify, &event) == True) {
            return true;
        }
        const std::int64_t remaining = deadline - MonotonicNowMs();
        if (remaining <= 0) {
            return false;
        }
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        poll(&connection, 1, int(remaining));
    }
}

std::string X11Clipboard::RequestText(Atom target, bool& refused) {
    const X11Atoms& atoms = system_.Atoms();
    XConvertSelection(display_, atoms.clipboard, target, atoms.clipboardTransfer, window_, CurrentTime);
    XFlush(display_);
    XEvent event{};
    refused = false;
    if (!WaitForSelectionNotify(event)) {
        return {};
    }
    if (event.xselection.property == 0) {
        refused = true;
        return {};
    }
    return ReadTransferProperty(target);
}

std::string X11Clipboard::ReadTransferProperty(Atom target) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    constexpr long kMaxLongs = 1 << 20;
    const Atom property = system_.Atoms().clipboardTransfer;
    if (XGetWindowProperty(display_, window_, property, 0, kMaxLongs, True, AnyPropertyType, &type, &format,
                           &count, &remaining, &data) != Success) {
        return {};
    }
    std::string text;
    // Incremental transfers (type INCR) and non-text answers are not taken.
    if (data != nullptr && format == 8 && (type == system_.Atoms().utf8String || type == XA_STRING)) {
        text.assign(reinterpret_cast<const char*>(data), count);
        text = (type == XA_STRING || target == XA_STRING) ? Utf8FromLatin1(text) : SanitizeUtf8(text);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return text;
}

} // namespace platform::x11
