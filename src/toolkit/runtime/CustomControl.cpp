// Canvases on controls, the graphic and custom control bases, and the window-handle
// functions (device contexts, invalidation, posted messages, focus and capture queries).
#include "platform/Geometry.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "toolkit/runtime/Controls.h"
#include "toolkit/runtime/Forms.h"

#include <algorithm>

namespace {

// A device context handed out by GetDC/GetWindowDC. It draws on the form's paint surface; when
// the form has none now (it keeps no pixels and is not painting), on pixels of its own, painted
// first with what the form shows there and presented when released. A control outside any form
// draws into an empty buffer, so callers never have to check for a missing context.
class TWindowDC : public TDeviceContext {
public:
    explicit TWindowDC(TCustomForm* form) : TDeviceContext(&own_), form_(form) {}
    TCustomForm* form_;
    TRect view_;
    TPoint origin_; // the form position of the target's first pixel
    bool ownsPixels_ = false;
    TPixelBuffer own_;
};

std::vector<TWindowDC*>& LiveDCs() {
    static std::vector<TWindowDC*> dcs;
    return dcs;
}

// The part of window's outer rectangle (form coordinates) that its ancestors leave visible.
TRect VisibleWindowRect(TWinControl* window) {
    TPoint offset = window->WindowOffsetInForm();
    TRect r = Bounds(offset.X, offset.Y, window->Width(), window->Height());
    for (TWinControl* p = window->Parent(); p != nullptr; p = p->Parent()) {
        TPoint o = p->ClientOffsetInForm();
        TRect client = p->ClientRect();
        OffsetRect(client, o.X, o.Y);
        IntersectRect(r, r, client);
    }
    return r;
}

HDC MakeDC(HWND window, bool whole) {
    TCustomForm* form = window != nullptr ? window->ParentForm() : nullptr;
    auto* dc = new TWindowDC(form);
    LiveDCs().push_back(dc);
    if (form == nullptr) {
        return dc;
    }
    TPoint origin = whole ? window->WindowOffsetInForm() : window->ClientOffsetInForm();
    TRect view = whole ? Rect(0, 0, window->Width(), window->Height()) : window->ClientRect();
    OffsetRect(view, origin.X, origin.Y);
    TRect visible = VisibleWindowRect(window);
    IntersectRect(visible, visible, view);
    const TCustomForm::TPaintSurface surface = form->PaintSurface();
    if (surface.pixels != nullptr) {
        dc->SetTarget(surface.pixels);
        dc->origin_ = surface.origin;
    } else if (!visible.IsEmpty()) {
        dc->ownsPixels_ = true;
        dc->origin_ = TPoint{visible.Left, visible.Top};
        dc->own_.Resize(visible.Width(), visible.Height());
        form->PaintArea(dc->own_, dc->origin_, TRegion(visible));
    }
    dc->view_ = visible;
    OffsetRect(visible, -dc->origin_.X, -dc->origin_.Y);
    OffsetRect(view, -dc->origin_.X, -dc->origin_.Y);
    origin = TPoint{origin.X - dc->origin_.X, origin.Y - dc->origin_.Y};
    TRegion clip(visible);
    if (!whole && (window->Params().Style & WS_CLIPCHILDREN) != 0) {
        for (int i = 0; i < window->ControlCount(); ++i) {
            TControl* child = window->Controls(i);
            if (child->IsWindowed() && child->Visible()) {
                TRect r = child->BoundsRect();
                OffsetRect(r, origin.X, origin.Y);
                clip.Exclude(r);
            }
        }
    }
    dc->SetWindowOrigin(origin);
    dc->SetViewBounds(view);
    dc->SetClip(clip);
    if (!dc->ownsPixels_) {
        form->MarkPresent(dc->view_);
    }
    return dc;
}

} // namespace

HDC GetDC(HWND window) {
    return MakeDC(window, false);
}

HDC GetWindowDC(HWND window) {
    return MakeDC(window, true);
}

int ReleaseDC(HWND /*window*/, HDC dc) {
    auto& dcs = LiveDCs();
    auto it = std::find(dcs.begin(), dcs.end(), dc);
    if (it == dcs.end()) {
        return 0;
    }
    TWindowDC* owned = *it;
    dcs.erase(it);
    if (owned->form_ != nullptr && owned->ownsPixels_) {
        owned->form_->PresentPixels(owned->own_, owned->origin_, owned->view_);
    } else if (owned->form_ != nullptr) {
        owned->form_->MarkPresent(owned->view_);
    }
    delete owned;
    return 1;
}

void ForgetFormDCs(TCustomForm* form) {
    for (TWindowDC* dc : LiveDCs()) {
        if (dc->form_ == form) {
            dc->form_ = nullptr;
            dc->SetTarget(nullptr);
        }
    }
}

bool InvalidateRect(HWND window, const TRect* rect, bool erase) {
    if (window == nullptr) {
        return false;
    }
    if (rect == nullptr) {
        window->Invalidate();
    } else {
        window->InvalidateRect(*rect, erase);
    }
    return true;
}

bool PostMessage(HWND window, unsigned msg, WPARAM wParam, LPARAM lParam) {
    if (Application == nullptr) {
        return false;
    }
    Application->PostMessageTo(window, TMessage{msg, wParam, lParam, 0});
    return true;
}

LRESULT SendMessage(HWND window, unsigned msg, WPARAM wParam, LPARAM lParam) {
    return window != nullptr ? window->Perform(msg, wParam, lParam) : 0;
}

HWND GetFocus() {
    if (Application == nullptr || !Application->Active()) {
        return nullptr;
    }
    TCustomForm* form = Application->ActiveForm();
    return form != nullptr ? form->WindowFocus() : nullptr;
}

HWND SetFocus(HWND window) {
    HWND previous = GetFocus();
    if (window != nullptr) {
        window->SetFocus();
    }
    return previous;
}

HWND GetCapture() {
    if (Application == nullptr) {
        return nullptr;
    }
    for (TCustomForm* form : Application->Forms()) {
        if (auto* windowed = dynamic_cast<TWinControl*>(form->CaptureControl())) {
            return windowed;
        }
        if (form->CaptureControl() != nullptr) {
            return form->CaptureControl()->Parent();
        }
    }
    return nullptr;
}

bool IsWindowVisible(HWND window) {
    return window != nullptr && window->Showing();
}

bool IsWindowEnabled(HWND window) {
    return window != nullptr && window->IsEnabledInTree();
}

bool EnableWindow(HWND window, bool enable) {
    if (window == nullptr) {
        return false;
    }
    bool wasDisabled = !window->Enabled();
    window->SetEnabled(enable);
    return wasDisabled;
}

bool GetCursorPos(TPoint* point) {
    platform::IWindowSystem* windows = platform::Current().windows;
    if (point == nullptr) {
        return false;
    }
    if (windows == nullptr) {
        *point = TPoint{};
        return false;
    }
    platform::Point p = windows->CursorPos();
    *point = Point(p.x, p.y);
    return true;
}

bool SetForegroundWindow(HWND window) {
    auto* form = dynamic_cast<TCustomForm*>(window);
    if (form == nullptr || form->NativeWindow() == nullptr) {
        return false;
    }
    form->NativeWindow()->Activate();
    return true;
}

void MessageBeep(unsigned /*type*/) {
    if (platform::IWindowSystem* windows = platform::Current().windows) {
        windows->Beep();
    }
}

// ---------------------------------------------------------------------------------------
// TControlCanvas

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* value) {
    if (value == control_) {
        return;
    }
    FreeHandle();
    control_ = value;
}

void TControlCanvas::FreeHandle() {
    if (ownedDC_ == nullptr) {
        return;
    }
    SetHandle(nullptr);
    ReleaseDC(nullptr, ownedDC_);
    ownedDC_ = nullptr;
}

void TControlCanvas::CreateHandle() {
    if (control_ == nullptr) {
        return;
    }
    if (auto* windowed = dynamic_cast<TWinControl*>(control_)) {
        ownedDC_ = GetDC(windowed);
    } else {
        ownedDC_ = GetDC(control_->Parent());
        TPoint origin = ownedDC_->WindowOrigin();
        ownedDC_->SetWindowOrigin(Point(origin.X + control_->Left(), origin.Y + control_->Top()));
        IntersectClipRect(ownedDC_, 0, 0, control_->Width(), control_->Height());
    }
    SetHandle(ownedDC_);
}

// ---------------------------------------------------------------------------------------
// TGraphicControl

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {
    canvas_.SetControl(this);
}

TGraphicControl::~TGraphicControl() {
    Destroying();
    canvas_.FreeHandle();
}

void TGraphicControl::Paint() {
    if (OnPaint) {
        OnPaint(this);
    }
}

void TGraphicControl::Dispatch(TMessage& message) {
    if (message.Msg == WM_PAINT && message.WParam != 0) {
        canvas_.FreeHandle();
        canvas_.SetHandle(reinterpret_cast<HDC>(message.WParam));
        Paint();
        canvas_.SetHandle(nullptr);
        return;
    }
    TControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------
// TCustomControl

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {
    canvas_.SetControl(this);
}

TCustomControl::~TCustomControl() {
    Destroying();
    canvas_.FreeHandle();
}

void TCustomControl::Paint() {
    if (OnPaint) {
        OnPaint(this);
    }
}

void TCustomControl::PaintWindow(HDC dc) {
    canvas_.FreeHandle();
    canvas_.SetHandle(dc);
    Paint();
    canvas_.SetHandle(nullptr);
}
