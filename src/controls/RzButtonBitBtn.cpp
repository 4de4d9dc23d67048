// TRzBitBtn: the glyph beside the caption (own bitmap strip or image-list entry), its
// placement for every Layout and Margin, the sub-image choice and the stock kinds.
#include "controls/RzButton.h"
#include "controls/RzGrafx.h"
#include "toolkit/base/Store.h"

#include <algorithm>

TRzBitBtn::TRzBitBtn(TComponent* owner) : TRzButton(owner) {
    glyph_.OnChange = [this] {
        GlyphChanged();
    };
    imageChangeLink_.OnChange = [this] {
        ImagesChanged();
    };
}

TRzBitBtn::~TRzBitBtn() {
    Destroying();
    if (images_ != nullptr) {
        images_->UnRegisterChanges(&imageChangeLink_);
    }
}

// ---------------------------------------------------------------------------------------
// Properties

void TRzBitBtn::SetGlyph(const TBitmap* value) {
    glyph_.Assign(value);
    glyphModified_ = true;
}

void TRzBitBtn::SetLayout(TButtonLayout value) {
    if (!Store(layout_, value)) {
        return;
    }
    Invalidate();
}

void TRzBitBtn::SetMargin(int value) {
    // -1 means no fixed margin; anything below it is meaningless and ignored.
    if (value < -1 || !Store(margin_, value)) {
        return;
    }
    Invalidate();
}

void TRzBitBtn::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, 4);
    if (!Store(numGlyphs_, value)) {
        return;
    }
    Invalidate();
}

void TRzBitBtn::SetSpacing(int value) {
    if (!Store(spacing_, value)) {
        return;
    }
    Invalidate();
}

void TRzBitBtn::SetImageIndex(TImageIndex value) {
    if (!Store(imageIndex_, value)) {
        return;
    }
    Invalidate();
}

void TRzBitBtn::SetDisabledIndex(TImageIndex value) {
    if (!Store(disabledIndex_, value)) {
        return;
    }
    Invalidate();
}

void TRzBitBtn::SetImages(TCustomImageList* value) {
    if (images_ != nullptr) {
        images_->UnRegisterChanges(&imageChangeLink_);
        images_->RemoveFreeNotification(this);
    }
    images_ = value;
    if (images_ != nullptr) {
        images_->RegisterChanges(&imageChangeLink_);
        images_->FreeNotification(this);
    }
    Invalidate();
}

void TRzBitBtn::Notification(TComponent* component, TOperation operation) {
    TRzButton::Notification(component, operation);
    if (operation == opRemove && component != nullptr && component == images_) {
        SetImages(nullptr);
    }
}

void TRzBitBtn::ActionChange(TObject* sender, bool checkDefaults) {
    TRzButton::ActionChange(sender, checkDefaults);
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (action != nullptr && (!checkDefaults || imageIndex_ == -1)) {
        SetImageIndex(action->ImageIndex());
    }
}

// A strip whose width is a whole multiple of its height holds that many glyphs.
void TRzBitBtn::GlyphChanged() {
    if (glyph_.Height() != 0 && glyph_.Width() % glyph_.Height() == 0) {
        int count = glyph_.Width() / glyph_.Height();
        if (count < 1 || count > 4) {
            count = 1;
        }
        SetNumGlyphs(count);
    }
    Invalidate();
}

void TRzBitBtn::ImagesChanged() {
    Update();
}

// ---------------------------------------------------------------------------------------
// Layout

bool TRzBitBtn::HasGlyph() const {
    return UsesImageList() || !glyph_.Empty();
}

TSize TRzBitBtn::GetGlyphSize() {
    if (DrawsImageList()) {
        return TSize{images_->Width(), images_->Height()};
    }
    return TSize{glyph_.Width() / numGlyphs_, glyph_.Height()};
}

int TRzBitBtn::MeasuredTextHeight(const TRect& rect) {
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font()->Assign(*Font());
    TRect measured = rect;
    return DrawText(scratch.Canvas()->Handle(), Caption(), measured,
                    DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
}

void TRzBitBtn::GetCaptionRect(TRect& rect) {
    TRzButton::GetCaptionRect(rect);
    if (!HasGlyph()) {
        return;
    }
    const TSize glyph = GetGlyphSize();
    const int across = margin_ + glyph.cx + spacing_;
    const int down = margin_ + glyph.cy + spacing_;
    switch (layout_) {
    case blGlyphLeft:
        rect.Left += across;
        return;
    case blGlyphRight:
        rect.Right -= across;
        return;
    case blGlyphTop:
    case blGlyphBottom:
        break;
    }
    if (margin_ >= 0) {
        (layout_ == blGlyphTop) ? rect.Top += down : rect.Bottom -= down;
        return;
    }
    // Without a fixed margin glyph and caption are centred together in the button.
    const int textHeight = MeasuredTextHeight(rect);
    const int offset = (Height() - (glyph.cy + textHeight + spacing_)) / 2;
    rect.Top += offset + (layout_ == blGlyphTop ? glyph.cy : 0);
    rect.Bottom = rect.Top + textHeight;
}

void TRzBitBtn::GetGlyphRect(TRect& rect) {
    TRzButton::GetCaptionRect(rect);
    const TSize glyph = GetGlyphSize();
    const int gw = glyph.cx;
    const int gh = glyph.cy;
    const int textHeight = margin_ == -1 ? MeasuredTextHeight(rect) : 0;
    const int offset = (Height() - (gh + textHeight + spacing_)) / 2;
    if (Pressed()) {
        OffsetRect(rect, -1, -1);
    }
    switch (layout_) {
    case blGlyphLeft:
        rect.Left += std::max(margin_, 0);
        break;
    case blGlyphRight:
        rect.Left = rect.Right - std::max(margin_, 0) - gw;
        break;
    case blGlyphTop:
        rect.Top = margin_ >= 0 ? rect.Top + margin_ : offset;
        break;
    case blGlyphBottom:
        rect.Top = margin_ >= 0 ? rect.Bottom - margin_ - gh : rect.Top + textHeight + offset;
        break;
    }
    if (layout_ == blGlyphLeft || layout_ == blGlyphRight) {
        rect.Top += (rect.Bottom - rect.Top - gh + 1) / 2;
    } else {
        rect.Left += (rect.Right - rect.Left - gw + 1) / 2;
    }
    rect.Right = rect.Left + gw;
    rect.Bottom = rect.Top + gh;
    if (Pressed()) {
        OffsetRect(rect, 1, 1);
    }
}

TRect TRzBitBtn::CaptionRect() {
    TRect rect;
    GetCaptionRect(rect);
    return rect;
}

TRect TRzBitBtn::GlyphRect() {
    TRect rect;
    GetGlyphRect(rect);
    return rect;
}

// ---------------------------------------------------------------------------------------
// Drawing

void TRzBitBtn::DrawFaceContent() {
    TRzButton::DrawFaceContent();
    TRect glyphRect;
    GetGlyphRect(glyphRect);
    if (DrawsImageList()) {
        DrawImageListGlyph(glyphRect);
    } else if (!glyph_.Empty()) {
        DrawBitmapGlyph(glyphRect);
    }
}

void TRzBitBtn::DrawImageListGlyph(const TRect& rect) {
    if (disabledIndex_ == -1) {
        images_->Draw(Canvas(), rect.Left, rect.Top, imageIndex_, Enabled());
        return;
    }
    const TImageIndex index = Enabled() ? imageIndex_ : disabledIndex_;
    if (index != -1) {
        images_->Draw(Canvas(), rect.Left, rect.Top, index, true);
    }
}

int TRzBitBtn::SubImageIndex() const {
    if (numGlyphs_ == 4 && ButtonState() == rbsExclusive) {
        return 3;
    }
    if (numGlyphs_ >= 3 && (ButtonState() == rbsDown || Pressed())) {
        return 2;
    }
    if (numGlyphs_ >= 2 && !Enabled()) {
        return 1;
    }
    return 0;
}

// The glyph is composed over a copy of the painted face and blitted once, so its
// transparent pixels never flicker.
void TRzBitBtn::DrawBitmapGlyph(const TRect& rect) {
    const int w = rect.Width();
    const int h = rect.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    const int index = SubImageIndex();
    TBitmap composed(w, h);
    composed.Canvas()->CopyRect(Rect(0, 0, w, h), *Canvas(), rect);
    DrawGlyphTransparent(composed.Canvas(), glyph_, Rect(0, 0, w, h), glyph_.TransparentColor(),
                         Rect(index * w, 0, (index + 1) * w, h));
    Canvas()->Draw(rect.Left, rect.Top, composed);
}

// ---------------------------------------------------------------------------------------
// Kinds

TBitBtnKind TRzBitBtn::Kind() {
    if (kind_ != bkCustom) {
        const TBitBtnKindPreset& preset = BitBtnKindPreset(kind_);
        const bool presetsHold = Default() == preset.Default && Cancel() == preset.Cancel &&
                                 ModalResult() == preset.ModalResult && !glyphModified_;
        if (!presetsHold) {
            kind_ = bkCustom;
        }
    }
    return kind_;
}

void TRzBitBtn::SetKind(TBitBtnKind value) {
    if (value == Kind()) {
        return;
    }
    if (value != bkCustom) {
        const TBitBtnKindPreset& preset = BitBtnKindPreset(value);
        SetDefault(preset.Default);
        SetCancel(preset.Cancel);
        if (!InState(csLoading) || Caption().empty()) {
            SetCaption(preset.Caption);
        }
        SetModalResult(preset.ModalResult);
        SetGlyph(&StockGlyph(value));
        SetNumGlyphs(2);
        glyphModified_ = false;
    }
    kind_ = value;
    Invalidate();
}
