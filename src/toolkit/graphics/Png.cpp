#include "toolkit/graphics/Png.h"

#include <png.h>
#include <vector>

namespace {

// Artwork is small; this limit only keeps hostile data from asking for huge buffers.
constexpr png_uint_32 kMaxSide = 8192;

} // namespace

bool DecodePng(const unsigned char* data, std::size_t size, TPixelBuffer& argb) {
    argb.Resize(0, 0);
    if (data == nullptr || size == 0) {
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, data, size) == 0) {
        return false;
    }
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_BGRA;
    std::vector<unsigned char> bytes(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return false;
    }
    argb.Resize(int(image.width), int(image.height));
    const unsigned char* p = bytes.data();
    for (int y = 0; y < argb.Height(); ++y) {
        std::uint32_t* row = argb.Row(y);
        for (int x = 0; x < argb.Width(); ++x, p += 4) {
            row[x] = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                     (std::uint32_t(p[3]) << 24);
        }
    }
    return true;
}

bool WritePng(const std::string& path, const TPixelBuffer& pixels, bool withAlpha) {
    if (pixels.Width() == 0 || pixels.Height() == 0) {
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(pixels.Width());
    image.height = png_uint_32(pixels.Height());
    image.format = withAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    const int channels = withAlpha ? 4 : 3;
    std::vector<unsigned char> bytes;
    bytes.reserve(std::size_t(pixels.Width()) * std::size_t(pixels.Height()) * std::size_t(channels));
    for (int y = 0; y < pixels.Height(); ++y) {
        const std::uint32_t* row = pixels.Row(y);
        for (int x = 0; x < pixels.Width(); ++x) {
            bytes.push_back(static_cast<unsigned char>(row[x] >> 16));
            bytes.push_back(static_cast<unsigned char>(row[x] >> 8));
            bytes.push_back(static_cast<unsigned char>(row[x]));
            if (withAlpha) {
                bytes.push_back(static_cast<unsigned char>(row[x] >> 24));
            }
        }
    }
    return png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr) != 0;
}
