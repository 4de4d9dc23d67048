// What fontconfig and FreeType answered in an earlier run, kept in a file so that a start
// need not load fontconfig's configuration nor FreeType: the file each family and style
// resolved to, each face's family name and design values, the pixel sizes it took, and the
// hinted glyph boxes and rendered glyphs it gave at each size (only the glyphs asked for).
// A lookup answer counts only while everything fontconfig read to give it (its configuration
// files and folders, its font folders and the variables that choose them) keeps its time
// stamp; what a face gave counts while its font file and the FreeType library file that read
// it keep their time stamps (and the loader's search path is the same). A file that cannot be
// read, is cut short, altered or holds a value out of bounds counts as empty.
#pragma once

#include "platform/Fonts.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace platform::linuxdesktop {

struct FontFile {
    std::string path; // empty: fontconfig found nothing
    int index = 0;    // the face within the file
};

// A file or folder as the file system describes it now.
struct FileStamp {
    std::string path;
    bool exists = false;
    std::int64_t modifiedNs = 0;
    std::int64_t size = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

// The FreeType library that gave a face's answers: its file, and the loader's search path that
// could have found another one.
struct RendererStamp {
    FileStamp library;
    std::string searchPath;
    bool operator==(const RendererStamp&) const = default;
};
RendererStamp RendererStampOf(const std::string& libraryFile);

// What a face says about itself whatever its size.
struct FaceInfo {
    std::string family;
    FontDesign design;
};

// What a lookup depends on: the stamps of the files and folders fontconfig read (and of the
// places it would read if they existed), and the variables that choose them.
struct FontConfigStamp {
    std::vector<FileStamp> files;
    std::vector<std::pair<std::string, std::string>> variables;
    bool operator==(const FontConfigStamp&) const = default;
};
// The variables and optional per-user places that decide fontconfig's configuration, with
// `read` (the files and folders a loaded configuration names) added.
FontConfigStamp CurrentConfigStamp(const std::vector<std::string>& read);
// Whether nothing in the stamp has changed since it was taken.
bool StillCurrent(const FontConfigStamp& stamp);

class FontCache {
public:
    // A longer text is not a cache this program wrote.
    static constexpr std::size_t kMaxTextSize = 1 << 20;
    // `body` (the header and the lines) with the checksum line that makes it a cache text.
    static std::string Sealed(std::string body);

    // Reads the cache text (empty: nothing cached). Lookup answers of a configuration that has
    // changed since are dropped.
    void Parse(const std::string& text);
    std::string Serialize() const;
    // Whether answers were added since the text was read.
    bool Changed() const { return changed_; }
    void MarkSaved() { changed_ = false; }

    // The file of a family and style, while its configuration and the file are unchanged.
    std::optional<FontFile> Find(const std::string& family, bool bold, bool italic);
    // Lookup answers are kept for the configuration of `stamp`; answers of another one go.
    void Remember(const std::string& family, bool bold, bool italic, const FontFile& file,
                  const FontConfigStamp& stamp);

    // Answers of faces are kept for the FreeType library of `renderer`; those of another go.
    void RenderedBy(const RendererStamp& renderer);

    // The answers of a face below count while its file is unchanged.
    std::optional<FaceInfo> Info(const FontFile& face);
    void RememberInfo(const FontFile& face, const FaceInfo& info);
    // Whether the face took the pixel size.
    bool KnowsSize(const FontFile& face, int em);
    void RememberSize(const FontFile& face, int em);
    // A hinted glyph box of a face at a pixel size.
    std::optional<GlyphBox> Box(const FontFile& face, int em, char32_t code);
    void RememberBox(const FontFile& face, int em, char32_t code, const GlyphBox& box);
    // A glyph rendered by a face in a style (synthesised when the file lacks it) at a pixel size.
    std::optional<GlyphBitmap> Glyph(const FontFile& face, bool bold, bool italic, int em, char32_t code);
    void RememberGlyph(const FontFile& face, bool bold, bool italic, int em, char32_t code,
                       const GlyphBitmap& glyph);

private:
    using FaceKey = std::tuple<std::string, bool, bool>;
    using InfoKey = std::tuple<std::string, int>;                    // path, index
    using SizeKey = std::tuple<std::string, int, int>;               // path, index, em
    using GlyphsKey = std::tuple<std::string, int, bool, bool, int>; // path, index, bold, italic, em

    // The stamp of a font file as recorded; a file seen changed loses its entries.
    bool FileUnchanged(const std::string& path);
    void KeepStampOf(const std::string& path);
    void ParseLine(const std::vector<std::string>& fields);
    void DropFaceAnswers();

    FontConfigStamp config_;
    std::map<std::string, FileStamp> fonts_;
    std::map<std::string, bool> checked_; // font files compared with the file system this run
    std::map<FaceKey, FontFile> faces_;
    RendererStamp renderer_; // an empty path: no face answers
    // Found without copying the path. A face's sizes are the keys of its boxes.
    std::map<InfoKey, FaceInfo, std::less<>> infos_;
    std::map<SizeKey, std::map<char32_t, GlyphBox>, std::less<>> boxes_;
    std::map<GlyphsKey, std::map<char32_t, GlyphBitmap>, std::less<>> glyphs_;
    bool changed_ = false;
};

} // namespace platform::linuxdesktop
