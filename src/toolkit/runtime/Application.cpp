// TApplication: the forms of the program, the message loop (posted messages, timers,
// painting when idle), activation of forms, minimise/restore, message boxes and the
// default error report.
#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "toolkit/base/Store.h"
#include "toolkit/runtime/Forms.h"
#include "toolkit/runtime/Timer.h"

#include <algorithm>

TApplication* Application = nullptr;

namespace {

TMessageBoxProvider& Provider() {
    static TMessageBoxProvider provider;
    return provider;
}

} // namespace

void SetMessageBoxProvider(TMessageBoxProvider provider) {
    Provider() = std::move(provider);
}

TMessageBoxProvider MessageBoxProvider() {
    return Provider();
}

int DefaultMessageBoxAnswer(unsigned flags) {
    switch (flags & 0xF) {
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return IDYES;
    case MB_RETRYCANCEL:
        return IDRETRY;
    default:
        return IDOK;
    }
}

void ShowMessage(const std::string& text) {
    if (Application != nullptr) {
        Application->MessageBox(text, Application->Title(), MB_OK);
    } else if (Provider()) {
        Provider()(text, "", MB_OK);
    }
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    Application = this;
    // The desktop's end-of-session query reaches the program through this object.
    sessionEnd_ = platform::Current().sessionEnd;
    if (sessionEnd_ != nullptr) {
        sessionEnd_->SetSink(this);
    }
}

TApplication::~TApplication() {
    if (sessionEnd_ != nullptr && platform::Current().sessionEnd == sessionEnd_) {
        sessionEnd_->SetSink(nullptr);
    }
    Destroying();
    DestroyComponents();
    for (TCustomForm* form : std::vector<TCustomForm*>(forms_)) {
        delete form;
    }
    timers_.clear();
    if (Application == this) {
        Application = nullptr;
    }
}

// ---------------------------------------------------------------------------------------
// Forms

void TApplication::RegisterForm(TCustomForm* form) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) {
        forms_.push_back(form);
    }
}

void TApplication::RegisterCreatedForm(TCustomForm* form) {
    RegisterForm(form);
    if (mainForm_ == nullptr) {
        mainForm_ = form;
    }
}

void TApplication::FormDestroyed(TCustomForm* form) {
    std::erase(forms_, form);
    std::erase(released_, form);
    if (focusForm_ == form) {
        focusForm_ = nullptr;
    }
    if (mainForm_ == form) {
        mainForm_ = nullptr;
    }
    DropMessagesFor(form);
}

void TApplication::ReleaseForm(TCustomForm* form) {
    if (std::find(released_.begin(), released_.end(), form) == released_.end()) {
        released_.push_back(form);
    }
}

void TApplication::FreeReleasedForms() {
    while (!released_.empty()) {
        TCustomForm* form = released_.back();
        released_.pop_back();
        delete form;
    }
}

// The focus record: OnActivate/OnDeactivate run only when the program's focused form
// changes. A form regaining the focus it held (coming back from another program, from the
// tray, or after a modal message box) is not activated again.
void TApplication::FormGotNativeFocus(TCustomForm* form) {
    bool wasActive = active_;
    active_ = true;
    if (!wasActive && OnActivate) {
        OnActivate(this);
    }
    if (form == focusForm_) {
        form->RestoreFocus();
        return;
    }
    if (InModalBox()) {
        return;
    }
    TCustomForm* previous = focusForm_;
    focusForm_ = form;
    if (previous != nullptr) {
        previous->Deactivate();
    }
    if (focusForm_ == form) {
        form->Activate();
    }
}

void TApplication::FormLostNativeFocus(TCustomForm* form) {
    if (form == focusForm_) {
        form->LoseNativeFocus();
    }
    active_ = false;
    if (OnDeactivate) {
        OnDeactivate(this);
    }
}

void TApplication::FormIconified(TCustomForm* form) {
    if (form == mainForm_ && !minimized_) {
        minimized_ = true;
        if (OnMinimize) {
            OnMinimize(this);
        }
    }
}

void TApplication::FormRestored(TCustomForm* form) {
    if (form == mainForm_ && minimized_) {
        minimized_ = false;
        if (OnRestore) {
            OnRestore(this);
        }
    }
}

void TApplication::Minimize() {
    if (minimized_) {
        return;
    }
    minimized_ = true;
    for (TCustomForm* form : forms_) {
        if (form->Showing()) {
            form->Iconify();
        }
    }
    if (OnMinimize) {
        OnMinimize(this);
    }
}

void TApplication::Restore() {
    if (!minimized_) {
        return;
    }
    minimized_ = false;
    for (TCustomForm* form : forms_) {
        if (form->Showing()) {
            form->Restore();
        }
    }
    if (OnRestore) {
        OnRestore(this);
    }
}

void TApplication::SetAppWindowVisible(bool value) {
    if (!Store(appWindowVisible_, value)) {
        return;
    }
    if (mainForm_ != nullptr && mainForm_->NativeWindow() != nullptr) {
        mainForm_->NativeWindow()->SetSkipTaskbar(!value);
    }
}

bool ShowWindow(HWND window, int command) {
    auto* form = dynamic_cast<TCustomForm*>(window);
    if (form == nullptr) {
        if (window != nullptr) {
            window->SetVisible(command != SW_HIDE);
        }
        return window != nullptr;
    }
    bool wasVisible = form->Visible();
    switch (command) {
    case SW_HIDE:
        form->Hide();
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        form->Iconify();
        break;
    case SW_RESTORE:
        form->Show();
        form->Restore();
        break;
    default:
        form->Show();
        break;
    }
    return wasVisible;
}

// ---------------------------------------------------------------------------------------
// The message loop

void TApplication::PostMessageTo(HWND window, TMessage message) {
    posted_.emplace_back(window, message);
    if (platform::IWindowSystem* windows = platform::Current().windows) {
        windows->Wake();
    }
}

void TApplication::DropMessagesFor(HWND window) {
    std::erase_if(posted_, [window](const auto& entry) { return entry.first == window; });
}

bool TApplication::ProcessPostedMessage() {
    if (posted_.empty()) {
        return false;
    }
    auto [window, message] = posted_.front();
    posted_.pop_front();
    if (message.Msg == WM_QUIT) {
        Terminate();
    } else if (window != nullptr) {
        window->WndProc(message);
    }
    return true;
}

void TApplication::RegisterTimer(TTimer* timer) {
    if (std::find(timers_.begin(), timers_.end(), timer) == timers_.end()) {
        timers_.push_back(timer);
    }
}

void TApplication::UnregisterTimer(TTimer* timer) {
    std::erase(timers_, timer);
}

// The latest deadline the loop can wait for without keeping any timer past its tolerance:
// every timer due by then fires in that one wake-up.
std::optional<std::int64_t> TApplication::NextTimerDeadline() const {
    std::optional<std::int64_t> latestAllowed;
    for (const TTimer* timer : timers_) {
        const std::int64_t allowed = timer->Deadline() + std::int64_t(timer->Tolerance());
        if (timer->Running() && (!latestAllowed || allowed < *latestAllowed)) {
            latestAllowed = allowed;
        }
    }
    std::optional<std::int64_t> wake;
    for (const TTimer* timer : timers_) {
        if (timer->Running() && timer->Deadline() <= *latestAllowed && (!wake || timer->Deadline() > *wake)) {
            wake = timer->Deadline();
        }
    }
    return wake;
}

void TApplication::AddIdleWatcher(IIdleWatcher* watcher) {
    if (std::find(idleWatchers_.begin(), idleWatchers_.end(), watcher) == idleWatchers_.end()) {
        idleWatchers_.push_back(watcher);
    }
}

void TApplication::RemoveIdleWatcher(IIdleWatcher* watcher) {
    std::erase(idleWatchers_, watcher);
}

void TApplication::TellIdleWatchers() {
    for (IIdleWatcher* watcher : std::vector<IIdleWatcher*>(idleWatchers_)) {
        if (std::find(idleWatchers_.begin(), idleWatchers_.end(), watcher) != idleWatchers_.end()) {
            watcher->ApplicationIdle();
        }
    }
}

bool TApplication::FireDueTimers() {
    std::int64_t now = MonotonicNow();
    std::vector<TTimer*> due;
    for (TTimer* timer : timers_) {
        if (timer->Running() && timer->Deadline() <= now) {
            due.push_back(timer);
        }
    }
    std::sort(due.begin(), due.end(), [](TTimer* a, TTimer* b) {
        return a->Deadline() != b->Deadline() ? a->Deadline() < b->Deadline() : a->Sequence() < b->Sequence();
    });
    for (TTimer* timer : due) {
        // A handler may have stopped or destroyed a timer that was due with it.
        if (std::find(timers_.begin(), timers_.end(), timer) == timers_.end() || !timer->Running() ||
            timer->Deadline() > now) {
            continue;
        }
        try {
            timer->Fire(now);
        } catch (const std::exception& error) {
            HandleException(error);
        }
    }
    return !due.empty();
}

void TApplication::PaintForms() {
    for (TCustomForm* form : std::vector<TCustomForm*>(forms_)) {
        if (std::find(forms_.begin(), forms_.end(), form) != forms_.end()) {
            form->PaintInvalid();
        }
    }
}

void TApplication::ProcessMessages() {
    std::size_t pending = posted_.size();
    for (std::size_t i = 0; i < pending; ++i) {
        try {
            ProcessPostedMessage();
        } catch (const std::exception& error) {
            HandleException(error);
        }
    }
    FireDueTimers();
    try {
        FreeReleasedForms();
        PaintForms();
        TellIdleWatchers();
    } catch (const std::exception& error) {
        HandleException(error);
    }
}

void TApplication::HandleMessage() {
    try {
        if (ProcessPostedMessage() || FireDueTimers()) {
            return;
        }
        FreeReleasedForms();
        PaintForms();
        TellIdleWatchers();
        if (terminated_) {
            return;
        }
        platform::IWindowSystem* windows = platform::Current().windows;
        if (windows == nullptr) {
            // Nothing can ever arrive: end the loop instead of spinning.
            Terminate();
            return;
        }
        windows->WaitAndDispatch(NextTimerDeadline());
    } catch (const std::exception& error) {
        HandleException(error);
    }
}

void TApplication::Run() {
    if (mainForm_ == nullptr) {
        return;
    }
    if (!mainForm_->Visible()) {
        mainForm_->Show();
    }
    while (!terminated_) {
        HandleMessage();
    }
}

void TApplication::Terminate() {
    terminated_ = true;
    if (platform::IWindowSystem* windows = platform::Current().windows) {
        windows->Wake();
    }
}

// ---------------------------------------------------------------------------------------
// Message boxes and errors

int TApplication::RunModalBox(const std::function<int()>& fn) {
    TCustomForm* owner = focusForm_;
    ++modalBoxLevel_;
    int answer = 0;
    try {
        answer = fn();
    } catch (...) {
        --modalBoxLevel_;
        throw;
    }
    --modalBoxLevel_;
    // The box hands the focus back to the form that had it.
    if (owner != nullptr && owner == focusForm_ && !owner->Active()) {
        owner->TakeFocusBack();
    }
    return answer;
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return RunModalBox([&] {
        if (Provider()) {
            return Provider()(text, caption, flags);
        }
        return DefaultMessageBoxAnswer(flags);
    });
}

void TApplication::HandleException(const std::exception& error) {
    if (OnException) {
        OnException(this, error);
        return;
    }
    MessageBox(error.what(), title_, MB_OK | MB_ICONERROR);
}
