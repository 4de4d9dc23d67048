// One top-level X window behind a form, popup or tooltip.
#pragma once

#include "platform/WindowSystem.h"
#include "platform/x11/X11Names.h"
#include "platform/x11/X11Presenter.h"

#include <X11/Xlib.h>
#include <memory>
#include <optional>
#include <vector>

namespace platform::x11 {

class X11WindowSystem;
class DoubleClickDetector;

class X11Window final : public INativeWindow {
public:
    X11Window(X11WindowSystem& system, const WindowOptions& options, IWindowEvents& events);
    ~X11Window() override;
    X11Window(const X11Window&) = delete;
    X11Window& operator=(const X11Window&) = delete;

    void SetTitle(const std::string& title) override;
    void SetBounds(const Rect& screenBounds) override;
    Rect Bounds() override { return bounds_; }
    void SetIcon(const PixelView& icon) override;
    void Show() override;
    void Hide() override;
    void Iconify() override;
    void Restore() override;
    void Activate() override;
    bool IsVisible() override { return visible_; }
    void SetSkipTaskbar(bool skip) override;
    void Present(const PixelView& buffer, const Rect& dirty) override;
    void SetCursor(PointerShape cursor) override;
    void SetMouseCapture(bool capture) override;

    Window Id() const { return id_; }
    IWindowEvents& Events() { return events_; }
    bool UsesSharedMemory() const { return presenter_->UsesSharedMemory(); }
    // Updates the window's state from an X event and appends what the toolkit must hear.
    void Translate(XEvent& event, DoubleClickDetector& doubleClick, std::vector<InputEvent>& out);

private:
    void SetIdentity();
    void SetSizeHints();
    void SetMotifHints();
    void WriteNetWmState();
    void ChangeNetWmState(Atom state, bool on);
    void FocusNow();
    void OnConfigure(const XConfigureEvent& configure, std::vector<InputEvent>& out);
    void OnExpose(const XExposeEvent& expose, std::vector<InputEvent>& out);
    void OnWmState(std::vector<InputEvent>& out);
    void OnFocus(const XFocusChangeEvent& focus, std::vector<InputEvent>& out);

    X11WindowSystem& system_;
    IWindowEvents& events_;
    Display* display_;
    WindowOptions options_;
    Window id_ = 0;
    std::unique_ptr<X11Presenter> presenter_;
    Rect bounds_;
    Rect pendingExpose_;
    bool visible_ = false;
    bool mapped_ = false;
    bool iconic_ = false;
    bool reparented_ = false;
    bool focusOnMap_ = false;
    bool emulatedIconify_ = false;
    std::optional<PointerShape> cursor_;
};

} // namespace platform::x11
