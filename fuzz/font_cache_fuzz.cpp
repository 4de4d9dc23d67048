// Feeds arbitrary texts to the font cache, as read and with the checksum line that makes them
// pass for a written cache: reading never fails nor asks for more than the text allows, and
// what the cache writes reads back to the same text.
#include "platform/linuxdesktop/FontCache.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using platform::linuxdesktop::FontCache;
    const std::string content(reinterpret_cast<const char*>(data), size);
    FontCache cache;
    cache.Parse(content);
    cache.Parse(FontCache::Sealed("vesperon-font-cache 2\n" + content));
    const std::string written = cache.Serialize();
    FontCache again;
    again.Parse(written);
    if (again.Serialize() != written) {
        std::abort();
    }
    return 0;
}
