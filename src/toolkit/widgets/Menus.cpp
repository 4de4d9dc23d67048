#include "toolkit/widgets/Menus.h"

#include "toolkit/base/Store.h"
#include "toolkit/runtime/Forms.h"

#include <algorithm>

namespace {

constexpr int kEdge = 3;        // raised edge and one pixel of padding
constexpr int kTextIndent = 18; // room on the left of the captions (check-mark column)
constexpr int kRightMargin = 18;
constexpr int kSeparatorHeight = 9;

unsigned NextCommand() {
    static unsigned last = 0;
    return ++last;
}

} // namespace

// Receives the command message a choice posts, so the item's OnClick runs from the message
// loop once Popup has returned.
class TMenuCommandWindow : public TWinControl {
public:
    explicit TMenuCommandWindow(TPopupMenu& menu) : TWinControl(nullptr), menu_(menu) {}
    ~TMenuCommandWindow() override {
        Destroying();
        if (Application != nullptr) {
            Application->DropMessagesFor(this);
        }
    }

protected:
    void Dispatch(TMessage& message) override {
        if (message.Msg == WM_COMMAND) {
            menu_.Choose(unsigned(message.WParam));
            return;
        }
        TWinControl::Dispatch(message);
    }

private:
    TPopupMenu& menu_;
};

// ---------------------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {}

TMenuItem::~TMenuItem() {
    Destroying();
    if (parent_ != nullptr) {
        parent_->Remove(this);
    }
    for (TMenuItem* item : items_) {
        item->parent_ = nullptr;
    }
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item == nullptr || item == this || item->parent_ != nullptr) {
        return;
    }
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    if (item != nullptr && item->parent_ == this) {
        std::erase(items_, item);
        item->parent_ = nullptr;
    }
}

void TMenuItem::Click() {
    if (enabled_ && OnClick) {
        OnClick(this);
    }
}

// ---------------------------------------------------------------------------------------
// TPopupMenu

TPopupMenu::TPopupMenu(TComponent* owner)
    : TComponent(owner), items_(new TMenuItem(this)),
      commandWindow_(std::make_unique<TMenuCommandWindow>(*this)) {}

TPopupMenu::~TPopupMenu() {
    Destroying();
    window_.reset();
    commandWindow_.reset();
}

bool TPopupMenu::IsOpen() const {
    return window_ != nullptr && window_->IsShown();
}

TMenuWindow* TPopupMenu::Window() const {
    return IsOpen() ? window_.get() : nullptr;
}

void TPopupMenu::CloseMenu() {
    if (IsOpen()) {
        window_->Hide();
    }
}

void TPopupMenu::Popup(int x, int y) {
    if (IsOpen()) {
        return;
    }
    if (OnPopup) {
        OnPopup(this);
    }
    if (window_ == nullptr) {
        window_ = std::make_unique<TMenuWindow>(*this);
    }
    TCustomForm* previous = Application != nullptr ? Application->ActiveForm() : nullptr;
    bool previousActive = previous != nullptr && previous->Active();
    window_->Open(Point(x, y));
    // The menu closes however the loop ends (an error escaping it included).
    struct Closer {
        TPopupMenu& menu;
        ~Closer() { menu.CloseMenu(); }
    } closer{*this};
    while (IsOpen() && Application != nullptr && !Application->Terminated()) {
        Application->HandleMessage();
    }
    CloseMenu();
    if (previousActive) {
        previous->TakeFocusBack();
    }
    if (unsigned choice = window_->Choice(); choice != 0 && Application != nullptr) {
        Application->PostMessageTo(commandWindow_.get(), TMessage{WM_COMMAND, choice, 0, 0});
    }
}

TMenuItem* TPopupMenu::FindCommand(TMenuItem* root, unsigned command) const {
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (item->Command() == command) {
            return item;
        }
        if (TMenuItem* found = FindCommand(item, command)) {
            return found;
        }
    }
    return nullptr;
}

void TPopupMenu::Choose(unsigned command) {
    if (TMenuItem* item = FindCommand(items_, command)) {
        item->Click();
    }
}

// ---------------------------------------------------------------------------------------
// TMenuWindow

TMenuWindow::TMenuWindow(TPopupMenu& menu) : TPopupWindow(platform::WindowKind::Popup), menu_(menu) {
    font_.SetColor(clMenuText);
}

void TMenuWindow::Measure() {
    items_.clear();
    tops_.clear();
    TMenuItem* root = menu_.Items();
    for (int i = 0; i < root->Count(); ++i) {
        if (root->Items(i)->Visible()) {
            items_.push_back(root->Items(i));
        }
    }
    TBitmap scratch(1, 1);
    TCanvas* canvas = scratch.Canvas();
    canvas->Font()->Assign(font_);
    itemHeight_ = std::max(canvas->TextHeight("0") + 6, 17);
    int textWidth = 0;
    int top = kEdge;
    for (TMenuItem* item : items_) {
        tops_.push_back(top);
        top += item->IsLine() ? kSeparatorHeight : itemHeight_;
        textWidth = std::max(textWidth, canvas->TextWidth(StripHotkey(item->Caption())));
    }
    width_ = std::max(kEdge * 2 + kTextIndent + textWidth + kRightMargin, 60);
    height_ = top + kEdge;
}

void TMenuWindow::Open(TPoint screen) {
    Measure();
    selected_ = -1;
    choice_ = 0;
    pointerUsed_ = false;
    ShowAt(screen, TSize{width_, height_}, true);
    if (NativeWindow() != nullptr) {
        NativeWindow()->SetMouseCapture(true);
    }
}

TRect TMenuWindow::ItemRect(int index) const {
    if (index < 0 || index >= int(items_.size())) {
        return TRect{};
    }
    int height = items_[std::size_t(index)]->IsLine() ? kSeparatorHeight : itemHeight_;
    return Rect(kEdge, tops_[std::size_t(index)], width_ - kEdge, tops_[std::size_t(index)] + height);
}

int TMenuWindow::ItemAt(TPoint p) const {
    for (int i = 0; i < int(items_.size()); ++i) {
        if (ItemRect(i).Contains(p)) {
            return i;
        }
    }
    return -1;
}

// Separators are never selected; disabled items are, but cannot be chosen.
bool TMenuWindow::Selectable(int index) const {
    return index >= 0 && index < int(items_.size()) && !items_[std::size_t(index)]->IsLine();
}

void TMenuWindow::Select(int index) {
    if (!Selectable(index)) {
        index = -1;
    }
    if (!Store(selected_, index)) {
        return;
    }
    Redraw();
}

void TMenuWindow::SelectNext(int direction) {
    int count = int(items_.size());
    int index = selected_ < 0 ? (direction > 0 ? -1 : count) : selected_;
    for (int step = 0; step < count; ++step) {
        index = ((index + direction) % count + count) % count;
        if (Selectable(index)) {
            Select(index);
            return;
        }
    }
}

void TMenuWindow::Choose(int index) {
    if (!Selectable(index) || !items_[std::size_t(index)]->Enabled()) {
        return;
    }
    choice_ = items_[std::size_t(index)]->Command();
    Close();
}

void TMenuWindow::Close() {
    Hide();
}

void TMenuWindow::KeyDown(unsigned key) {
    switch (key) {
    case VK_UP:
    case VK_DOWN:
        SelectNext(key == VK_DOWN ? 1 : -1);
        break;
    case VK_HOME:
        selected_ = -1;
        SelectNext(1);
        break;
    case VK_END:
        selected_ = -1;
        SelectNext(-1);
        break;
    case VK_RETURN:
    case VK_SPACE:
        Choose(selected_);
        break;
    case VK_ESCAPE:
    case VK_MENU:
        Close();
        break;
    default:
        break;
    }
}

// A mnemonic chooses its item when it is the only one with that letter; with several, it
// moves the selection to the next of them.
void TMenuWindow::CharTyped(char key) {
    std::vector<int> matches;
    for (int i = 0; i < int(items_.size()); ++i) {
        if (Selectable(i) && IsAccel(static_cast<unsigned char>(key), items_[std::size_t(i)]->Caption())) {
            matches.push_back(i);
        }
    }
    if (matches.size() == 1) {
        Select(matches.front());
        Choose(matches.front());
    } else if (!matches.empty()) {
        auto next = std::upper_bound(matches.begin(), matches.end(), selected_);
        Select(next == matches.end() ? matches.front() : *next);
    }
}

void TMenuWindow::Input(const platform::InputEvent& event) {
    using platform::InputKind;
    TPoint p = Point(event.pos.x, event.pos.y);
    bool inside = Rect(0, 0, width_, height_).Contains(p);
    switch (event.kind) {
    case InputKind::MouseMove:
        pointerUsed_ = true;
        if (inside) {
            Select(ItemAt(p));
        }
        break;
    case InputKind::MouseDown:
        pointerUsed_ = true;
        if (!inside) {
            Close();
        } else {
            Select(ItemAt(p));
        }
        break;
    case InputKind::MouseUp:
        // A release that ends the click which opened the menu chooses nothing.
        if (pointerUsed_ && inside) {
            Choose(ItemAt(p));
        }
        break;
    case InputKind::KeyDown:
        KeyDown(event.virtualKey);
        break;
    case InputKind::Char:
        for (char c : event.text) {
            CharTyped(c);
        }
        break;
    case InputKind::FocusOut:
    case InputKind::CloseRequest:
        Close();
        break;
    default:
        break;
    }
}

void TMenuWindow::PaintItem(TCanvas& canvas, int index) {
    TMenuItem* item = items_[std::size_t(index)];
    TRect r = ItemRect(index);
    if (item->IsLine()) {
        int middle = r.Top + r.Height() / 2 - 1;
        canvas.Brush()->SetColor(clBtnShadow);
        canvas.FillRect(Rect(r.Left + 1, middle, r.Right - 1, middle + 1));
        canvas.Brush()->SetColor(clBtnHighlight);
        canvas.FillRect(Rect(r.Left + 1, middle + 1, r.Right - 1, middle + 2));
        return;
    }
    bool selected = index == selected_;
    if (selected) {
        canvas.Brush()->SetColor(clHighlight);
        canvas.FillRect(r);
    }
    TRect text = r;
    text.Left += kTextIndent;
    canvas.Brush()->SetStyle(bsClear);
    const unsigned flags = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    if (!item->Enabled() && !selected) {
        // Disabled items are embossed, as disabled text everywhere.
        TRect shifted = text;
        OffsetRect(shifted, 1, 1);
        canvas.Font()->SetColor(clBtnHighlight);
        DrawText(canvas.Handle(), item->Caption(), shifted, flags);
        canvas.Font()->SetColor(clBtnShadow);
    } else {
        canvas.Font()->SetColor(!item->Enabled() ? clGrayText : selected ? clHighlightText : clMenuText);
    }
    DrawText(canvas.Handle(), item->Caption(), text, flags);
    canvas.Brush()->SetStyle(bsSolid);
}

void TMenuWindow::Paint(TCanvas& canvas) {
    canvas.Font()->Assign(font_);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clMenu);
    canvas.FillRect(Rect(0, 0, width_, height_));
    DrawRaisedEdge(canvas, Rect(0, 0, width_, height_));
    for (int i = 0; i < int(items_.size()); ++i) {
        PaintItem(canvas, i);
    }
}
