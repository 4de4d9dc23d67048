#include "platform/dbus/Names.h"

#include <algorithm>
#include <cstring>

namespace platform::dbus {

namespace {

constexpr std::size_t kMaxSignature = 255;
constexpr std::size_t kMaxName = 255;

bool IsAlpha(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

struct TDepth {
    int arrays = 0;
    int structs = 0;
};

// Parses one complete type at `at`; the position after it, or npos.
std::size_t ParseType(std::string_view signature, std::size_t at, TDepth depth) {
    if (at >= signature.size()) {
        return std::string_view::npos;
    }
    const char type = signature[at];
    if (IsBasicType(type) || type == 'v') {
        return at + 1;
    }
    if (type == 'a') {
        if (++depth.arrays > kMaxArrayDepth) {
            return std::string_view::npos;
        }
        if (at + 1 < signature.size() && signature[at + 1] == '{') {
            // A dict entry: a basic key and one complete value, only as an array's element.
            if (++depth.structs > kMaxStructDepth || at + 2 >= signature.size() ||
                !IsBasicType(signature[at + 2])) {
                return std::string_view::npos;
            }
            const std::size_t end = ParseType(signature, at + 3, depth);
            if (end == std::string_view::npos || end >= signature.size() || signature[end] != '}') {
                return std::string_view::npos;
            }
            return end + 1;
        }
        return ParseType(signature, at + 1, depth);
    }
    if (type == '(') {
        if (++depth.structs > kMaxStructDepth) {
            return std::string_view::npos;
        }
        std::size_t next = at + 1;
        if (next < signature.size() && signature[next] == ')') {
            return std::string_view::npos; // an empty struct
        }
        while (next < signature.size() && signature[next] != ')') {
            next = ParseType(signature, next, depth);
            if (next == std::string_view::npos) {
                return next;
            }
        }
        return next < signature.size() ? next + 1 : std::string_view::npos;
    }
    return std::string_view::npos;
}

bool IsDottedName(std::string_view name, bool digitsLead) {
    if (name.empty() || name.size() > kMaxName) {
        return false;
    }
    int elements = 0;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('.', start);
        if (end == std::string_view::npos) {
            end = name.size();
        }
        const std::string_view element = name.substr(start, end - start);
        if (element.empty() || (!digitsLead && IsDigit(element[0]))) {
            return false;
        }
        for (char c : element) {
            if (!IsAlpha(c) && !IsDigit(c) && !(digitsLead && c == '-')) {
                return false;
            }
        }
        ++elements;
        start = end + 1;
    }
    return elements >= 2;
}

} // namespace

bool IsBasicType(char type) {
    return type != '\0' && std::strchr("ybnqiuxtdsogh", type) != nullptr;
}

std::size_t AlignmentOf(char type) {
    switch (type) {
    case 'y':
    case 'g':
    case 'v':
        return 1;
    case 'n':
    case 'q':
        return 2;
    case 'x':
    case 't':
    case 'd':
    case '(':
    case '{':
        return 8;
    default:
        return 4; // b i u h s o a
    }
}

std::size_t CompleteTypeLength(std::string_view signature) {
    const std::size_t end = ParseType(signature, 0, TDepth{});
    return end == std::string_view::npos ? 0 : end;
}

bool IsValidSignature(std::string_view signature) {
    if (signature.size() > kMaxSignature) {
        return false;
    }
    while (!signature.empty()) {
        const std::size_t length = CompleteTypeLength(signature);
        if (length == 0) {
            return false;
        }
        signature.remove_prefix(length);
    }
    return true;
}

bool IsSingleCompleteType(std::string_view signature) {
    return signature.size() <= kMaxSignature && !signature.empty() &&
           CompleteTypeLength(signature) == signature.size();
}

bool IsValidObjectPath(std::string_view path) {
    if (path.empty() || path[0] != '/') {
        return false;
    }
    if (path.size() == 1) {
        return true;
    }
    if (path.back() == '/') {
        return false;
    }
    char previous = '/';
    for (char c : path.substr(1)) {
        if (c == '/') {
            if (previous == '/') {
                return false;
            }
        } else if (!IsAlpha(c) && !IsDigit(c)) {
            return false;
        }
        previous = c;
    }
    return true;
}

bool IsValidInterfaceName(std::string_view name) {
    return IsDottedName(name, false);
}

bool IsValidMemberName(std::string_view name) {
    if (name.empty() || name.size() > kMaxName || IsDigit(name[0])) {
        return false;
    }
    for (char c : name) {
        if (!IsAlpha(c) && !IsDigit(c)) {
            return false;
        }
    }
    return true;
}

bool IsValidBusName(std::string_view name) {
    if (!name.empty() && name[0] == ':') {
        return IsDottedName(name.substr(1), true);
    }
    if (name.size() > kMaxName) {
        return false;
    }
    // Well-known names allow '-' but no leading digit in any element.
    for (std::size_t start = 0; start <= name.size();) {
        const std::size_t end = std::min(name.find('.', start), name.size());
        if (end > start && IsDigit(name[start])) {
            return false;
        }
        start = end + 1;
    }
    return IsDottedName(name, true);
}

} // namespace platform::dbus
