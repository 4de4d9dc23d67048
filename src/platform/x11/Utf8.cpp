#include "platform/x11/Utf8.h"

#include <cstddef>

namespace platform::x11 {

namespace {

// Length of the well-formed UTF-8 sequence starting at `i` (decoding it into `codePoint`), or
// 0 when the bytes there are not one.
std::size_t DecodeSequence(const std::string& text, std::size_t i, unsigned& codePoint) {
    const auto byte = [&](std::size_t k) {
        return unsigned(static_cast<unsigned char>(text[k]));
    };
    const unsigned first = byte(i);
    std::size_t length = 0;
    unsigned minimum = 0;
    if (first < 0x80) {
        codePoint = first;
        return 1;
    }
    if ((first & 0xE0) == 0xC0) {
        length = 2;
        codePoint = first & 0x1F;
        minimum = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        length = 3;
        codePoint = first & 0x0F;
        minimum = 0x800;
    } else if ((first & 0xF8) == 0xF0) {
        length = 4;
        codePoint = first & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < minimum || codePoint > 0x10FFFF || surrogate) {
        return 0;
    }
    return length;
}

} // namespace

std::string Utf8FromCodePoint(unsigned codePoint) {
    std::string text;
    if (codePoint < 0x80) {
        text += char(codePoint);
    } else if (codePoint < 0x800) {
        text += char(0xC0 | (codePoint >> 6));
        text += char(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
            return {};
        }
        text += char(0xE0 | (codePoint >> 12));
        text += char(0x80 | ((codePoint >> 6) & 0x3F));
        text += char(0x80 | (codePoint & 0x3F));
    } else if (codePoint <= 0x10FFFF) {
        text += char(0xF0 | (codePoint >> 18));
        text += char(0x80 | ((codePoint >> 12) & 0x3F));
        text += char(0x80 | ((codePoint >> 6) & 0x3F));
        text += char(0x80 | (codePoint & 0x3F));
    }
    return text;
}

std::string SanitizeUtf8(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned codePoint = 0;
        const std::size_t length = DecodeSequence(text, i, codePoint);
        if (length == 0) {
            result += Utf8FromCodePoint(static_cast<unsigned char>(text[i]));
            ++i;
        } else {
            result.append(text, i, length);
            i += length;
        }
    }
    return result;
}

std::string Utf8FromLatin1(const std::string& text) {
    std::string result;
    for (const char c : text) {
        result += Utf8FromCodePoint(static_cast<unsigned char>(c));
    }
    return result;
}

std::string Latin1FromUtf8(const std::string& text) {
    std::string result;
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned codePoint = 0;
        const std::size_t length = DecodeSequence(text, i, codePoint);
        result += (length != 0 && codePoint <= 0xFF) ? char(codePoint) : '?';
        i += length == 0 ? 1 : length;
    }
    return result;
}

bool IsAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

} // namespace platform::x11
