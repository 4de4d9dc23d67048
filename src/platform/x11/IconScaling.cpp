#include "platform/x11/IconScaling.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace platform::x11 {

namespace {

// How much of source pixel `source` falls into a target pixel, as a share of the target.
struct Tap {
    int source;
    double weight;
};

std::vector<std::vector<Tap>> Taps(int from, int to) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
    const double step = double(from) / double(to);
    for (int target = 0; target < to; ++target) {
        const double begin = target * step;
        const double end = begin + step;
        for (int source = int(begin); source < from && source < end; ++source) {
            const double overlap = std::min(end, source + 1.0) - std::max(begin, double(source));
            if (overlap > 0) {
                taps[std::size_t(target)].push_back(Tap{source, overlap / step});
            }
        }
    }
    return taps;
}

// Alpha and the colours multiplied by alpha, each 0..255.
using Premultiplied = std::array<double, 4>;

Premultiplied Unpack(std::uint32_t argb) {
    const double alpha = double(argb >> 24);
    const auto channel = [argb, alpha](int shift) {
        return double((argb >> shift) & 0xFFu) * alpha / 255.0;
    };
    return {alpha, channel(16), channel(8), channel(0)};
}

std::uint32_t Pack(const Premultiplied& value) {
    const auto byte = [](double v) {
        return std::uint32_t(std::clamp(std::llround(v), 0LL, 255LL));
    };
    const double alpha = value[0];
    if (alpha <= 0) {
        return 0;
    }
    const auto channel = [&value, alpha, &byte](std::size_t i) {
        return byte(value[i] * 255.0 / alpha);
    };
    return byte(alpha) << 24 | channel(1) << 16 | channel(2) << 8 | channel(3);
}

ArgbImage Scale(const ArgbImage& source, int width, int height) {
    if (width == source.width && height == source.height) {
        return source;
    }
    ArgbImage target{width, height, std::vector<std::uint32_t>(std::size_t(width) * std::size_t(height))};
    // Across first, into premultiplied rows, then down.
    const auto across = Taps(source.width, width);
    std::vector<Premultiplied> rows(std::size_t(width) * std::size_t(source.height));
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < width; ++x) {
            Premultiplied sum{};
            for (const Tap& tap : across[std::size_t(x)]) {
                const Premultiplied value = Unpack(
                    source.pixels[std::size_t(y) * std::size_t(source.width) + std::size_t(tap.source)]);
                for (std::size_t i = 0; i < sum.size(); ++i) {
                    sum[i] += value[i] * tap.weight;
                }
            }
            rows[std::size_t(y) * std::size_t(width) + std::size_t(x)] = sum;
        }
    }
    const auto down = Taps(source.height, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Premultiplied sum{};
            for (const Tap& tap : down[std::size_t(y)]) {
                const Premultiplied& value =
                    rows[std::size_t(tap.source) * std::size_t(width) + std::size_t(x)];
                for (std::size_t i = 0; i < sum.size(); ++i) {
                    sum[i] += value[i] * tap.weight;
                }
            }
            target.pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = Pack(sum);
        }
    }
    return target;
}

} // namespace

ArgbImage ScaleToSlot(const ArgbImage& source, int slotWidth, int slotHeight) {
    if (source.width <= 0 || source.height <= 0) {
        return source;
    }
    const double scale =
        std::min(double(slotWidth) / double(source.width), double(slotHeight) / double(source.height));
    return Scale(source, std::max(1, int(std::llround(source.width * scale))),
                 std::max(1, int(std::llround(source.height * scale))));
}

} // namespace platform::x11
