#include "toolkit/graphics/Graphics.h"

#include <algorithm>

namespace {

// The classic disabled look turns an image into a two-tone relief: every opaque pixel that is
// not white counts as ink; white and transparent pixels drop out.
bool IsInk(std::uint32_t argb) {
    return (argb >> 24) >= 128 && (argb & 0xFFFFFF) != 0xFFFFFF;
}

// A one-colour ARGB image of the ink of `image`.
TPixelBuffer InkImage(const TPixelBuffer& image, TColor color) {
    const std::uint32_t pixel = 0xFF000000u | ColorToPixel(ColorToRGB(color));
    TPixelBuffer ink(image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (IsInk(image.At(x, y))) {
                ink.At(x, y) = pixel;
            }
        }
    }
    return ink;
}

void ReportCanvasChange(TCanvas* canvas) {
    if (canvas->OnChange) {
        canvas->OnChange();
    }
}

} // namespace

TChangeLink::~TChangeLink() {
    if (Sender != nullptr) {
        Sender->UnRegisterChanges(this);
    }
}

TCustomImageList::TCustomImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(std::max(width, 1)), height_(std::max(height, 1)) {}

TCustomImageList::~TCustomImageList() {
    Destroying();
    for (TChangeLink* link : links_) {
        link->Sender = nullptr;
    }
}

void TCustomImageList::SetSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == width_ && height == height_) {
        return;
    }
    width_ = width;
    height_ = height;
    // Images of the old size do not fit the new one.
    images_.clear();
    Change();
}

int TCustomImageList::AddMasked(const TBitmap& bitmap, TColor maskColor) {
    if (bitmap.Empty()) {
        return -1;
    }
    const int first = Count();
    const std::uint32_t mask = ColorToPixel(ColorToRGB(maskColor));
    const TPixelBuffer& source = bitmap.Buffer();
    const int cells = std::max(1, source.Width() / width_);
    for (int cell = 0; cell < cells; ++cell) {
        TPixelBuffer image(width_, height_);
        for (int y = 0; y < std::min(height_, source.Height()); ++y) {
            for (int x = 0; x < width_ && cell * width_ + x < source.Width(); ++x) {
                const std::uint32_t pixel = source.At(cell * width_ + x, y) & 0xFFFFFF;
                image.At(x, y) = pixel == mask ? 0 : 0xFF000000u | pixel;
            }
        }
        images_.push_back(std::move(image));
    }
    Change();
    return first;
}

int TCustomImageList::AddIcon(const TIcon& icon) {
    if (icon.Empty()) {
        return -1;
    }
    const TPixelBuffer& source = icon.Image();
    TPixelBuffer image(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            image.At(x, y) = source.At(x * source.Width() / width_, y * source.Height() / height_);
        }
    }
    images_.push_back(std::move(image));
    Change();
    return Count() - 1;
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    if (canvas == nullptr || index < 0 || index >= Count()) {
        return;
    }
    HDC dc = canvas->Handle();
    const TPixelBuffer& image = images_[std::size_t(index)];
    if (enabled) {
        AlphaBlendImage(dc, x, y, image);
    } else {
        AlphaBlendImage(dc, x + 1, y + 1, InkImage(image, clBtnHighlight));
        AlphaBlendImage(dc, x, y, InkImage(image, clBtnShadow));
    }
    ReportCanvasChange(canvas);
}

void TCustomImageList::GetBitmap(int index, TBitmap* bitmap) {
    if (bitmap == nullptr || index < 0 || index >= Count()) {
        return;
    }
    bitmap->SetSize(width_, height_);
    Draw(bitmap->Canvas(), 0, 0, index);
}

void TCustomImageList::GetIcon(int index, TIcon* icon) {
    if (icon == nullptr || index < 0 || index >= Count()) {
        return;
    }
    icon->Image() = images_[std::size_t(index)];
    if (icon->OnChange) {
        icon->OnChange();
    }
}

void TCustomImageList::Clear() {
    if (images_.empty()) {
        return;
    }
    images_.clear();
    Change();
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
    if (link == nullptr) {
        return;
    }
    if (link->Sender != nullptr && link->Sender != this) {
        link->Sender->UnRegisterChanges(link);
    }
    link->Sender = this;
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) {
        links_.push_back(link);
    }
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
    auto it = std::find(links_.begin(), links_.end(), link);
    if (it == links_.end()) {
        return;
    }
    links_.erase(it);
    link->Sender = nullptr;
}

void TCustomImageList::Change() {
    // A handler may unregister links; walk a copy and skip links that left meanwhile.
    const std::vector<TChangeLink*> links = links_;
    for (TChangeLink* link : links) {
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) {
            link->Change();
        }
    }
}
