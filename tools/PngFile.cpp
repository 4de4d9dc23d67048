#include "PngFile.h"

#include <png.h>
#include <vector>

bool WritePng(const std::string& path, const TPixelBuffer& pixels) {
    if (pixels.Width() == 0 || pixels.Height() == 0) {
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(pixels.Width());
    image.height = png_uint_32(pixels.Height());
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> bytes;
    bytes.reserve(std::size_t(pixels.Width()) * std::size_t(pixels.Height()) * 3);
    for (int y = 0; y < pixels.Height(); ++y) {
        const std::uint32_t* row = pixels.Row(y);
        for (int x = 0; x < pixels.Width(); ++x) {
            bytes.push_back(static_cast<unsigned char>(row[x] >> 16));
            bytes.push_back(static_cast<unsigned char>(row[x] >> 8));
            bytes.push_back(static_cast<unsigned char>(row[x]));
        }
    }
    return png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr) != 0;
}
