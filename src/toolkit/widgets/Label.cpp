#include "toolkit/widgets/Label.h"

#include "toolkit/base/Store.h"
#include "toolkit/runtime/Forms.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() | csOpaque | csReplicatable);
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

TLabel::~TLabel() {
    Destroying();
    SetFocusControl(nullptr);
}

void TLabel::SetAlignment(TAlignment value) {
    if (!Store(alignment_, value)) {
        return;
    }
    Invalidate();
}

void TLabel::SetAutoSize(bool value) {
    if (!Store(autoSize_, value)) {
        return;
    }
    AdjustBounds();
}

void TLabel::SetTransparent(bool value) {
    if (!Store(transparent_, value)) {
        return;
    }
    SetControlStyle(value ? ControlStyle() & ~unsigned(csOpaque) : ControlStyle() | csOpaque);
    Invalidate();
}

void TLabel::SetWordWrap(bool value) {
    if (!Store(wordWrap_, value)) {
        return;
    }
    AdjustBounds();
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
    if (!Store(showAccelChar_, value)) {
        return;
    }
    AdjustBounds();
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* value) {
    if (value == focusControl_) {
        return;
    }
    if (focusControl_ != nullptr) {
        focusControl_->RemoveFreeNotification(this);
    }
    focusControl_ = value;
    if (value != nullptr) {
        value->FreeNotification(this);
    }
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) {
        focusControl_ = nullptr;
    }
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

unsigned TLabel::DrawTextFlags() const {
    unsigned flags = DT_EXPANDTABS;
    if (alignment_ == taRightJustify) {
        flags |= DT_RIGHT;
    } else if (alignment_ == taCenter) {
        flags |= DT_CENTER;
    }
    flags |= wordWrap_ ? DT_WORDBREAK : 0;
    flags |= showAccelChar_ ? 0 : DT_NOPREFIX;
    return flags;
}

// Disabled text is embossed: a highlight copy one pixel down and right, the shadow on top.
void TLabel::DrawCaption(TRect& rect, unsigned flags) {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(*Font());
    canvas->Brush()->SetStyle(bsClear);
    if (!Enabled()) {
        TRect shifted = rect;
        OffsetRect(shifted, 1, 1);
        canvas->Font()->SetColor(clBtnHighlight);
        DrawText(canvas->Handle(), Caption(), shifted, flags);
        canvas->Font()->SetColor(clBtnShadow);
    }
    DrawText(canvas->Handle(), Caption(), rect, flags);
}

void TLabel::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    if (!transparent_) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(client);
    }
    DrawCaption(client, DrawTextFlags());
}

// Measures the caption without a parent's device context: a scratch bitmap carries the font.
void TLabel::AdjustBounds() {
    if (!autoSize_ || InState(csLoading) || InState(csReading) || InState(csDestroying)) {
        return;
    }
    TBitmap scratch(1, 1);
    TCanvas* canvas = scratch.Canvas();
    canvas->Font()->Assign(*Font());
    // An empty caption still measures one blank high, so an auto-sized label keeps its line.
    std::string text = Caption();
    if (text.empty() || (showAccelChar_ && text == "&")) {
        text += ' ';
    }
    TRect rect = Rect(0, 0, wordWrap_ ? Width() : 0, 0);
    DrawText(canvas->Handle(), text, rect, DrawTextFlags() | DT_CALCRECT);
    int left = Left();
    if (alignment_ == taRightJustify) {
        left += Width() - rect.Right;
    } else if (alignment_ == taCenter) {
        left += (Width() - rect.Right) / 2;
    }
    SetBounds(left, Top(), rect.Right, rect.Bottom);
}

void TLabel::CMDialogChar(TMessage& message) {
    if (focusControl_ == nullptr || !Enabled() || !showAccelChar_ ||
        !IsAccel(unsigned(message.WParam), Caption())) {
        return;
    }
    if (focusControl_->CanFocus()) {
        focusControl_->SetFocus();
        message.Result = 1;
    }
}

void TLabel::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TGraphicControl::Dispatch(message);
        AdjustBounds();
        Invalidate();
        return;
    case CM_DIALOGCHAR:
        CMDialogChar(message);
        return;
    default:
        TGraphicControl::Dispatch(message);
    }
}
