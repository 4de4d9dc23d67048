// Scaling an ARGB icon to the size of its tray slot: each target pixel is the area-weighted
// average of the source pixels it covers, with the colours weighted by their alpha so that
// transparent pixels do not darken the edges.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::x11 {

struct ArgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // row after row, 0xAARRGGBB
};

// The image at the largest size with its proportions that fits the slot (at least 1 by 1).
ArgbImage ScaleToSlot(const ArgbImage& source, int slotWidth, int slotHeight);

} // namespace platform::x11
