// TRzButton's push-button semantics: Default/Cancel keys and the active flag, ModalResult,
// Space presses, accelerators and toggle groups.
#include "controls/RzButton.h"
#include "toolkit/base/Store.h"

TRzButton::TRzButton(TComponent* owner) : TRzCustomButton(owner) {
    SetBounds(Left(), Top(), 75, 25);
    SetColor(clBtnFace);
}

// ---------------------------------------------------------------------------------------
// Properties

void TRzButton::SetAlignment(TAlignment value) {
    if (!Store(alignment_, value)) {
        return;
    }
    Invalidate();
}

void TRzButton::SetDefault(bool value) {
    // Stored even when unchanged: every button of the form recomputes its active flag.
    default_ = value;
    if (!HandleAllocated()) {
        return;
    }
    if (TCustomForm* form = GetParentForm(this)) {
        form->Perform(CM_FOCUSCHANGED, 0, LPARAM(static_cast<TControl*>(form->ActiveControl())));
    }
}

void TRzButton::SetCancel(bool value) {
    cancel_ = value;
}

void TRzButton::SetAllowAllUp(bool value) {
    if (!Store(allowAllUp_, value)) {
        return;
    }
    BroadcastGroupPress();
}

void TRzButton::SetGroupIndex(int value) {
    if (!Store(groupIndex_, value)) {
        return;
    }
    BroadcastGroupPress();
}

void TRzButton::SetDown(bool value) {
    if (groupIndex_ == 0) {
        value = false;
    }
    if (value == down_) {
        return;
    }
    // A grouped button cannot be released by itself unless its group allows all up.
    if (down_ && !allowAllUp_ && groupIndex_ != 0) {
        return;
    }
    down_ = value;
    state_ = value ? rbsExclusive : rbsUp;
    Invalidate();
    if (value) {
        BroadcastGroupPress();
    }
}

void TRzButton::SetShowDownPattern(bool value) {
    if (!Store(showDownPattern_, value)) {
        return;
    }
    Invalidate();
}

void TRzButton::SetShowFocusRect(bool value) {
    if (!Store(showFocusRect_, value)) {
        return;
    }
    Invalidate();
}

void TRzButton::SetFrameColor(TColor value) {
    if (!Store(frameColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzButton::SetHotTrack(bool value) {
    if (value == HotTrack()) {
        return;
    }
    TRzCustomButton::SetHotTrack(value);
    SetTransparent(value);
    // The cut corners change, so the parent's image behind them is erased anew.
    InvalidateRect(ClientRect(), true);
}

// ---------------------------------------------------------------------------------------
// Toggle groups

void TRzButton::BroadcastGroupPress() {
    if (groupIndex_ == 0 || Parent() == nullptr) {
        return;
    }
    TMessage message{CM_RZBUTTONPRESSED, WPARAM(groupIndex_), LPARAM(this), 0};
    Parent()->Broadcast(message);
}

void TRzButton::CMButtonPressed(TMessage& message) {
    auto* sender = reinterpret_cast<TRzButton*>(message.LParam);
    if (int(message.WParam) != groupIndex_ || sender == nullptr || sender == this) {
        return;
    }
    if (sender->Down() && down_) {
        down_ = false;
        state_ = rbsUp;
        Invalidate();
    }
    allowAllUp_ = sender->AllowAllUp();
}

// ---------------------------------------------------------------------------------------
// Clicking

void TRzButton::RepaintPressState() {
    Invalidate();
}

void TRzButton::PerformClick() {
    if (groupIndex_ != 0) {
        SetDown(!down_);
    } else {
        RepaintPressState();
    }
    struct ClickingScope {
        bool& flag;
        explicit ClickingScope(bool& f) : flag(f) { flag = true; }
        ~ClickingScope() { flag = false; }
        ClickingScope(const ClickingScope&) = delete;
        ClickingScope& operator=(const ClickingScope&) = delete;
    } scope(clicking_);
    Click();
}

void TRzButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) {
        form->SetModalResult(modalResult_);
    }
    TRzCustomButton::Click();
}

// ---------------------------------------------------------------------------------------
// Keyboard

void TRzButton::KeyDown(unsigned& key, TShiftState shift) {
    if (key == VK_SPACE && (shift & ssAlt) == 0) {
        spaceDown_ = true;
        pressed_ = true;
        RepaintPressState();
    }
    TRzCustomButton::KeyDown(key, shift);
}

void TRzButton::KeyUp(unsigned& key, TShiftState shift) {
    if (key == VK_SPACE) {
        pressed_ = false;
        if (spaceDown_) {
            PerformClick();
        }
        RepaintPressState();
    }
    TRzCustomButton::KeyUp(key, shift);
}

void TRzButton::CreateWnd() {
    TRzCustomButton::CreateWnd();
    active_ = default_;
}

void TRzButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_KILLFOCUS:
        WMKillFocus(message);
        return;
    case CM_DIALOGKEY:
        CMDialogKey(message);
        return;
    case CM_DIALOGCHAR:
        CMDialogChar(message);
        return;
    case CM_FOCUSCHANGED:
        CMFocusChanged(message);
        return;
    case CM_RZBUTTONPRESSED:
        CMButtonPressed(message);
        return;
    default:
        TRzCustomButton::Dispatch(message);
    }
}

void TRzButton::WMKillFocus(TMessage& message) {
    TRzCustomButton::Dispatch(message);
    spaceDown_ = false;
    pressed_ = false;
    RepaintPressState();
}

void TRzButton::CMDialogKey(TMessage& message) {
    const unsigned key = unsigned(message.WParam);
    const bool ours = (key == VK_RETURN && active_) || (key == VK_ESCAPE && cancel_);
    const bool noModifiers = (KeyDataToShiftState(message.LParam) & (ssShift | ssCtrl | ssAlt)) == 0;
    if (!ours || !noModifiers || !CanFocus()) {
        TRzCustomButton::Dispatch(message);
        return;
    }
    enterClick_ = !dropDownOnEnter_;
    Click();
    enterClick_ = false;
    message.Result = 1;
}

void TRzButton::CMDialogChar(TMessage& message) {
    if (IsAccel(unsigned(message.WParam), Caption()) && CanFocus()) {
        Click();
        message.Result = 1;
        return;
    }
    TRzCustomButton::Dispatch(message);
}

void TRzButton::CMFocusChanged(TMessage& message) {
    auto* focused = reinterpret_cast<TControl*>(message.LParam);
    const bool active = dynamic_cast<TRzButton*>(focused) != nullptr ? focused == this : default_;
    if (Store(active_, active)) {
        Repaint();
    }
    TRzCustomButton::Dispatch(message);
}
