// Small helpers for the pixel tests of the canvas: a bitmap-backed canvas and readers.
#pragma once

#include "toolkit/graphics/Graphics.h"

#include <cstdint>

constexpr std::uint32_t kWhitePixel = 0xFFFFFF;

// Counts pixels of a buffer that differ from `background`.
inline int CountChanged(const TPixelBuffer& buffer, std::uint32_t background = kWhitePixel) {
    int count = 0;
    for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Width(); ++x) {
            count += buffer.At(x, y) != background ? 1 : 0;
        }
    }
    return count;
}

// The smallest rectangle holding every pixel that differs from `background`.
inline TRect ChangedBounds(const TPixelBuffer& buffer, std::uint32_t background = kWhitePixel) {
    TRect box{buffer.Width(), buffer.Height(), 0, 0};
    for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Width(); ++x) {
            if (buffer.At(x, y) != background) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
        }
    }
    return box.IsEmpty() ? TRect{} : box;
}
