#include "toolkit/widgets/Dialogs.h"

#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "toolkit/base/Store.h"
#include "toolkit/runtime/PopupWindow.h"

#include <algorithm>

namespace {

constexpr int kPadding = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;

struct ButtonDef {
    const char* caption;
    TModalResult result;
};

// The buttons of each box style, and the answer Escape or closing the box gives.
std::vector<ButtonDef> ButtonsOf(unsigned flags, TModalResult& cancel) {
    switch (flags & 0xF) {
    case MB_OKCANCEL:
        cancel = mrCancel;
        return {{"OK", mrOk}, {"Cancel", mrCancel}};
    case MB_ABORTRETRYIGNORE:
        cancel = mrAbort;
        return {{"&Abort", mrAbort}, {"&Retry", mrRetry}, {"&Ignore", mrIgnore}};
    case MB_YESNOCANCEL:
        cancel = mrCancel;
        return {{"&Yes", mrYes}, {"&No", mrNo}, {"Cancel", mrCancel}};
    case MB_YESNO:
        cancel = mrNo;
        return {{"&Yes", mrYes}, {"&No", mrNo}};
    case MB_RETRYCANCEL:
        cancel = mrCancel;
        return {{"&Retry", mrRetry}, {"Cancel", mrCancel}};
    default:
        cancel = mrOk;
        return {{"OK", mrOk}};
    }
}

// A dotted rectangle, every other pixel, as the focus of a classic control.
void DrawFocusDots(TCanvas& canvas, const TRect& r) {
    for (int x = r.Left; x < r.Right; x += 2) {
        canvas.SetPixel(x, r.Top, clBlack);
        canvas.SetPixel(x, r.Bottom - 1, clBlack);
    }
    for (int y = r.Top; y < r.Bottom; y += 2) {
        canvas.SetPixel(r.Left, y, clBlack);
        canvas.SetPixel(r.Right - 1, y, clBlack);
    }
}

} // namespace

// ---------------------------------------------------------------------------------------
// TMessageButton

TMessageButton::TMessageButton(TComponent* owner, const std::string& caption, TModalResult result)
    : TCustomControl(owner), modalResult_(result) {
    SetBounds(0, 0, kButtonWidth, kButtonHeight);
    SetCaption(caption);
    SetTabStop(true);
    SetColor(clBtnFace);
    SetControlStyle(ControlStyle() | csOpaque);
}

void TMessageButton::Click() {
    TCustomControl::Click();
    if (auto* form = dynamic_cast<TCustomForm*>(ParentForm())) {
        form->SetModalResult(modalResult_);
    }
}

void TMessageButton::SetPressed(bool value) {
    if (!Store(pressed_, value)) {
        return;
    }
    Invalidate();
}

void TMessageButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button == mbLeft) {
        if (CanFocus()) {
            SetFocus();
        }
        tracking_ = true;
        SetPressed(true);
    }
}

void TMessageButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (tracking_) {
        SetPressed(ClientRect().Contains(Point(x, y)));
    }
}

void TMessageButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button == mbLeft) {
        tracking_ = false;
        SetPressed(false);
    }
}

void TMessageButton::Paint() {
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(r);
    bool focused = Focused();
    if (focused) {
        DrawRing(canvas, r, clWindowFrame, clWindowFrame);
        InflateRect(r, -1, -1);
    }
    if (pressed_) {
        DrawRing(canvas, r, clBtnShadow, clBtnShadow);
    } else {
        DrawRaisedEdge(canvas, r);
    }
    TRect text = r;
    if (pressed_) {
        OffsetRect(text, 1, 1);
    }
    canvas.Font()->Assign(*Font());
    canvas.Font()->SetColor(clBtnText);
    canvas.Brush()->SetStyle(bsClear);
    DrawText(canvas.Handle(), Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (focused) {
        TRect dots = r;
        InflateRect(dots, -3, -3);
        DrawFocusDots(canvas, dots);
    }
}

void TMessageButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_BUTTON;
        return;
    case WM_LBUTTONDBLCLK:
        // A quick second press is a press of its own, as on any push button.
        message.Msg = WM_LBUTTONDOWN;
        TCustomControl::Dispatch(message);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    case WM_KEYDOWN:
        if (!DoKeyDown(message) && message.WParam == VK_SPACE) {
            Click();
        }
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(unsigned(message.WParam), Caption()) && CanFocus()) {
            Click();
            message.Result = 1;
        }
        return;
    default:
        TCustomControl::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------
// TMessageForm

TMessageForm::TMessageForm(const std::string& text, const std::string& caption, unsigned flags)
    : TForm(Application), icon_(flags & 0xF0), message_(new TLabel(this)) {
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetCaption(caption);
    SetFormStyle(fsStayOnTop);
    message_->SetParent(this);
    message_->SetAutoSize(false);
    message_->SetWordWrap(true);
    message_->SetShowAccelChar(false);
    message_->SetCaption(text);
    CreateButtons(flags);
    Arrange();
}

TMessageForm::~TMessageForm() {
    Destroying();
}

void TMessageForm::CreateButtons(unsigned flags) {
    for (const ButtonDef& def : ButtonsOf(flags, cancelResult_)) {
        auto* button = new TMessageButton(this, def.caption, def.result);
        button->SetParent(this);
        buttons_.push_back(button);
    }
}

// Sizes the box to its text: the text wraps at most at three quarters of the screen; the
// icon sits at the left, the text beside it (centred on it when shorter), the buttons
// centred under both.
void TMessageForm::Arrange() {
    platform::IWindowSystem* windows = platform::Current().windows;
    int screenWidth = windows != nullptr ? windows->ScreenBounds().Width() : 1024;
    int maxText = std::max(200, screenWidth * 3 / 4 - 2 * kPadding - kIconSize);
    TBitmap scratch(1, 1);
    TCanvas* canvas = scratch.Canvas();
    canvas->Font()->Assign(*Font());
    TRect text = Rect(0, 0, maxText, 0);
    DrawText(canvas->Handle(), message_->Caption().empty() ? std::string(" ") : message_->Caption(), text,
             DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    bool hasIcon = icon_ != 0;
    iconRect_ = hasIcon ? Bounds(kPadding, kPadding, kIconSize, kIconSize) : TRect{};
    int textLeft = hasIcon ? iconRect_.Right + kPadding : kPadding;
    int textTop = kPadding + (hasIcon ? std::max(0, (kIconSize - text.Height()) / 2) : 0);
    message_->SetBounds(textLeft, textTop, text.Width(), text.Height());
    int rowWidth = int(buttons_.size()) * kButtonWidth + (int(buttons_.size()) - 1) * kButtonGap;
    int contentBottom = std::max(message_->Top() + message_->Height(), hasIcon ? iconRect_.Bottom : 0);
    int width = std::max(textLeft + text.Width() + kPadding, rowWidth + 2 * kPadding);
    int buttonTop = contentBottom + kPadding + 2;
    int x = (width - rowWidth) / 2;
    for (TMessageButton* button : buttons_) {
        button->SetBounds(x, buttonTop, kButtonWidth, kButtonHeight);
        x += kButtonWidth + kButtonGap;
    }
    SetBounds(Left(), Top(), width, buttonTop + kButtonHeight + kPadding);
}

// Centred over the program's active window, or on the screen when none is showing.
void TMessageForm::PlaceOverOwner() {
    TCustomForm* owner = Application != nullptr ? Application->ActiveForm() : nullptr;
    if (owner == nullptr || owner == this || !owner->Showing()) {
        SetPosition(poScreenCenter);
        return;
    }
    SetPosition(poDesigned);
    SetBounds(owner->Left() + (owner->Width() - Width()) / 2, owner->Top() + (owner->Height() - Height()) / 2,
              Width(), Height());
}

int TMessageForm::AnswerOf(TModalResult result) const {
    if (result == mrCancel && cancelResult_ != mrCancel) {
        result = cancelResult_;
    }
    switch (result) {
    case mrOk:
        return IDOK;
    case mrAbort:
        return IDABORT;
    case mrRetry:
        return IDRETRY;
    case mrIgnore:
        return IDIGNORE;
    case mrYes:
        return IDYES;
    case mrNo:
        return IDNO;
    default:
        return IDCANCEL;
    }
}

int TMessageForm::Execute() {
    PlaceOverOwner();
    return AnswerOf(ShowModal());
}

void TMessageForm::DoShow() {
    SetActiveControl(buttons_.front());
    TForm::DoShow();
}

// A box shown while another form keeps the program's focus record is not activated by the
// application; it takes the keyboard into its buttons itself.
void TMessageForm::HandleInput(platform::INativeWindow& window, const platform::InputEvent& event) {
    TForm::HandleInput(window, event);
    if (event.kind == platform::InputKind::FocusIn && !Active() && Showing()) {
        RestoreFocus();
    }
}

void TMessageForm::Dispatch(TMessage& message) {
    if (message.Msg == CM_DIALOGKEY && GetKeyState(VK_MENU) >= 0) {
        if (message.WParam == VK_RETURN) {
            auto* focused = dynamic_cast<TMessageButton*>(ActiveControl());
            (focused != nullptr ? focused : buttons_.front())->Click();
            message.Result = 1;
            return;
        }
        if (message.WParam == VK_ESCAPE) {
            SetModalResult(cancelResult_);
            message.Result = 1;
            return;
        }
    }
    TForm::Dispatch(message);
}

// The classic icons: a question mark or an "i" on a blue disc, an exclamation mark on a
// yellow triangle, a cross on a red disc.
void TMessageForm::PaintIcon(TCanvas& canvas) {
    TRect r = iconRect_;
    canvas.Pen()->SetColor(clBlack);
    std::string mark;
    TColor markColor = clWhite;
    if (icon_ == MB_ICONWARNING) {
        canvas.Brush()->SetColor(clYellow);
        canvas.Polygon(
            {Point(r.Left + 15, r.Top + 1), Point(r.Right - 1, r.Bottom - 2), Point(r.Left, r.Bottom - 2)});
        mark = "!";
        markColor = clBlack;
    } else {
        canvas.Brush()->SetColor(icon_ == MB_ICONERROR ? clRed : RGB(0, 0, 255));
        canvas.Ellipse(r.Left, r.Top, r.Right, r.Bottom);
        mark = icon_ == MB_ICONERROR ? "X" : icon_ == MB_ICONQUESTION ? "?" : "i";
    }
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-22);
    font.SetStyle(fsBold);
    font.SetColor(markColor);
    canvas.Font()->Assign(font);
    canvas.Brush()->SetStyle(bsClear);
    TRect text = r;
    OffsetRect(text, 0, icon_ == MB_ICONWARNING ? 3 : 0);
    DrawText(canvas.Handle(), mark, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    canvas.Brush()->SetStyle(bsSolid);
}

void TMessageForm::Paint() {
    TForm::Paint();
    if (icon_ != 0) {
        PaintIcon(*Canvas());
    }
}

// ---------------------------------------------------------------------------------------

int MessageBoxDialog(const std::string& text, const std::string& caption, unsigned flags) {
    if (Application == nullptr || platform::Current().windows == nullptr) {
        return DefaultMessageBoxAnswer(flags);
    }
    auto* form = new TMessageForm(text, caption, flags);
    int answer = IDCANCEL;
    try {
        answer = form->Execute();
    } catch (...) {
        delete form;
        throw;
    }
    delete form;
    return answer;
}

void InstallMessageBoxDialog() {
    SetMessageBoxProvider(MessageBoxDialog);
}
