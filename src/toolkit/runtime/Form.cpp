// TCustomForm: creation, showing and hiding, closing, the modal loop, activation and the
// focus inside the form.
#include "platform/Geometry.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "toolkit/base/Store.h"
#include "toolkit/runtime/Forms.h"

#include <algorithm>

TCustomForm* GetParentForm(const TControl* control) {
    if (control == nullptr) {
        return nullptr;
    }
    while (control->Parent() != nullptr) {
        control = control->Parent();
    }
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

namespace {
// True when inner is container itself or lies inside it.
bool Within(const TControl* inner, const TControl* container) {
    if (inner == nullptr || container == nullptr) {
        return false;
    }
    if (inner == container) {
        return true;
    }
    auto* windowed = dynamic_cast<const TWinControl*>(container);
    return windowed != nullptr && windowed->ContainsControl(inner);
}
} // namespace

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    SetVisible(false);
    focusedControl_ = this;
    canvas_.SetControl(this);
    if (Application != nullptr) {
        Application->RegisterForm(this);
    }
}

TCustomForm::~TCustomForm() {
    Destroying();
    if (OnDestroy) {
        OnDestroy(this);
    }
    canvas_.FreeHandle();
    ForgetFormDCs(this);
    if (Application != nullptr) {
        Application->FormDestroyed(this);
    }
    activeControl_ = nullptr;
    windowFocus_ = nullptr;
    captureControl_ = nullptr;
    mouseControl_ = nullptr;
    native_.reset();
}

void TCustomForm::AfterConstruction() {
    DoCreate();
}

void TCustomForm::DoCreate() {
    if (OnCreate) {
        OnCreate(this);
    }
}

void TCustomForm::SetText(const std::string& value) {
    TWinControl::SetText(value);
    if (native_ != nullptr) {
        native_->SetTitle(value);
    }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (!Store(borderStyle_, value)) {
        return;
    }
    native_.reset();
    if (shown_) {
        shown_ = false;
        ShowNative();
    }
}

void TCustomForm::SetFormStyle(TFormStyle value) {
    if (!Store(formStyle_, value)) {
        return;
    }
    native_.reset();
    if (shown_) {
        shown_ = false;
        ShowNative();
    }
}

// ---------------------------------------------------------------------------------------
// Showing and hiding

bool TCustomForm::Showing() {
    return Visible() && shown_;
}

// A form that is already showing comes to the front; one that is not is shown, which
// activates it once.
void TCustomForm::Show() {
    const bool wasShowing = Showing();
    SetVisible(true);
    if (wasShowing && native_ != nullptr) {
        native_->Activate();
    }
}

void TCustomForm::Hide() {
    SetVisible(false);
}

void TCustomForm::Iconify() {
    windowState_ = wsMinimized;
    if (native_ != nullptr) {
        native_->Iconify();
    }
}

void TCustomForm::Restore() {
    windowState_ = wsNormal;
    if (native_ != nullptr) {
        native_->Restore();
    }
}

void TCustomForm::EnsureNativeWindow() {
    platform::IWindowSystem* windows = platform::Current().windows;
    if (native_ != nullptr || windows == nullptr) {
        return;
    }
    platform::WindowOptions options;
    options.title = Caption();
    options.bounds = platform::Rect{Left(), Top(), Left() + Width(), Top() + Height()};
    options.borderless = borderStyle_ == bsNone;
    options.fixedSize = borderStyle_ != bsSizeable && borderStyle_ != bsSizeToolWin;
    options.alwaysOnTop = formStyle_ == fsStayOnTop;
    native_ = windows->CreateNativeWindow(options, *this);
}

void TCustomForm::PlaceOnScreen() {
    platform::IWindowSystem* windows = platform::Current().windows;
    if (windows == nullptr) {
        return;
    }
    platform::Rect area = windows->ScreenBounds();
    TCustomForm* main = Application != nullptr ? Application->MainForm() : nullptr;
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
        SetBounds(area.left + (area.Width() - Width()) / 2, area.top + (area.Height() - Height()) / 2,
                  Width(), Height());
        break;
    case poMainFormCenter:
    case poOwnerFormCenter:
        if (main != nullptr && main != this) {
            SetBounds(main->Left() + (main->Width() - Width()) / 2,
                      main->Top() + (main->Height() - Height()) / 2, Width(), Height());
        }
        break;
    default:
        break;
    }
}

void TCustomForm::SyncNativeBounds() {
    if (native_ != nullptr) {
        native_->SetBounds(platform::Rect{Left(), Top(), Left() + Width(), Top() + Height()});
    }
}

void TCustomForm::ShowNative() {
    if (shown_) {
        return;
    }
    if (!placed_) {
        placed_ = true;
        PlaceOnScreen();
    }
    EnsureNativeWindow();
    CreateHandle();
    if (KeepsPixels()) {
        backBuffer_.Resize(Width(), Height());
    }
    Realign();
    DoShow();
    if (!Visible()) {
        return;
    }
    shown_ = true;
    shownSize_ = TPoint{Width(), Height()};
    invalid_ = TRegion(Rect(0, 0, Width(), Height()));
    if (native_ != nullptr) {
        native_->Show();
        if (windowState_ == wsMinimized) {
            native_->Iconify();
        } else {
            native_->Activate();
        }
    }
}

void TCustomForm::HideNative() {
    if (!shown_) {
        return;
    }
    DoHide();
    SetCaptureControl(nullptr);
    UpdateMouseControl(TPoint{}, false);
    shown_ = false;
    if (native_ != nullptr) {
        native_->Hide();
    }
    // A hidden form holds no pixels: showing it again paints it whole.
    backBuffer_.Resize(0, 0);
}

void TCustomForm::DoShow() {
    if (OnShow) {
        OnShow(this);
    }
}

void TCustomForm::DoHide() {
    if (OnHide) {
        OnHide(this);
    }
}

void TCustomForm::BoundsChanged() {
    TWinControl::BoundsChanged();
    if (shown_ && (shownSize_.X != Width() || shownSize_.Y != Height())) {
        shownSize_ = TPoint{Width(), Height()};
        if (KeepsPixels()) {
            backBuffer_.Resize(Width(), Height());
        }
        invalid_ = TRegion(Rect(0, 0, Width(), Height()));
    }
    SyncNativeBounds();
}

TPoint TCustomForm::ClientOrigin() {
    return Point(Left(), Top());
}

// ---------------------------------------------------------------------------------------
// Closing and the modal loop

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) {
        OnCloseQuery(this, canClose);
    }
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) {
        OnClose(this, action);
    }
}

void TCustomForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) {
        return;
    }
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) {
        return;
    }
    if (Application != nullptr && Application->MainForm() == this) {
        Hide();
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        Iconify();
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

bool TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone) {
        modalResult_ = mrNone;
        return false;
    }
    if (action == caFree) {
        Release();
    }
    return true;
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || modal_ || Application == nullptr) {
        return mrCancel;
    }
    TCustomForm* previous = Application->ActiveForm();
    for (TCustomForm* form : Application->Forms()) {
        if (form != this && form->Enabled()) {
            form->SetEnabled(false);
            disabledForModal_.push_back(form);
        }
    }
    modal_ = true;
    modalResult_ = mrNone;
    Application->EnterModal();
    auto finish = [&] {
        modal_ = false;
        Hide();
        for (TCustomForm* form : disabledForModal_) {
            form->SetEnabled(true);
        }
        disabledForModal_.clear();
        Application->LeaveModal();
        if (previous != nullptr && previous != this) {
            previous->TakeFocusBack();
        }
    };
    try {
        Show();
        while (true) {
            Application->HandleMessage();
            if (Application->Terminated()) {
                modalResult_ = mrCancel;
            }
            if (modalResult_ != mrNone && CloseModal()) {
                break;
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return modalResult_;
}

void TCustomForm::Release() {
    if (Application != nullptr) {
        Application->ReleaseForm(this);
    }
}

// ---------------------------------------------------------------------------------------
// Activation and focus

void TCustomForm::Activate() {
    active_ = true;
    Perform(CM_ACTIVATE);
    if (activeControl_ == nullptr) {
        activeControl_ = FindNextControl(nullptr, true, true, false);
    }
    SetWindowFocus();
}

void TCustomForm::Deactivate() {
    active_ = false;
    Perform(CM_DEACTIVATE);
}

void TCustomForm::RestoreFocus() {
    active_ = true;
    SetWindowFocus();
}

void TCustomForm::TakeFocusBack() {
    if (Showing() && windowState_ != wsMinimized && native_ != nullptr) {
        native_->Activate();
    }
}

void TCustomForm::LoseNativeFocus() {
    active_ = false;
    SetCaptureControl(nullptr);
    TWinControl* lost = windowFocus_;
    windowFocus_ = nullptr;
    if (lost != nullptr) {
        lost->Perform(WM_KILLFOCUS);
    }
}

void TCustomForm::SetWindowFocus() {
    TWinControl* target = activeControl_ != nullptr && activeControl_->CanFocus() ? activeControl_ : this;
    MoveWindowFocus(target);
}

void TCustomForm::MoveWindowFocus(TWinControl* target) {
    if (windowFocus_ == target) {
        return;
    }
    TWinControl* old = windowFocus_;
    windowFocus_ = target;
    if (old != nullptr) {
        old->Perform(WM_KILLFOCUS, WPARAM(target));
        if (windowFocus_ != target) {
            return;
        }
    }
    target->Perform(WM_SETFOCUS, WPARAM(old));
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == activeControl_) {
        return;
    }
    if (control != nullptr && (control == this || GetParentForm(control) != this ||
                               (!InState(csLoading) && !control->CanFocus()))) {
        return;
    }
    activeControl_ = control;
    if (!InState(csLoading) && active_) {
        SetWindowFocus();
    }
}

void TCustomForm::FocusControl(TWinControl* control) {
    bool wasActive = active_;
    SetActiveControl(control);
    if (!wasActive && Showing() && native_ != nullptr && activeControl_ == control) {
        native_->Activate();
    }
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    if (InState(csDestroying) || control == nullptr) {
        return false;
    }
    if (control != this) {
        activeControl_ = control;
    }
    int count = ++focusCount_;
    if (focusedControl_ == nullptr) {
        focusedControl_ = this;
    }
    if (focusedControl_ == control) {
        return true;
    }
    while (focusedControl_ != nullptr && !focusedControl_->ContainsControl(control) &&
           focusedControl_ != control) {
        TWinControl* exiting = focusedControl_;
        focusedControl_ = exiting->Parent() != nullptr ? exiting->Parent() : this;
        exiting->Perform(CM_EXIT);
        if (count != focusCount_) {
            return false;
        }
    }
    while (focusedControl_ != control) {
        TWinControl* entering = control;
        while (entering->Parent() != focusedControl_ && entering->Parent() != nullptr) {
            entering = entering->Parent();
        }
        focusedControl_ = entering;
        entering->Perform(CM_ENTER);
        if (count != focusCount_) {
            return false;
        }
    }
    Perform(CM_FOCUSCHANGED, 0, LPARAM(control));
    return true;
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (removing) {
        if (Within(focusedControl_, control)) {
            focusedControl_ = control->Parent() != nullptr ? control->Parent() : this;
        }
        if (Within(windowFocus_, control)) {
            windowFocus_ = nullptr;
        }
        if (Within(activeControl_, control)) {
            activeControl_ = nullptr;
            if (active_ && !InState(csDestroying)) {
                SetWindowFocus();
            }
        }
        return;
    }
    if (Within(activeControl_, control)) {
        activeControl_ = nullptr;
        if (active_) {
            SetWindowFocus();
        }
    }
}

void TCustomForm::ControlDestroyed(TControl* control) {
    if (control == this) {
        return;
    }
    if (Within(captureControl_, control)) {
        captureControl_ = nullptr;
    }
    if (Within(mouseControl_, control)) {
        mouseControl_ = nullptr;
        mouseControlEntered_ = false;
    }
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        DefocusControl(windowed, true);
    }
}

void TCustomForm::SetCaptureControl(TControl* control) {
    if (control == captureControl_) {
        return;
    }
    TControl* old = captureControl_;
    captureControl_ = control;
    if (native_ != nullptr) {
        native_->SetMouseCapture(control != nullptr);
    }
    if (old != nullptr) {
        old->Perform(WM_CAPTURECHANGED, 0, LPARAM(control));
    }
    // The control under the pointer, passed over while another held the capture, is entered now.
    if (control == nullptr && mouseControl_ != nullptr && !mouseControlEntered_) {
        mouseControlEntered_ = true;
        mouseControl_->Perform(CM_MOUSEENTER);
    }
}

void TCustomForm::ApplyCursor(TCursor cursor) {
    currentCursor_ = cursor;
    if (native_ == nullptr) {
        return;
    }
    platform::CursorShape shape = platform::CursorShape::Arrow;
    switch (cursor) {
    case crIBeam:
        shape = platform::CursorShape::IBeam;
        break;
    case crHandPoint:
        shape = platform::CursorShape::Hand;
        break;
    case crSizeNWSE:
        shape = platform::CursorShape::SizeNWSE;
        break;
    case crSizeNS:
        shape = platform::CursorShape::SizeNS;
        break;
    case crSizeWE:
        shape = platform::CursorShape::SizeWE;
        break;
    case crHourGlass:
        shape = platform::CursorShape::Wait;
        break;
    default:
        break;
    }
    native_->SetCursor(shape);
}

void TCustomForm::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_ACTIVATE:
        if (OnActivate) {
            OnActivate(this);
        }
        return;
    case CM_DEACTIVATE:
        if (OnDeactivate) {
            OnDeactivate(this);
        }
        return;
    case CM_DIALOGKEY:
        CMDialogKeyForm(message);
        return;
    case CM_VISIBLECHANGED:
        TWinControl::Dispatch(message);
        if (Visible()) {
            ShowNative();
        } else {
            HideNative();
        }
        return;
    default:
        TWinControl::Dispatch(message);
    }
}

void TCustomForm::CMDialogKeyForm(TMessage& message) {
    if (GetKeyState(VK_MENU) >= 0) {
        switch (message.WParam) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
                message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (activeControl_ != nullptr && activeControl_->Parent() != nullptr) {
                activeControl_->Parent()->SelectNext(
                    activeControl_, message.WParam == VK_RIGHT || message.WParam == VK_DOWN, false);
                message.Result = 1;
            }
            return;
        default:
            break;
        }
    }
    TWinControl::Dispatch(message);
}
