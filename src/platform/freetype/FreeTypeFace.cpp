#include "platform/freetype/FreeTypeFonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <cstddef>
#include <map>
#include <string>
#include <utility>

namespace platform::freetype {

// The library and the faces open in it: one FT_Face per file and face index, shared by every
// size of it in use (each with an FT_Size of its own), so that a file is read and mapped once.
struct Library {
    struct OpenFace {
        FT_Face face = nullptr;
        int users = 0;
    };
    FT_Library handle = nullptr;
    std::map<std::pair<std::string, int>, OpenFace> faces;
    ~Library() { FT_Done_FreeType(handle); }
};

namespace {

// Grey coverage of one bitmap row; a monochrome row is spread to 0 and 255.
void CopyCoverageRow(const FT_Bitmap& bitmap, int y, std::uint8_t* out) {
    const unsigned char* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
    for (unsigned x = 0; x < bitmap.width; ++x) {
        std::uint8_t value = 0;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
            value = (row[x / 8] & (0x80 >> (x % 8))) != 0 ? 255 : 0;
        } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
            value = row[x];
        }
        out[x] = value;
    }
}

class FreeTypeFace : public IFontFace {
public:
    FreeTypeFace(std::shared_ptr<Library> library, std::pair<std::string, int> key, FT_Face face,
                 FT_Size size, bool bold, bool italic)
        : library_(std::move(library)), key_(std::move(key)), face_(face), size_(size),
          emboldenBold_(bold && (face->style_flags & FT_STYLE_FLAG_BOLD) == 0),
          slantItalic_(italic && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0) {}
    ~FreeTypeFace() override {
        FT_Done_Size(size_);
        const auto open = library_->faces.find(key_);
        if (open != library_->faces.end() && --open->second.users == 0) {
            FT_Done_Face(open->second.face);
            library_->faces.erase(open);
        }
    }
    FreeTypeFace(const FreeTypeFace&) = delete;
    FreeTypeFace& operator=(const FreeTypeFace&) = delete;

    std::string FamilyName() override { return face_->family_name != nullptr ? face_->family_name : ""; }

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

    bool SetPixelSize(int em) override {
        FT_Activate_Size(size_);
        return FT_Set_Pixel_Sizes(face_, 0, FT_UInt(em)) == 0;
    }

    GlyphBox MeasureGlyph(char32_t code) override {
        GlyphBox box;
        FT_Activate_Size(size_);
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

    GlyphBitmap RenderGlyph(char32_t code) override {
        GlyphBitmap glyph;
        FT_Activate_Size(size_);
        if (FT_Load_Char(face_, code, FT_LOAD_DEFAULT) != 0) {
            return glyph;
        }
        FT_GlyphSlot slot = face_->glyph;
        if (slantItalic_) {
            FT_GlyphSlot_Oblique(slot);
        }
        if (emboldenBold_) {
            FT_GlyphSlot_Embolden(slot);
        }
        glyph.advance = int((slot->advance.x + 32) / 64);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
            return glyph;
        }
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = int(bitmap.width);
        glyph.height = int(bitmap.rows);
        glyph.coverage.resize(std::size_t(glyph.width) * std::size_t(glyph.height));
        for (int y = 0; y < glyph.height; ++y) {
            CopyCoverageRow(bitmap, y, glyph.coverage.data() + std::size_t(y) * std::size_t(glyph.width));
        }
        return glyph;
    }

private:
    std::shared_ptr<Library> library_; // outlives face_
    std::pair<std::string, int> key_;
    FT_Face face_; // shared with the other sizes of the file's face
    FT_Size size_;
    bool emboldenBold_; // bold asked for but the face is regular
    bool slantItalic_;  // italic asked for but the face is upright
};

} // namespace

std::shared_ptr<Library> OpenLibrary() {
    auto library = std::make_shared<Library>();
    if (FT_Init_FreeType(&library->handle) != 0) {
        return nullptr;
    }
    return library;
}

std::unique_ptr<IFontFace> OpenFace(const std::shared_ptr<Library>& library, const std::string& path,
                                    int index, bool bold, bool italic) {
    if (library == nullptr) {
        return nullptr;
    }
    std::pair<std::string, int> key{path, index};
    Library::OpenFace& open = library->faces[key];
    if (open.face == nullptr && FT_New_Face(library->handle, path.c_str(), FT_Long(index), &open.face) != 0) {
        library->faces.erase(key);
        return nullptr;
    }
    FT_Size size = nullptr;
    if (FT_New_Size(open.face, &size) != 0) {
        if (open.users == 0) {
            FT_Done_Face(open.face);
            library->faces.erase(key);
        }
        return nullptr;
    }
    ++open.users;
    return std::make_unique<FreeTypeFace>(library, std::move(key), open.face, size, bold, italic);
}

} // namespace platform::freetype
