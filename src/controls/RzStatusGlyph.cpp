#include "controls/RzStatus.h"
#include "toolkit/base/Store.h"

#include <algorithm>
#include <cstdlib>

TRzCustomGlyphStatus::TRzCustomGlyphStatus(TComponent* owner)
    : TRzCustomStatusPane(owner), glyph_(std::make_unique<TBitmap>()),
      imagesLink_(std::make_unique<TChangeLink>()) {
    glyph_->OnChange = [this] {
        GlyphChanged();
    };
    imagesLink_->OnChange = [this] {
        ImagesChanged();
    };
}

TRzCustomGlyphStatus::~TRzCustomGlyphStatus() {
    Destroying();
    if (images_ != nullptr) {
        images_->UnRegisterChanges(imagesLink_.get());
    }
}

// ---------------------------------------------------------------------------------------
// Setters

void TRzCustomGlyphStatus::SetGlyph(const TBitmap* value) {
    glyph_->Assign(value);
}

void TRzCustomGlyphStatus::SetGlyphAlignment(TGlyphAlignment value) {
    if (!Store(glyphAlignment_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomGlyphStatus::SetGlyphOffset(int value) {
    if (!Store(glyphOffset_, value)) {
        return;
    }
    Invalidate();
    AdjustPaneWidth();
}

void TRzCustomGlyphStatus::SetNumGlyphs(int value) {
    // The strip has one to four cells; a cell count outside that range is not taken.
    if (value < 1 || value > 4) {
        return;
    }
    if (!Store(numGlyphs_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomGlyphStatus::SetShowGlyph(bool value) {
    if (!Store(showGlyph_, value)) {
        return;
    }
    Invalidate();
    AdjustPaneWidth();
}

void TRzCustomGlyphStatus::SetImageIndex(int value) {
    if (!Store(imageIndex_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomGlyphStatus::SetDisabledIndex(int value) {
    if (!Store(disabledIndex_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomGlyphStatus::SetImages(TCustomImageList* value) {
    if (images_ != nullptr) {
        images_->UnRegisterChanges(imagesLink_.get());
    }
    images_ = value;
    if (value != nullptr) {
        value->RegisterChanges(imagesLink_.get());
        value->FreeNotification(this);
    }
    Invalidate();
}

void TRzCustomGlyphStatus::Notification(TComponent* component, TOperation operation) {
    TRzCustomStatusPane::Notification(component, operation);
    // A destroyed image list is no longer drawn from.
    if (operation == opRemove && component == images_) {
        images_->UnRegisterChanges(imagesLink_.get());
        images_ = nullptr;
        Invalidate();
    }
}

void TRzCustomGlyphStatus::GlyphChanged() {
    const int width = glyph_->Width();
    const int height = glyph_->Height();
    // A strip of whole cells gives the cell count; an empty strip keeps the count it had.
    if (height != 0 && width > 0 && width % height == 0) {
        const int cells = width / height;
        SetNumGlyphs(cells > 4 ? 1 : cells);
    }
    Invalidate();
    AdjustPaneWidth();
}

void TRzCustomGlyphStatus::ImagesChanged() {
    if (imagesLink_->Sender == images_) {
        Update();
    }
}

// ---------------------------------------------------------------------------------------
// Geometry

TSize TRzCustomGlyphStatus::GetGlyphSize() const {
    if (UsesImageList()) {
        return TSize{images_->Width(), images_->Height()};
    }
    return TSize{glyph_->Width() / numGlyphs_, glyph_->Height()};
}

int TRzCustomGlyphStatus::PictureWidth() const {
    return GetGlyphSize().cx;
}

int TRzCustomGlyphStatus::MeasurePaneWidth(TCanvas* canvas) {
    int width = TRzCustomStatusPane::MeasurePaneWidth(canvas) + glyphOffset_;
    if (showGlyph_) {
        width += PictureWidth();
    }
    return width;
}

TRect TRzCustomGlyphStatus::GetTextArea() {
    TRect r = TRzCustomStatusPane::GetTextArea();
    if (showGlyph_) {
        const int room = PictureWidth() + glyphOffset_;
        if (glyphAlignment_ == gaLeft) {
            r.Left += room;
        } else {
            r.Right -= room;
        }
    }
    return r;
}

// ---------------------------------------------------------------------------------------
// Painting

void TRzCustomGlyphStatus::Paint() {
    TRzCustomStatusPane::Paint();
    if (!showGlyph_) {
        return;
    }
    Canvas()->Font()->Assign(*Font());
    const TRect text = GetTextArea();
    const TSize size = GetGlyphSize();
    const int h = std::min(size.cy, text.Height());

    int x = glyphAlignment_ == gaLeft ? glyphOffset_ + BorderWidth()
                                      : Width() - glyphOffset_ - size.cx - BorderWidth() - 2;
    x += FrameInset();
    TRect g = Rect(x, 0, x + size.cx, h);
    OffsetRect(g, 0, BorderWidth() + std::abs(Height() - h - BorderWidth() - 1) / 2);

    if (!Transparent()) {
        // The picture column between the plain text area and the reduced one.
        const TRect base = TRzCustomStatusPane::GetTextArea();
        Canvas()->Brush()->SetStyle(bsSolid);
        Canvas()->Brush()->SetColor(FillColor());
        Canvas()->FillRect(Rect(base.Left, base.Top, text.Left, base.Bottom));
    }

    if (UsesImageList()) {
        PaintImageListGlyph(g);
    } else if (!glyph_->Empty()) {
        PaintBitmapGlyph(g);
    }
}

void TRzCustomGlyphStatus::PaintImageListGlyph(const TRect& rect) {
    if (images_ == nullptr) {
        return;
    }
    if (disabledIndex_ != -1) {
        const int index = Enabled() ? imageIndex_ : disabledIndex_;
        if (index != -1) {
            images_->Draw(Canvas(), rect.Left, rect.Top, index, true);
        }
    } else if (imageIndex_ != -1) {
        images_->Draw(Canvas(), rect.Left, rect.Top, imageIndex_, Enabled());
    }
}

void TRzCustomGlyphStatus::PaintBitmapGlyph(const TRect& rect) {
    const int w = rect.Width();
    const int h = rect.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    const TRect cell = numGlyphs_ > 1 && !Enabled() ? Rect(w, 0, 2 * w, h) : Rect(0, 0, w, h);
    // Composed off-screen at the picture's size: what the pane shows there, then the cell
    // with its transparent colour left out, copied back in one step.
    TBitmap picture(w, h);
    picture.Canvas()->Brush()->SetColor(FillColor());
    picture.Canvas()->CopyRect(Rect(0, 0, w, h), *Canvas(), rect);
    DrawGlyphTransparent(picture.Canvas(), *glyph_, Rect(0, 0, w, h), glyph_->TransparentColor(), cell);
    Canvas()->Draw(rect.Left, rect.Top, picture);
}
