// Helpers for the tests of the standard controls: a shown form to put controls on, frame
// pixels, and screenshots kept as test artefacts.
#pragma once

#include "platform/Geometry.h"
#include "platform/WindowSystem.h"
#include "support/PngWriter.h"
#include "support/ToolkitFixture.h"

#include <cstdint>
#include <filesystem>
#include <string>

class StdControlsTest : public ToolkitTest {
protected:
    // A shown form of the given client size, in the button-face colour, with Arial -12.
    TForm* ShowForm(int width = 300, int height = 200) {
        auto* form = new TForm(app.get());
        form->SetBounds(100, 100, width, height);
        form->Font()->SetName("Arial");
        form->Font()->SetHeight(-12);
        form->Show();
        Idle();
        return form;
    }

    static std::uint32_t Pixel(TColor color) { return ColorToPixel(ColorToRGB(color)); }

    // The last presented frame of a headless window as a pixel buffer.
    static TPixelBuffer FrameOf(platform::headless::HeadlessWindow& window) {
        platform::PixelView view = window.Frame();
        TPixelBuffer buffer(view.width, view.height);
        for (int y = 0; y < view.height; ++y) {
            for (int x = 0; x < view.width; ++x) {
                buffer.At(x, y) = view.pixels[y * view.stride + x];
            }
        }
        return buffer;
    }

    // Writes a frame as <artifacts>/stdctrls/<name>.png for review.
    static void SaveScreenshot(platform::headless::HeadlessWindow& window, const std::string& name) {
        std::filesystem::path folder = std::filesystem::path(VESPERON_ARTIFACTS_DIR) / "stdctrls";
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(WritePng((folder / (name + ".png")).string(), FrameOf(window)));
    }

    // The visible headless window of a kind (popup menus, calendars, hints), or null.
    platform::headless::HeadlessWindow* ShownWindowOfKind(platform::WindowKind kind) {
        for (platform::headless::HeadlessWindow* window : platform.windows.Windows()) {
            if (window->Options().kind == kind && window->Visible()) {
                return window;
            }
        }
        return nullptr;
    }
};
