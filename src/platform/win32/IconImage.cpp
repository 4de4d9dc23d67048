#include "platform/win32/IconImage.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace platform::win32 {

HICON CreateIconFromPixels(const PixelView& pixels) {
    if (pixels.pixels == nullptr || pixels.width <= 0 || pixels.height <= 0 || pixels.stride < pixels.width) {
        return nullptr;
    }
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = pixels.width;
    header.bV5Height = -pixels.height; // top-down rows
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP color =
        CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (color == nullptr || bits == nullptr) {
        return nullptr;
    }
    bool anyAlpha = false;
    for (int y = 0; y < pixels.height && !anyAlpha; ++y) {
        const std::uint32_t* row = pixels.pixels + std::size_t(y) * std::size_t(pixels.stride);
        anyAlpha = std::any_of(row, row + pixels.width, [](std::uint32_t p) { return (p >> 24) != 0; });
    }
    auto* target = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint32_t* row = pixels.pixels + std::size_t(y) * std::size_t(pixels.stride);
        for (int x = 0; x < pixels.width; ++x) {
            target[std::size_t(y) * std::size_t(pixels.width) + std::size_t(x)] =
                anyAlpha ? row[x] : (row[x] | 0xFF000000u);
        }
    }
    // The alpha channel decides; the mask (rows of 16-bit words) is all opaque.
    const std::vector<std::uint8_t> maskBits(std::size_t((pixels.width + 15) / 16 * 2) *
                                             std::size_t(pixels.height));
    HBITMAP mask = CreateBitmap(pixels.width, pixels.height, 1, 1, maskBits.data());
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = color;
    info.hbmMask = mask;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(color);
    return icon;
}

} // namespace platform::win32
