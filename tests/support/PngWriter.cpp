#include "support/PngWriter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// The largest stored deflate block.
constexpr std::size_t kStoredBlock = 65535;

std::uint32_t Crc32(const Bytes& data, std::size_t from) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> values{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            values[n] = c;
        }
        return values;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < data.size(); ++i) {
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const Bytes& data) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (unsigned char byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBigEndian(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<unsigned char>(value >> shift));
    }
}

void PutChunk(Bytes& out, const char* kind, const Bytes& body) {
    PutBigEndian(out, std::uint32_t(body.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), kind, kind + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutBigEndian(out, Crc32(out, start));
}

// A zlib stream of stored blocks.
Bytes Stored(const Bytes& raw) {
    Bytes out = {0x78, 0x01};
    std::size_t done = 0;
    do {
        const std::size_t length = std::min(kStoredBlock, raw.size() - done);
        const bool last = done + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<unsigned char>(length));
        out.push_back(static_cast<unsigned char>(length >> 8));
        out.push_back(static_cast<unsigned char>(~length));
        out.push_back(static_cast<unsigned char>(~length >> 8));
        out.insert(out.end(), raw.begin() + std::ptrdiff_t(done),
                   raw.begin() + std::ptrdiff_t(done + length));
        done += length;
    } while (done < raw.size());
    PutBigEndian(out, Adler32(raw));
    return out;
}

} // namespace

bool WritePng(const std::string& path, const TPixelBuffer& pixels) {
    if (pixels.Width() == 0 || pixels.Height() == 0) {
        return false;
    }
    Bytes raw;
    raw.reserve(std::size_t(pixels.Height()) * (1 + std::size_t(pixels.Width()) * 3));
    for (int y = 0; y < pixels.Height(); ++y) {
        raw.push_back(0); // no filter
        const std::uint32_t* row = pixels.Row(y);
        for (int x = 0; x < pixels.Width(); ++x) {
            raw.push_back(static_cast<unsigned char>(row[x] >> 16));
            raw.push_back(static_cast<unsigned char>(row[x] >> 8));
            raw.push_back(static_cast<unsigned char>(row[x]));
        }
    }
    Bytes header;
    PutBigEndian(header, std::uint32_t(pixels.Width()));
    PutBigEndian(header, std::uint32_t(pixels.Height()));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, deflate, no interlace
    Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", Stored(raw));
    PutChunk(file, "IEND", {});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    return bool(out.flush());
}
