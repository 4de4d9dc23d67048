#include "platform/linuxdesktop/FontconfigFonts.h"

#include <algorithm>
#include <cctype>
#include <fontconfig/fontconfig.h>

namespace platform::linuxdesktop {

namespace {

// The classic dialog fonts have no free equivalent of their own; their widths are closest to
// the Arial-compatible Liberation Sans, which keeps captions laid out for them inside their panes.
std::string FamilyToAsk(const std::string& name) {
    static const char* const dialogFonts[] = {"MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg",
                                              "MS Shell Dlg 2"};
    const auto sameLetters = [](unsigned char a, unsigned char b) {
        return std::tolower(a) == std::tolower(b);
    };
    for (const std::string dialogFont : dialogFonts) {
        if (std::equal(name.begin(), name.end(), dialogFont.begin(), dialogFont.end(), sameLetters)) {
            return "Liberation Sans";
        }
    }
    return name;
}

} // namespace

// The fontconfig configuration this source asks, loaded once and freed with it.
struct FontconfigFonts::Config {
    FcConfig* config = FcInitLoadConfigAndFonts();
    ~Config() {
        if (config != nullptr) {
            FcConfigDestroy(config);
        }
    }
};

FontconfigFonts::FontconfigFonts() : config_(std::make_unique<Config>()), library_(freetype::OpenLibrary()) {}

FontconfigFonts::~FontconfigFonts() = default;

FontFile FontconfigFonts::Locate(const std::string& family, bool bold, bool italic) const {
    FontFile location;
    if (config_->config == nullptr) {
        return location;
    }
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return location;
    }
    const std::string name = FamilyToAsk(family);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config_->config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(config_->config, pattern, &result)) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            location.path = reinterpret_cast<const char*>(file);
        }
        FcPatternGetInteger(match, FC_INDEX, 0, &location.index);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return location;
}

std::unique_ptr<IFontFace> FontconfigFonts::OpenFace(const std::string& family, bool bold, bool italic) {
    const FontFile file = Locate(family, bold, italic);
    if (file.path.empty()) {
        return nullptr;
    }
    return freetype::OpenFace(library_, file.path, file.index, bold, italic);
}

} // namespace platform::linuxdesktop
