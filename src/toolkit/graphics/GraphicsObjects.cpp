#include "toolkit/base/Store.h"
#include "toolkit/graphics/Graphics.h"

#include <cstdlib>

TPixelBuffer::TPixelBuffer(int width, int height, std::uint32_t fill) {
    Resize(width, height, fill);
}

void TPixelBuffer::Resize(int width, int height, std::uint32_t fill) {
    // Negative sizes are treated as empty rather than wrapping around to huge allocations.
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    if (width_ == 0 || height_ == 0) {
        width_ = 0;
        height_ = 0;
        pixels_ = {}; // an empty buffer gives its memory back
        return;
    }
    pixels_.assign(std::size_t(width_) * std::size_t(height_), fill);
}

void TPen::SetColor(TColor value) {
    if (!Store(color_, value)) {
        return;
    }
    Changed();
}

void TPen::SetWidth(int value) {
    value = std::max(value, 1);
    if (!Store(width_, value)) {
        return;
    }
    Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (!Store(style_, value)) {
        return;
    }
    Changed();
}

void TPen::SetMode(TPenMode value) {
    if (!Store(mode_, value)) {
        return;
    }
    Changed();
}

void TPen::Assign(const TPen& source) {
    color_ = source.color_;
    width_ = source.width_;
    style_ = source.style_;
    mode_ = source.mode_;
    Changed();
}

void TBrush::SetColor(TColor value) {
    // Choosing a colour makes a clear brush solid again, as the classic brush does.
    if (color_ == value && style_ != bsClear) {
        return;
    }
    color_ = value;
    if (style_ == bsClear) {
        style_ = bsSolid;
    }
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (!Store(style_, value)) {
        return;
    }
    Changed();
}

void TBrush::SetBitmap(TBitmap* value) {
    if (!Store(bitmap_, value)) {
        return;
    }
    Changed();
}

void TBrush::Assign(const TBrush& source) {
    color_ = source.color_;
    style_ = source.style_;
    bitmap_ = source.bitmap_;
    Changed();
}

void TFont::SetName(const std::string& value) {
    if (!Store(name_, value)) {
        return;
    }
    Changed();
}

void TFont::SetHeight(int value) {
    if (!Store(height_, value)) {
        return;
    }
    Changed();
}

// Points at 96 pixels per inch, rounded as the classic MulDiv does.
int TFont::Size() const {
    const int magnitude = (std::abs(height_) * 72 + 48) / 96;
    return height_ < 0 ? magnitude : -magnitude;
}

void TFont::SetSize(int points) {
    const int magnitude = (std::abs(points) * 96 + 36) / 72;
    SetHeight(points < 0 ? magnitude : -magnitude);
}

void TFont::SetStyle(TFontStyles value) {
    if (!Store(style_, value)) {
        return;
    }
    Changed();
}

void TFont::SetColor(TColor value) {
    if (!Store(color_, value)) {
        return;
    }
    Changed();
}

void TFont::SetCharset(int value) {
    if (!Store(charset_, value)) {
        return;
    }
    Changed();
}

void TFont::SetPitch(TFontPitch value) {
    if (!Store(pitch_, value)) {
        return;
    }
    Changed();
}

void TFont::Assign(const TFont& source) {
    if (SameAs(source) && color_ == source.color_) {
        return;
    }
    name_ = source.name_;
    height_ = source.height_;
    style_ = source.style_;
    color_ = source.color_;
    charset_ = source.charset_;
    pitch_ = source.pitch_;
    Changed();
}

bool TFont::SameAs(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
           charset_ == other.charset_ && pitch_ == other.pitch_;
}
