// Feeds arbitrary bytes to the control channel's line readers, as any process of the user may
// send them: reading never fails; a request that reads writes back the very same line; a reply
// that reads writes back a line that reads as the same reply; a time text reads, or is refused
// with one line.
#include "core/WhenText.h"
#include "platform/controlline/ControlLine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void CheckWhen(std::string_view text) {
    const core::TWhenParse when = core::ParseWhen(text);
    if (!when.when && (when.error.empty() || when.error.find_first_of("\r\n") != std::string::npos)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace platform::controlline;
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    if (const auto request = ParseRequest(line)) {
        if (FormatRequest(*request) != std::string(line) + '\n') {
            std::abort();
        }
        CheckWhen(request->when);
    }
    if (const auto reply = ParseReply(line)) {
        const std::string written = FormatReply(*reply);
        const auto again = ParseReply(std::string_view(written).substr(0, written.size() - 1));
        if (!again || again->code != reply->code || again->text != reply->text) {
            std::abort();
        }
    }
    CheckWhen(line);
    return 0;
}
