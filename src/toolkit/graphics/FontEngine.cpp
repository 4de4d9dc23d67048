#include "toolkit/graphics/FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

namespace {

// Sizes outside this range are clamped; they only come from broken settings.
constexpr int kMinEm = 1;
constexpr int kMaxEm = 400;

// The FreeType library and the instance cache, alive until the program ends.
struct TFontRegistry {
    FT_Library library = nullptr;
    std::map<std::string, std::unique_ptr<TFontInstance>> instances;

    TFontRegistry() {
        if (FT_Init_FreeType(&library) != 0) {
            library = nullptr;
        }
        FcInit();
    }
    ~TFontRegistry() {
        instances.clear();
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
        FcFini();
    }
};

TFontRegistry& Registry() {
    static TFontRegistry registry;
    return registry;
}

struct TFaceLocation {
    std::string file;
    int index = 0;
    std::string family;
};

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

// Asks fontconfig for the best face for a family name and style.
TFaceLocation LocateFace(const std::string& requested, bool bold, bool italic) {
    const std::string name = FamilyToAsk(requested);
    TFaceLocation location;
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

int RoundToInt(double value) {
    return int(std::lround(value));
}

} // namespace

struct TFontInstance::Face {
    FT_Face face = nullptr;
    bool emboldenBold = false; // bold asked for but the face is regular
    bool slantItalic = false;  // italic asked for but the face is upright
    ~Face() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
    }
};

TFontInstance::TFontInstance(const std::string& name, bool bold, bool italic, int height)
    : latin_(256), latinReady_(256, false) {
    FT_Library library = Registry().library;
    const TFaceLocation location = LocateFace(name, bold, italic);
    if (library != nullptr && !location.file.empty()) {
        auto face = std::make_unique<Face>();
        if (FT_New_Face(library, location.file.c_str(), location.index, &face->face) == 0) {
            face->emboldenBold = bold && (face->face->style_flags & FT_STYLE_FLAG_BOLD) == 0;
            face->slantItalic = italic && (face->face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
            face_ = std::move(face);
            family_ = location.family;
        }
    }
    ComputeMetrics(height);
}

TFontInstance::~TFontInstance() = default;

void TFontInstance::ComputeMetrics(int height) {
    int em = height < 0 ? -height : height;
    if (height == 0) {
        em = 11;
    }
    FT_Face face = face_ ? face_->face : nullptr;
    const TT_OS2* os2 =
        face != nullptr ? static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)) : nullptr;
    if (height > 0 && face != nullptr && face->units_per_EM > 0) {
        // A positive height is the cell height: ascent plus descent of the font's design.
        const double cell = os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0
                                ? double(os2->usWinAscent + os2->usWinDescent)
                                : double(face->ascender - face->descender);
        em = RoundToInt(height * face->units_per_EM / cell);
    }
    em = std::clamp(em, kMinEm, kMaxEm);
    metrics_.emSize = em;
    if (face == nullptr || FT_Set_Pixel_Sizes(face, 0, FT_UInt(em)) != 0) {
        face_.reset();
        family_.clear();
        metrics_.ascent = RoundToInt(em * 0.9);
        metrics_.descent = RoundToInt(em * 0.25);
        metrics_.height = metrics_.ascent + metrics_.descent;
        metrics_.aveCharWidth = std::max(1, RoundToInt(em * 0.45));
        metrics_.maxCharWidth = em;
        return;
    }
    FT_Pos top = 0;
    FT_Pos bottom = 0;
    FT_Pos widest = 0;
    auto measure = [&](char32_t code) {
        if (FT_Get_Char_Index(face, code) == 0 || FT_Load_Char(face, code, FT_LOAD_DEFAULT) != 0) {
            return;
        }
        const FT_Glyph_Metrics& m = face->glyph->metrics;
        top = std::max(top, m.horiBearingY);
        bottom = std::min(bottom, m.horiBearingY - m.height);
        widest = std::max(widest, face->glyph->advance.x);
    };
    for (char32_t code = 32; code <= 126; ++code) {
        measure(code);
    }
    for (char32_t code = 160; code <= 255; ++code) {
        measure(code);
    }
    metrics_.ascent = int((top + 63) / 64);
    metrics_.descent = int((-bottom + 63) / 64);
    metrics_.height = metrics_.ascent + metrics_.descent;
    metrics_.maxCharWidth = int((widest + 32) / 64);
    const double scale = double(em) / face->units_per_EM;
    metrics_.aveCharWidth = os2 != nullptr && os2->xAvgCharWidth > 0
                                ? std::max(1, RoundToInt(os2->xAvgCharWidth * scale))
                                : std::max(1, Advance(U'x'));
    metrics_.externalLeading =
        std::max(0, RoundToInt((face->height - (face->ascender - face->descender)) * scale));
    // FreeType gives the centre of the underline stroke; the offset is that of its top row.
    metrics_.underlineThickness = std::max(1, RoundToInt(face->underline_thickness * scale));
    metrics_.underlineOffset =
        std::max(1, RoundToInt((-face->underline_position - face->underline_thickness / 2.0) * scale));
    metrics_.strikeoutOffset =
        os2 != nullptr && os2->yStrikeoutPosition > 0 ? RoundToInt(os2->yStrikeoutPosition * scale) : em / 4;
}

const TGlyphImage& TFontInstance::Glyph(char32_t code) {
    if (code < 256) {
        if (!latinReady_[code]) {
            latin_[code] = Render(code);
            latinReady_[code] = true;
        }
        return latin_[code];
    }
    auto it = others_.find(code);
    if (it == others_.end()) {
        it = others_.emplace(code, Render(code)).first;
    }
    return it->second;
}

TGlyphImage TFontInstance::Render(char32_t code) {
    TGlyphImage image;
    if (!face_ || code < 32 || code == 127) {
        return image;
    }
    FT_Face face = face_->face;
    if (FT_Load_Char(face, code, FT_LOAD_DEFAULT) != 0) {
        return image;
    }
    FT_GlyphSlot slot = face->glyph;
    if (face_->slantItalic) {
        FT_GlyphSlot_Oblique(slot);
    }
    if (face_->emboldenBold) {
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

TFontInstance& FontInstanceFor(const TFont& font) {
    std::string key;
    for (char c : font.Name()) {
        key += char(std::tolower(static_cast<unsigned char>(c)));
    }
    const bool bold = (font.Style() & fsBold) != 0;
    const bool italic = (font.Style() & fsItalic) != 0;
    key += '|' + std::to_string(font.Height()) + (bold ? "b" : "") + (italic ? "i" : "");
    auto& instances = Registry().instances;
    auto it = instances.find(key);
    if (it == instances.end()) {
        it = instances.emplace(key, std::make_unique<TFontInstance>(font.Name(), bold, italic, font.Height()))
                 .first;
    }
    return *it->second;
}

std::u32string DecodeUtf8(const std::string& text) {
    std::u32string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            length = 1;
            code = lead;
        } else if ((lead & 0xE0) == 0xC0 && lead >= 0xC2) {
            length = 2;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        }
        bool valid = length > 0 && i + std::size_t(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + std::size_t(k)]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (valid && length > 1 && (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))) {
            valid = false;
        }
        if (!valid) {
            result.push_back(lead);
            ++i;
            continue;
        }
        result.push_back(code);
        i += std::size_t(length);
    }
    return result;
}
