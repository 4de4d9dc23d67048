// Presenting a back buffer puts exactly its pixels on the screen, on both transfer paths.
#include "platform/X11Fixture.h"

#include <X11/Xutil.h>

namespace x11test {
namespace {

// Large enough that the whole buffer goes through the shared segment when it is used.
constexpr int kWidth = 200;
constexpr int kHeight = 100;

std::vector<std::uint32_t> Pattern(std::uint32_t seed) {
    std::vector<std::uint32_t> pixels(std::size_t(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            pixels[std::size_t(y) * kWidth + std::size_t(x)] = ((std::uint32_t(x) * 2 + seed) & 0xFF) << 16 |
                                                               ((std::uint32_t(y) * 3) & 0xFF) << 8 |
                                                               (seed & 0xFF);
        }
    }
    return pixels;
}

// Transfer path under test: true = MIT-SHM, false = XPutImage.
class X11PresentTest : public X11Test, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        options_.useSharedMemory = GetParam();
        X11Test::SetUp();
    }

    std::unique_ptr<X11Window> ShownWindow() {
        WindowOptions options;
        options.bounds = Rect{30, 40, 30 + kWidth, 40 + kHeight};
        auto window = MakeWindow(options);
        ShowAndWait(*window);
        return window;
    }

    std::vector<std::uint32_t> ScreenPixels(Window window) {
        XImage* image = XGetImage(observer_, window, 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
        std::vector<std::uint32_t> pixels;
        if (image == nullptr) {
            return pixels;
        }
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                pixels.push_back(std::uint32_t(XGetPixel(image, x, y)) & 0xFFFFFF);
            }
        }
        XDestroyImage(image);
        return pixels;
    }
};

TEST_P(X11PresentTest, WholeBufferArrivesPixelForPixel) {
    auto window = ShownWindow();
    EXPECT_EQ(window->UsesSharedMemory(), GetParam());
    const auto pixels = Pattern(7);
    window->Present(PixelView{pixels.data(), kWidth, kHeight, kWidth}, Rect{0, 0, kWidth, kHeight});
    EXPECT_EQ(ScreenPixels(window->Id()), pixels);
}

TEST_P(X11PresentTest, OnlyTheDirtyRegionIsCopied) {
    auto window = ShownWindow();
    const auto first = Pattern(1);
    const auto second = Pattern(200);
    window->Present(PixelView{first.data(), kWidth, kHeight, kWidth}, Rect{0, 0, kWidth, kHeight});
    const Rect dirty{10, 5, 50, 30};
    window->Present(PixelView{second.data(), kWidth, kHeight, kWidth}, dirty);

    const auto screen = ScreenPixels(window->Id());
    ASSERT_EQ(screen.size(), first.size());
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::size_t i = std::size_t(y) * kWidth + std::size_t(x);
            const bool inside = x >= dirty.left && x < dirty.right && y >= dirty.top && y < dirty.bottom;
            ASSERT_EQ(screen[i], inside ? second[i] : first[i]) << x << "," << y;
        }
    }
}

TEST_P(X11PresentTest, APartialViewLandsAtItsPlaceAndNoFurther) {
    auto window = ShownWindow();
    const auto first = Pattern(1);
    window->Present(PixelView{first.data(), kWidth, kHeight, kWidth}, Rect{0, 0, kWidth, kHeight});
    // A band of the lower rows, large enough for the shared segment, named with a dirty area
    // that reaches beyond it.
    const Rect band{8, 10, kWidth, kHeight};
    const auto second = Pattern(200);
    std::vector<std::uint32_t> pixels;
    for (int y = band.top; y < band.bottom; ++y) {
        for (int x = band.left; x < band.right; ++x) {
            pixels.push_back(second[std::size_t(y) * kWidth + std::size_t(x)]);
        }
    }
    window->Present(PixelView{pixels.data(), band.Width(), band.Height(), band.Width(), band.left, band.top},
                    Rect{0, 0, kWidth, kHeight});

    const auto screen = ScreenPixels(window->Id());
    ASSERT_EQ(screen.size(), first.size());
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::size_t i = std::size_t(y) * kWidth + std::size_t(x);
            const bool inside = x >= band.left && y >= band.top;
            ASSERT_EQ(screen[i], inside ? second[i] : first[i]) << x << "," << y;
        }
    }
}

TEST_P(X11PresentTest, BufferWiderThanItsImageUsesTheStride) {
    auto window = ShownWindow();
    const int stride = kWidth + 16;
    std::vector<std::uint32_t> padded(std::size_t(stride) * kHeight, 0xFFFFFF);
    const auto pixels = Pattern(33);
    for (int y = 0; y < kHeight; ++y) {
        std::copy_n(pixels.begin() + std::ptrdiff_t(y) * kWidth, kWidth,
                    padded.begin() + std::ptrdiff_t(y) * stride);
    }
    window->Present(PixelView{padded.data(), kWidth, kHeight, stride}, Rect{0, 0, kWidth, kHeight});
    EXPECT_EQ(ScreenPixels(window->Id()), pixels);
}

TEST_P(X11PresentTest, OutOfRangeOrEmptyRequestsAreClippedOrIgnored) {
    auto window = ShownWindow();
    const auto pixels = Pattern(9);
    const PixelView view{pixels.data(), kWidth, kHeight, kWidth};
    window->Present(view, Rect{-50, -50, 5000, 5000});
    EXPECT_EQ(ScreenPixels(window->Id()), pixels);
    window->Present(view, Rect{40, 40, 10, 10});
    window->Present(PixelView{}, Rect{0, 0, kWidth, kHeight});
    window->Present(PixelView{pixels.data(), kWidth, kHeight, kWidth - 1}, Rect{0, 0, kWidth, kHeight});
    EXPECT_EQ(ScreenPixels(window->Id()), pixels);
}

INSTANTIATE_TEST_SUITE_P(Paths, X11PresentTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return param.param ? "SharedMemory" : "PutImage";
                         });

} // namespace
} // namespace x11test
