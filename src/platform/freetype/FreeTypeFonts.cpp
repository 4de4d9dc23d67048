#include "platform/freetype/FreeTypeFonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>

namespace platform::freetype {

// The FreeType library and fontconfig, set up once and released with the last face.
class FreeTypeLibrary {
public:
    FreeTypeLibrary() {
        if (FT_Init_FreeType(&library_) != 0) {
            library_ = nullptr;
        }
        FcInit();
    }
    ~FreeTypeLibrary() {
        if (library_ != nullptr) {
            FT_Done_FreeType(library_);
        }
        FcFini();
    }
    FreeTypeLibrary(const FreeTypeLibrary&) = delete;
    FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;

    FT_Library Get() const { return library_; }

private:
    FT_Library library_ = nullptr;
};

namespace {

struct FaceLocation {
    std::string file;
    int index = 0;
    std::string family;
};

// Asks fontconfig for the best face for a family name and style.
FaceLocation LocateFace(const std::string& requested, bool bold, bool italic) {
    const std::string name = FamilyToAsk(requested);
    FaceLocation location;
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return location;
    }
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    if (match != nullptr) {
        FcChar8* file = nullptr;
        FcChar8* family = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            location.file = reinterpret_cast<const char*>(file);
        }
        if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch) {
            location.family = reinterpret_cast<const char*>(family);
        }
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) {
            location.index = index;
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return location;
}

class FreeTypeFace final : public IFontFace {
public:
    FreeTypeFace(std::shared_ptr<FreeTypeLibrary> library, FT_Face face, std::string family, bool bold,
                 bool italic)
        : library_(std::move(library)), face_(face), family_(std::move(family)),
          emboldenBold_(bold && (face->style_flags & FT_STYLE_FLAG_BOLD) == 0),
          slantItalic_(italic && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0) {}
    ~FreeTypeFace() override { FT_Done_Face(face_); }
    FreeTypeFace(const FreeTypeFace&) = delete;
    FreeTypeFace& operator=(const FreeTypeFace&) = delete;

    std::string FamilyName() override { return family_; }

    FontDesign Design() override {
        FontDesign design;
        design.unitsPerEm = face_->units_per_EM;
        design.ascender = face_->ascender;
        design.descender = face_->descender;
        design.lineHeight = face_->height;
        design.underlinePosition = face_->underline_position;
        design.underlineThickness = face_->underline_thickness;
        if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2))) {
            design.winAscent = os2->usWinAscent;
            design.winDescent = os2->usWinDescent;
            design.averageCharWidth = os2->xAvgCharWidth;
            design.strikeoutPosition = os2->yStrikeoutPosition;
        }
        return design;
    }

    bool SetPixelSize(int em) override { return em > 0 && FT_Set_Pixel_Sizes(face_, 0, FT_UInt(em)) == 0; }

    GlyphBox MeasureGlyph(char32_t code) override {
        GlyphBox box;
        if (FT_Get_Char_Index(face_, code) == 0 || FT_Load_Char(face_, code, FT_LOAD_DEFAULT) != 0) {
            return box;
        }
        const FT_Glyph_Metrics& metrics = face_->glyph->metrics;
        box.present = true;
        box.top = metrics.horiBearingY;
        box.bottom = metrics.horiBearingY - metrics.height;
        box.advance = face_->glyph->advance.x;
        return box;
    }

    GlyphBitmap RenderGlyph(char32_t code) override;

private:
    std::shared_ptr<FreeTypeLibrary> library_;
    FT_Face face_;
    std::string family_;
    bool emboldenBold_; // bold asked for but the face is regular
    bool slantItalic_;  // italic asked for but the face is upright
};

GlyphBitmap FreeTypeFace::RenderGlyph(char32_t code) {
    GlyphBitmap image;
    if (FT_Load_Char(face_, code, FT_LOAD_DEFAULT) != 0) {
        return image;
    }
    FT_GlyphSlot slot = face_->glyph;
    if (slantItalic_) {
        FT_GlyphSlot_Oblique(slot);
    }
    if (emboldenBold_) {
        FT_GlyphSlot_Embolden(slot);
    }
    image.advance = int((slot->advance.x + 32) / 64);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
        return image;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    image.left = slot->bitmap_left;
    image.top = slot->bitmap_top;
    image.width = int(bitmap.width);
    image.height = int(bitmap.rows);
    image.coverage.resize(std::size_t(image.width) * std::size_t(image.height));
    for (int y = 0; y < image.height; ++y) {
        const unsigned char* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
        for (int x = 0; x < image.width; ++x) {
            std::uint8_t value = 0;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                value = (row[x / 8] & (0x80 >> (x % 8))) != 0 ? 255 : 0;
            } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
                value = row[x];
            }
            image.coverage[std::size_t(y) * std::size_t(image.width) + std::size_t(x)] = value;
        }
    }
    return image;
}

} // namespace

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

FreeTypeFonts::FreeTypeFonts() : library_(std::make_shared<FreeTypeLibrary>()) {}

FreeTypeFonts::~FreeTypeFonts() = default;

std::unique_ptr<IFontFace> FreeTypeFonts::OpenFace(const std::string& family, bool bold, bool italic) {
    if (library_->Get() == nullptr) {
        return nullptr;
    }
    const FaceLocation location = LocateFace(family, bold, italic);
    FT_Face face = nullptr;
    if (location.file.empty() ||
        FT_New_Face(library_->Get(), location.file.c_str(), location.index, &face) != 0) {
        return nullptr;
    }
    return std::make_unique<FreeTypeFace>(library_, face, location.family, bold, italic);
}

} // namespace platform::freetype
