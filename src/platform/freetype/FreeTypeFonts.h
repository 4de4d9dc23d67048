// Fonts of a Linux desktop: fontconfig finds the face for a family name and style, FreeType
// measures and rasterises its glyphs (hinted, grey-scale antialiased).
#pragma once

#include "platform/Fonts.h"

#include <memory>
#include <string>

namespace platform::freetype {

class FreeTypeLibrary;

class FreeTypeFonts final : public IFonts {
public:
    FreeTypeFonts();
    ~FreeTypeFonts() override;
    FreeTypeFonts(const FreeTypeFonts&) = delete;
    FreeTypeFonts& operator=(const FreeTypeFonts&) = delete;

    std::unique_ptr<IFontFace> OpenFace(const std::string& family, bool bold, bool italic) override;

private:
    // Shared with every face opened, which may outlive this object.
    std::shared_ptr<FreeTypeLibrary> library_;
};

// The family fontconfig is asked for: the classic dialog fonts have no free equivalent of
// their own; their widths are closest to the Arial-compatible Liberation Sans.
std::string FamilyToAsk(const std::string& name);

} // namespace platform::freetype
