// Points, rectangles and pixel views shared by the platform interfaces.
#pragma once

#include <cstdint>

namespace platform {

struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

// 32-bit pixels, 0x00RRGGBB in memory order B, G, R, X (the layout of a 32-bit DIB). A view
// presented to a window may cover only part of it: its first pixel lies at (left, top) of the
// window.
struct PixelView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0; // in pixels
    int left = 0;
    int top = 0;
};

} // namespace platform
