#include "platform/freetype/FreeTypeFonts.h"
#include "platform/freetype/FreeTypeLibrary.h"

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
    const FreeTypeLibrary* ft = nullptr;
    FT_Library handle = nullptr;
    std::map<std::pair<std::string, int>, OpenFace> faces;
    explicit Library(const FreeTypeLibrary* functions) : ft(functions) {}
    ~Library() {
        if (handle != nullptr) {
            ft->DoneFreeType(handle);
        }
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
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
        : library_(std::move(library)), ft_(*library_->ft), key_(std::move(key)), face_(face), size_(size),
          emboldenBold_(bold && (face->style_flags & FT_STYLE_FLAG_BOLD) == 0),
          slantItalic_(italic && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0) {}
    ~FreeTypeFace() override {
        ft_.DoneSize(size_);
        const auto open = library_->faces.find(key_);
        if (open != library_->faces.end() && --open->second.users == 0) {
            ft_.DoneFace(open->second.face);
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
        if (const auto* os2 = static_cast<const TT_OS2*>(ft_.GetSfntTable(face_, FT_SFNT_OS2))) {
            design.winAscent = os2->usWinAscent;
            design.winDescent = os2->usWinDescent;
            design.averageCharWidth = os2->xAvgCharWidth;
            design.strikeoutPosition = os2->yStrikeoutPosition;
        }
        return design;
    }

    bool SetPixelSize(int em) override {
        ft_.ActivateSize(size_);
        return ft_.SetPixelSizes(face_, 0, FT_UInt(em)) == 0;
    }

    GlyphBox MeasureGlyph(char32_t code) override {
        GlyphBox box;
        ft_.ActivateSize(size_);
        if (ft_.GetCharIndex(face_, code) == 0 || ft_.LoadChar(face_, code, FT_LOAD_DEFAULT) != 0) {
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
        ft_.ActivateSize(size_);
        if (ft_.LoadChar(face_, code, FT_LOAD_DEFAULT) != 0) {
            return glyph;
        }
        FT_GlyphSlot slot = face_->glyph;
        if (slantItalic_) {
            ft_.GlyphSlotOblique(slot);
        }
        if (emboldenBold_) {
            ft_.GlyphSlotEmbolden(slot);
        }
        glyph.advance = int((slot->advance.x + 32) / 64);
        if (ft_.RenderGlyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
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
    const FreeTypeLibrary& ft_;
    std::pair<std::string, int> key_;
    FT_Face face_; // shared with the other sizes of the file's face
    FT_Size size_;
    bool emboldenBold_; // bold asked for but the face is regular
    bool slantItalic_;  // italic asked for but the face is upright
};

} // namespace

std::shared_ptr<Library> OpenLibrary() {
    const FreeTypeLibrary* ft = LoadFreeType();
    if (ft == nullptr) {
        return nullptr;
    }
    auto library = std::make_shared<Library>(ft);
    if (ft->InitFreeType(&library->handle) != 0) {
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
    if (open.face == nullptr &&
        library->ft->NewFace(library->handle, path.c_str(), FT_Long(index), &open.face) != 0) {
        library->faces.erase(key);
        return nullptr;
    }
    FT_Size size = nullptr;
    if (library->ft->NewSize(open.face, &size) != 0) {
        if (open.users == 0) {
            library->ft->DoneFace(open.face);
            library->faces.erase(key);
        }
        return nullptr;
    }
    ++open.users;
    return std::make_unique<FreeTypeFace>(library, std::move(key), open.face, size, bold, italic);
}

std::string LibraryFile(const std::shared_ptr<Library>& library) {
    return library != nullptr ? library->ft->file : "";
}

} // namespace platform::freetype
