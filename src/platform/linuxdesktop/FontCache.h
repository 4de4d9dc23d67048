// What fontconfig and FreeType answered in an earlier run, kept in a file so that a start
// need not load fontconfig's configuration nor hint every glyph to measure a font: the file
// each family and style resolved to, and the hinted glyph boxes of each face at each size.
// A lookup answer counts only while everything fontconfig read to give it (its configuration
// files and folders, its font folders and the variables that choose them) keeps its time
// stamp; glyph boxes count while their font file keeps its time stamp. A file that cannot be
// read, is cut short or altered counts as empty.
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

    // A hinted glyph box of a face at a pixel size, while its file is unchanged.
    std::optional<GlyphBox> Box(const FontFile& face, int em, char32_t code);
    void RememberBox(const FontFile& face, int em, char32_t code, const GlyphBox& box);

private:
    using FaceKey = std::tuple<std::string, bool, bool>;
    using BoxesKey = std::tuple<std::string, int, int>; // path, index, em

    // The stamp of a font file as recorded; a file seen changed loses its entries.
    bool FileUnchanged(const std::string& path);
    void KeepStampOf(const std::string& path);
    void ParseLine(const std::vector<std::string>& fields);

    FontConfigStamp config_;
    std::map<std::string, FileStamp> fonts_;
    std::map<std::string, bool> checked_; // font files compared with the file system this run
    std::map<FaceKey, FontFile> faces_;
    std::map<BoxesKey, std::map<char32_t, GlyphBox>, std::less<>> boxes_; // found without copying the path
    bool changed_ = false;
};

} // namespace platform::linuxdesktop
