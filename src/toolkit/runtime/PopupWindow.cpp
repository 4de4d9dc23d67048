#include "toolkit/runtime/PopupWindow.h"

#include "platform/Geometry.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "toolkit/runtime/Forms.h"

#include <algorithm>

TPopupWindow::TPopupWindow(platform::WindowKind kind) : kind_(kind) {}

TPopupWindow::~TPopupWindow() = default;

void TPopupWindow::ShowAt(TPoint screen, TSize size, bool activate) {
    platform::IWindowSystem* windows = platform::Current().windows;
    if (windows == nullptr) {
        return;
    }
    platform::Rect area = windows->ScreenBounds();
    int x = screen.X + size.cx > area.right ? screen.X - size.cx : screen.X;
    int y = screen.Y + size.cy > area.bottom ? screen.Y - size.cy : screen.Y;
    x = std::max(int(area.left), std::min(x, int(area.right) - size.cx));
    y = std::max(int(area.top), std::min(y, int(area.bottom) - size.cy));
    bounds_ = Bounds(x, y, size.cx, size.cy);
    platform::Rect native{bounds_.Left, bounds_.Top, bounds_.Right, bounds_.Bottom};
    if (native_ == nullptr) {
        platform::WindowOptions options;
        options.kind = kind_;
        options.bounds = native;
        options.borderless = true;
        options.alwaysOnTop = true;
        options.skipTaskbar = true;
        native_ = windows->CreateNativeWindow(options, *this);
    } else {
        native_->SetBounds(native);
    }
    buffer_.Resize(size.cx, size.cy);
    shown_ = true;
    native_->Show();
    Redraw();
    if (activate) {
        native_->Activate();
    }
}

void TPopupWindow::Hide() {
    if (!shown_) {
        return;
    }
    shown_ = false;
    if (native_ != nullptr) {
        native_->SetMouseCapture(false);
        native_->Hide();
    }
}

void TPopupWindow::Redraw() {
    if (!shown_ || native_ == nullptr) {
        return;
    }
    TDeviceContext dc(&buffer_);
    TCanvas canvas;
    canvas.SetHandle(&dc);
    Paint(canvas);
    canvas.SetHandle(nullptr);
    platform::PixelView view{buffer_.Data(), buffer_.Width(), buffer_.Height(), buffer_.Width()};
    native_->Present(view, platform::Rect{0, 0, buffer_.Width(), buffer_.Height()});
}

void TPopupWindow::HandleInput(platform::INativeWindow& /*window*/, const platform::InputEvent& event) {
    if (event.kind == platform::InputKind::Expose) {
        Redraw();
        return;
    }
    try {
        Input(event);
    } catch (const std::exception& error) {
        if (Application == nullptr) {
            throw;
        }
        Application->HandleException(error);
    }
}

void DrawRing(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight) {
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(topLeft);
    canvas.FillRect(Rect(r.Left, r.Top, r.Right - 1, r.Top + 1));
    canvas.FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1));
    canvas.Brush()->SetColor(bottomRight);
    canvas.FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
    canvas.FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
}

void DrawRaisedEdge(TCanvas& canvas, const TRect& rect) {
    TRect r = rect;
    DrawRing(canvas, r, cl3DLight, cl3DDkShadow);
    InflateRect(r, -1, -1);
    DrawRing(canvas, r, clBtnHighlight, clBtnShadow);
}

void DrawSunkenEdge(TCanvas& canvas, const TRect& rect) {
    TRect r = rect;
    DrawRing(canvas, r, clBtnShadow, clBtnHighlight);
    InflateRect(r, -1, -1);
    DrawRing(canvas, r, cl3DDkShadow, cl3DLight);
}
