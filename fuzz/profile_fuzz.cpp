// Feeds arbitrary INI texts to the profile engine: reading never fails, and a written key
// always reads back while the rest of the text before it stays unchanged.
#include "toolkit/text/ProfileFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    for (const char* section : {"CB", "Set", "cb"}) {
        for (const char* key : {"AutoRun", "RQ", "sj", ""}) {
            (void)ProfileRead(content, section, key);
        }
    }
    const std::string written = ProfileWrite(content, "Set", "RQ", "12/8/2026");
    if (ProfileRead(written, "Set", "RQ") != std::optional<std::string>("12/8/2026")) {
        std::abort();
    }
    const std::string withNewKey = ProfileWrite(written, "CB", "Warn", "1");
    if (ProfileRead(withNewKey, "CB", "Warn") != std::optional<std::string>("1") ||
        ProfileRead(withNewKey, "Set", "RQ") != std::optional<std::string>("12/8/2026")) {
        std::abort();
    }
    return 0;
}
