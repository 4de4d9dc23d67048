#include "toolkit/base/Store.h"
#include "toolkit/runtime/Controls.h"
#include "toolkit/runtime/Forms.h"

#include <algorithm>

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    Destroying();
    // Tell the form while this is still a windowed control, so the focus is moved away.
    if (TCustomForm* form = ParentForm(); form != nullptr && form != this) {
        form->ControlDestroyed(this);
    }
    while (!controls_.empty()) {
        TControl* control = controls_.back();
        RemoveControl(control);
        delete control;
    }
    if (handleAllocated_) {
        DestroyHandle();
    }
    if (Application != nullptr) {
        Application->DropMessagesFor(this);
    }
}

// ---------------------------------------------------------------------------------------
// Children

void TWinControl::InsertControl(TControl* control) {
    if (control == nullptr || control->parent_ == this) {
        return;
    }
    controls_.push_back(control);
    control->parent_ = this;
    TRect client = ClientRect();
    control->anchorParentSize_ = TSize{client.Width(), client.Height()};
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        tabList_.push_back(windowed);
        if (handleAllocated_) {
            windowed->CreateHandle();
        }
    }
    control->Perform(CM_PARENTCOLORCHANGED);
    control->Perform(CM_PARENTFONTCHANGED);
    control->Perform(CM_PARENTSHOWHINTCHANGED);
    Perform(CM_CONTROLCHANGE, WPARAM(control), 1);
    Perform(CM_CONTROLLISTCHANGE, WPARAM(control), 1);
    if (control->Align() != alNone || control->Anchors() != (akLeft | akTop)) {
        Realign();
    }
    control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) {
        return;
    }
    if (TCustomForm* form = ParentForm()) {
        form->ControlDestroyed(control);
    }
    control->Invalidate();
    Perform(CM_CONTROLCHANGE, WPARAM(control), 0);
    controls_.erase(std::find(controls_.begin(), controls_.end(), control));
    // Compared as plain pointers: a control being destroyed is no longer a TWinControl.
    std::erase_if(tabList_, [control](TWinControl* windowed) { return windowed == control; });
    if (auto* windowed = dynamic_cast<TWinControl*>(control);
        windowed != nullptr && windowed->handleAllocated_) {
        windowed->DestroyHandle();
    }
    control->parent_ = nullptr;
    Perform(CM_CONTROLLISTCHANGE, WPARAM(control), 0);
    if (control->Align() != alNone) {
        Realign();
    }
}

void TWinControl::ForgetControl(TControl* control) {
    RemoveControl(control);
}

bool TWinControl::ContainsControl(const TControl* control) const {
    while (control != nullptr && control != this) {
        control = control->Parent();
    }
    return control == this;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) {
    auto hits = [&](TControl* control) {
        if (!control->Visible() || (!allowDisabled && !control->Enabled()) ||
            !control->BoundsRect().Contains(p)) {
            return false;
        }
        TPoint local = Point(p.X - control->Left(), p.Y - control->Top());
        return control->Perform(CM_HITTEST, 0, PointToLParam(local)) != 0;
    };
    if (allowWinControls) {
        for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
            if ((*it)->IsWindowed() && hits(*it)) {
                return *it;
            }
        }
    }
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if (!(*it)->IsWindowed() && hits(*it)) {
            return *it;
        }
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
    for (TControl* control : std::vector<TControl*>(controls_)) {
        control->WndProc(message);
        if (message.Result != 0) {
            return;
        }
    }
}

// ---------------------------------------------------------------------------------------
// Tab order and focus

int TWinControl::TabOrder() const {
    if (Parent() == nullptr) {
        return -1;
    }
    const auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (Parent() == nullptr) {
        return;
    }
    auto& list = Parent()->tabList_;
    int current = TabOrder();
    int target = std::clamp(value, 0, int(list.size()) - 1);
    if (current < 0 || current == target) {
        return;
    }
    list.erase(list.begin() + current);
    list.insert(list.begin() + target, this);
}

void TWinControl::SetTabStop(bool value) {
    if (!Store(tabStop_, value)) {
        return;
    }
    Perform(CM_TABSTOPCHANGED);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
    for (TWinControl* control : tabList_) {
        list.push_back(control);
        control->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) {
        return nullptr;
    }
    int count = int(list.size());
    auto found = std::find(list.begin(), list.end(), current);
    int start = found == list.end() ? (goForward ? count - 1 : 0) : int(found - list.begin());
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* candidate = list[std::size_t(i)];
        if (candidate->CanFocus() && (!checkTabStop || candidate->TabStop()) &&
            (!checkParent || candidate->Parent() == this)) {
            return candidate;
        }
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop);
    if (next != nullptr) {
        next->SetFocus();
    }
}

bool TWinControl::CanFocus() {
    TCustomForm* form = ParentForm();
    if (form == nullptr || !form->Enabled() || !form->Visible()) {
        return false;
    }
    for (TWinControl* control = this; control != form; control = control->Parent()) {
        if (control == nullptr || !control->Visible() || !control->Enabled()) {
            return false;
        }
    }
    return true;
}

bool TWinControl::Focused() const {
    return GetFocus() == this;
}

void TWinControl::SetFocus() {
    if (TCustomForm* form = ParentForm()) {
        form->FocusControl(this);
    }
}

void TWinControl::DoEnter() {
    if (OnEnter) {
        OnEnter(this);
    }
}

void TWinControl::DoExit() {
    if (OnExit) {
        OnExit(this);
    }
}

// ---------------------------------------------------------------------------------------
// Alignment

void TWinControl::AdjustClientRect(TRect& /*rect*/) {}

void TWinControl::AlignOne(TAlign align, std::vector<TControl*>& aligned, TRect& rect) {
    aligned.clear();
    for (TControl* control : controls_) {
        if (control->Align() == align && control->Visible()) {
            aligned.push_back(control);
        }
    }
    auto before = [align](TControl* a, TControl* b) {
        switch (align) {
        case alTop:
            return a->Top() < b->Top();
        case alBottom:
            return a->Top() + a->Height() > b->Top() + b->Height();
        case alLeft:
            return a->Left() < b->Left();
        case alRight:
            return a->Left() + a->Width() > b->Left() + b->Width();
        default:
            return false;
        }
    };
    std::stable_sort(aligned.begin(), aligned.end(), before);
    for (TControl* control : aligned) {
        int width = std::max(rect.Width(), 0);
        int height = std::max(rect.Height(), 0);
        switch (align) {
        case alTop:
            control->SetBounds(rect.Left, rect.Top, width, control->Height());
            rect.Top += control->Height();
            break;
        case alBottom:
            control->SetBounds(rect.Left, rect.Bottom - control->Height(), width, control->Height());
            rect.Bottom -= control->Height();
            break;
        case alLeft:
            control->SetBounds(rect.Left, rect.Top, control->Width(), height);
            rect.Left += control->Width();
            break;
        case alRight:
            control->SetBounds(rect.Right - control->Width(), rect.Top, control->Width(), height);
            rect.Right -= control->Width();
            break;
        case alClient:
            control->SetBounds(rect.Left, rect.Top, width, height);
            break;
        default:
            break;
        }
    }
}

void TWinControl::AlignControls(TControl* /*control*/, TRect& rect) {
    AdjustClientRect(rect);
    std::vector<TControl*> aligned;
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        AlignOne(align, aligned, rect);
    }
}

void TWinControl::DoAlignControls() {
    aligning_ = true;
    TRect client = ClientRect();
    // Controls anchored to the right or bottom keep their distance to that edge.
    for (TControl* control : controls_) {
        if (control->Align() != alNone) {
            continue;
        }
        TAnchors anchors = control->Anchors();
        int dx = client.Width() - control->anchorParentSize_.cx;
        int dy = client.Height() - control->anchorParentSize_.cy;
        int left = control->Left();
        int top = control->Top();
        int width = control->Width();
        int height = control->Height();
        if (anchors & akRight) {
            (anchors & akLeft) ? width += dx : left += dx;
        }
        if (anchors & akBottom) {
            (anchors & akTop) ? height += dy : top += dy;
        }
        control->SetBounds(left, top, width, height);
        control->anchorParentSize_ = TSize{client.Width(), client.Height()};
    }
    AlignControls(nullptr, client);
    aligning_ = false;
}

void TWinControl::Realign() {
    if (alignLevel_ > 0 || InState(csLoading) || aligning_) {
        SetStateBit(csAlignmentNeeded, true);
        return;
    }
    SetStateBit(csAlignmentNeeded, false);
    DoAlignControls();
}

void TWinControl::EnableAlign() {
    if (alignLevel_ > 0 && --alignLevel_ == 0 && HasState(csAlignmentNeeded)) {
        Realign();
    }
}

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
}

// ---------------------------------------------------------------------------------------
// Handle, non-client border and geometry

HWND TWinControl::Handle() {
    if (!handleAllocated_) {
        CreateHandle();
    }
    return this;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Style = WS_CLIPSIBLINGS;
    if (HasStyle(csAcceptsControls)) {
        params.Style |= WS_CLIPCHILDREN;
    }
    if (tabStop_) {
        params.Style |= WS_TABSTOP;
    }
}

void TWinControl::CreateWnd() {
    params_ = TCreateParams{};
    CreateParams(params_);
    handleAllocated_ = true;
    UpdateNonClientBorder();
    Perform(WM_CREATE);
}

void TWinControl::CreateHandle() {
    if (!handleAllocated_) {
        CreateWnd();
    }
    for (TWinControl* child : tabList_) {
        child->CreateHandle();
    }
}

void TWinControl::DestroyWnd() {
    Perform(WM_DESTROY);
}

void TWinControl::DestroyHandle() {
    if (!handleAllocated_) {
        return;
    }
    SetStateBit(csDestroyingHandle, true);
    for (TWinControl* child : tabList_) {
        child->DestroyHandle();
    }
    DestroyWnd();
    handleAllocated_ = false;
    ncBorder_ = TRect{};
    if (Application != nullptr) {
        Application->DropMessagesFor(this);
    }
    SetStateBit(csDestroyingHandle, false);
}

void TWinControl::RecreateWnd() {
    if (!handleAllocated_) {
        return;
    }
    DestroyHandle();
    CreateHandle();
    Invalidate();
}

void TWinControl::SetCtl3D(bool value) {
    if (!Store(ctl3D_, value)) {
        return;
    }
    parentCtl3D_ = false;
    Perform(CM_CTL3DCHANGED);
}

void TWinControl::UpdateNonClientBorder() {
    if (!handleAllocated_) {
        return;
    }
    TRect window = Rect(0, 0, Width(), Height());
    TRect client = window;
    Perform(WM_NCCALCSIZE, 0, LPARAM(&client));
    ncBorder_ = TRect{std::max(client.Left, 0), std::max(client.Top, 0),
                      std::max(window.Right - client.Right, 0), std::max(window.Bottom - client.Bottom, 0)};
}

void TWinControl::BoundsChanged() {
    UpdateNonClientBorder();
    TRect after = ClientRect();
    Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(after.Width(), after.Height()));
}

TRect TWinControl::ClientRect() {
    return Rect(0, 0, std::max(Width() - ncBorder_.Left - ncBorder_.Right, 0),
                std::max(Height() - ncBorder_.Top - ncBorder_.Bottom, 0));
}

TPoint TWinControl::ClientOrigin() {
    TPoint origin = Parent() != nullptr ? Parent()->ClientOrigin() : Point(0, 0);
    return Point(origin.X + Left() + ncBorder_.Left, origin.Y + Top() + ncBorder_.Top);
}

TPoint TWinControl::WindowOffsetInForm() {
    if (Parent() == nullptr) {
        return Point(0, 0);
    }
    TPoint parentClient = Parent()->ClientOffsetInForm();
    return Point(parentClient.X + Left(), parentClient.Y + Top());
}

TPoint TWinControl::ClientOffsetInForm() {
    TPoint window = WindowOffsetInForm();
    return Point(window.X + ncBorder_.Left, window.Y + ncBorder_.Top);
}
