#include "platform/win32/GdiFonts.h"

#include "platform/win32/SystemHeaders.h"
#include "platform/win32/WideText.h"

#include <cstdint>
#include <vector>

namespace platform::win32 {

namespace {

// 0..64 coverage of GGO_GRAY8_BITMAP.
constexpr int kGrayLevels = 64;
constexpr MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

constexpr DWORD TableTag(char a, char b, char c, char d) {
    return DWORD(std::uint8_t(a)) | (DWORD(std::uint8_t(b)) << 8) | (DWORD(std::uint8_t(c)) << 16) |
           (DWORD(std::uint8_t(d)) << 24);
}

// A font table of the face selected into the device context; empty when there is none.
std::vector<std::uint8_t> FontTable(HDC dc, DWORD tag) {
    const DWORD size = GetFontData(dc, tag, 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0) {
        return {};
    }
    std::vector<std::uint8_t> table(size);
    if (GetFontData(dc, tag, 0, table.data(), size) != size) {
        return {};
    }
    return table;
}

// Big-endian 16-bit values of a font table; 0 beyond its end.
int Unsigned16(const std::vector<std::uint8_t>& table, std::size_t offset) {
    return offset + 1 < table.size() ? (table[offset] << 8) | table[offset + 1] : 0;
}
int Signed16(const std::vector<std::uint8_t>& table, std::size_t offset) {
    return std::int16_t(std::uint16_t(Unsigned16(table, offset)));
}

class GdiFace final : public IFontFace {
public:
    GdiFace(std::wstring family, bool bold, bool italic)
        : family_(std::move(family)), bold_(bold), italic_(italic), dc_(CreateCompatibleDC(nullptr)) {}
    ~GdiFace() override {
        if (dc_ != nullptr) {
            SelectObject(dc_, GetStockObject(SYSTEM_FONT));
            DeleteDC(dc_);
        }
        if (font_ != nullptr) {
            DeleteObject(font_);
        }
    }
    GdiFace(const GdiFace&) = delete;
    GdiFace& operator=(const GdiFace&) = delete;

    // Selects the face at `em` pixels; false when GDI has no outline face for it.
    bool Select(int em) {
        HFONT font = CreateFontW(-em, 0, 0, 0, bold_ ? FW_BOLD : FW_NORMAL, italic_ ? TRUE : FALSE, FALSE,
                                 FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS,
                                 ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, family_.c_str());
        if (font == nullptr || dc_ == nullptr) {
            if (font != nullptr) {
                DeleteObject(font);
            }
            return false;
        }
        SelectObject(dc_, font);
        if (font_ != nullptr) {
            DeleteObject(font_);
        }
        font_ = font;
        return GetOutlineTextMetricsW(dc_, 0, nullptr) != 0;
    }

    std::string FamilyName() override {
        wchar_t name[LF_FACESIZE] = {};
        const int length = GetTextFaceW(dc_, LF_FACESIZE, name);
        return length > 0 ? Narrow(name) : std::string();
    }

    FontDesign Design() override;
    bool SetPixelSize(int em) override { return em > 0 && Select(em); }
    GlyphBox MeasureGlyph(char32_t code) override;
    GlyphBitmap RenderGlyph(char32_t code) override;

private:
    FontDesign DesignFromMetrics();
    bool HasGlyph(char32_t code);

    std::wstring family_;
    bool bold_;
    bool italic_;
    HDC dc_;
    HFONT font_ = nullptr;
};

FontDesign GdiFace::Design() {
    const std::vector<std::uint8_t> head = FontTable(dc_, TableTag('h', 'e', 'a', 'd'));
    const std::vector<std::uint8_t> hhea = FontTable(dc_, TableTag('h', 'h', 'e', 'a'));
    if (head.size() < 20 || hhea.size() < 10) {
        return DesignFromMetrics();
    }
    const std::vector<std::uint8_t> os2 = FontTable(dc_, TableTag('O', 'S', '/', '2'));
    const std::vector<std::uint8_t> post = FontTable(dc_, TableTag('p', 'o', 's', 't'));
    FontDesign design;
    design.unitsPerEm = Unsigned16(head, 18);
    design.ascender = Signed16(hhea, 4);
    design.descender = Signed16(hhea, 6);
    design.lineHeight = design.ascender - design.descender + Signed16(hhea, 8);
    design.averageCharWidth = Signed16(os2, 2);
    design.strikeoutPosition = Signed16(os2, 28);
    design.winAscent = Unsigned16(os2, 74);
    design.winDescent = Unsigned16(os2, 76);
    design.underlinePosition = Signed16(post, 8);
    design.underlineThickness = Signed16(post, 10);
    return design;
}

// Faces without readable tables: the outline metrics of the face at its em square are the
// design values.
FontDesign GdiFace::DesignFromMetrics() {
    OUTLINETEXTMETRICW metrics{};
    metrics.otmSize = sizeof metrics;
    FontDesign design;
    if (GetOutlineTextMetricsW(dc_, sizeof metrics, &metrics) == 0 || metrics.otmEMSquare == 0) {
        return design;
    }
    GdiFace designSize(family_, bold_, italic_);
    if (!designSize.Select(int(metrics.otmEMSquare)) ||
        GetOutlineTextMetricsW(designSize.dc_, sizeof metrics, &metrics) == 0) {
        return design;
    }
    design.unitsPerEm = int(metrics.otmEMSquare);
    design.winAscent = int(metrics.otmTextMetrics.tmAscent);
    design.winDescent = int(metrics.otmTextMetrics.tmDescent);
    design.ascender = metrics.otmAscent;
    design.descender = metrics.otmDescent;
    design.lineHeight = metrics.otmAscent - metrics.otmDescent + int(metrics.otmLineGap);
    design.averageCharWidth = int(metrics.otmTextMetrics.tmAveCharWidth);
    design.underlinePosition = metrics.otmsUnderscorePosition;
    design.underlineThickness = int(metrics.otmsUnderscoreSize);
    design.strikeoutPosition = metrics.otmsStrikeoutPosition;
    return design;
}

bool GdiFace::HasGlyph(char32_t code) {
    if (code > 0xFFFF) {
        return false; // the glyph functions take one UTF-16 unit
    }
    const wchar_t text = wchar_t(code);
    WORD index = 0;
    return GetGlyphIndicesW(dc_, &text, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 && index != 0xFFFF;
}

GlyphBox GdiFace::MeasureGlyph(char32_t code) {
    GlyphBox box;
    if (!HasGlyph(code)) {
        return box;
    }
    GLYPHMETRICS metrics{};
    const DWORD size = GetGlyphOutlineW(dc_, UINT(code), GGO_GRAY8_BITMAP, &metrics, 0, nullptr, &kIdentity);
    if (size == GDI_ERROR) {
        return box;
    }
    box.present = true;
    box.advance = long(metrics.gmCellIncX) * 64;
    // A glyph without ink (the blank) reports a one-pixel box it does not draw.
    if (size > 0) {
        box.top = long(metrics.gmptGlyphOrigin.y) * 64;
        box.bottom = (long(metrics.gmptGlyphOrigin.y) - long(metrics.gmBlackBoxY)) * 64;
    }
    return box;
}

GlyphBitmap GdiFace::RenderGlyph(char32_t code) {
    GlyphBitmap image;
    if (code > 0xFFFF) {
        return image;
    }
    GLYPHMETRICS metrics{};
    const DWORD size = GetGlyphOutlineW(dc_, UINT(code), GGO_GRAY8_BITMAP, &metrics, 0, nullptr, &kIdentity);
    if (size == GDI_ERROR) {
        return image;
    }
    image.advance = metrics.gmCellIncX;
    if (size == 0) {
        return image;
    }
    std::vector<std::uint8_t> buffer(size);
    if (GetGlyphOutlineW(dc_, UINT(code), GGO_GRAY8_BITMAP, &metrics, size, buffer.data(), &kIdentity) ==
        GDI_ERROR) {
        return image;
    }
    image.left = metrics.gmptGlyphOrigin.x;
    image.top = metrics.gmptGlyphOrigin.y;
    image.width = int(metrics.gmBlackBoxX);
    image.height = int(metrics.gmBlackBoxY);
    const std::size_t pitch = (std::size_t(image.width) + 3) & ~std::size_t(3);
    if (buffer.size() < pitch * std::size_t(image.height)) {
        image.width = 0;
        image.height = 0;
        return image;
    }
    image.coverage.resize(std::size_t(image.width) * std::size_t(image.height));
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const int level = buffer[std::size_t(y) * pitch + std::size_t(x)];
            image.coverage[std::size_t(y) * std::size_t(image.width) + std::size_t(x)] =
                std::uint8_t((level * 255 + kGrayLevels / 2) / kGrayLevels);
        }
    }
    return image;
}

} // namespace

std::unique_ptr<IFontFace> GdiFonts::OpenFace(const std::string& family, bool bold, bool italic) {
    auto face = std::make_unique<GdiFace>(Widen(family), bold, italic);
    // The face is found at a size; its design values do not depend on which.
    constexpr int kProbeEm = 16;
    if (!face->Select(kProbeEm)) {
        return nullptr;
    }
    return face;
}

} // namespace platform::win32
