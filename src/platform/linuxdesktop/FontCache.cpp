#include "platform/linuxdesktop/FontCache.h"

#include "platform/linuxdesktop/LinuxPaths.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <set>
#include <stdexcept>
#include <sys/stat.h>

namespace platform::linuxdesktop {

namespace {

constexpr const char* kHeader = "vesperon-font-cache 2";
constexpr const char* kChecksum = "checksum";

// The variables that choose fontconfig's configuration files and the per-user places.
constexpr const char* kVariables[] = {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "HOME",
                                      "XDG_CONFIG_HOME", "XDG_DATA_HOME"};

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
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

// A number within the bounds a font's answers keep to, so that nothing read overflows the
// arithmetic of text layout or asks for a huge bitmap.
template <class T> T Bounded(const std::string& field, T low, T high) {
    const T value = Number<T>(field);
    if (value < low || value > high) {
        throw std::invalid_argument("out of bounds");
    }
    return value;
}

constexpr int kMaxEm = 4096;
constexpr int kMaxGlyphSide = 1024;      // pixels
constexpr int kMaxGlyphOffset = 1 << 16; // pixels
constexpr long kMaxBoxValue = 1L << 24;  // 1/64 pixels
constexpr std::uint32_t kMaxCode = 0x10FFFF;

int Em(const std::string& field) {
    return Bounded(field, 1, kMaxEm);
}
char32_t Code(const std::string& field) {
    return char32_t(Bounded<std::uint32_t>(field, 0, kMaxCode));
}
int FaceIndex(const std::string& field) {
    return Bounded(field, 0, 1 << 16);
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
    if (text.empty()) {
        return boxes;
    }
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
            box = GlyphBox{true, Bounded(values[0], -kMaxBoxValue, kMaxBoxValue),
                           Bounded(values[1], -kMaxBoxValue, kMaxBoxValue),
                           Bounded(values[2], -kMaxBoxValue, kMaxBoxValue)};
        }
        boxes[Code(parts[0])] = box;
    }
    return boxes;
}

// Coverage as text: a byte is two lower-case hex digits, and the runs of blank and of full
// pixels that glyphs are mostly made of are one letter each: 'g'..'v' for 1..16 bytes of 0,
// 'G'..'V' for 1..16 bytes of 255.
constexpr char kBlankRun = 'g';
constexpr char kFullRun = 'G';
constexpr std::size_t kLongestRun = 16;

std::string CoverageText(const std::vector<std::uint8_t>& coverage) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < coverage.size();) {
        const std::uint8_t value = coverage[i];
        if (value == 0 || value == 255) {
            std::size_t run = 1;
            while (i + run < coverage.size() && run < kLongestRun && coverage[i + run] == value) {
                ++run;
            }
            text += char((value == 0 ? kBlankRun : kFullRun) + int(run) - 1);
            i += run;
        } else {
            text += digits[value >> 4];
            text += digits[value & 15];
            ++i;
        }
    }
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    throw std::invalid_argument("coverage");
}

// Exactly `size` bytes, or a raise: nothing past that size is ever stored.
std::vector<std::uint8_t> ParseCoverage(const std::string& text, std::size_t size) {
    if (text.size() * kLongestRun < size) {
        throw std::invalid_argument("coverage");
    }
    std::vector<std::uint8_t> coverage;
    coverage.reserve(size);
    const auto append = [&](std::size_t count, std::uint8_t value) {
        if (count > size - coverage.size()) {
            throw std::invalid_argument("coverage");
        }
        coverage.insert(coverage.end(), count, value);
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= kBlankRun && c < kBlankRun + int(kLongestRun)) {
            append(std::size_t(c - kBlankRun) + 1, 0);
        } else if (c >= kFullRun && c < kFullRun + int(kLongestRun)) {
            append(std::size_t(c - kFullRun) + 1, 255);
        } else {
            if (i + 1 == text.size()) {
                throw std::invalid_argument("coverage");
            }
            append(1, std::uint8_t(HexDigit(c) * 16 + HexDigit(text[i + 1])));
            ++i;
        }
    }
    if (coverage.size() != size) {
        throw std::invalid_argument("coverage");
    }
    return coverage;
}

// Glyphs as "code:left,top,width,height,advance,coverage" items separated by spaces.
std::string GlyphsText(const std::map<char32_t, GlyphBitmap>& glyphs) {
    std::string text;
    for (const auto& [code, glyph] : glyphs) {
        text.append(text.empty() ? "" : " ").append(std::to_string(std::uint32_t(code))).append(":");
        for (const int value : {glyph.left, glyph.top, glyph.width, glyph.height, glyph.advance}) {
            text.append(std::to_string(value)).append(",");
        }
        text.append(CoverageText(glyph.coverage));
    }
    return text;
}

std::map<char32_t, GlyphBitmap> ParseGlyphs(const std::string& text) {
    std::map<char32_t, GlyphBitmap> glyphs;
    for (const std::string& item : Split(text, ' ')) {
        const std::vector<std::string> parts = Split(item, ':');
        const std::vector<std::string> values = Split(parts.back(), ',');
        if (parts.size() != 2 || values.size() != 6) {
            throw std::invalid_argument("glyph");
        }
        GlyphBitmap glyph;
        glyph.left = Bounded(values[0], -kMaxGlyphOffset, kMaxGlyphOffset);
        glyph.top = Bounded(values[1], -kMaxGlyphOffset, kMaxGlyphOffset);
        glyph.width = Bounded(values[2], 0, kMaxGlyphSide);
        glyph.height = Bounded(values[3], 0, kMaxGlyphSide);
        glyph.advance = Bounded(values[4], -kMaxGlyphOffset, kMaxGlyphOffset);
        glyph.coverage = ParseCoverage(values[5], std::size_t(glyph.width) * std::size_t(glyph.height));
        glyphs[Code(parts[0])] = std::move(glyph);
    }
    return glyphs;
}

// The design values in the order of FontDesign, separated by commas.
std::string DesignText(const FontDesign& design) {
    std::string text;
    for (const int value : {design.unitsPerEm, design.winAscent, design.winDescent, design.ascender,
                            design.descender, design.lineHeight, design.averageCharWidth,
                            design.underlinePosition, design.underlineThickness, design.strikeoutPosition}) {
        text.append(text.empty() ? "" : ",").append(std::to_string(value));
    }
    return text;
}

FontDesign ParseDesign(const std::string& text) {
    const std::vector<std::string> values = Split(text, ',');
    if (values.size() != 10) {
        throw std::invalid_argument("design");
    }
    // Font tables hold 16-bit values.
    const auto value = [&values](std::size_t i) {
        return Bounded(values[i], -65536, 65536);
    };
    FontDesign design;
    design.unitsPerEm = value(0);
    design.winAscent = value(1);
    design.winDescent = value(2);
    design.ascender = value(3);
    design.descender = value(4);
    design.lineHeight = value(5);
    design.averageCharWidth = value(6);
    design.underlinePosition = value(7);
    design.underlineThickness = value(8);
    design.strikeoutPosition = value(9);
    return design;
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
    const std::string userConfig = XdgBaseFolder("XDG_CONFIG_HOME", "/.config") + "/fontconfig";
    // Places fontconfig reads when they exist: their coming into being changes the answers.
    std::set<std::string> paths{userConfig,
                                userConfig + "/fonts.conf",
                                userConfig + "/conf.d",
                                home + "/.fonts.conf",
                                home + "/.fonts.conf.d",
                                home + "/.fonts",
                                XdgBaseFolder("XDG_DATA_HOME", "/.local/share") + "/fonts"};
    paths.insert(read.begin(), read.end());
    for (const std::string& path : paths) {
        stamp.files.push_back(StampOf(path));
    }
    return stamp;
}

RendererStamp RendererStampOf(const std::string& libraryFile) {
    return RendererStamp{StampOf(libraryFile), Variable("LD_LIBRARY_PATH")};
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

std::string FontCache::Sealed(std::string body) {
    const std::string checksum = Hex(Checksum(body));
    AppendLine(body, {kChecksum, checksum});
    return body;
}

void FontCache::Parse(const std::string& text) {
    *this = FontCache();
    // The last line holds the checksum of everything before it.
    if (text.size() < 2 || text.size() > kMaxTextSize || text.back() != '\n') {
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
    if (renderer_.library.path.empty() || !(RendererStampOf(renderer_.library.path) == renderer_)) {
        DropFaceAnswers();
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
    } else if (kind == "renderer") {
        renderer_.library = ParseStamp(fields);
    } else if (kind == "renderer-search" && fields.size() == 2) {
        renderer_.searchPath = fields[1];
    } else if (kind == "info" && fields.size() == 5) {
        infos_[InfoKey{fields[1], FaceIndex(fields[2])}] = FaceInfo{fields[3], ParseDesign(fields[4])};
    } else if (kind == "boxes" && fields.size() == 5) {
        boxes_[SizeKey{fields[1], FaceIndex(fields[2]), Em(fields[3])}] = ParseBoxes(fields[4]);
    } else if (kind == "glyphs" && fields.size() == 7) {
        glyphs_[GlyphsKey{fields[1], FaceIndex(fields[2]), fields[3] == "1", fields[4] == "1",
                          Em(fields[5])}] = ParseGlyphs(fields[6]);
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
    if (!renderer_.library.path.empty()) {
        AppendStamp(text, "renderer", renderer_.library);
        AppendLine(text, {"renderer-search", renderer_.searchPath});
    }
    for (const auto& [key, info] : infos_) {
        const auto& [path, index] = key;
        AppendLine(text, {"info", path, std::to_string(index), info.family, DesignText(info.design)});
    }
    for (const auto& [key, boxes] : boxes_) {
        const auto& [path, index, em] = key;
        AppendLine(text, {"boxes", path, std::to_string(index), std::to_string(em), BoxesText(boxes)});
    }
    for (const auto& [key, glyphs] : glyphs_) {
        const auto& [path, index, bold, italic, em] = key;
        if (!glyphs.empty()) {
            AppendLine(text, {"glyphs", path, std::to_string(index), bold ? "1" : "0", italic ? "1" : "0",
                              std::to_string(em), GlyphsText(glyphs)});
        }
    }
    return Sealed(std::move(text));
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
        const auto aboutPath = [&path](const auto& entry) {
            return std::get<0>(entry.first) == path;
        };
        std::erase_if(infos_, aboutPath);
        std::erase_if(boxes_, aboutPath);
        std::erase_if(glyphs_, aboutPath);
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

void FontCache::DropFaceAnswers() {
    infos_.clear();
    boxes_.clear();
    glyphs_.clear();
}

void FontCache::RenderedBy(const RendererStamp& renderer) {
    if (renderer == renderer_) {
        return;
    }
    renderer_ = renderer;
    DropFaceAnswers();
    changed_ = true;
}

std::optional<FaceInfo> FontCache::Info(const FontFile& face) {
    if (!FileUnchanged(face.path)) {
        return std::nullopt;
    }
    const auto info = infos_.find(std::forward_as_tuple(face.path, face.index));
    return info != infos_.end() ? std::optional<FaceInfo>(info->second) : std::nullopt;
}

void FontCache::RememberInfo(const FontFile& face, const FaceInfo& info) {
    KeepStampOf(face.path);
    infos_[InfoKey{face.path, face.index}] = info;
    changed_ = true;
}

bool FontCache::KnowsSize(const FontFile& face, int em) {
    return FileUnchanged(face.path) && boxes_.contains(std::forward_as_tuple(face.path, face.index, em));
}

void FontCache::RememberSize(const FontFile& face, int em) {
    KeepStampOf(face.path);
    boxes_[SizeKey{face.path, face.index, em}];
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
    boxes_[SizeKey{face.path, face.index, em}][code] = box;
    changed_ = true;
}

std::optional<GlyphBitmap> FontCache::Glyph(const FontFile& face, bool bold, bool italic, int em,
                                            char32_t code) {
    if (!FileUnchanged(face.path)) {
        return std::nullopt;
    }
    const auto glyphs = glyphs_.find(std::forward_as_tuple(face.path, face.index, bold, italic, em));
    if (glyphs == glyphs_.end()) {
        return std::nullopt;
    }
    const auto glyph = glyphs->second.find(code);
    return glyph != glyphs->second.end() ? std::optional<GlyphBitmap>(glyph->second) : std::nullopt;
}

void FontCache::RememberGlyph(const FontFile& face, bool bold, bool italic, int em, char32_t code,
                              const GlyphBitmap& glyph) {
    KeepStampOf(face.path);
    glyphs_[GlyphsKey{face.path, face.index, bold, italic, em}][code] = glyph;
    changed_ = true;
}

} // namespace platform::linuxdesktop
