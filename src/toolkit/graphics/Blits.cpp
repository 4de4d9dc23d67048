#include "toolkit/graphics/Raster.h"

namespace {

TRect ToDevice(HDC dc, const TRect& r) {
    TRect moved = r;
    OffsetRect(moved, dc->Origin().X, dc->Origin().Y);
    return moved;
}

} // namespace

bool TransparentStretchBlt(HDC dc, const TRect& dest, const TPixelBuffer& source, const TRect& sourceRect,
                           TColor transparentColor) {
    if (dc == nullptr) {
        return false;
    }
    raster::Blit(dc, ToDevice(dc, dest), source, sourceRect, raster::TBlitMode::KeyedCopy,
                 ColorToPixel(ColorToRGB(transparentColor)));
    return true;
}

bool StretchBlt(HDC dc, const TRect& dest, const TPixelBuffer& source, const TRect& sourceRect) {
    if (dc == nullptr) {
        return false;
    }
    raster::Blit(dc, ToDevice(dc, dest), source, sourceRect, raster::TBlitMode::Copy);
    return true;
}

bool AlphaBlendImage(HDC dc, int x, int y, const TPixelBuffer& argb) {
    if (dc == nullptr) {
        return false;
    }
    const TRect all = Rect(0, 0, argb.Width(), argb.Height());
    raster::Blit(dc, ToDevice(dc, Bounds(x, y, argb.Width(), argb.Height())), argb, all,
                 raster::TBlitMode::AlphaBlend);
    return true;
}
