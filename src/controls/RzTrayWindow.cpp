#include "controls/RzTrayWindow.h"

#include "controls/RzTray.h"
#include "platform/Geometry.h"
#include "platform/NotifyShell.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "toolkit/runtime/Forms.h"
#include "toolkit/runtime/Timer.h"
#include "toolkit/widgets/HintWindow.h"

#include <algorithm>

namespace {

// The tip sits below the pointer, clear of the cursor image; the shell reports the pointer itself.
constexpr int kTipOffset = 20;

// The tooltip buffer separates its lines with a carriage return alone.
std::string WithLineFeeds(std::string text) {
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

} // namespace

TRzTrayWindow::TRzTrayWindow(TRzTrayIcon& tray)
    : TWinControl(nullptr), tray_(tray), tipTimer_(new TTimer(this)) {
    tipTimer_->SetEnabled(false);
    tipTimer_->OnTimer = [this](TObject*) {
        TipTimer();
    };
    if (platform::INotifyShell* shell = platform::Current().notifyShell) {
        shell->AddListener(*this);
    }
    if (Application != nullptr) {
        Application->AddMessageWindow(this);
    }
}

TRzTrayWindow::~TRzTrayWindow() {
    Destroying();
    if (platform::INotifyShell* shell = platform::Current().notifyShell) {
        shell->RemoveListener(*this);
    }
    if (Application != nullptr) {
        Application->RemoveMessageWindow(this);
        Application->DropMessagesFor(this);
    }
}

void TRzTrayWindow::PostCallback(unsigned message, std::uintptr_t id, unsigned mouseMessage) {
    PostMessage(this, message, WPARAM(id), LPARAM(mouseMessage));
}

void TRzTrayWindow::PostTaskbarCreated() {
    PostMessage(this, WM_TASKBARCREATED, 0, 0);
}

void TRzTrayWindow::ShowTip(platform::Point screen, const std::string& text) {
    tipPoint_ = screen;
    tipText_ = WithLineFeeds(text);
    if (tipText_.empty()) {
        HideTip();
        return;
    }
    // A tip on screen takes the new text at once; one that is due keeps its pause.
    if (tip_ != nullptr && tip_->IsShown()) {
        TipTimer();
        return;
    }
    if (tipTimer_->Enabled()) {
        return;
    }
    tipTimer_->SetInterval(unsigned(Application != nullptr ? std::max(Application->HintPause(), 1) : 500));
    tipTimer_->SetEnabled(true);
}

void TRzTrayWindow::HideTip() {
    tipTimer_->SetEnabled(false);
    if (tip_ != nullptr) {
        tip_->Hide();
    }
}

THintWindow* TRzTrayWindow::ShownTip() const {
    return tip_ != nullptr && tip_->IsShown() ? tip_.get() : nullptr;
}

void TRzTrayWindow::TipTimer() {
    tipTimer_->SetEnabled(false);
    if (tip_ == nullptr) {
        tip_ = std::make_unique<THintWindow>();
    }
    tip_->ActivateHint(Point(tipPoint_.x, tipPoint_.y + kTipOffset), tipText_);
}

void TRzTrayWindow::WndProc(TMessage& message) {
    tray_.WndProc(message);
}
