// The font cache: answers kept from an earlier run count while what they were taken from is
// unchanged, a broken file counts as empty, and a start with a current cache does not load
// fontconfig's configuration.
#include "platform/linuxdesktop/FontCache.h"

#include "platform/linuxdesktop/FontconfigFonts.h"
#include "support/ScopedEnvironment.h"
#include "support/TemporaryFolder.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using platform::GlyphBox;
using platform::linuxdesktop::CurrentConfigStamp;
using platform::linuxdesktop::FontCache;
using platform::linuxdesktop::FontconfigFonts;
using platform::linuxdesktop::FontFile;

class FontCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("fonts.conf", "<fontconfig/>");
        folder.Write("face.ttf", "not really a font");
    }

    std::string Path(const std::string& name) const { return folder.Path(name); }
    // The font file the cache's entries name.
    FontFile Face() const { return FontFile{Path("face.ttf"), 0}; }
    // A cache read from the text.
    static FontCache Parsed(const std::string& text) {
        FontCache cache;
        cache.Parse(text);
        return cache;
    }
    // Moves a file's time stamp, as an edit does.
    static void Touch(const std::string& path) {
        const auto when = std::filesystem::last_write_time(path);
        std::filesystem::last_write_time(path, when + std::chrono::seconds(5));
    }

    // A cache that knows one lookup and one glyph box, as text.
    std::string Written() {
        FontCache cache;
        const FontFile face = Face();
        cache.Remember("Arial", false, false, face, CurrentConfigStamp({Path("fonts.conf")}));
        cache.RememberBox(face, 11, U'A', GlyphBox{true, 576, 0, 467});
        cache.RememberBox(face, 11, U'\u20AC', GlyphBox{});
        return cache.Serialize();
    }

    TemporaryFolder folder;
};

} // namespace

TEST_F(FontCacheTest, AnswersComeBackFromTheWrittenText) {
    FontCache cache = Parsed(Written());
    const FontFile face = Face();

    ASSERT_TRUE(cache.Find("Arial", false, false).has_value());
    EXPECT_EQ(cache.Find("Arial", false, false)->path, face.path);
    EXPECT_FALSE(cache.Find("Arial", true, false).has_value());
    ASSERT_TRUE(cache.Box(face, 11, U'A').has_value());
    EXPECT_EQ(cache.Box(face, 11, U'A')->top, 576);
    EXPECT_EQ(cache.Box(face, 11, U'A')->advance, 467);
    ASSERT_TRUE(cache.Box(face, 11, U'\u20AC').has_value());
    EXPECT_FALSE(cache.Box(face, 11, U'\u20AC')->present);
    EXPECT_FALSE(cache.Box(face, 12, U'A').has_value());
    EXPECT_FALSE(cache.Changed());
}

TEST_F(FontCacheTest, ACutOrAlteredFileCountsAsEmpty) {
    const std::string text = Written();
    std::string altered = text;
    altered[altered.find("576")] = '9';
    for (const std::string& broken : {text.substr(0, text.size() / 2), altered, std::string("garbage\n"),
                                      std::string(), text + "face\n"}) {
        FontCache cache = Parsed(broken);
        EXPECT_FALSE(cache.Find("Arial", false, false).has_value());
        EXPECT_FALSE(cache.Box(Face(), 11, U'A').has_value());
    }
}

TEST_F(FontCacheTest, AChangedConfigurationDropsTheLookupsButKeepsTheGlyphBoxes) {
    const std::string text = Written();
    Touch(Path("fonts.conf"));

    FontCache cache = Parsed(text);
    EXPECT_FALSE(cache.Find("Arial", false, false).has_value());
    EXPECT_TRUE(cache.Box(Face(), 11, U'A').has_value());
}

TEST_F(FontCacheTest, AChangedFontFileDropsEverythingAboutIt) {
    const std::string text = Written();
    folder.Write("face.ttf", "another font altogether");

    FontCache cache = Parsed(text);
    EXPECT_FALSE(cache.Find("Arial", false, false).has_value());
    EXPECT_FALSE(cache.Box(Face(), 11, U'A').has_value());
}

TEST_F(FontCacheTest, ANewPerUserConfigurationDropsTheLookups) {
    std::filesystem::create_directories(Path("home"));
    const TScopedEnvironment home("HOME", Path("home").c_str());
    const std::string text = Written();
    std::filesystem::create_directories(Path("home/.config/fontconfig"));
    folder.Write("home/.config/fontconfig/fonts.conf", "<fontconfig/>");

    EXPECT_FALSE(Parsed(text).Find("Arial", false, false).has_value());
}

// ---------------------------------------------------------------------------------------
// The font source with a cache file

TEST_F(FontCacheTest, ASecondStartFindsItsFontsWithoutLoadingFontconfig) {
    const std::string file = Path("cache/fonts");
    std::vector<std::function<void()>> saves;
    const auto schedule = [&saves](std::function<void()> work) {
        saves.push_back(std::move(work));
    };
    FontFile first;
    platform::GlyphBox measured;
    {
        FontconfigFonts fonts(file, schedule);
        first = fonts.Locate("Arial", false, false);
        auto face = fonts.OpenFace("Arial", false, false);
        ASSERT_NE(face, nullptr);
        ASSERT_TRUE(face->SetPixelSize(11));
        measured = face->MeasureGlyph(U'g');
        EXPECT_TRUE(fonts.FontconfigLoaded());
        ASSERT_EQ(saves.size(), 1u);
        saves.front()();
    }
    ASSERT_TRUE(std::filesystem::exists(file));

    FontconfigFonts fonts(file, schedule);
    EXPECT_EQ(fonts.Locate("Arial", false, false).path, first.path);
    auto face = fonts.OpenFace("Arial", false, false);
    ASSERT_NE(face, nullptr);
    ASSERT_TRUE(face->SetPixelSize(11));
    const platform::GlyphBox cached = face->MeasureGlyph(U'g');
    EXPECT_EQ(cached.bottom, measured.bottom);
    EXPECT_EQ(cached.advance, measured.advance);
    EXPECT_FALSE(fonts.FontconfigLoaded());
    EXPECT_EQ(saves.size(), 1u); // nothing new to write
}

TEST_F(FontCacheTest, AnAnswerThatNoLongerOpensOrABrokenFileStillGivesText) {
    const std::string file = Path("fonts");
    {
        // A current cache that names a file FreeType cannot read.
        FontCache cache;
        cache.Remember("Arial", false, false, Face(), CurrentConfigStamp({}));
        folder.Write("fonts", cache.Serialize());
        FontconfigFonts fonts(file, nullptr);
        auto face = fonts.OpenFace("Arial", false, false);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->FamilyName(), "Liberation Sans");
    }
    folder.Write("fonts", "vesperon-font-cache 1\nface\tArial\n");
    FontconfigFonts fonts(file, nullptr);
    auto face = fonts.OpenFace("Arial", false, false);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->FamilyName(), "Liberation Sans");
}
