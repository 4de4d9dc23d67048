#include "toolkit/graphics/Resources.h"

#include <cctype>

namespace {

bool SameNameIgnoringCase(const char* a, const std::string& b) {
    std::size_t i = 0;
    for (; a[i] != '\0' && i < b.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return a[i] == '\0' && i == b.size();
}

} // namespace

const TResourceEntry* FindEmbeddedResource(const std::string& name) {
    for (const TResourceEntry& entry : ResourceTable()) {
        if (SameNameIgnoringCase(entry.name, name)) {
            return &entry;
        }
    }
    return nullptr;
}
