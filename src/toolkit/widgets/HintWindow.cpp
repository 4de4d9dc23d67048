#include "toolkit/widgets/HintWindow.h"

#include "platform/Geometry.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "toolkit/runtime/Timer.h"

#include <algorithm>

namespace {

constexpr int kHintMargin = 2;
// The hint appears below the pointer's hot spot, clear of a standard arrow cursor.
constexpr int kCursorHeight = 20;

} // namespace

// ---------------------------------------------------------------------------------------
// THintWindow

THintWindow::THintWindow() : TPopupWindow(platform::WindowKind::Tooltip) {
    font_.SetColor(clInfoText);
}

void THintWindow::ActivateHint(TPoint screen, const std::string& text) {
    text_ = text;
    TBitmap scratch(1, 1);
    TCanvas* canvas = scratch.Canvas();
    canvas->Font()->Assign(font_);
    TRect r = Rect(0, 0, 300, 0);
    DrawText(canvas->Handle(), text_, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ShowAt(screen, TSize{r.Width() + 2 * kHintMargin + 4, r.Height() + 2 * kHintMargin}, false);
}

void THintWindow::Paint(TCanvas& canvas) {
    TRect r = Rect(0, 0, Buffer().Width(), Buffer().Height());
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clInfoBk);
    canvas.FillRect(r);
    DrawRing(canvas, r, clWindowFrame, clWindowFrame);
    canvas.Font()->Assign(font_);
    canvas.Brush()->SetStyle(bsClear);
    TRect text = r;
    InflateRect(text, -kHintMargin, -kHintMargin);
    text.Left += 2;
    DrawText(canvas.Handle(), text_, text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

void THintWindow::Input(const platform::InputEvent& event) {
    if (event.kind == platform::InputKind::MouseDown) {
        Hide();
    }
}

// ---------------------------------------------------------------------------------------
// THintController

THintController::THintController(TApplication* application)
    : TComponent(application), application_(application), timer_(new TTimer(this)) {
    timer_->SetEnabled(false);
    timer_->OnTimer = [this](TObject*) {
        ShowHint();
    };
    application_->OnUserInput = [this](TControl* control, unsigned msg) {
        UserInput(control, msg);
    };
}

THintController::~THintController() {
    Destroying();
    application_->OnUserInput = nullptr;
    Track(nullptr);
}

THintWindow* THintController::ShownHint() const {
    return window_ != nullptr && window_->IsShown() ? window_.get() : nullptr;
}

std::string THintController::HintOf(TControl* control) {
    if (control == nullptr || !control->ShowHint()) {
        return {};
    }
    return GetHint(control);
}

void THintController::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == control_) {
        control_ = nullptr;
        CancelHint();
    }
}

void THintController::Track(TControl* control) {
    if (control == control_) {
        return;
    }
    if (control_ != nullptr) {
        control_->RemoveFreeNotification(this);
    }
    control_ = control;
    if (control_ != nullptr) {
        control_->FreeNotification(this);
    }
}

void THintController::CancelHint() {
    timer_->SetEnabled(false);
    if (window_ != nullptr) {
        window_->Hide();
    }
}

// A new control under the pointer starts the pause again; a press or a key hides the hint,
// which then stays away until the pointer comes to another control.
void THintController::UserInput(TControl* control, unsigned msg) {
    if (msg != WM_MOUSEMOVE || control != control_) {
        CancelHint();
    }
    if (msg != WM_MOUSEMOVE && msg != WM_MOUSELEAVE) {
        return;
    }
    if (control == control_) {
        return;
    }
    Track(control);
    if (application_->ShowHint() && !HintOf(control).empty()) {
        timer_->SetInterval(unsigned(std::max(application_->HintPause(), 1)));
        timer_->SetEnabled(true);
    }
}

void THintController::ShowHint() {
    timer_->SetEnabled(false);
    std::string text = HintOf(control_);
    platform::IWindowSystem* windows = platform::Current().windows;
    if (text.empty() || windows == nullptr || !control_->Showing()) {
        return;
    }
    if (window_ == nullptr) {
        window_ = std::make_unique<THintWindow>();
    }
    platform::Point cursor = windows->CursorPos();
    window_->ActivateHint(Point(cursor.x, cursor.y + kCursorHeight), text);
}
