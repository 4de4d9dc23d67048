#include "toolkit/graphics/FontEngine.h"

#include "platform/Platform.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <map>

namespace {

// Sizes outside this range are clamped; they only come from broken settings.
constexpr int kMinEm = 1;
constexpr int kMaxEm = 400;

// The instance cache, alive until the program ends. Instances are kept per fonts object, so
// that a test installing other fonts does not see faces of the previous ones.
std::map<std::string, std::unique_ptr<TFontInstance>>& Instances() {
    static std::map<std::string, std::unique_ptr<TFontInstance>> instances;
    return instances;
}

int RoundToInt(double value) {
    return int(std::lround(value));
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

void TFontInstance::ComputeFallbackMetrics(int em) {
    face_.reset();
    family_.clear();
    metrics_.ascent = RoundToInt(em * 0.9);
    metrics_.descent = RoundToInt(em * 0.25);
    metrics_.height = metrics_.ascent + metrics_.descent;
    metrics_.aveCharWidth = std::max(1, RoundToInt(em * 0.45));
    metrics_.maxCharWidth = em;
}

void TFontInstance::ComputeMetrics(int height) {
    int em = height < 0 ? -height : height;
    if (height == 0) {
        em = 11;
    }
    const platform::FontDesign design = face_ != nullptr ? face_->Design() : platform::FontDesign{};
    if (height > 0 && design.unitsPerEm > 0) {
        // A positive height is the cell height: ascent plus descent of the font's design.
        const double cell = design.winAscent + design.winDescent > 0
                                ? double(design.winAscent + design.winDescent)
                                : double(design.ascender - design.descender);
        if (cell > 0) {
            em = RoundToInt(height * design.unitsPerEm / cell);
        }
    }
    em = std::clamp(em, kMinEm, kMaxEm);
    metrics_.emSize = em;
    if (face_ == nullptr || design.unitsPerEm <= 0 || !face_->SetPixelSize(em)) {
        ComputeFallbackMetrics(em);
        return;
    }
    long top = 0;
    long bottom = 0;
    long widest = 0;
    auto measure = [&](char32_t code) {
        const platform::GlyphBox box = face_->MeasureGlyph(code);
        if (!box.present) {
            return;
        }
        top = std::max(top, box.top);
        bottom = std::min(bottom, box.bottom);
        widest = std::max(widest, box.advance);
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
    const double scale = double(em) / design.unitsPerEm;
    metrics_.aveCharWidth = design.averageCharWidth > 0
                                ? std::max(1, RoundToInt(design.averageCharWidth * scale))
                                : std::max(1, Advance(U'x'));
    metrics_.externalLeading =
        std::max(0, RoundToInt((design.lineHeight - (design.ascender - design.descender)) * scale));
    // The design gives the centre of the underline stroke; the offset is that of its top row.
    metrics_.underlineThickness = std::max(1, RoundToInt(design.underlineThickness * scale));
    metrics_.underlineOffset =
        std::max(1, RoundToInt((-design.underlinePosition - design.underlineThickness / 2.0) * scale));
    metrics_.strikeoutOffset =
        design.strikeoutPosition > 0 ? RoundToInt(design.strikeoutPosition * scale) : em / 4;
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
        return TGlyphImage{};
    }
    return face_->RenderGlyph(code);
}

TFontInstance& FontInstanceFor(const TFont& font) {
    platform::IFonts* fonts = platform::Current().fonts;
    std::string key = std::to_string(reinterpret_cast<std::uintptr_t>(fonts)) + '|';
    for (char c : font.Name()) {
        key += char(std::tolower(static_cast<unsigned char>(c)));
    }
    const bool bold = (font.Style() & fsBold) != 0;
    const bool italic = (font.Style() & fsItalic) != 0;
    key += '|' + std::to_string(font.Height()) + (bold ? "b" : "") + (italic ? "i" : "");
    auto& instances = Instances();
    auto it = instances.find(key);
    if (it == instances.end()) {
        it = instances
                 .emplace(key,
                          std::make_unique<TFontInstance>(fonts, font.Name(), bold, italic, font.Height()))
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
