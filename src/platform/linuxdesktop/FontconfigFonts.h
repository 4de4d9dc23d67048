// Fonts of the Linux desktop: fontconfig finds the file for a family name and style (Arial
// resolves to the metric-compatible Liberation Sans), FreeType reads and rasterises it. With a
// cache file, a start whose answers are all cached (and still current) loads neither
// fontconfig nor FreeType, and opens no font file.
#pragma once

#include "platform/Fonts.h"
#include "platform/linuxdesktop/FontCache.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform::linuxdesktop {

class SharedFontCache;
class FaceOpener;

class FontconfigFonts : public IFonts {
public:
    // Runs work at a moment of the caller's choosing (when the program is idle).
    using Scheduler = std::function<void(std::function<void()>)>;

    // Every lookup asks fontconfig.
    FontconfigFonts();
    // Answers come from the cache file while they are current; new answers are written to it,
    // replacing it whole, by work handed to `scheduleSave`.
    FontconfigFonts(const std::string& cacheFile, Scheduler scheduleSave);
    ~FontconfigFonts() override;
    FontconfigFonts(const FontconfigFonts&) = delete;
    FontconfigFonts& operator=(const FontconfigFonts&) = delete;

    // The best scalable face for the family and style; a missing family gives the configured
    // substitute.
    FontFile Locate(const std::string& family, bool bold, bool italic);
    // Whether fontconfig's configuration has been loaded (a lookup was not answered by the cache).
    bool FontconfigLoaded() const { return config_ != nullptr; }
    // How many font files were opened (and read by FreeType) for this source's faces.
    int FacesOpened() const;

    std::unique_ptr<IFontFace> OpenFace(const std::string& family, bool bold, bool italic) override;

private:
    struct Config;

    std::optional<FontFile> CachedFile(const std::string& family, bool bold, bool italic);
    FontFile AskFontconfig(const std::string& family, bool bold, bool italic);

    std::unique_ptr<Config> config_; // loaded at the first lookup the cache cannot answer
    std::shared_ptr<SharedFontCache> cache_;
    std::shared_ptr<FaceOpener> opener_;
};

} // namespace platform::linuxdesktop
