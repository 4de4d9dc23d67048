#include "platform/linuxdesktop/FontconfigFonts.h"

#include "platform/freetype/FreeTypeFonts.h"
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
        const FileStamp stamp = StampOf(file_);
        if (stamp.exists && stamp.size <= std::int64_t(FontCache::kMaxTextSize) &&
            LinuxFiles().ReadFile(file_, text)) {
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

// Opens the FreeType faces of a font source, starting FreeType at the first one; shared with
// the cached faces, which open theirs when first asked something the cache lacks.
class FaceOpener {
public:
    std::unique_ptr<IFontFace> Open(const FontFile& file, bool bold, bool italic) {
        if (file.path.empty()) {
            return nullptr;
        }
        if (library_ == nullptr) {
            library_ = freetype::OpenLibrary();
        }
        std::unique_ptr<IFontFace> face = freetype::OpenFace(library_, file.path, file.index, bold, italic);
        opened_ += face != nullptr ? 1 : 0;
        return face;
    }
    RendererStamp Renderer() const { return RendererStampOf(freetype::LibraryFile(library_)); }
    int Opened() const { return opened_; }

private:
    std::shared_ptr<freetype::Library> library_;
    int opened_ = 0;
};

namespace {

// A face that answers from the cache while it holds the answer, and opens the font file the
// first time it does not; what the file then gives is added to the cache.
class CachedFace : public IFontFace {
public:
    CachedFace(FontFile file, bool bold, bool italic, std::unique_ptr<IFontFace> face,
               std::shared_ptr<FaceOpener> opener, std::shared_ptr<SharedFontCache> cache)
        : file_(std::move(file)), bold_(bold), italic_(italic), opener_(std::move(opener)),
          cache_(std::move(cache)) {
        Adopt(std::move(face));
    }

    std::string FamilyName() override { return Info().family; }
    FontDesign Design() override { return Info().design; }

    bool SetPixelSize(int em) override {
        em_ = em;
        if (Answers().KnowsSize(file_, em)) {
            return true;
        }
        IFontFace* face = Sized();
        if (face == nullptr) {
            return false;
        }
        Answers().RememberSize(file_, em);
        cache_->Changed();
        return true;
    }

    GlyphBox MeasureGlyph(char32_t code) override {
        if (const std::optional<GlyphBox> cached = Answers().Box(file_, em_, code)) {
            return *cached;
        }
        IFontFace* face = Sized();
        if (face == nullptr) {
            return GlyphBox{};
        }
        const GlyphBox box = face->MeasureGlyph(code);
        Answers().RememberBox(file_, em_, code, box);
        cache_->Changed();
        return box;
    }

    GlyphBitmap RenderGlyph(char32_t code) override {
        if (std::optional<GlyphBitmap> cached = Answers().Glyph(file_, bold_, italic_, em_, code)) {
            return std::move(*cached);
        }
        IFontFace* face = Sized();
        if (face == nullptr) {
            return GlyphBitmap{};
        }
        GlyphBitmap glyph = face->RenderGlyph(code);
        Answers().RememberGlyph(file_, bold_, italic_, em_, code, glyph);
        if (code >= kFirstPrintable && code <= kLastPrintable) {
            RenderPrintable(*face);
        }
        cache_->Changed();
        return glyph;
    }

private:
    static constexpr char32_t kFirstPrintable = 32;
    static constexpr char32_t kLastPrintable = 126;

    FontCache& Answers() { return cache_->Answers(); }

    // Text that changes while the program runs (a clock, a countdown, an edit) draws from the
    // printable ASCII characters: once the file is read for one of them, the rest are rendered
    // too, so that a later start need not read it for the next digit shown.
    void RenderPrintable(IFontFace& face) {
        for (char32_t code = kFirstPrintable; code <= kLastPrintable; ++code) {
            if (!Answers().Glyph(file_, bold_, italic_, em_, code)) {
                Answers().RememberGlyph(file_, bold_, italic_, em_, code, face.RenderGlyph(code));
            }
        }
    }

    FaceInfo Info() {
        if (const std::optional<FaceInfo> cached = Answers().Info(file_)) {
            return *cached;
        }
        IFontFace* face = OpenedFace();
        if (face == nullptr) {
            return FaceInfo{};
        }
        const FaceInfo info{face->FamilyName(), face->Design()};
        Answers().RememberInfo(file_, info);
        cache_->Changed();
        return info;
    }

    // Answers are kept for the FreeType library that gave them.
    void Adopt(std::unique_ptr<IFontFace> face) {
        face_ = std::move(face);
        if (face_ != nullptr) {
            Answers().RenderedBy(opener_->Renderer());
        }
    }

    // The face read from the file, opened once, at the first answer the cache lacks.
    IFontFace* OpenedFace() {
        if (face_ == nullptr && !triedToOpen_) {
            triedToOpen_ = true;
            Adopt(opener_->Open(file_, bold_, italic_));
        }
        return face_.get();
    }

    // The opened face at the size last set; nullptr when it has no face or cannot take the size.
    IFontFace* Sized() {
        IFontFace* face = OpenedFace();
        if (face == nullptr || (faceEm_ != em_ && !face->SetPixelSize(em_))) {
            return nullptr;
        }
        faceEm_ = em_;
        return face;
    }

    FontFile file_;
    bool bold_;
    bool italic_;
    std::shared_ptr<FaceOpener> opener_;
    std::shared_ptr<SharedFontCache> cache_;
    std::unique_ptr<IFontFace> face_;
    bool triedToOpen_ = false;
    int em_ = 0;
    int faceEm_ = 0; // the size face_ was set to
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

FontconfigFonts::FontconfigFonts() : opener_(std::make_shared<FaceOpener>()) {}

FontconfigFonts::FontconfigFonts(const std::string& cacheFile, Scheduler scheduleSave)
    : cache_(std::make_shared<SharedFontCache>(cacheFile, std::move(scheduleSave))),
      opener_(std::make_shared<FaceOpener>()) {}

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

int FontconfigFonts::FacesOpened() const {
    return opener_->Opened();
}

std::unique_ptr<IFontFace> FontconfigFonts::OpenFace(const std::string& family, bool bold, bool italic) {
    const std::optional<FontFile> cached = CachedFile(family, bold, italic);
    // A face the cache describes (so its unchanged file opened before) is read when first asked
    // something the cache lacks.
    if (cached && cache_->Answers().Info(*cached)) {
        return std::make_unique<CachedFace>(*cached, bold, italic, nullptr, opener_, cache_);
    }
    FontFile file = cached ? *cached : AskFontconfig(family, bold, italic);
    std::unique_ptr<IFontFace> face = opener_->Open(file, bold, italic);
    // A cached answer that no longer opens is asked again.
    if (face == nullptr && cached) {
        file = AskFontconfig(family, bold, italic);
        face = opener_->Open(file, bold, italic);
    }
    if (face == nullptr || cache_ == nullptr) {
        return face;
    }
    return std::make_unique<CachedFace>(file, bold, italic, std::move(face), opener_, cache_);
}

} // namespace platform::linuxdesktop
