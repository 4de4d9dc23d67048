#include "toolkit/runtime/Controls.h"

#include "toolkit/base/Store.h"
#include "toolkit/runtime/Forms.h"

#include <cctype>

TShiftState KeysToShiftState(unsigned keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT) {
        shift |= ssShift;
    }
    if (keys & MK_CONTROL) {
        shift |= ssCtrl;
    }
    if (keys & MK_LBUTTON) {
        shift |= ssLeft;
    }
    if (keys & MK_RBUTTON) {
        shift |= ssRight;
    }
    if (keys & MK_MBUTTON) {
        shift |= ssMiddle;
    }
    if (GetKeyState(VK_MENU) < 0) {
        shift |= ssAlt;
    }
    return shift;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        shift |= ssShift;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        shift |= ssCtrl;
    }
    if (keyData & KF_ALTDOWN_LPARAM) {
        shift |= ssAlt;
    }
    return shift;
}

bool IsAccel(unsigned charCode, const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') {
            continue;
        }
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return std::toupper(static_cast<unsigned char>(text[i + 1])) == std::toupper(int(charCode & 0xFF));
    }
    return false;
}

std::string StripHotkey(const std::string& text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        result += text[i];
    }
    return result;
}

namespace {
unsigned keyboardState = 0; // TShiftStateBits of the input being routed
}

void SetKeyboardShiftState(unsigned shift) {
    keyboardState = shift;
}

short GetKeyState(unsigned virtualKey) {
    unsigned bit = 0;
    switch (virtualKey) {
    case VK_SHIFT:
        bit = ssShift;
        break;
    case VK_CONTROL:
        bit = ssCtrl;
        break;
    case VK_MENU:
        bit = ssAlt;
        break;
    case VK_LBUTTON:
        bit = ssLeft;
        break;
    case VK_RBUTTON:
        bit = ssRight;
        break;
    case VK_MBUTTON:
        bit = ssMiddle;
        break;
    default:
        return 0;
    }
    return (keyboardState & bit) != 0 ? short(-128) : short(0);
}

bool PtInRect(const TRect& rect, TPoint p) {
    return rect.Contains(p);
}

// ---------------------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] {
        FontChanged();
    };
}

TControl::~TControl() {
    Destroying();
    if (TCustomForm* form = ParentForm()) {
        form->ControlDestroyed(this);
    }
    if (parent_ != nullptr) {
        parent_->RemoveControl(this);
    }
}

void TControl::SetParent(TWinControl* value) {
    if (value == parent_ || value == this) {
        return;
    }
    if (parent_ != nullptr) {
        parent_->RemoveControl(this);
    }
    if (value != nullptr) {
        value->InsertControl(this);
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    InvalidateControl(visible_, false);
    bool sized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (parent_ != nullptr && !parent_->aligning_) {
        TRect client = parent_->ClientRect();
        anchorParentSize_ = TSize{client.Width(), client.Height()};
    }
    BoundsChanged();
    if (align_ != alNone) {
        RequestAlign();
    }
    InvalidateControl(visible_, false);
    // Windowed controls resize from their WM_SIZE handler.
    if (sized && !IsWindowed()) {
        Resize();
    }
}

void TControl::BoundsChanged() {}

void TControl::UpdateBoundsFromAlign(const TRect& r) {
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

TRect TControl::ClientRect() {
    return Rect(0, 0, width_, height_);
}

void TControl::SetClientWidth(int value) {
    SetWidth(value + (width_ - ClientRect().Width()));
}

void TControl::SetClientHeight(int value) {
    SetHeight(value + (height_ - ClientRect().Height()));
}

TPoint TControl::ClientOrigin() {
    if (parent_ == nullptr) {
        return Point(left_, top_);
    }
    TPoint origin = parent_->ClientOrigin();
    return Point(origin.X + left_, origin.Y + top_);
}

TPoint TControl::ClientToScreen(TPoint p) {
    TPoint origin = ClientOrigin();
    return Point(p.X + origin.X, p.Y + origin.Y);
}

TPoint TControl::ScreenToClient(TPoint p) {
    TPoint origin = ClientOrigin();
    return Point(p.X - origin.X, p.Y - origin.Y);
}

TPoint TControl::ClientToParent(TPoint p, TWinControl* ancestor) {
    if (ancestor == nullptr) {
        ancestor = parent_;
    }
    if (ancestor == nullptr) {
        return p;
    }
    TPoint screen = ClientToScreen(p);
    return ancestor->ScreenToClient(screen);
}

void TControl::SetAlign(TAlign value) {
    const TAlign old = align_;
    if (!Store(align_, value)) {
        return;
    }
    anchors_ = akLeft | akTop;
    if (old != alNone || value != alNone) {
        RequestAlign();
    }
}

void TControl::SetAnchors(TAnchors value) {
    if (!Store(anchors_, value)) {
        return;
    }
    if (parent_ != nullptr) {
        TRect client = parent_->ClientRect();
        anchorParentSize_ = TSize{client.Width(), client.Height()};
    }
}

void TControl::RequestAlign() {
    if (parent_ != nullptr && !parent_->aligning_) {
        parent_->Realign();
    }
}

void TControl::SetVisible(bool value) {
    if (value == visible_) {
        return;
    }
    if (!value) {
        InvalidateControl(true, false);
    }
    visible_ = value;
    Perform(CM_VISIBLECHANGED, WPARAM(value));
    RequestAlign();
}

bool TControl::Showing() {
    return visible_ && parent_ != nullptr && parent_->Showing();
}

bool TControl::IsEnabledInTree() const {
    return enabled_ && (parent_ == nullptr || parent_->IsEnabledInTree());
}

void TControl::SetEnabled(bool value) {
    if (!Store(enabled_, value)) {
        return;
    }
    Perform(CM_ENABLEDCHANGED);
}

void TControl::FontChanged() {
    if (!updatingFont_) {
        parentFont_ = false;
    }
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool value) {
    if (!Store(parentFont_, value)) {
        return;
    }
    if (value && parent_ != nullptr) {
        Perform(CM_PARENTFONTCHANGED);
    }
}

void TControl::SetColor(TColor value) {
    if (!Store(color_, value)) {
        return;
    }
    parentColor_ = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    if (!Store(parentColor_, value)) {
        return;
    }
    if (value && parent_ != nullptr) {
        Perform(CM_PARENTCOLORCHANGED);
    }
}

bool TControl::ExecuteAction(TBasicAction* /*action*/) {
    return false;
}

std::string GetHint(const TControl* control) {
    for (const TControl* c = control; c != nullptr; c = c->Parent()) {
        if (!c->Hint().empty()) {
            return c->Hint();
        }
    }
    return {};
}

void TControl::SetShowHint(bool value) {
    if (!Store(showHint_, value)) {
        return;
    }
    parentShowHint_ = false;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
    if (!Store(parentShowHint_, value)) {
        return;
    }
    if (value && parent_ != nullptr) {
        Perform(CM_PARENTSHOWHINTCHANGED);
    }
}

void TControl::SetCursor(TCursor value) {
    if (!Store(cursor_, value)) {
        return;
    }
    Perform(CM_CURSORCHANGED);
}

void TControl::SetText(const std::string& value) {
    if (!Store(text_, value)) {
        return;
    }
    Perform(CM_TEXTCHANGED);
}

LRESULT TControl::Perform(unsigned msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message) {
    if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST) {
        if (!HasStyle(csDoubleClicks)) {
            switch (message.Msg) {
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDBLCLK:
                message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
                break;
            default:
                break;
            }
        }
        if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) {
            SetStateBit(csLButtonDown, true);
        } else if (message.Msg == WM_LBUTTONUP) {
            SetStateBit(csLButtonDown, false);
        }
    }
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        WMMouseButton(message);
        return;
    case WM_MOUSEMOVE:
        WMMouseMove(message);
        return;
    case CM_VISIBLECHANGED:
        CMVisibleChanged(message);
        return;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(message);
        return;
    case CM_FONTCHANGED:
        CMFontChanged(message);
        return;
    case CM_COLORCHANGED:
        CMColorChanged(message);
        return;
    case CM_PARENTFONTCHANGED:
        CMParentFontChanged(message);
        return;
    case CM_PARENTCOLORCHANGED:
        CMParentColorChanged(message);
        return;
    case CM_PARENTSHOWHINTCHANGED:
        CMParentShowHintChanged(message);
        return;
    case CM_MOUSEENTER:
        CMMouseEnter(message);
        return;
    case CM_MOUSELEAVE:
        CMMouseLeave(message);
        return;
    case CM_HITTEST:
        CMHitTest(message);
        return;
    default:
        DefaultHandler(message);
    }
}

void TControl::DefaultHandler(TMessage& message) {
    if (message.Msg == WM_GETTEXT) {
        message.Result = LRESULT(GetText().size());
    }
}

void TControl::WMMouseButton(TMessage& message) {
    TPoint p = LParamToPoint(message.LParam);
    TShiftState shift = KeysToShiftState(unsigned(message.WParam));
    DefaultHandler(message);
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        bool dbl = message.Msg == WM_LBUTTONDBLCLK;
        if (HasStyle(csCaptureMouse)) {
            SetMouseCapture(true);
        }
        if (HasStyle(csClickEvents)) {
            if (dbl) {
                DblClick();
            } else {
                SetStateBit(csClicked, true);
            }
        }
        if (!HasStyle(csNoStdEvents)) {
            MouseDown(mbLeft, shift | (dbl ? ssDouble : 0u), p.X, p.Y);
        }
        break;
    }
    case WM_LBUTTONUP:
        if (HasStyle(csCaptureMouse)) {
            SetMouseCapture(false);
        }
        if (HasState(csClicked)) {
            SetStateBit(csClicked, false);
            if (ClientRect().Contains(p)) {
                Click();
            }
        }
        if (!HasStyle(csNoStdEvents)) {
            MouseUp(mbLeft, shift, p.X, p.Y);
        }
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        if (!HasStyle(csNoStdEvents)) {
            bool right = message.Msg == WM_RBUTTONDOWN || message.Msg == WM_RBUTTONDBLCLK;
            bool dbl = message.Msg == WM_RBUTTONDBLCLK || message.Msg == WM_MBUTTONDBLCLK;
            MouseDown(right ? mbRight : mbMiddle, shift | (dbl ? ssDouble : 0u), p.X, p.Y);
        }
        break;
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (!HasStyle(csNoStdEvents)) {
            MouseUp(message.Msg == WM_RBUTTONUP ? mbRight : mbMiddle, shift, p.X, p.Y);
        }
        break;
    default:
        break;
    }
}

void TControl::WMMouseMove(TMessage& message) {
    DefaultHandler(message);
    if (!HasStyle(csNoStdEvents)) {
        TPoint p = LParamToPoint(message.LParam);
        MouseMove(KeysToShiftState(unsigned(message.WParam)), p.X, p.Y);
    }
}

void TControl::CMVisibleChanged(TMessage& message) {
    DefaultHandler(message);
    InvalidateControl(true, false);
}

void TControl::CMEnabledChanged(TMessage& message) {
    DefaultHandler(message);
    Invalidate();
}

void TControl::CMFontChanged(TMessage& message) {
    DefaultHandler(message);
    Invalidate();
}

void TControl::CMColorChanged(TMessage& message) {
    DefaultHandler(message);
    Invalidate();
}

void TControl::CMParentFontChanged(TMessage& message) {
    DefaultHandler(message);
    if (parentFont_ && parent_ != nullptr) {
        updatingFont_ = true;
        font_.Assign(*parent_->Font());
        updatingFont_ = false;
    }
}

void TControl::CMParentColorChanged(TMessage& message) {
    DefaultHandler(message);
    if (parentColor_ && parent_ != nullptr) {
        SetColor(parent_->Color());
        parentColor_ = true;
    }
}

void TControl::CMParentShowHintChanged(TMessage& message) {
    DefaultHandler(message);
    if (parentShowHint_ && parent_ != nullptr) {
        SetShowHint(parent_->ShowHint());
        parentShowHint_ = true;
    }
}

void TControl::CMMouseEnter(TMessage& message) {
    DefaultHandler(message);
    if (OnMouseEnter) {
        OnMouseEnter(this);
    }
}

void TControl::CMMouseLeave(TMessage& message) {
    DefaultHandler(message);
    if (OnMouseLeave) {
        OnMouseLeave(this);
    }
}

void TControl::CMHitTest(TMessage& message) {
    message.Result = HTCLIENT;
}

void TControl::Click() {
    if (OnClick) {
        OnClick(this);
    }
}

void TControl::DblClick() {
    if (OnDblClick) {
        OnDblClick(this);
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) {
        OnMouseDown(this, button, shift, x, y);
    }
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) {
        OnMouseUp(this, button, shift, x, y);
    }
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) {
        OnMouseMove(this, shift, x, y);
    }
}

void TControl::Resize() {
    if (OnResize) {
        OnResize(this);
    }
}

void TControl::Changed() {
    Perform(CM_CHANGED, 0, LPARAM(this));
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (parent_ != nullptr) {
        if (parentColor_) {
            Perform(CM_PARENTCOLORCHANGED);
        }
        if (parentFont_) {
            Perform(CM_PARENTFONTCHANGED);
        }
        if (parentShowHint_) {
            Perform(CM_PARENTSHOWHINTCHANGED);
        }
    }
}

void TControl::SetStyleBit(TControlStyleBits bit, bool on) {
    controlStyle_ = on ? (controlStyle_ | bit) : (controlStyle_ & ~unsigned(bit));
}

void TControl::SetStateBit(TControlStateBits bit, bool on) {
    controlState_ = on ? (controlState_ | bit) : (controlState_ & ~unsigned(bit));
}

void TControl::InvalidateControl(bool isVisible, bool /*isOpaque*/) {
    if (isVisible && parent_ != nullptr) {
        parent_->InvalidateRect(BoundsRect(), true);
    }
}

void TControl::Invalidate() {
    InvalidateControl(visible_, HasStyle(csOpaque));
}

void TControl::Update() {
    if (parent_ != nullptr) {
        parent_->Update();
    }
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (parent_ == nullptr) {
        return;
    }
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
    Invalidate();
}

void TControl::SendToBack() {
    if (parent_ == nullptr) {
        return;
    }
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
    Invalidate();
}

bool TControl::MouseCapture() const {
    TCustomForm* form = ParentForm();
    return form != nullptr && form->CaptureControl() == this;
}

void TControl::SetMouseCapture(bool value) {
    TCustomForm* form = ParentForm();
    if (form == nullptr) {
        return;
    }
    if (value) {
        form->SetCaptureControl(this);
    } else if (form->CaptureControl() == this) {
        form->SetCaptureControl(nullptr);
    }
}

TCustomForm* TControl::ParentForm() const {
    return GetParentForm(this);
}
