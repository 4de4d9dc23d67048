// TCustomEdit's default handling of keys, typed characters, the mouse and the clipboard.
#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "toolkit/runtime/Forms.h"
#include "toolkit/widgets/Edit.h"

#include <cctype>

namespace {

// Character boundaries of UTF-8 text: the caret never stops inside a multi-byte character.
bool IsContinuation(const std::string& text, int pos) {
    return pos > 0 && pos < int(text.size()) &&
           (static_cast<unsigned char>(text[std::size_t(pos)]) & 0xC0) == 0x80;
}

int PreviousBoundary(const std::string& text, int pos) {
    pos = std::max(pos - 1, 0);
    while (IsContinuation(text, pos)) {
        --pos;
    }
    return pos;
}

int NextBoundary(const std::string& text, int pos) {
    pos = std::min(pos + 1, int(text.size()));
    while (IsContinuation(text, pos)) {
        ++pos;
    }
    return pos;
}

bool IsBlank(const std::string& text, int pos) {
    return std::isspace(static_cast<unsigned char>(text[std::size_t(pos)])) != 0;
}

// Ctrl+Left: the start of the word before the caret.
int PreviousWord(const std::string& text, int pos) {
    while (pos > 0 && IsBlank(text, pos - 1)) {
        --pos;
    }
    while (pos > 0 && !IsBlank(text, pos - 1)) {
        --pos;
    }
    return pos;
}

// Ctrl+Right: the start of the next word.
int NextWord(const std::string& text, int pos) {
    const int length = int(text.size());
    while (pos < length && !IsBlank(text, pos)) {
        ++pos;
    }
    while (pos < length && IsBlank(text, pos)) {
        ++pos;
    }
    return pos;
}

bool KeyIsDown(unsigned key) {
    return GetKeyState(key) < 0;
}

// A single-line edit takes only the first line of pasted text.
std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

} // namespace

void TCustomEdit::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
        return;
    case WM_KEYDOWN:
        EditKeyDown(unsigned(message.WParam));
        return;
    case WM_CHAR:
        EditChar(static_cast<unsigned char>(message.WParam));
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
        EditMouse(message);
        return;
    case WM_SETCURSOR:
        if (LOWORD(std::uintptr_t(message.LParam)) == unsigned(HTCLIENT)) {
            if (TCustomForm* form = ParentForm()) {
                form->ApplyCursor(crIBeam);
            }
            message.Result = 1;
            return;
        }
        TWinControl::DefaultHandler(message);
        return;
    case WM_COPY:
        CopySelection();
        return;
    case WM_CUT:
        if (!readOnly_) {
            CopySelection();
            ClearSelection();
        }
        return;
    case WM_PASTE:
        if (!readOnly_) {
            EditPaste();
        }
        return;
    case WM_CLEAR:
        ClearSelection();
        return;
    default:
        TWinControl::DefaultHandler(message);
    }
}

void TCustomEdit::EditKeyDown(unsigned key) {
    const std::string text = GetText();
    const bool shift = KeyIsDown(VK_SHIFT);
    const bool control = KeyIsDown(VK_CONTROL);
    // Without Shift a move collapses the selection; with it the anchor stays.
    auto moveTo = [&](int caret) {
        Select(shift ? anchor_ : caret, caret);
    };
    switch (key) {
    case VK_LEFT:
        if (!shift && SelLength() > 0) {
            moveTo(SelStart());
        } else {
            moveTo(control ? PreviousWord(text, caret_) : PreviousBoundary(text, caret_));
        }
        break;
    case VK_RIGHT:
        if (!shift && SelLength() > 0) {
            moveTo(SelStart() + SelLength());
        } else {
            moveTo(control ? NextWord(text, caret_) : NextBoundary(text, caret_));
        }
        break;
    case VK_HOME:
        moveTo(0);
        break;
    case VK_END:
        moveTo(int(text.size()));
        break;
    case VK_DELETE:
        if (shift) {
            Perform(WM_CUT);
        } else if (!readOnly_ && SelLength() > 0) {
            ClearSelection();
        } else if (!readOnly_ && caret_ < int(text.size())) {
            DeleteRange(caret_, NextBoundary(text, caret_));
        }
        break;
    case VK_INSERT:
        if (control) {
            Perform(WM_COPY);
        } else if (shift) {
            Perform(WM_PASTE);
        }
        break;
    case VK_TAB:
        // A Tab that reaches the edit itself (posted, not typed) moves the focus as a typed
        // one does.
        if (TCustomForm* form = ParentForm()) {
            form->Perform(CM_DIALOGKEY, VK_TAB, 0);
        }
        break;
    default:
        break;
    }
}

void TCustomEdit::EditChar(unsigned char c) {
    constexpr unsigned char kCtrlA = 1;
    constexpr unsigned char kCtrlC = 3;
    constexpr unsigned char kBackspace = 8;
    constexpr unsigned char kCtrlV = 22;
    constexpr unsigned char kCtrlX = 24;
    switch (c) {
    case kCtrlA:
        SelectAll();
        return;
    case kCtrlC:
        Perform(WM_COPY);
        return;
    case kCtrlV:
        Perform(WM_PASTE);
        return;
    case kCtrlX:
        Perform(WM_CUT);
        return;
    case kBackspace:
        if (readOnly_) {
            return;
        }
        if (SelLength() > 0) {
            ClearSelection();
        } else if (caret_ > 0) {
            DeleteRange(PreviousBoundary(GetText(), caret_), caret_);
        }
        return;
    default:
        if (c >= 32 && c != 127 && !readOnly_) {
            ReplaceSelection(std::string(1, char(c)));
        }
        return;
    }
}

void TCustomEdit::EditPaste() {
    platform::IWindowSystem* windows = platform::Current().windows;
    if (windows == nullptr) {
        return;
    }
    ReplaceSelection(FirstLine(windows->ClipboardText()));
}

void TCustomEdit::EditMouse(TMessage& message) {
    const TPoint p = LParamToPoint(message.LParam);
    switch (message.Msg) {
    case WM_LBUTTONDOWN: {
        if (!Focused() && CanFocus()) {
            SetFocus();
        }
        const int offset = OffsetAtX(p.X);
        const bool extend = (message.WParam & MK_SHIFT) != 0;
        Select(extend ? anchor_ : offset, offset);
        selecting_ = true;
        return;
    }
    case WM_LBUTTONDBLCLK: {
        // The word under the pointer.
        const std::string text = GetText();
        const int offset = OffsetAtX(p.X);
        int from = offset;
        int to = offset;
        while (from > 0 && !IsBlank(text, from - 1)) {
            --from;
        }
        while (to < int(text.size()) && !IsBlank(text, to)) {
            ++to;
        }
        Select(from, to);
        return;
    }
    case WM_MOUSEMOVE:
        if (selecting_ && (message.WParam & MK_LBUTTON) != 0) {
            Select(anchor_, OffsetAtX(p.X));
        }
        return;
    default:
        selecting_ = false;
        return;
    }
}
