// Input routing of a form: the platform's events become mouse, key and character messages
// for the control under the pointer (or holding the capture) and the focused control.
#include "toolkit/runtime/Forms.h"

namespace {

unsigned MouseKeys(unsigned shift) {
    unsigned keys = 0;
    if (shift & ssShift) {
        keys |= MK_SHIFT;
    }
    if (shift & ssCtrl) {
        keys |= MK_CONTROL;
    }
    if (shift & ssLeft) {
        keys |= MK_LBUTTON;
    }
    if (shift & ssRight) {
        keys |= MK_RBUTTON;
    }
    if (shift & ssMiddle) {
        keys |= MK_MBUTTON;
    }
    return keys;
}

unsigned ButtonBit(platform::MouseButton button) {
    switch (button) {
    case platform::MouseButton::Left:
        return ssLeft;
    case platform::MouseButton::Right:
        return ssRight;
    case platform::MouseButton::Middle:
        return ssMiddle;
    default:
        return 0;
    }
}

unsigned ButtonMessage(platform::MouseButton button, bool down, bool doubleClick) {
    unsigned base = button == platform::MouseButton::Right    ? WM_RBUTTONDOWN
                    : button == platform::MouseButton::Middle ? WM_MBUTTONDOWN
                                                              : WM_LBUTTONDOWN;
    if (!down) {
        return base + 1;
    }
    return doubleClick ? base + 2 : base;
}

// A point of the form's client area in the client coordinates of control.
TPoint FormToClient(TControl* control, TPoint p) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        TPoint o = windowed->ClientOffsetInForm();
        return Point(p.X - o.X, p.Y - o.Y);
    }
    TPoint o = control->Parent() != nullptr ? control->Parent()->ClientOffsetInForm() : Point(0, 0);
    return Point(p.X - o.X - control->Left(), p.Y - o.Y - control->Top());
}

// Key-message LParam: repeat count 1, the Alt flag, the key-up flag.
void NotifyUserInput(TControl* control, unsigned msg) {
    if (Application != nullptr && Application->OnUserInput) {
        Application->OnUserInput(control, msg);
    }
}

LPARAM KeyData(unsigned shift, bool up) {
    LPARAM data = 1;
    if (shift & ssAlt) {
        data |= KF_ALTDOWN_LPARAM;
    }
    if (up) {
        data |= KF_UP_LPARAM;
    }
    return data;
}

} // namespace

void TCustomForm::HandleInput(platform::INativeWindow& /*window*/, const platform::InputEvent& event) {
    try {
        DispatchInput(event);
    } catch (const std::exception& error) {
        if (Application == nullptr) {
            throw;
        }
        Application->HandleException(error);
    }
}

void TCustomForm::DispatchInput(const platform::InputEvent& event) {
    using platform::InputKind;
    switch (event.kind) {
    case InputKind::MouseDown:
    case InputKind::MouseUp:
    case InputKind::MouseMove:
    case InputKind::MouseWheel:
        if (Enabled()) {
            RouteMouse(event);
        }
        break;
    case InputKind::MouseLeave:
        UpdateMouseControl(TPoint{}, false);
        NotifyUserInput(nullptr, WM_MOUSELEAVE);
        break;
    case InputKind::KeyDown:
    case InputKind::KeyUp:
        if (Enabled()) {
            RouteKey(event);
        }
        break;
    case InputKind::Char:
        if (Enabled()) {
            RouteChars(event);
        }
        break;
    case InputKind::FocusIn:
        if (Application != nullptr) {
            Application->FormGotNativeFocus(this);
        }
        break;
    case InputKind::FocusOut:
        if (Application != nullptr) {
            Application->FormLostNativeFocus(this);
        }
        break;
    case InputKind::CloseRequest:
        if (Enabled()) {
            Close();
        }
        break;
    case InputKind::Expose:
        Present(Rect(event.area.left, event.area.top, event.area.right, event.area.bottom));
        break;
    case InputKind::Resize:
        SetBounds(event.area.left, event.area.top, event.area.Width(), event.area.Height());
        break;
    case InputKind::Iconified:
        windowState_ = wsMinimized;
        if (Application != nullptr) {
            Application->FormIconified(this);
        }
        break;
    case InputKind::Restored:
        windowState_ = wsNormal;
        if (Application != nullptr) {
            Application->FormRestored(this);
        }
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Mouse

TControl* TCustomForm::FindTarget(TPoint formPoint, bool allowDisabled) {
    if (!Rect(0, 0, Width(), Height()).Contains(formPoint)) {
        return nullptr;
    }
    TWinControl* window = this;
    while (true) {
        TControl* child = window->ControlAtPos(FormToClient(window, formPoint), allowDisabled, true);
        if (child == nullptr) {
            return window;
        }
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (windowed == nullptr) {
            return child;
        }
        TPoint screen = Point(Left() + formPoint.X, Top() + formPoint.Y);
        if (windowed->Perform(WM_NCHITTEST, 0, PointToLParam(screen)) == HTTRANSPARENT) {
            return window;
        }
        window = windowed;
    }
}

void TCustomForm::UpdateMouseControl(TPoint formPoint, bool inside) {
    TControl* now = inside ? FindTarget(formPoint, true) : nullptr;
    if (now == mouseControl_) {
        return;
    }
    TControl* old = mouseControl_;
    bool oldEntered = mouseControlEntered_;
    mouseControl_ = now;
    mouseControlEntered_ = now != nullptr && (captureControl_ == nullptr || now == captureControl_);
    // While a control holds the capture only it hears about the pointer leaving and coming back.
    if (old != nullptr && oldEntered) {
        old->Perform(CM_MOUSELEAVE);
    }
    if (mouseControl_ == now && mouseControlEntered_) {
        now->Perform(CM_MOUSEENTER);
    }
    if (Application != nullptr && mouseControl_ == now) {
        Application->SetHint(GetHint(now));
    }
}

void TCustomForm::RouteMouse(const platform::InputEvent& event) {
    using platform::InputKind;
    TPoint p = Point(event.pos.x, event.pos.y);
    lastMousePos_ = p;
    unsigned shift = event.shift & (ssShift | ssAlt | ssCtrl | ssLeft | ssRight | ssMiddle);
    if (event.kind == InputKind::MouseDown) {
        shift |= ButtonBit(event.button);
    } else if (event.kind == InputKind::MouseUp) {
        shift &= ~ButtonBit(event.button);
    }
    SetKeyboardShiftState(shift);
    UpdateMouseControl(p, true);

    if (event.kind == InputKind::MouseWheel) {
        TWinControl* target = KeyTarget();
        if (target != nullptr) {
            target->Perform(WM_MOUSEWHEEL, MAKELPARAM(int(MouseKeys(shift)), event.wheelDelta),
                            PointToLParam(Point(Left() + p.X, Top() + p.Y)));
        }
        return;
    }
    TControl* target = captureControl_ != nullptr ? captureControl_ : FindTarget(p, false);
    if (target == nullptr) {
        return;
    }
    if (event.kind == InputKind::MouseMove && captureControl_ == nullptr) {
        auto* windowed = dynamic_cast<TWinControl*>(target);
        if (windowed == nullptr) {
            windowed = target->Parent();
        }
        if (windowed != nullptr) {
            windowed->Perform(WM_SETCURSOR, WPARAM(windowed), MAKELPARAM(HTCLIENT, int(WM_MOUSEMOVE)));
        }
    }
    unsigned msg = WM_MOUSEMOVE;
    if (event.kind != InputKind::MouseMove) {
        msg = ButtonMessage(event.button, event.kind == InputKind::MouseDown, event.doubleClick);
    }
    NotifyUserInput(mouseControl_, msg);
    target->Perform(msg, MouseKeys(shift), PointToLParam(FormToClient(target, p)));
}

// ---------------------------------------------------------------------------------------
// Keyboard

TWinControl* TCustomForm::KeyTarget() {
    return windowFocus_ != nullptr ? windowFocus_ : this;
}

void TCustomForm::RouteKey(const platform::InputEvent& event) {
    unsigned shift = event.shift & (ssShift | ssAlt | ssCtrl);
    SetKeyboardShiftState(shift);
    unsigned key = event.virtualKey;
    bool alt = (shift & ssAlt) != 0;
    TWinControl* target = KeyTarget();
    if (event.kind == platform::InputKind::KeyUp) {
        target->Perform(alt ? WM_SYSKEYUP : WM_KEYUP, key, KeyData(shift, true));
        return;
    }
    swallowChar_ = false;
    NotifyUserInput(mouseControl_, WM_KEYDOWN);
    unsigned mask = 0;
    switch (key) {
    case VK_TAB:
        mask = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL:
        mask = DLGC_WANTALLKEYS;
        break;
    default:
        break;
    }
    // Navigation and dialog keys go to the form first unless the focused control wants them.
    if (mask != 0 && target->Perform(CM_WANTSPECIALKEY, key, KeyData(shift, false)) == 0 &&
        (target->Perform(WM_GETDLGCODE) & mask) == 0 &&
        Perform(CM_DIALOGKEY, key, KeyData(shift, false)) != 0) {
        swallowChar_ = true;
        return;
    }
    target->Perform(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, KeyData(shift, false));
}

void TCustomForm::RouteChars(const platform::InputEvent& event) {
    unsigned shift = event.shift & (ssShift | ssAlt | ssCtrl);
    SetKeyboardShiftState(shift);
    for (char c : event.text) {
        if (swallowChar_ && (c == '\t' || c == '\r' || c == '\x1b')) {
            swallowChar_ = false;
            continue;
        }
        auto code = WPARAM(static_cast<unsigned char>(c));
        if (shift & ssAlt) {
            // Alt+letter: an accelerator for the whole form.
            Perform(CM_DIALOGCHAR, code, KeyData(shift, false));
            continue;
        }
        TWinControl* target = KeyTarget();
        if ((target->Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0 &&
            Perform(CM_DIALOGCHAR, code, KeyData(shift, false)) != 0) {
            continue;
        }
        target->Perform(WM_CHAR, code, KeyData(shift, false));
    }
}
