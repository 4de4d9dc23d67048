#include "toolkit/text/FormatFloat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Significant digits taken from a value before any rounding to the shown places.
constexpr int kDecimalPrecision = 18;
constexpr int kGeneralPrecision = 15;
constexpr int kMaxExponentDigits = 4;

// |value| = 0.Digits x 10^Exponent; Digits has no trailing zeros and is empty for zero.
struct TDecimal {
    std::string Digits;
    int Exponent = 0;
    bool IsZero() const { return Digits.empty(); }
};

void StripTrailingZeros(TDecimal& d) {
    while (!d.Digits.empty() && d.Digits.back() == '0') {
        d.Digits.pop_back();
    }
    if (d.Digits.empty()) {
        d.Exponent = 0;
    }
}

// The digits of a finite value, read from the C library's exponent form (whatever character
// it uses as decimal point).
TDecimal ToDecimal(Extended value) {
    TDecimal d;
    if (value == 0) {
        return d;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", kDecimalPrecision - 1, std::fabs(value));
    const char* p = buffer;
    for (; *p != '\0' && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            d.Digits.push_back(*p);
        }
    }
    d.Exponent = (*p == 'e' ? std::atoi(p + 1) : 0) + 1;
    StripTrailingZeros(d);
    return d;
}

// Keeps the first `count` digits, rounding half away from zero on the remaining ones.
void RoundToDigits(TDecimal& d, int count) {
    if (count >= int(d.Digits.size())) {
        return;
    }
    if (count < 0) {
        d = TDecimal{};
        return;
    }
    const bool up = d.Digits[std::size_t(count)] >= '5';
    d.Digits.resize(std::size_t(count));
    if (up) {
        while (!d.Digits.empty() && d.Digits.back() == '9') {
            d.Digits.pop_back();
        }
        if (d.Digits.empty()) {
            d.Digits = "1";
            ++d.Exponent;
        } else {
            ++d.Digits.back();
        }
    }
    StripTrailingZeros(d);
}

// The digit at a decimal position: 0 is the first digit after the leading "0.".
char DigitAt(const TDecimal& d, int index) {
    return index >= 0 && index < int(d.Digits.size()) ? d.Digits[std::size_t(index)] : '0';
}

// ---------------------------------------------------------------------------------------
// Sections and their tokens

std::vector<std::string_view> SplitSections(std::string_view format) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    char quote = 0;
    for (std::size_t i = 0; i < format.size() && sections.size() < 2; ++i) {
        const char c = format[i];
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            sections.push_back(format.substr(start, i - start));
            start = i + 1;
        }
    }
    std::string_view last = format.substr(start);
    if (sections.size() == 2) {
        // A fourth section is not part of the convention: the third ends at the next ";".
        last = last.substr(0, last.find(';'));
    }
    sections.push_back(last);
    return sections;
}

enum class TTokenKind { Zero, Hash, Point, Comma, Literal, Exponent };

struct TToken {
    TTokenKind Kind = TTokenKind::Literal;
    std::string Text;       // Literal: the copied text; Exponent: the letter and sign as written
    int ExponentDigits = 0; // Exponent: the least number of exponent digits
};

struct TLayout {
    std::vector<TToken> Tokens;
    int IntegerPlaces = 0;
    int MinIntegerDigits = 0;
    int DecimalPlaces = 0;
    int MinDecimals = 0;
    bool Thousands = false;
    bool Scientific = false;
};

void AddLiteral(TLayout& layout, std::string_view text) {
    if (!layout.Tokens.empty() && layout.Tokens.back().Kind == TTokenKind::Literal) {
        layout.Tokens.back().Text.append(text);
    } else {
        layout.Tokens.push_back(TToken{TTokenKind::Literal, std::string(text), 0});
    }
}

// Reads an "E+00" exponent at i; returns false when the letter is not followed by a sign.
bool ReadExponent(TLayout& layout, std::string_view section, std::size_t& i) {
    if (i + 1 >= section.size() || (section[i + 1] != '+' && section[i + 1] != '-')) {
        return false;
    }
    TToken token{TTokenKind::Exponent, std::string(section.substr(i, 2)), 0};
    i += 2;
    while (i < section.size() && section[i] == '0' && token.ExponentDigits < kMaxExponentDigits) {
        ++token.ExponentDigits;
        ++i;
    }
    layout.Tokens.push_back(token);
    layout.Scientific = true;
    return true;
}

TLayout ScanSection(std::string_view section) {
    TLayout layout;
    bool beforePoint = true;
    int firstIntegerZero = -1;
    std::size_t i = 0;
    while (i < section.size()) {
        const char c = section[i];
        if (c == '\'' || c == '"') {
            const std::size_t end = section.find(c, i + 1);
            AddLiteral(layout, section.substr(i + 1, end == std::string_view::npos ? end : end - i - 1));
            i = end == std::string_view::npos ? section.size() : end + 1;
            continue;
        }
        if ((c == 'E' || c == 'e') && !layout.Scientific && ReadExponent(layout, section, i)) {
            continue;
        }
        if ((c == '0' || c == '#') && !layout.Scientific) {
            layout.Tokens.push_back(TToken{c == '0' ? TTokenKind::Zero : TTokenKind::Hash, {}, 0});
            if (beforePoint) {
                if (c == '0' && firstIntegerZero < 0) {
                    firstIntegerZero = layout.IntegerPlaces;
                }
                ++layout.IntegerPlaces;
            } else {
                ++layout.DecimalPlaces;
                if (c == '0') {
                    layout.MinDecimals = layout.DecimalPlaces;
                }
            }
        } else if (c == '.') {
            // Only the first point counts; later ones are dropped.
            if (beforePoint && !layout.Scientific) {
                layout.Tokens.push_back(TToken{TTokenKind::Point, {}, 0});
                beforePoint = false;
            }
        } else if (c == ',') {
            layout.Thousands = true;
        } else {
            AddLiteral(layout, section.substr(i, 1));
        }
        ++i;
    }
    layout.MinIntegerDigits = firstIntegerZero < 0 ? 0 : layout.IntegerPlaces - firstIntegerZero;
    return layout;
}

// ---------------------------------------------------------------------------------------
// Rendering a rounded value into a section

struct TParts {
    std::string Integer;  // without grouping, at least MinIntegerDigits long
    std::string Fraction; // the decimals to show
    int ExponentValue = 0;
};

std::string FractionOf(const TDecimal& d, int firstIndex, const TLayout& layout) {
    std::string fraction;
    for (int j = 0; j < layout.DecimalPlaces; ++j) {
        fraction.push_back(DigitAt(d, firstIndex + j));
    }
    while (int(fraction.size()) > layout.MinDecimals && fraction.back() == '0') {
        fraction.pop_back();
    }
    return fraction;
}

TParts FixedParts(const TDecimal& d, const TLayout& layout) {
    TParts parts;
    for (int i = 0; i < d.Exponent; ++i) {
        parts.Integer.push_back(DigitAt(d, i));
    }
    if (int(parts.Integer.size()) < layout.MinIntegerDigits) {
        parts.Integer.insert(0, std::size_t(layout.MinIntegerDigits) - parts.Integer.size(), '0');
    }
    parts.Fraction = FractionOf(d, d.Exponent, layout);
    return parts;
}

TParts ScientificParts(const TDecimal& d, const TLayout& layout) {
    const int integerDigits = std::max(layout.IntegerPlaces, 1);
    TParts parts;
    for (int i = 0; i < integerDigits; ++i) {
        parts.Integer.push_back(DigitAt(d, i));
    }
    parts.Fraction = FractionOf(d, integerDigits, layout);
    parts.ExponentValue = d.IsZero() ? 0 : d.Exponent - integerDigits;
    return parts;
}

class TSectionWriter {
public:
    TSectionWriter(const TLayout& layout, const TParts& parts, const TFormatSettings& settings)
        : layout_(layout), parts_(parts), settings_(settings) {}

    std::string Write() {
        for (const TToken& token : layout_.Tokens) {
            switch (token.Kind) {
            case TTokenKind::Zero:
            case TTokenKind::Hash:
                DigitPlace();
                break;
            case TTokenKind::Point:
                IntegerLeftovers();
                if (!parts_.Fraction.empty()) {
                    out_.push_back(settings_.DecimalSeparator);
                }
                break;
            case TTokenKind::Exponent:
                IntegerLeftovers();
                Exponent(token);
                break;
            case TTokenKind::Comma:
                break;
            case TTokenKind::Literal:
                out_.append(token.Text);
                break;
            }
        }
        IntegerLeftovers();
        return out_;
    }

private:
    // Integer digit at a position counted from the right (0 = units), with its group mark.
    void IntegerDigit(int position) {
        const std::string& digits = parts_.Integer;
        out_.push_back(digits[digits.size() - 1 - std::size_t(position)]);
        if (layout_.Thousands && !layout_.Scientific && position > 0 && position % 3 == 0) {
            out_.push_back(settings_.ThousandSeparator);
        }
    }

    void DigitPlace() {
        if (integerIndex_ < layout_.IntegerPlaces) {
            const int position = layout_.IntegerPlaces - 1 - integerIndex_;
            const int length = int(parts_.Integer.size());
            // The first place also takes every digit the format has no place for.
            const int from = integerIndex_ == 0 ? length - 1 : position;
            for (int p = from; p >= position; --p) {
                if (p < length) {
                    IntegerDigit(p);
                }
            }
            ++integerIndex_;
            integerDone_ = integerIndex_ == layout_.IntegerPlaces;
            return;
        }
        IntegerLeftovers();
        if (decimalIndex_ < int(parts_.Fraction.size())) {
            out_.push_back(parts_.Fraction[std::size_t(decimalIndex_)]);
        }
        ++decimalIndex_;
    }

    // A format without integer places still shows the integer digits, before the point.
    void IntegerLeftovers() {
        if (integerDone_) {
            return;
        }
        integerDone_ = true;
        for (int p = int(parts_.Integer.size()) - 1; p >= 0; --p) {
            IntegerDigit(p);
        }
    }

    void Exponent(const TToken& token) {
        out_.push_back(token.Text[0]);
        const bool negative = parts_.ExponentValue < 0;
        if (negative) {
            out_.push_back('-');
        } else if (token.Text[1] == '+') {
            out_.push_back('+');
        }
        std::string digits = std::to_string(std::abs(parts_.ExponentValue));
        if (int(digits.size()) < token.ExponentDigits) {
            digits.insert(0, std::size_t(token.ExponentDigits) - digits.size(), '0');
        }
        out_.append(digits);
    }

    const TLayout& layout_;
    const TParts& parts_;
    const TFormatSettings& settings_;
    std::string out_;
    int integerIndex_ = 0;
    int decimalIndex_ = 0;
    bool integerDone_ = false;
};

// The value rounded as the layout shows it.
TDecimal RoundedFor(const TLayout& layout, Extended value) {
    TDecimal d = ToDecimal(value);
    if (layout.Scientific) {
        RoundToDigits(d, std::max(layout.IntegerPlaces, 1) + layout.DecimalPlaces);
    } else {
        RoundToDigits(d, d.Exponent + layout.DecimalPlaces);
    }
    return d;
}

} // namespace

std::string FloatToStrGeneral(Extended value, int precision, const TFormatSettings& settings) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    TDecimal d = ToDecimal(value);
    RoundToDigits(d, std::clamp(precision, 1, kDecimalPrecision));
    if (d.IsZero()) {
        return "0";
    }
    std::string out = value < 0 ? "-" : "";
    if (d.Exponent > precision || d.Exponent < -4) {
        out.push_back(d.Digits[0]);
        if (d.Digits.size() > 1) {
            out.push_back(settings.DecimalSeparator);
            out.append(d.Digits, 1);
        }
        out.push_back('E');
        out.append(std::to_string(d.Exponent - 1));
        return out;
    }
    if (d.Exponent <= 0) {
        out.push_back('0');
    } else {
        for (int i = 0; i < d.Exponent; ++i) {
            out.push_back(DigitAt(d, i));
        }
    }
    if (int(d.Digits.size()) > d.Exponent) {
        out.push_back(settings.DecimalSeparator);
        for (int i = d.Exponent; i < int(d.Digits.size()); ++i) {
            out.push_back(DigitAt(d, i));
        }
    }
    return out;
}

std::string FormatFloat(std::string_view format, Extended value, const TFormatSettings& settings) {
    if (format.size() > kMaxFloatFormatLength) {
        throw EConvertError("Format string too long");
    }
    if (!std::isfinite(value)) {
        return FloatToStrGeneral(value, kGeneralPrecision, settings);
    }
    const std::vector<std::string_view> sections = SplitSections(format);
    auto section = [&](std::size_t index) {
        return index < sections.size() ? sections[index] : std::string_view();
    };
    if (section(0).empty()) {
        return FloatToStrGeneral(value, kGeneralPrecision, settings);
    }
    bool negative = value < 0;
    std::size_t index = negative && !section(1).empty() ? 1 : 0;
    TLayout layout = ScanSection(section(index));
    TDecimal d = RoundedFor(layout, value);
    if (d.IsZero()) {
        // Zero as shown: the zero section, and never a sign.
        negative = false;
        index = !section(2).empty() ? 2 : 0;
        layout = ScanSection(section(index));
        d = TDecimal{};
    }
    if (!layout.Scientific && d.Exponent > kMaxFormatIntegerDigits) {
        return FloatToStrGeneral(value, kGeneralPrecision, settings);
    }
    const TParts parts = layout.Scientific ? ScientificParts(d, layout) : FixedParts(d, layout);
    std::string out = negative && index == 0 ? "-" : "";
    out.append(TSectionWriter(layout, parts, settings).Write());
    return out;
}

std::string FormatFloat(std::string_view format, Extended value) {
    return FormatFloat(format, value, FormatSettings());
}
