#include "platform/controlline/ControlLine.h"

#include <algorithm>

namespace platform::controlline {

namespace {

constexpr std::string_view kStatus = "status";
constexpr std::string_view kCancel = "cancel";
constexpr std::string_view kArm = "arm";
constexpr std::string_view kWarn = "warn";
constexpr std::string_view kNoWarn = "no-warn";
constexpr std::string_view kKeep = "keep";
constexpr std::size_t kMaxActionName = 32;
constexpr int kMaxCode = 255;

bool Printable(char c) {
    return c >= 0x20 && c <= 0x7E;
}

bool ActionCharacter(char c) {
    return (c >= 'a' && c <= 'z') || c == '-';
}

// Splits off the word up to the next blank; false when there is no blank.
bool TakeWord(std::string_view& rest, std::string_view& word) {
    const std::size_t blank = rest.find(' ');
    if (blank == std::string_view::npos) {
        return false;
    }
    word = rest.substr(0, blank);
    rest.remove_prefix(blank + 1);
    return true;
}

// The warning word: on, off, or kept as it is (unset); false for any other word.
bool ReadWarn(std::string_view word, std::optional<bool>& warn) {
    if (word == kKeep) {
        warn.reset();
        return true;
    }
    if (word == kWarn || word == kNoWarn) {
        warn = word == kWarn;
        return true;
    }
    return false;
}

std::optional<platform::ControlRequest> ParseArm(std::string_view rest) {
    platform::ControlRequest request;
    request.command = platform::ControlCommand::Arm;
    std::string_view action;
    std::string_view warn;
    if (!TakeWord(rest, action) || !TakeWord(rest, warn)) {
        return std::nullopt;
    }
    if (action.empty() || action.size() > kMaxActionName ||
        !std::all_of(action.begin(), action.end(), ActionCharacter)) {
        return std::nullopt;
    }
    if (!ReadWarn(warn, request.warn) || rest.empty() || rest.front() == ' ' || rest.back() == ' ') {
        return std::nullopt;
    }
    request.action = action;
    request.when = rest;
    return request;
}

} // namespace

std::string FormatRequest(const platform::ControlRequest& request) {
    switch (request.command) {
    case platform::ControlCommand::Status:
        return std::string(kStatus) + '\n';
    case platform::ControlCommand::Cancel:
        return std::string(kCancel) + '\n';
    case platform::ControlCommand::Arm:
        break;
    }
    const std::string_view warn = !request.warn ? kKeep : *request.warn ? kWarn : kNoWarn;
    return std::string(kArm) + ' ' + request.action + ' ' + std::string(warn) + ' ' + request.when + '\n';
}

std::optional<platform::ControlRequest> ParseRequest(std::string_view line) {
    if (line.size() >= kMaxRequestLine || !std::all_of(line.begin(), line.end(), Printable)) {
        return std::nullopt;
    }
    if (line == kStatus || line == kCancel) {
        platform::ControlRequest request;
        request.command =
            line == kStatus ? platform::ControlCommand::Status : platform::ControlCommand::Cancel;
        return request;
    }
    std::string_view rest = line;
    std::string_view command;
    if (!TakeWord(rest, command) || command != kArm) {
        return std::nullopt;
    }
    return ParseArm(rest);
}

std::string FormatReply(const platform::ControlReply& reply) {
    const std::string head = std::to_string(std::clamp(reply.code, 0, kMaxCode)) + ' ';
    std::string text = OneLine(reply.text);
    // The line without its line feed stays shorter than the limit.
    if (head.size() + text.size() >= kMaxReplyLine) {
        text.resize(kMaxReplyLine - 1 - head.size());
    }
    return head + text + '\n';
}

std::optional<platform::ControlReply> ParseReply(std::string_view line) {
    if (line.size() >= kMaxReplyLine) {
        return std::nullopt;
    }
    std::string_view rest = line;
    std::string_view code;
    if (!TakeWord(rest, code) || code.empty() || code.size() > 3 ||
        !std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    platform::ControlReply reply;
    reply.code = std::stoi(std::string(code));
    if (reply.code > kMaxCode || std::any_of(rest.begin(), rest.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        })) {
        return std::nullopt;
    }
    reply.text = rest;
    return reply;
}

std::string OneLine(std::string_view text) {
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; },
        ' ');
    return line;
}

} // namespace platform::controlline
