// The test fonts as Liberation Sans (the Arial-compatible family of the fonts-liberation
// package) in its four styles, read by FreeType from the package's fixed paths.
#include "platform/freetype/FreeTypeFonts.h"
#include "platform/testfonts/TestFonts.h"

#include <string>

namespace platform::testfonts {

namespace {

std::string LiberationSansFile(bool bold, bool italic) {
    const std::string folder = "/usr/share/fonts/truetype/liberation/";
    if (bold) {
        return folder + (italic ? "LiberationSans-BoldItalic.ttf" : "LiberationSans-Bold.ttf");
    }
    return folder + (italic ? "LiberationSans-Italic.ttf" : "LiberationSans-Regular.ttf");
}

class LiberationSansFonts : public IFonts {
public:
    std::unique_ptr<IFontFace> OpenFace(const std::string& /*family*/, bool bold, bool italic) override {
        return freetype::OpenFace(library_, LiberationSansFile(bold, italic), 0, bold, italic);
    }

private:
    std::shared_ptr<freetype::Library> library_ = freetype::OpenLibrary();
};

} // namespace

std::unique_ptr<IFonts> OpenTestFonts() {
    return std::make_unique<LiberationSansFonts>();
}

} // namespace platform::testfonts
