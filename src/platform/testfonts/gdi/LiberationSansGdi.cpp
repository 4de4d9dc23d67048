// The test fonts as Liberation Sans drawn by GDI: the files of the fonts-liberation package are
// added for this process only (under Wine through its Z: drive, the host's root), and every
// family name opens that face, so that a test sees the same face whatever it names.
#include "platform/testfonts/TestFonts.h"
#include "platform/win32/GdiFonts.h"
#include "platform/win32/SystemHeaders.h"

namespace platform::testfonts {

namespace {

constexpr const wchar_t* kFiles[] = {
    L"Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Regular.ttf",
    L"Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Bold.ttf",
    L"Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Italic.ttf",
    L"Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-BoldItalic.ttf",
};

class LiberationSansFonts : public IFonts {
public:
    LiberationSansFonts() {
        // A missing file (a Windows without the host's drive) leaves GDI's nearest face.
        for (const wchar_t* file : kFiles) {
            AddFontResourceExW(file, FR_PRIVATE, nullptr);
        }
    }
    std::unique_ptr<IFontFace> OpenFace(const std::string& /*family*/, bool bold, bool italic) override {
        return fonts_.OpenFace("Liberation Sans", bold, italic);
    }

private:
    win32::GdiFonts fonts_;
};

} // namespace

std::unique_ptr<IFonts> OpenTestFonts() {
    return std::make_unique<LiberationSansFonts>();
}

} // namespace platform::testfonts
