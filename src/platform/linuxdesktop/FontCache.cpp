#include "platform/linuxdesktop/FontCache.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <set>
#include <stdexcept>
#include <sys/stat.h>

namespace platform::linuxdesktop {

namespace {

constexpr const char* kHeader = "vesperon-font-cache 1";
constexpr const char* kChecksum = "checksum";

// The variables that choose fontconfig's configuration files and the per-user places.
constexpr const char* kVariables[] = {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "HOME",
                                      "XDG_CONFIG_HOME", "XDG_DATA_HOME"};

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// An XDG base folder: the variable when it holds an absolute path, else the default under HOME.
std::string BaseFolder(const char* variable, const char* underHome) {
    const std::string value = Variable(variable);
    return !value.empty() && value.front() == '/' ? value : Variable("HOME") + underHome;
}

// FNV-1a, 64 bits: enough to tell a cut or altered file from the one written.
std::uint64_t Checksum(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    }
    return hash;
}

std::string Hex(std::uint64_t value) {
    char digits[17] = {};
    const auto end = std::to_chars(digits, digits + 16, value, 16).ptr;
    return std::string(digits, end);
}

std::vector<std::string> Split(std::string_view line, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(separator, start);
        fields.emplace_back(line.substr(start, end - start));
        if (end == std::string_view::npos) {
            return fields;
        }
        start = end + 1;
    }
}

// A whole decimal field; a broken cache raises, to be read as empty.
template <class T> T Number(const std::string& field) {
    T value{};
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size()) {
        throw std::invalid_argument("not a number");
    }
    return value;
}

// One line of tab-separated fields; a field that would break the format leaves the line out.
void AppendLine(std::string& text, std::initializer_list<std::string_view> fields) {
    if (std::any_of(fields.begin(), fields.end(), [](std::string_view field) {
            return field.find_first_of("\t\n") != std::string_view::npos;
        })) {
        return;
    }
    const char* separator = "";
    for (const std::string_view field : fields) {
        text.append(separator).append(field);
        separator = "\t";
    }
    text += '\n';
}

void AppendStamp(std::string& text, std::string_view kind, const FileStamp& stamp) {
    AppendLine(text, {kind, stamp.exists ? "1" : "0", std::to_string(stamp.modifiedNs),
                      std::to_string(stamp.size), stamp.path});
}

FileStamp ParseStamp(const std::vector<std::string>& fields) {
    if (fields.size() != 5) {
        throw std::invalid_argument("stamp");
    }
    return FileStamp{fields[4], fields[1] == "1", Number<std::int64_t>(fields[2]),
                     Number<std::int64_t>(fields[3])};
}

std::string BoxesText(const std::map<char32_t, GlyphBox>& boxes) {
    std::string text;
    for (const auto& [code, box] : boxes) {
        text.append(text.empty() ? "" : " ").append(std::to_string(std::uint32_t(code))).append(":");
        if (box.present) {
            text.append(std::to_string(box.top)).append(",").append(std::to_string(box.bottom)).append(",");
            text.append(std::to_string(box.advance));
        } else {
            text += '-';
        }
    }
    return text;
}

std::map<char32_t, GlyphBox> ParseBoxes(const std::string& text) {
    std::map<char32_t, GlyphBox> boxes;
    for (const std::string& item : Split(text, ' ')) {
        const std::vector<std::string> parts = Split(item, ':');
        if (parts.size() != 2) {
            throw std::invalid_argument("box");
        }
        GlyphBox box;
        if (parts[1] != "-") {
            const std::vector<std::string> values = Split(parts[1], ',');
            if (values.size() != 3) {
                throw std::invalid_argument("box");
            }
            box = GlyphBox{true, Number<long>(values[0]), Number<long>(values[1]), Number<long>(values[2])};
        }
        boxes[char32_t(Number<std::uint32_t>(parts[0]))] = box;
    }
    return boxes;
}

} // namespace

FileStamp StampOf(const std::string& path) {
    FileStamp stamp{path, false, 0, 0};
    struct stat status {};
    if (stat(path.c_str(), &status) == 0) {
        stamp.exists = true;
        stamp.modifiedNs = std::int64_t(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
        stamp.size = std::int64_t(status.st_size);
    }
    return stamp;
}

FontConfigStamp CurrentConfigStamp(const std::vector<std::string>& read) {
    FontConfigStamp stamp;
    for (const char* name : kVariables) {
        stamp.variables.emplace_back(name, Variable(name));
    }
    const std::string home = Variable("HOME");
    const std::string userConfig = BaseFolder("XDG_CONFIG_HOME", "/.config") + "/fontconfig";
    // Places fontconfig reads when they exist: their coming into being changes the answers.
    std::set<std::string> paths{userConfig,
                                userConfig + "/fonts.conf",
                                userConfig + "/conf.d",
                                home + "/.fonts.conf",
                                home + "/.fonts.conf.d",
                                home + "/.fonts",
                                BaseFolder("XDG_DATA_HOME", "/.local/share") + "/fonts"};
    paths.insert(read.begin(), read.end());
    for (const std::string& path : paths) {
        stamp.files.push_back(StampOf(path));
    }
    return stamp;
}

bool StillCurrent(const FontConfigStamp& stamp) {
    return std::all_of(
               stamp.variables.begin(), stamp.variables.end(),
               [](const auto& variable) { return Variable(variable.first.c_str()) == variable.second; }) &&
           std::all_of(stamp.files.begin(), stamp.files.end(),
                       [](const FileStamp& file) { return StampOf(file.path) == file; });
}

// ---------------------------------------------------------------------------------------
// The file

void FontCache::Parse(const std::string& text) {
    *this = FontCache();
    // The last line holds the checksum of everything before it.
    if (text.size() < 2 || text.back() != '\n') {
        return;
    }
    const std::size_t lastLine = text.rfind('\n', text.size() - 2);
    const std::size_t bodyEnd = lastLine == std::string::npos ? 0 : lastLine + 1;
    const std::string body = text.substr(0, bodyEnd);
    const std::string header = std::string(kHeader) + '\n';
    if (text.substr(bodyEnd, text.size() - 1 - bodyEnd) !=
            std::string(kChecksum) + '\t' + Hex(Checksum(body)) ||
        body.rfind(header, 0) != 0) {
        return;
    }
    try {
        for (std::size_t start = header.size(); start < body.size();) {
            const std::size_t end = body.find('\n', start);
            ParseLine(Split(std::string_view(body).substr(start, end - start), '\t'));
            start = end + 1;
        }
    } catch (const std::exception&) {
        *this = FontCache();
        return;
    }
    if (!StillCurrent(config_)) {
        faces_.clear();
    }
}

void FontCache::ParseLine(const std::vector<std::string>& fields) {
    const std::string& kind = fields.front();
    if (kind == "variable" && fields.size() == 3) {
        config_.variables.emplace_back(fields[1], fields[2]);
    } else if (kind == "stamp") {
        config_.files.push_back(ParseStamp(fields));
    } else if (kind == "font") {
        const FileStamp stamp = ParseStamp(fields);
        fonts_[stamp.path] = stamp;
    } else if (kind == "face" && fields.size() == 6) {
        faces_[FaceKey{fields[1], fields[2] == "1", fields[3] == "1"}] =
            FontFile{fields[4], Number<int>(fields[5])};
    } else if (kind == "boxes" && fields.size() == 5) {
        boxes_[BoxesKey{fields[1], Number<int>(fields[2]), Number<int>(fields[3])}] = ParseBoxes(fields[4]);
    } else {
        throw std::invalid_argument("unknown line");
    }
}

std::string FontCache::Serialize() const {
    std::string text = std::string(kHeader) + '\n';
    for (const auto& [name, value] : config_.variables) {
        AppendLine(text, {"variable", name, value});
    }
    for (const FileStamp& stamp : config_.files) {
        AppendStamp(text, "stamp", stamp);
    }
    for (const auto& [path, stamp] : fonts_) {
        AppendStamp(text, "font", stamp);
    }
    for (const auto& [key, file] : faces_) {
        const auto& [family, bold, italic] = key;
        AppendLine(text, {"face", family, bold ? "1" : "0", italic ? "1" : "0", file.path,
                          std::to_string(file.index)});
    }
    for (const auto& [key, boxes] : boxes_) {
        const auto& [path, index, em] = key;
        if (!boxes.empty()) {
            AppendLine(text, {"boxes", path, std::to_string(index), std::to_string(em), BoxesText(boxes)});
        }
    }
    const std::string checksum = Hex(Checksum(text));
    AppendLine(text, {kChecksum, checksum});
    return text;
}

// ---------------------------------------------------------------------------------------
// Answers

bool FontCache::FileUnchanged(const std::string& file) {
    const auto checked = checked_.find(file);
    if (checked != checked_.end()) {
        return checked->second;
    }
    const auto recorded = fonts_.find(file);
    const bool unchanged =
        recorded != fonts_.end() && recorded->second.exists && recorded->second == StampOf(file);
    checked_[file] = unchanged;
    if (!unchanged) {
        // A copy: callers may pass a path held by an entry that the erasing removes.
        const std::string path = file;
        std::erase_if(faces_, [&path](const auto& entry) { return entry.second.path == path; });
        std::erase_if(boxes_, [&path](const auto& entry) { return std::get<0>(entry.first) == path; });
        fonts_.erase(path);
    }
    return unchanged;
}

// Answers about a file recorded now hold while the file keeps the stamp it has now.
void FontCache::KeepStampOf(const std::string& path) {
    if (!FileUnchanged(path)) {
        fonts_[path] = StampOf(path);
        checked_[path] = true;
    }
}

std::optional<FontFile> FontCache::Find(const std::string& family, bool bold, bool italic) {
    const auto found = faces_.find(FaceKey{family, bold, italic});
    if (found == faces_.end() || !FileUnchanged(found->second.path)) {
        return std::nullopt;
    }
    return found->second;
}

void FontCache::Remember(const std::string& family, bool bold, bool italic, const FontFile& file,
                         const FontConfigStamp& stamp) {
    if (file.path.empty()) {
        return;
    }
    if (!(stamp == config_)) {
        config_ = stamp;
        faces_.clear();
    }
    KeepStampOf(file.path);
    faces_[FaceKey{family, bold, italic}] = file;
    changed_ = true;
}

std::optional<GlyphBox> FontCache::Box(const FontFile& face, int em, char32_t code) {
    if (!FileUnchanged(face.path)) {
        return std::nullopt;
    }
    const auto boxes = boxes_.find(std::forward_as_tuple(face.path, face.index, em));
    if (boxes == boxes_.end()) {
        return std::nullopt;
    }
    const auto box = boxes->second.find(code);
    return box != boxes->second.end() ? std::optional<GlyphBox>(box->second) : std::nullopt;
}

void FontCache::RememberBox(const FontFile& face, int em, char32_t code, const GlyphBox& box) {
    KeepStampOf(face.path);
    boxes_[BoxesKey{face.path, face.index, em}][code] = box;
    changed_ = true;
}

} // namespace platform::linuxdesktop
