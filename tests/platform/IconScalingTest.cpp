#include "platform/x11/IconScaling.h"

#include <gtest/gtest.h>

namespace {

using platform::x11::ArgbImage;
using platform::x11::ScaleToSlot;

// A square image whose quadrants have one colour each.
ArgbImage Quadrants(int side, std::uint32_t topLeft, std::uint32_t topRight, std::uint32_t bottomLeft,
                    std::uint32_t bottomRight) {
    ArgbImage image{side, side, {}};
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const bool right = x >= side / 2;
            image.pixels.push_back(y < side / 2 ? (right ? topRight : topLeft)
                                                : (right ? bottomRight : bottomLeft));
        }
    }
    return image;
}

std::uint32_t At(const ArgbImage& image, int x, int y) {
    return image.pixels[std::size_t(y) * std::size_t(image.width) + std::size_t(x)];
}

TEST(IconScaling, ALargeIconShrinksToTheSlotWhole) {
    const ArgbImage icon = Quadrants(32, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF);

    const ArgbImage shown = ScaleToSlot(icon, 16, 16);

    ASSERT_EQ(shown.width, 16);
    ASSERT_EQ(shown.height, 16);
    EXPECT_EQ(At(shown, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(At(shown, 15, 0), 0xFF00FF00u);
    EXPECT_EQ(At(shown, 0, 15), 0xFF0000FFu);
    EXPECT_EQ(At(shown, 15, 15), 0xFFFFFFFFu);
}

TEST(IconScaling, PixelsAreAveragedAndTransparentOnesDoNotDarkenTheEdge) {
    // Two columns: opaque grey 0x808080 beside transparent black; two rows alike.
    const ArgbImage icon{2, 2, {0xFF808080, 0x00000000, 0xFF808080, 0x00000000}};

    const ArgbImage shown = ScaleToSlot(icon, 1, 1);

    EXPECT_EQ(At(shown, 0, 0), 0x80808080u);
}

TEST(IconScaling, ProportionsAreKeptAndSmallIconsGrow) {
    ArgbImage wide{32, 16, std::vector<std::uint32_t>(32 * 16, 0xFF123456)};
    const ArgbImage shrunk = ScaleToSlot(wide, 16, 16);
    EXPECT_EQ(shrunk.width, 16);
    EXPECT_EQ(shrunk.height, 8);
    EXPECT_EQ(At(shrunk, 15, 7), 0xFF123456u);

    const ArgbImage grown =
        ScaleToSlot(Quadrants(16, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF), 24, 22);
    EXPECT_EQ(grown.width, 22);
    EXPECT_EQ(grown.height, 22);
    EXPECT_EQ(At(grown, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(At(grown, 21, 21), 0xFFFFFFFFu);
}

} // namespace
