// The CLIPBOARD selection: owning it for text the program copies, and asking its owner for
// text the program pastes, with a bounded wait.
#pragma once

#include "platform/x11/X11Names.h"

#include <X11/Xlib.h>
#include <string>

namespace platform::x11 {

class X11WindowSystem;

class X11Clipboard {
public:
    static constexpr int kRequestTimeoutMs = 1000;

    explicit X11Clipboard(X11WindowSystem& system);
    ~X11Clipboard();
    X11Clipboard(const X11Clipboard&) = delete;
    X11Clipboard& operator=(const X11Clipboard&) = delete;

    // Whether the event belongs to the clipboard (selection traffic of its own window).
    bool Handles(const XEvent& event) const;
    void Handle(const XEvent& event);

    void SetText(const std::string& text);
    std::string Text();

private:
    Window EnsureWindow();
    void AnswerRequest(const XSelectionRequestEvent& request);
    bool WaitForSelectionNotify(XEvent& event);
    // `refused`: the owner answered that it has no text of this type.
    std::string RequestText(Atom target, bool& refused);
    std::string ReadTransferProperty(Atom target);

    X11WindowSystem& system_;
    Display* display_;
    Window window_ = 0;
    std::string text_;
    bool owned_ = false;
};

} // namespace platform::x11
