// The control channel's wire form, for every backend that carries requests as text: one request
// line from the sender, one reply line back, each ended by a line feed.
//
//   request: "status" | "cancel" | "arm ACTION WARN WHEN"
//            ACTION lower-case letters and '-', WARN "warn", "no-warn" or "keep", WHEN the rest
//            of the line; printable ASCII only, single blanks between the words
//   reply:   "CODE TEXT", CODE the exit code in decimal, TEXT one line (may be empty)
#pragma once

#include "platform/ControlChannel.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::controlline {

// The longest request line a listener reads, line feed included; longer ones are refused.
inline constexpr std::size_t kMaxRequestLine = 256;
// The longest reply line a sender reads.
inline constexpr std::size_t kMaxReplyLine = 1024;

// The request as a line, line feed included.
std::string FormatRequest(const platform::ControlRequest& request);
// A request line without its line feed; nothing when it is not one.
std::optional<platform::ControlRequest> ParseRequest(std::string_view line);

// The reply as a line, line feed included; the text is made one line.
std::string FormatReply(const platform::ControlReply& reply);
// A reply line without its line feed; nothing when it is not one.
std::optional<platform::ControlReply> ParseReply(std::string_view line);

// The text with every control character turned into a blank, so that it stays on one line.
std::string OneLine(std::string_view text);

} // namespace platform::controlline
