#include "platform/headless/HeadlessWindows.h"

#include <algorithm>
#include <cstdlib>

namespace platform::headless {

using platform::InputEvent;
using platform::InputKind;
using platform::MouseButton;

namespace {
InputEvent Event(InputKind kind, platform::Point pos = {}, unsigned shift = 0) {
    InputEvent event;
    event.kind = kind;
    event.pos = pos;
    event.shift = shift;
    return event;
}
} // namespace

// ---------------------------------------------------------------------------------------
// HeadlessWindow

HeadlessWindow::HeadlessWindow(HeadlessWindowSystem& system, const platform::WindowOptions& options,
                               platform::IWindowEvents& events)
    : system_(system), events_(events), options_(options), title_(options.title), bounds_(options.bounds),
      skipTaskbar_(options.skipTaskbar) {}

HeadlessWindow::~HeadlessWindow() {
    system_.Forget(this);
}

void HeadlessWindow::SetIcon(const platform::PixelView& icon) {
    iconWidth_ = icon.width;
}

void HeadlessWindow::Hide() {
    visible_ = false;
    system_.Deactivate(this);
}

void HeadlessWindow::Iconify() {
    if (iconified_) {
        return;
    }
    iconified_ = true;
    system_.Deactivate(this);
    system_.Send(*this, Event(InputKind::Iconified));
}

void HeadlessWindow::Restore() {
    bool wasIconified = iconified_;
    iconified_ = false;
    visible_ = true;
    if (wasIconified) {
        system_.Send(*this, Event(InputKind::Restored));
    }
    system_.ActivateWindow(*this);
}

// As a window manager does, activating an iconified window de-iconifies it first.
void HeadlessWindow::Activate() {
    if (!visible_) {
        return;
    }
    if (iconified_) {
        iconified_ = false;
        system_.Send(*this, Event(InputKind::Restored));
    }
    system_.ActivateWindow(*this);
}

bool HeadlessWindow::Active() const {
    return system_.ActiveWindow() == this;
}

void HeadlessWindow::Present(const platform::PixelView& buffer, const platform::Rect& dirty) {
    ++presentCount_;
    lastPresented_ = dirty;
    if (buffer.left < 0 || buffer.top < 0) {
        return;
    }
    // The frame keeps what earlier views left outside this one, as a screen would.
    const int width = std::max(bounds_.Width(), buffer.left + buffer.width);
    const int height = std::max(bounds_.Height(), buffer.top + buffer.height);
    if (width != frameWidth_ || height != frameHeight_) {
        frameWidth_ = width;
        frameHeight_ = height;
        frame_.assign(std::size_t(width) * std::size_t(height), 0);
    }
    for (int y = 0; y < buffer.height; ++y) {
        std::copy_n(buffer.pixels + std::size_t(y) * std::size_t(buffer.stride), buffer.width,
                    frame_.begin() + std::ptrdiff_t(buffer.top + y) * width + buffer.left);
    }
}

platform::PixelView HeadlessWindow::Frame() const {
    return platform::PixelView{frame_.data(), frameWidth_, frameHeight_, frameWidth_};
}

std::uint32_t HeadlessWindow::FramePixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= frameWidth_ || y >= frameHeight_) {
        return 0;
    }
    return frame_[std::size_t(y) * std::size_t(frameWidth_) + std::size_t(x)];
}

// ---------------------------------------------------------------------------------------
// HeadlessWindowSystem

HeadlessWindowSystem::HeadlessWindowSystem(HeadlessClock& clock) : clock_(clock) {}

std::unique_ptr<platform::INativeWindow>
HeadlessWindowSystem::CreateNativeWindow(const platform::WindowOptions& options,
                                         platform::IWindowEvents& events) {
    auto window = std::make_unique<HeadlessWindow>(*this, options, events);
    windows_.push_back(window.get());
    return window;
}

void HeadlessWindowSystem::Forget(HeadlessWindow* window) {
    std::erase(windows_, window);
    if (active_ == window) {
        active_ = nullptr;
    }
    if (lastPressWindow_ == window) {
        lastPressWindow_ = nullptr;
    }
}

void HeadlessWindowSystem::Send(HeadlessWindow& window, const InputEvent& event) {
    window.Events().HandleInput(window, event);
}

void HeadlessWindowSystem::Deactivate(HeadlessWindow* window) {
    if (active_ != window || window == nullptr) {
        return;
    }
    active_ = nullptr;
    Send(*window, Event(InputKind::FocusOut));
}

void HeadlessWindowSystem::ActivateWindow(HeadlessWindow& window) {
    if (active_ == &window) {
        return;
    }
    if (active_ != nullptr) {
        Deactivate(active_);
    }
    active_ = &window;
    Send(window, Event(InputKind::FocusIn));
}

void HeadlessWindowSystem::SwitchToOtherApplication() {
    Deactivate(active_);
}

// ---------------------------------------------------------------------------------------
// Input

namespace {
unsigned ButtonBit(MouseButton button) {
    switch (button) {
    case MouseButton::Left:
        return platform::kLeftButton;
    case MouseButton::Right:
        return platform::kRightButton;
    case MouseButton::Middle:
        return platform::kMiddleButton;
    default:
        return 0;
    }
}
} // namespace

void HeadlessWindowSystem::MouseMove(HeadlessWindow& window, int x, int y, unsigned shift) {
    cursor_ = platform::Point{window.Bounds().left + x, window.Bounds().top + y};
    Send(window, Event(InputKind::MouseMove, {x, y}, shift | buttons_));
}

void HeadlessWindowSystem::Button(HeadlessWindow& window, int x, int y, MouseButton button, unsigned shift,
                                  bool down) {
    cursor_ = platform::Point{window.Bounds().left + x, window.Bounds().top + y};
    InputEvent event = Event(down ? InputKind::MouseDown : InputKind::MouseUp, {x, y});
    event.button = button;
    if (down) {
        if (active_ != &window) {
            ActivateWindow(window);
        }
        std::int64_t now = clock_.MonotonicMs();
        bool near = std::abs(x - lastPressPos_.x) <= 2 && std::abs(y - lastPressPos_.y) <= 2;
        event.doubleClick = lastPressWindow_ == &window && lastPressButton_ == button && near &&
                            now - lastPressTime_ <= std::int64_t(DoubleClickTimeMs()) && !lastPressWasDouble_;
        lastPressWindow_ = &window;
        lastPressButton_ = button;
        lastPressPos_ = {x, y};
        lastPressTime_ = now;
        lastPressWasDouble_ = event.doubleClick;
        buttons_ |= ButtonBit(button);
    } else {
        buttons_ &= ~ButtonBit(button);
    }
    event.shift = shift | buttons_;
    Send(window, event);
}

void HeadlessWindowSystem::MouseDown(HeadlessWindow& window, int x, int y, MouseButton button,
                                     unsigned shift) {
    Button(window, x, y, button, shift, true);
}

void HeadlessWindowSystem::MouseUp(HeadlessWindow& window, int x, int y, MouseButton button, unsigned shift) {
    Button(window, x, y, button, shift, false);
}

void HeadlessWindowSystem::Click(HeadlessWindow& window, int x, int y, MouseButton button, unsigned shift) {
    MouseMove(window, x, y, shift);
    Button(window, x, y, button, shift, true);
    Button(window, x, y, button, shift, false);
}

void HeadlessWindowSystem::DoubleClick(HeadlessWindow& window, int x, int y) {
    lastPressWindow_ = nullptr;
    Click(window, x, y);
    Click(window, x, y);
}

void HeadlessWindowSystem::Wheel(HeadlessWindow& window, int x, int y, int delta) {
    InputEvent event = Event(InputKind::MouseWheel, {x, y}, buttons_);
    event.wheelDelta = delta;
    Send(window, event);
}

void HeadlessWindowSystem::MouseLeave(HeadlessWindow& window) {
    Send(window, Event(InputKind::MouseLeave));
}

void HeadlessWindowSystem::KeyDown(HeadlessWindow& window, unsigned virtualKey, unsigned shift) {
    InputEvent event = Event(InputKind::KeyDown, {}, shift);
    event.virtualKey = virtualKey;
    Send(window, event);
}

void HeadlessWindowSystem::KeyUp(HeadlessWindow& window, unsigned virtualKey, unsigned shift) {
    InputEvent event = Event(InputKind::KeyUp, {}, shift);
    event.virtualKey = virtualKey;
    Send(window, event);
}

void HeadlessWindowSystem::PressKey(HeadlessWindow& window, unsigned virtualKey, unsigned shift) {
    KeyDown(window, virtualKey, shift);
    KeyUp(window, virtualKey, shift);
}

void HeadlessWindowSystem::Type(HeadlessWindow& window, const std::string& text, unsigned shift) {
    for (char c : text) {
        InputEvent event = Event(InputKind::Char, {}, shift);
        event.text = std::string(1, c);
        Send(window, event);
    }
}

void HeadlessWindowSystem::RequestClose(HeadlessWindow& window) {
    Send(window, Event(InputKind::CloseRequest));
}

void HeadlessWindowSystem::UserIconify(HeadlessWindow& window) {
    window.Iconify();
}

void HeadlessWindowSystem::UserRestore(HeadlessWindow& window) {
    window.Restore();
}

// ---------------------------------------------------------------------------------------
// The loop

void HeadlessWindowSystem::WaitAndDispatch(std::optional<std::int64_t> deadlineMs) {
    if (!script_.empty()) {
        auto step = std::move(script_.front());
        script_.pop_front();
        step();
        return;
    }
    if (deadlineMs && *deadlineMs <= advanceLimit_) {
        clock_.AdvanceTo(*deadlineMs);
        return;
    }
    throw HeadlessStall();
}

void HeadlessWindowSystem::WatchFd(int fd, bool /*readable*/, bool /*writable*/, FdCallback /*onReady*/) {
    watched_.push_back(fd);
}

void HeadlessWindowSystem::UnwatchFd(int fd) {
    std::erase(watched_, fd);
}

} // namespace platform::headless
