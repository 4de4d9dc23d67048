// Fonts of the Linux desktop: fontconfig finds the file for a family name and style (Arial
// resolves to the metric-compatible Liberation Sans), FreeType reads and rasterises it.
#pragma once

#include "platform/Fonts.h"
#include "platform/freetype/FreeTypeFonts.h"

#include <memory>
#include <string>

namespace platform::linuxdesktop {

struct FontFile {
    std::string path; // empty: fontconfig found nothing
    int index = 0;    // the face within the file
};

class FontconfigFonts : public IFonts {
public:
    FontconfigFonts();
    ~FontconfigFonts() override;
    FontconfigFonts(const FontconfigFonts&) = delete;
    FontconfigFonts& operator=(const FontconfigFonts&) = delete;

    // The best scalable face fontconfig has for the family and style; a missing family gives
    // the configured substitute.
    FontFile Locate(const std::string& family, bool bold, bool italic) const;

    std::unique_ptr<IFontFace> OpenFace(const std::string& family, bool bold, bool italic) override;

private:
    struct Config;
    std::unique_ptr<Config> config_;
    std::shared_ptr<freetype::Library> library_;
};

} // namespace platform::linuxdesktop
