#include "toolkit/base/Store.h"
#include "toolkit/graphics/Graphics.h"
#include "toolkit/graphics/Resources.h"

#include <algorithm>

namespace {

// The pixels of a picture of the artwork, with alpha (ARGB) or only its colour channels.
bool PixelsOfResource(const std::string& name, TPixelBuffer& pixels, std::uint32_t keep) {
    const TResourceEntry* entry = FindEmbeddedResource(name);
    if (entry == nullptr) {
        return false;
    }
    pixels.Resize(entry->width, entry->height);
    const std::uint32_t* source = entry->pixels;
    for (int y = 0; y < entry->height; ++y) {
        std::uint32_t* row = pixels.Row(y);
        std::transform(source, source + entry->width, row, [keep](std::uint32_t p) { return p & keep; });
        source += entry->width;
    }
    return true;
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const {
    return buffer_.Width();
}

int TBitmap::Height() const {
    return buffer_.Height();
}

void TBitmap::SetWidth(int value) {
    SetSize(value, std::max(Height(), value > 0 ? 1 : 0));
}

void TBitmap::SetHeight(int value) {
    SetSize(std::max(Width(), value > 0 ? 1 : 0), value);
}

void TBitmap::SetSize(int width, int height) {
    if (width == Width() && height == Height()) {
        return;
    }
    // New area is white; the part both sizes share keeps its pixels.
    TPixelBuffer resized(width, height, 0xFFFFFF);
    const int keepWidth = std::min(Width(), resized.Width());
    const int keepHeight = std::min(Height(), resized.Height());
    for (int y = 0; y < keepHeight; ++y) {
        std::copy(buffer_.Row(y), buffer_.Row(y) + keepWidth, resized.Row(y));
    }
    buffer_ = std::move(resized);
    if (dc_) {
        dc_->SetTarget(&buffer_);
    }
    Changed();
}

bool TBitmap::Empty() const {
    return Width() == 0 || Height() == 0;
}

TCanvas* TBitmap::Canvas() {
    if (!canvas_) {
        dc_ = std::make_unique<TDeviceContext>(&buffer_);
        canvas_ = std::make_unique<TCanvas>();
        canvas_->SetHandle(dc_.get());
        canvas_->OnChange = [this] {
            Changed();
        };
    }
    return canvas_.get();
}

void TBitmap::Assign(const TBitmap* source) {
    if (source == this) {
        return;
    }
    if (source == nullptr) {
        buffer_.Resize(0, 0);
        transparent_ = false;
        transparentColor_ = clDefault;
    } else {
        buffer_ = source->buffer_;
        pixelFormat_ = source->pixelFormat_;
        transparent_ = source->transparent_;
        transparentColor_ = source->transparentColor_;
    }
    if (dc_) {
        dc_->SetTarget(&buffer_);
    }
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (transparentColor_ != clDefault) {
        return transparentColor_;
    }
    if (Empty()) {
        return clNone;
    }
    return PixelToColor(buffer_.At(0, Height() - 1));
}

void TBitmap::SetTransparentColor(TColor value) {
    if (!Store(transparentColor_, value)) {
        return;
    }
    Changed();
}

bool TBitmap::LoadFromResourceName(const std::string& name) {
    // A bitmap has no alpha: the colour channels are kept as they are.
    TPixelBuffer rgb;
    if (!PixelsOfResource(name, rgb, 0xFFFFFF)) {
        return false;
    }
    buffer_ = std::move(rgb);
    pixelFormat_ = pf32bit;
    if (dc_) {
        dc_->SetTarget(&buffer_);
    }
    Changed();
    return true;
}

void TBitmap::Changed() {
    if (OnChange) {
        OnChange();
    }
}

void TIcon::Assign(const TIcon* source) {
    if (source == this) {
        return;
    }
    image_ = source != nullptr ? source->image_ : TPixelBuffer();
    if (OnChange) {
        OnChange();
    }
}

bool TIcon::LoadFromResourceName(const std::string& name) {
    TPixelBuffer argb;
    if (!PixelsOfResource(name, argb, 0xFFFFFFFF)) {
        return false;
    }
    image_ = std::move(argb);
    if (OnChange) {
        OnChange();
    }
    return true;
}
