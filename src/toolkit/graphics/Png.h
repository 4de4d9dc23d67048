// PNG reading and writing for embedded artwork, screenshots of tests and tools.
#pragma once

#include "toolkit/graphics/Graphics.h"

#include <cstddef>
#include <string>

// Decodes PNG data to ARGB pixels (alpha in the top byte). False, with `argb` left empty,
// for broken data or images too large to be artwork.
bool DecodePng(const unsigned char* data, std::size_t size, TPixelBuffer& argb);

// Writes pixels to a PNG file: RGB, or RGBA taking the alpha from the top byte.
bool WritePng(const std::string& path, const TPixelBuffer& pixels, bool withAlpha = false);
