// Writes pixel buffers as PNG files (screenshots for the README and reviews).
#pragma once

#include "toolkit/graphics/Graphics.h"

#include <string>

// Writes the colour channels of the pixels to an RGB PNG file.
bool WritePng(const std::string& path, const TPixelBuffer& pixels);
