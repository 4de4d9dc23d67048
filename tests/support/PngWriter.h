// Writes test screenshots as PNG files, without a compression library: the image data is
// kept in stored deflate blocks, which every PNG reader accepts.
#pragma once

#include "toolkit/graphics/Graphics.h"

#include <string>

// Writes the colour channels of the pixels to an RGB PNG file; false when it cannot.
bool WritePng(const std::string& path, const TPixelBuffer& pixels);
