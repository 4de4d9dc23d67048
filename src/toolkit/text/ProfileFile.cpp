#include "toolkit/text/ProfileFile.h"

#include "platform/Files.h"
#include "platform/Platform.h"
#include "toolkit/text/SysUtils.h"

#include <cctype>
#include <vector>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// One line of the text: where it starts, its text without the line end, and where the next
// line starts.
struct TProfileLine {
    std::size_t start = 0;
    std::string_view text;
    std::size_t next = 0;
};

std::vector<TProfileLine> SplitLines(std::string_view content) {
    std::vector<TProfileLine> lines;
    std::size_t pos = content.substr(0, kUtf8Mark.size()) == kUtf8Mark ? kUtf8Mark.size() : 0;
    while (pos < content.size()) {
        std::size_t end = content.find_first_of("\r\n", pos);
        std::size_t next = end;
        if (end == std::string_view::npos) {
            end = next = content.size();
        } else if (content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') {
            next = end + 2;
        } else {
            next = end + 1;
        }
        lines.push_back(TProfileLine{pos, content.substr(pos, end - pos), next});
        pos = next;
    }
    return lines;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The name of a section header line, or nothing for other lines.
std::optional<std::string> SectionName(std::string_view line) {
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = trimmed.find(']');
    return Trim(
        std::string_view(trimmed).substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

// Position of the '=' of a key line whose name matches, or npos.
std::size_t KeyEquals(std::string_view line, std::string_view key) {
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';') {
        return std::string_view::npos;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || !SameText(Trim(line.substr(0, equals)), Trim(key))) {
        return std::string_view::npos;
    }
    return equals;
}

std::string Unquote(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The lines of the first section of that name: [first, last) indexes into lines, first being
// the line after the header; nothing when the text has no such section.
struct TSectionRange {
    std::size_t header = 0;
    std::size_t first = 0;
    std::size_t last = 0;
};

std::optional<TSectionRange> FindSection(const std::vector<TProfileLine>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<std::string> name = SectionName(lines[i].text);
        if (!name || !SameText(*name, Trim(section))) {
            continue;
        }
        std::size_t last = i + 1;
        while (last < lines.size() && !SectionName(lines[last].text)) {
            ++last;
        }
        return TSectionRange{i, i + 1, last};
    }
    return std::nullopt;
}

std::string LineBreakOf(std::string_view content) {
    return content.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
}

std::string SingleLine(std::string_view value) {
    std::string result(value);
    for (char& c : result) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return result;
}

} // namespace

std::optional<std::string> ProfileRead(std::string_view content, std::string_view section,
                                       std::string_view key) {
    const std::vector<TProfileLine> lines = SplitLines(content);
    const std::optional<TSectionRange> range = FindSection(lines, section);
    if (!range) {
        return std::nullopt;
    }
    for (std::size_t i = range->first; i < range->last; ++i) {
        const std::size_t equals = KeyEquals(lines[i].text, key);
        if (equals != std::string_view::npos) {
            return Unquote(Trim(lines[i].text.substr(equals + 1)));
        }
    }
    return std::nullopt;
}

std::string ProfileWrite(std::string_view content, std::string_view section, std::string_view key,
                         std::string_view value) {
    const std::vector<TProfileLine> lines = SplitLines(content);
    const std::string lineBreak = LineBreakOf(content);
    const std::string keyLine = Trim(key) + "=" + SingleLine(value);
    const std::optional<TSectionRange> range = FindSection(lines, section);
    std::string result(content);

    if (!range) {
        if (!result.empty() && result.back() != '\n' && result.back() != '\r') {
            result += lineBreak;
        }
        return result + "[" + Trim(section) + "]" + lineBreak + keyLine + lineBreak;
    }
    for (std::size_t i = range->first; i < range->last; ++i) {
        const std::size_t equals = KeyEquals(lines[i].text, key);
        if (equals != std::string_view::npos) {
            const std::size_t valueStart = lines[i].start + equals + 1;
            const std::size_t valueEnd = lines[i].start + lines[i].text.size();
            return result.replace(valueStart, valueEnd - valueStart, SingleLine(value));
        }
    }
    // A new key goes after the last line of the section that is not blank.
    std::size_t after = range->header;
    for (std::size_t i = range->first; i < range->last; ++i) {
        if (!Trim(lines[i].text).empty()) {
            after = i;
        }
    }
    const TProfileLine& anchor = lines[after];
    if (anchor.next == anchor.start + anchor.text.size()) {
        return result.insert(anchor.next, lineBreak + keyLine);
    }
    return result.insert(anchor.next, keyLine + lineBreak);
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, const std::string& fileName,
                                    std::size_t bufferSize) {
    std::string content;
    std::optional<std::string> value;
    platform::IFiles* files = platform::Current().files;
    if (files != nullptr && files->ReadFile(fileName, content)) {
        value = ProfileRead(content, section, key);
    }
    std::string result = value ? *value : std::string(defaultValue);
    if (bufferSize == 0) {
        return std::string();
    }
    if (result.size() > bufferSize - 1) {
        result.resize(bufferSize - 1);
    }
    return result;
}

bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& fileName) {
    platform::IFiles* files = platform::Current().files;
    if (files == nullptr) {
        return false;
    }
    // A file that exists but cannot be read is refused rather than replaced by the one key.
    std::string content;
    if (!files->ReadFile(fileName, content)) {
        if (files->Exists(fileName)) {
            return false;
        }
        content.clear();
    }
    return files->ReplaceFile(fileName, ProfileWrite(content, section, key, value));
}
