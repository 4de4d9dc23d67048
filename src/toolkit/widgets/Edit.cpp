// TCustomEdit: properties, selection and the editing steps every input path shares.
#include "toolkit/widgets/Edit.h"

#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "toolkit/base/Store.h"

#include <algorithm>

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() | csCaptureMouse | csClickEvents | csDoubleClicks);
    SetTabStop(true);
    SetBounds(Left(), Top(), 121, 21);
}

void TCustomEdit::SetText(const std::string& value) {
    if (value == GetText()) {
        return;
    }
    anchor_ = 0;
    caret_ = 0;
    scroll_ = 0;
    TWinControl::SetText(value);
}

void TCustomEdit::SetHideSelection(bool value) {
    if (!Store(hideSelection_, value)) {
        return;
    }
    Invalidate();
}

void TCustomEdit::SetMaxLength(int value) {
    maxLength_ = std::max(value, 0);
}

void TCustomEdit::SetReadOnly(bool value) {
    readOnly_ = value;
}

void TCustomEdit::Change() {
    if (OnChange) {
        OnChange(this);
    }
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= ES_AUTOHSCROLL;
    if (Ctl3D()) {
        params.ExStyle |= WS_EX_CLIENTEDGE;
    } else {
        params.Style |= WS_BORDER;
    }
}

// Keyboard entry selects the whole text; a click places the caret instead.
void TCustomEdit::DoEnter() {
    if (autoSelect_ && !HasState(csLButtonDown)) {
        SelectAll();
    }
    TWinControl::DoEnter();
}

// ---------------------------------------------------------------------------------------
// Selection

int TCustomEdit::SelStart() const {
    return std::min(anchor_, caret_);
}

int TCustomEdit::SelLength() const {
    return std::abs(caret_ - anchor_);
}

std::string TCustomEdit::SelText() const {
    return GetText().substr(std::size_t(SelStart()), std::size_t(SelLength()));
}

void TCustomEdit::SetSelStart(int value) {
    Select(value, value);
}

void TCustomEdit::SetSelLength(int value) {
    const int start = SelStart();
    Select(start, start + value);
}

void TCustomEdit::SetSelText(const std::string& value) {
    ReplaceSelection(value);
}

void TCustomEdit::SelectAll() {
    Select(0, int(GetText().size()));
}

void TCustomEdit::ClearSelection() {
    if (SelLength() > 0 && !readOnly_) {
        DeleteRange(SelStart(), SelStart() + SelLength());
    }
}

void TCustomEdit::Select(int anchor, int caret) {
    const int length = int(GetText().size());
    anchor = std::clamp(anchor, 0, length);
    caret = std::clamp(caret, 0, length);
    if (anchor == anchor_ && caret == caret_) {
        return;
    }
    anchor_ = anchor;
    caret_ = caret;
    ScrollCaretIntoView();
    Invalidate();
}

// ---------------------------------------------------------------------------------------
// Editing

void TCustomEdit::ReplaceSelection(const std::string& inserted) {
    const std::string text = GetText();
    const int start = SelStart();
    const int length = SelLength();
    std::string piece = inserted;
    if (maxLength_ > 0) {
        const int room = std::max(maxLength_ - (int(text.size()) - length), 0);
        if (int(piece.size()) > room) {
            piece.resize(std::size_t(room));
        }
    }
    if (piece.empty() && length == 0) {
        return;
    }
    std::string edited = text;
    edited.replace(std::size_t(start), std::size_t(length), piece);
    StoreEdit(edited, start + int(piece.size()));
}

void TCustomEdit::DeleteRange(int from, int to) {
    std::string edited = GetText();
    edited.erase(std::size_t(from), std::size_t(to - from));
    StoreEdit(edited, from);
}

// The caret is in place before the change notification runs, so a handler reads the new
// selection.
void TCustomEdit::StoreEdit(const std::string& text, int caret) {
    modified_ = true;
    anchor_ = caret;
    caret_ = caret;
    if (text == GetText()) {
        ScrollCaretIntoView();
        Invalidate();
        return;
    }
    TWinControl::SetText(text);
}

void TCustomEdit::CopySelection() {
    if (SelLength() == 0) {
        return;
    }
    if (platform::IWindowSystem* windows = platform::Current().windows) {
        windows->SetClipboardText(SelText());
    }
}

// ---------------------------------------------------------------------------------------
// Messages

void TCustomEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_TEXTCHANGED: {
        const int length = int(GetText().size());
        anchor_ = std::min(anchor_, length);
        caret_ = std::min(caret_, length);
        ScrollCaretIntoView();
        Invalidate();
        TWinControl::Dispatch(message);
        Change();
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        selecting_ = false;
        TWinControl::Dispatch(message);
        Invalidate();
        return;
    case CM_CTL3DCHANGED:
        TWinControl::Dispatch(message);
        RecreateWnd();
        return;
    case CM_ENABLEDCHANGED:
        TWinControl::Dispatch(message);
        Invalidate();
        return;
    default:
        TWinControl::Dispatch(message);
    }
}
