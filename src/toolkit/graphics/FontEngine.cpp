#include "toolkit/graphics/FontEngine.h"

#include "platform/Platform.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <utility>

namespace {

// Sizes outside this range are clamped; they only come from broken settings.
constexpr int kMinEm = 1;
constexpr int kMaxEm = 400;
// The em size of height 0, the default font size.
constexpr int kDefaultEm = 11;

int RoundToInt(double value) {
    return int(std::llround(value));
}

// The height of the font's cell in design units: the Windows ascent plus descent, or the
// typographic ones when the font has no Windows values.
double DesignCellHeight(const platform::FontDesign& design) {
    return design.winAscent + design.winDescent > 0 ? double(design.winAscent + design.winDescent)
                                                    : double(design.ascender - design.descender);
}

// The em size in pixels for a font height: a negative height is the em size itself, a
// positive one the cell height (scaled by the face's design; taken as the em size without a
// face), 0 the default size.
int EmSizeFor(int height, const platform::FontDesign& design) {
    int em = height == 0 ? kDefaultEm : std::abs(height);
    if (height > 0 && design.unitsPerEm > 0) {
        em = RoundToInt(height * design.unitsPerEm / DesignCellHeight(design));
    }
    return std::clamp(em, kMinEm, kMaxEm);
}

// Stand-in metrics of an instance without a face: text measures but draws nothing.
TFontMetrics FacelessMetrics(int em) {
    TFontMetrics metrics;
    metrics.emSize = em;
    metrics.ascent = RoundToInt(em * 0.9);
    metrics.descent = RoundToInt(em * 0.25);
    metrics.height = metrics.ascent + metrics.descent;
    metrics.aveCharWidth = std::max(1, RoundToInt(em * 0.45));
    metrics.maxCharWidth = em;
    return metrics;
}

// The hinted extremes over a set of glyphs, in 1/64 pixel.
struct TGlyphExtents {
    long top = 0;    // the highest glyph top above the baseline
    long bottom = 0; // the lowest glyph bottom (negative below the baseline)
    long widest = 0; // the widest advance
};

// The extremes over the printable Western characters (32-126 and 160-255) the face has.
TGlyphExtents MeasurePrintableWestern(platform::IFontFace& face) {
    TGlyphExtents extents;
    const auto measure = [&](char32_t code) {
        const platform::GlyphBox box = face.MeasureGlyph(code);
        if (!box.present) {
            return;
        }
        extents.top = std::max(extents.top, box.top);
        extents.bottom = std::min(extents.bottom, box.bottom);
        extents.widest = std::max(extents.widest, box.advance);
    };
    for (char32_t code = 32; code <= 126; ++code) {
        measure(code);
    }
    for (char32_t code = 160; code <= 255; ++code) {
        measure(code);
    }
    return extents;
}

// Ascent and descent rounded outward to whole pixels, the widest advance to the nearest.
void ApplyGlyphExtents(const TGlyphExtents& extents, TFontMetrics& metrics) {
    metrics.ascent = int((extents.top + 63) / 64);
    metrics.descent = int((-extents.bottom + 63) / 64);
    metrics.height = metrics.ascent + metrics.descent;
    metrics.maxCharWidth = int((extents.widest + 32) / 64);
}

// The values the face's design gives, scaled to the em size: the average width (when the
// design has one), the external leading, the underline and the strikeout.
void ApplyDesignValues(const platform::FontDesign& design, int em, TFontMetrics& metrics) {
    const double scale = double(em) / design.unitsPerEm;
    if (design.averageCharWidth > 0) {
        metrics.aveCharWidth = std::max(1, RoundToInt(design.averageCharWidth * scale));
    }
    metrics.externalLeading =
        std::max(0, RoundToInt((design.lineHeight - (design.ascender - design.descender)) * scale));
    // The design gives the centre of the underline stroke; the offset is that of its top row.
    metrics.underlineThickness = std::max(1, RoundToInt(design.underlineThickness * scale));
    metrics.underlineOffset =
        std::max(1, RoundToInt((-design.underlinePosition - design.underlineThickness / 2.0) * scale));
    metrics.strikeoutOffset =
        design.strikeoutPosition > 0 ? RoundToInt(design.strikeoutPosition * scale) : em / 4;
}

std::string CacheKey(const TFont& font, bool hasSource) {
    // An instance made while no font source is installed has no face; its own key keeps it
    // from standing in for a real one later.
    std::string key = hasSource ? "" : "-";
    for (char c : font.Name()) {
        key += char(std::tolower(static_cast<unsigned char>(c)));
    }
    const TFontStyles style = font.Style();
    key += '|' + std::to_string(font.Height()) + ((style & fsBold) != 0 ? "b" : "") +
           ((style & fsItalic) != 0 ? "i" : "");
    return key;
}

// The instance cache, alive until the program ends. Faces hold what they need of their
// source, so they may outlive the backend that opened them.
std::map<std::string, std::unique_ptr<TFontInstance>>& Instances() {
    static std::map<std::string, std::unique_ptr<TFontInstance>> instances;
    return instances;
}

} // namespace

TFontInstance::TFontInstance(platform::IFonts* fonts, const std::string& name, bool bold, bool italic,
                             int height)
    : latin_(256), latinReady_(256, false) {
    if (fonts != nullptr) {
        face_ = fonts->OpenFace(name, bold, italic);
    }
    if (face_ != nullptr) {
        family_ = face_->FamilyName();
    }
    ComputeMetrics(height);
}

TFontInstance::~TFontInstance() = default;

void TFontInstance::ComputeMetrics(int height) {
    const platform::FontDesign design = face_ != nullptr ? face_->Design() : platform::FontDesign{};
    const int em = EmSizeFor(height, design);
    if (face_ == nullptr || !face_->SetPixelSize(em)) {
        face_.reset();
        family_.clear();
        metrics_ = FacelessMetrics(em);
        return;
    }
    metrics_.emSize = em;
    ApplyGlyphExtents(MeasurePrintableWestern(*face_), metrics_);
    ApplyDesignValues(design, em, metrics_);
    if (design.averageCharWidth <= 0) {
        metrics_.aveCharWidth = std::max(1, Advance(U'x'));
    }
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
    if (face_ == nullptr || code < 32 || code == 127) {
        return {};
    }
    return face_->RenderGlyph(code);
}

TFontInstance& FontInstanceFor(const TFont& font) {
    platform::IFonts* fonts = platform::Current().fonts;
    auto& instances = Instances();
    const std::string key = CacheKey(font, fonts != nullptr);
    auto it = instances.find(key);
    if (it == instances.end()) {
        const bool bold = (font.Style() & fsBold) != 0;
        const bool italic = (font.Style() & fsItalic) != 0;
        auto instance = std::make_unique<TFontInstance>(fonts, font.Name(), bold, italic, font.Height());
        it = instances.emplace(key, std::move(instance)).first;
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
