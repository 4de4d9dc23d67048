#include "platform/linuxdesktop/FontconfigFonts.h"

#include "platform/linuxdesktop/FontconfigLibrary.h"
#include "platform/linuxdesktop/LinuxFiles.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace platform::linuxdesktop {

namespace {

// The classic dialog fonts have no free equivalent of their own; their widths are closest to
// the Arial-compatible Liberation Sans, which keeps captions laid out for them inside their panes.
std::string FamilyToAsk(const std::string& name) {
    static const char* const dialogFonts[] = {"MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg",
                                              "MS Shell Dlg 2"};
    const auto sameLetters = [](unsigned char a, unsigned char b) {
        return std::tolower(a) == std::tolower(b);
    };
    for (const std::string dialogFont : dialogFonts) {
        if (std::equal(name.begin(), name.end(), dialogFont.begin(), dialogFont.end(), sameLetters)) {
            return "Liberation Sans";
        }
    }
    return name;
}

void AddAll(const FontconfigLibrary& fc, FcStrList* list, std::vector<std::string>& paths) {
    if (list == nullptr) {
        return;
    }
    while (FcChar8* path = fc.StrListNext(list)) {
        paths.emplace_back(reinterpret_cast<const char*>(path));
    }
    fc.StrListDone(list);
}

} // namespace

// The cache of a font source, shared with the faces it opened (which may outlive it): saved
// once after each change, by work handed to the source's scheduler while the source lives.
class SharedFontCache : public std::enable_shared_from_this<SharedFontCache> {
public:
    SharedFontCache(std::string file, FontconfigFonts::Scheduler schedule)
        : file_(std::move(file)), schedule_(std::move(schedule)) {
        std::string text;
        if (LinuxFiles().ReadFile(file_, text)) {
            answers_.Parse(text);
        }
    }

    FontCache& Answers() { return answers_; }

    void Changed() {
        if (saveScheduled_ || !schedule_) {
            return;
        }
        saveScheduled_ = true;
        schedule_([weak = weak_from_this()] {
            if (const std::shared_ptr<SharedFontCache> self = weak.lock()) {
                self->Save();
            }
        });
    }

    void Detach() { schedule_ = nullptr; }

private:
    void Save() {
        saveScheduled_ = false;
        if (answers_.Changed() && LinuxFiles().ReplaceFile(file_, answers_.Serialize())) {
            answers_.MarkSaved();
        }
    }

    FontCache answers_;
    std::string file_;
    FontconfigFonts::Scheduler schedule_;
    bool saveScheduled_ = false;
};

namespace {

// A face whose hinted glyph boxes come from the cache while it holds them.
class CachedBoxesFace : public IFontFace {
public:
    CachedBoxesFace(std::unique_ptr<IFontFace> face, FontFile file, std::shared_ptr<SharedFontCache> cache)
        : face_(std::move(face)), file_(std::move(file)), cache_(std::move(cache)) {}

    std::string FamilyName() override { return face_->FamilyName(); }
    FontDesign Design() override { return face_->Design(); }
    bool SetPixelSize(int em) override {
        em_ = em;
        return face_->SetPixelSize(em);
    }
    GlyphBox MeasureGlyph(char32_t code) override {
        if (const std::optional<GlyphBox> cached = cache_->Answers().Box(file_, em_, code)) {
            return *cached;
        }
        const GlyphBox box = face_->MeasureGlyph(code);
        cache_->Answers().RememberBox(file_, em_, code, box);
        cache_->Changed();
        return box;
    }
    GlyphBitmap RenderGlyph(char32_t code) override { return face_->RenderGlyph(code); }

private:
    std::unique_ptr<IFontFace> face_;
    FontFile file_;
    std::shared_ptr<SharedFontCache> cache_;
    int em_ = 0;
};

} // namespace

// The fontconfig configuration this source asks, loaded once and freed with it, and the stamp
// of what it read.
struct FontconfigFonts::Config {
    FontconfigLibrary fc;
    FcConfig* config = nullptr;
    FontConfigStamp stamp;

    Config() {
        std::vector<std::string> read;
        if (fc.Load()) {
            config = fc.InitLoadConfigAndFonts();
        }
        if (config != nullptr) {
            AddAll(fc, fc.ConfigGetConfigFiles(config), read);
            AddAll(fc, fc.ConfigGetConfigDirs(config), read);
            AddAll(fc, fc.ConfigGetFontDirs(config), read);
        }
        stamp = CurrentConfigStamp(read);
    }
    ~Config() {
        if (config != nullptr) {
            fc.ConfigDestroy(config);
        }
    }
    Config(const Config&) = delete;
    Config& operator=(const Config&) = delete;
};

FontconfigFonts::FontconfigFonts() = default;

FontconfigFonts::FontconfigFonts(const std::string& cacheFile, Scheduler scheduleSave)
    : cache_(std::make_shared<SharedFontCache>(cacheFile, std::move(scheduleSave))) {}

FontconfigFonts::~FontconfigFonts() {
    if (cache_ != nullptr) {
        cache_->Detach();
    }
}

FontFile FontconfigFonts::Locate(const std::string& family, bool bold, bool italic) {
    const std::optional<FontFile> cached = CachedFile(family, bold, italic);
    return cached ? *cached : AskFontconfig(family, bold, italic);
}

std::optional<FontFile> FontconfigFonts::CachedFile(const std::string& family, bool bold, bool italic) {
    return cache_ != nullptr ? cache_->Answers().Find(family, bold, italic) : std::nullopt;
}

FontFile FontconfigFonts::AskFontconfig(const std::string& family, bool bold, bool italic) {
    if (config_ == nullptr) {
        config_ = std::make_unique<Config>();
    }
    FontFile location;
    if (config_->config == nullptr) {
        return location;
    }
    const FontconfigLibrary& fc = config_->fc;
    FcPattern* pattern = fc.PatternCreate();
    if (pattern == nullptr) {
        return location;
    }
    const std::string name = FamilyToAsk(family);
    fc.PatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    fc.PatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    fc.PatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    fc.PatternAddBool(pattern, FC_SCALABLE, FcTrue);
    fc.ConfigSubstitute(config_->config, pattern, FcMatchPattern);
    fc.DefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = fc.FontMatch(config_->config, pattern, &result)) {
        FcChar8* file = nullptr;
        if (fc.PatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            location.path = reinterpret_cast<const char*>(file);
        }
        fc.PatternGetInteger(match, FC_INDEX, 0, &location.index);
        fc.PatternDestroy(match);
    }
    fc.PatternDestroy(pattern);
    if (cache_ != nullptr && !location.path.empty()) {
        cache_->Answers().Remember(family, bold, italic, location, config_->stamp);
        cache_->Changed();
    }
    return location;
}

std::unique_ptr<IFontFace> FontconfigFonts::OpenFace(const std::string& family, bool bold, bool italic) {
    const std::optional<FontFile> cached = CachedFile(family, bold, italic);
    FontFile file = cached ? *cached : AskFontconfig(family, bold, italic);
    std::unique_ptr<IFontFace> face = OpenFile(file, bold, italic);
    // A cached answer that no longer opens is asked again.
    if (face == nullptr && cached) {
        file = AskFontconfig(family, bold, italic);
        face = OpenFile(file, bold, italic);
    }
    if (face == nullptr || cache_ == nullptr) {
        return face;
    }
    return std::make_unique<CachedBoxesFace>(std::move(face), file, cache_);
}

std::unique_ptr<IFontFace> FontconfigFonts::OpenFile(const FontFile& file, bool bold, bool italic) {
    if (file.path.empty()) {
        return nullptr;
    }
    if (library_ == nullptr) {
        library_ = freetype::OpenLibrary();
    }
    return freetype::OpenFace(library_, file.path, file.index, bold, italic);
}

} // namespace platform::linuxdesktop
