// The font cache: answers kept from an earlier run count while what they were taken from is
// unchanged, a broken or hostile file counts as empty, and a start with a current cache loads
// neither fontconfig's configuration nor FreeType, yet draws the same pixels.
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

using platform::FontDesign;
using platform::GlyphBitmap;
using platform::GlyphBox;
using platform::IFontFace;
using platform::linuxdesktop::CurrentConfigStamp;
using platform::linuxdesktop::FaceInfo;
using platform::linuxdesktop::FontCache;
using platform::linuxdesktop::FontconfigFonts;
using platform::linuxdesktop::FontFile;
using platform::linuxdesktop::RendererStampOf;

// A glyph with every coverage value and runs longer than the text form's run letters.
GlyphBitmap SampleGlyph() {
    GlyphBitmap glyph{-1, 9, 20, 20, 7, {}};
    for (int i = 0; i < 400; ++i) {
        glyph.coverage.push_back(std::uint8_t(i < 256 ? i : (i < 330 ? 0 : 255)));
    }
    return glyph;
}

void ExpectSameGlyph(const GlyphBitmap& a, const GlyphBitmap& b) {
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.advance, b.advance);
    EXPECT_EQ(a.coverage, b.coverage);
}

// The text without its checksum line.
std::string Body(const std::string& text) {
    return text.substr(0, text.rfind('\n', text.size() - 2) + 1);
}

class FontCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("fonts.conf", "<fontconfig/>");
        folder.Write("face.ttf", "not really a font");
        folder.Write("libfreetype.so.6", "not really a library");
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

    // A cache that knows one lookup and one face's answers, as text.
    std::string Written() {
        FontCache cache;
        const FontFile face = Face();
        cache.Remember("Arial", false, false, face, CurrentConfigStamp({Path("fonts.conf")}));
        cache.RenderedBy(RendererStampOf(Path("libfreetype.so.6")));
        cache.RememberInfo(face, FaceInfo{"Liberation Sans", FontDesign{2048, 1854, 434, 1854, -434, 2355,
                                                                        1176, -292, 150, 530}});
        cache.RememberSize(face, 11);
        cache.RememberSize(face, 30);
        cache.RememberBox(face, 11, U'A', GlyphBox{true, 576, 0, 467});
        cache.RememberBox(face, 11, U'\u20AC', GlyphBox{});
        cache.RememberGlyph(face, false, true, 11, U'A', SampleGlyph());
        cache.RememberGlyph(face, false, true, 11, U' ', GlyphBitmap{0, 0, 0, 0, 3, {}});
        return cache.Serialize();
    }
    // The written cache with a line added, checksum and all.
    std::string WrittenWith(const std::string& line) {
        return FontCache::Sealed(Body(Written()) + line + "\n");
    }

    // Whether a parsed cache still holds the answers of Written().
    bool HoldsTheFaceAnswers(FontCache& cache) {
        const FontFile face{Path("face.ttf"), 0};
        return cache.Info(face) && cache.KnowsSize(face, 11) && cache.Box(face, 11, U'A') &&
               cache.Glyph(face, false, true, 11, U'A');
    }

    TemporaryFolder folder;
};

// What the toolkit asks of a face: its name and design, and the printable ASCII glyphs measured
// and rendered at a few sizes.
struct TFaceAnswers {
    std::string family;
    FontDesign design;
    std::vector<GlyphBox> boxes;
    std::vector<GlyphBitmap> glyphs;
};

TFaceAnswers AskEverything(IFontFace& face) {
    TFaceAnswers answers{face.FamilyName(), face.Design(), {}, {}};
    for (const int em : {8, 11, 16}) {
        EXPECT_TRUE(face.SetPixelSize(em));
        for (char32_t code = 32; code <= 126; ++code) {
            answers.boxes.push_back(face.MeasureGlyph(code));
            answers.glyphs.push_back(face.RenderGlyph(code));
        }
    }
    return answers;
}

std::vector<int> DesignValues(const FontDesign& d) {
    return {d.unitsPerEm, d.winAscent,        d.winDescent,        d.ascender,           d.descender,
            d.lineHeight, d.averageCharWidth, d.underlinePosition, d.underlineThickness, d.strikeoutPosition};
}

void ExpectSameAnswers(const TFaceAnswers& a, const TFaceAnswers& b) {
    EXPECT_EQ(a.family, b.family);
    EXPECT_EQ(DesignValues(a.design), DesignValues(b.design));
    ASSERT_EQ(a.boxes.size(), b.boxes.size());
    ASSERT_EQ(a.glyphs.size(), b.glyphs.size());
    for (std::size_t i = 0; i < a.boxes.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(a.boxes[i].present, b.boxes[i].present);
        EXPECT_EQ(a.boxes[i].top, b.boxes[i].top);
        EXPECT_EQ(a.boxes[i].bottom, b.boxes[i].bottom);
        EXPECT_EQ(a.boxes[i].advance, b.boxes[i].advance);
        ExpectSameGlyph(a.glyphs[i], b.glyphs[i]);
    }
}

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

    ASSERT_TRUE(cache.Info(face).has_value());
    EXPECT_EQ(cache.Info(face)->family, "Liberation Sans");
    EXPECT_EQ(cache.Info(face)->design.winDescent, 434);
    EXPECT_EQ(cache.Info(face)->design.strikeoutPosition, 530);
    EXPECT_FALSE(cache.Info(FontFile{face.path, 1}).has_value());
    EXPECT_TRUE(cache.KnowsSize(face, 30)); // a size with no glyph yet
    EXPECT_FALSE(cache.KnowsSize(face, 12));

    const std::optional<GlyphBitmap> glyph = cache.Glyph(face, false, true, 11, U'A');
    ASSERT_TRUE(glyph.has_value());
    ExpectSameGlyph(*glyph, SampleGlyph());
    ASSERT_TRUE(cache.Glyph(face, false, true, 11, U' ').has_value());
    EXPECT_EQ(cache.Glyph(face, false, true, 11, U' ')->advance, 3);
    // Another style or size is another glyph.
    EXPECT_FALSE(cache.Glyph(face, false, false, 11, U'A').has_value());
    EXPECT_FALSE(cache.Glyph(face, true, true, 11, U'A').has_value());
    EXPECT_FALSE(cache.Glyph(face, false, true, 12, U'A').has_value());
    EXPECT_FALSE(cache.Changed());
}

TEST_F(FontCacheTest, AnotherFreeTypeDropsTheFaceAnswersButKeepsTheLookups) {
    const std::string text = Written();
    Touch(Path("libfreetype.so.6"));
    FontCache cache;
    cache.Parse(text);
    EXPECT_TRUE(cache.Find("Arial", false, false).has_value());
    EXPECT_FALSE(cache.Info(FontFile{Path("face.ttf"), 0}).has_value());
    EXPECT_FALSE(cache.KnowsSize(FontFile{Path("face.ttf"), 0}, 11));
    EXPECT_FALSE(cache.Box(FontFile{Path("face.ttf"), 0}, 11, U'A').has_value());
    EXPECT_FALSE(cache.Glyph(FontFile{Path("face.ttf"), 0}, false, true, 11, U'A').has_value());

    // The same holds for a loader search path that could find another library.
    const char* saved = std::getenv("LD_LIBRARY_PATH");
    const std::string previous = saved != nullptr ? saved : "";
    const std::string current = Written();
    setenv("LD_LIBRARY_PATH", (previous + ":" + Path("lib")).c_str(), 1);
    cache.Parse(current);
    EXPECT_FALSE(HoldsTheFaceAnswers(cache));
    setenv("LD_LIBRARY_PATH", previous.c_str(), 1);
    cache.Parse(current);
    EXPECT_TRUE(HoldsTheFaceAnswers(cache));

    // A library found changed during a run drops what the old one gave.
    cache.RenderedBy(RendererStampOf(Path("face.ttf")));
    EXPECT_FALSE(HoldsTheFaceAnswers(cache));
    EXPECT_TRUE(cache.Changed());
}

TEST_F(FontCacheTest, FaceAnswersWithoutTheirLibraryDoNotCount) {
    const std::string body = Body(Written());
    std::string withoutLibrary;
    for (std::size_t start = 0; start < body.size();) {
        const std::size_t end = body.find('\n', start) + 1;
        if (body.compare(start, 8, "renderer") != 0) {
            withoutLibrary += body.substr(start, end - start);
        }
        start = end;
    }
    FontCache cache;
    cache.Parse(FontCache::Sealed(withoutLibrary));
    EXPECT_TRUE(cache.Find("Arial", false, false).has_value());
    EXPECT_FALSE(HoldsTheFaceAnswers(cache));
}

TEST_F(FontCacheTest, ValuesOutOfBoundsOrMalformedLeaveTheWholeFileOut) {
    const std::string face = Path("face.ttf");
    const std::string glyphs = "glyphs\t" + face + "\t0\t0\t0\t11\t";
    {
        FontCache cache;
        cache.Parse(WrittenWith(glyphs + "66:0,9,2,2,5,0aGgff"));
        ASSERT_TRUE(HoldsTheFaceAnswers(cache)); // the well-formed line the cases below break
        ASSERT_TRUE(cache.Glyph(FontFile{face, 0}, false, false, 11, U'B').has_value());
        EXPECT_EQ(cache.Glyph(FontFile{face, 0}, false, false, 11, U'B')->coverage,
                  (std::vector<std::uint8_t>{0x0a, 255, 0, 0xff}));
    }
    for (const std::string& line : {
             glyphs + "66:0,9,100000,100000,5,V",                           // huge bitmap
             glyphs + "66:0,9,1025,1,5," + std::string(64, 'V') + "G",      // wider than allowed
             glyphs + "66:0,9,-2,2,5,",                                     // negative size
             glyphs + "66:0,9,2,2,5,0aGgf",                                 // a hex digit short
             glyphs + "66:0,9,2,2,5,0aGgfF",                                // not lower-case hex
             glyphs + "66:0,9,2,2,5,0aGg",                                  // coverage too short
             glyphs + "66:0,9,2,2,5,0aGgffff",                              // coverage too long
             glyphs + "66:0,9,2,2,5,0aGgzz",                                // not a run letter
             glyphs + "66:0,9,1,1,5,V",                                     // a run past the size
             glyphs + "66:0,9,2,2,0aGgff",                                  // a value missing
             glyphs + "66:99999999999,9,0,0,5,",                            // an offset out of bounds
             glyphs + "1114112:0,9,0,0,5,",                                 // past the last code point
             glyphs + "66:0,9,0,0,5, ",                                     // an empty item
             "glyphs\t" + face + "\t0\t0\t0\t0\t66:0,9,0,0,5,",             // em 0
             "glyphs\t" + face + "\t0\t0\t0\t99999\t66:0,9,0,0,5,",         // em out of bounds
             "glyphs\t" + face + "\t-1\t0\t0\t11\t66:0,9,0,0,5,",           // negative face index
             "boxes\t" + face + "\t0\t11\t66:99999999999,0,5",              // a box out of bounds
             "boxes\t" + face + "\t0\t11\t66:1,0",                          // a box value missing
             "info\t" + face + "\t0\tLiberation Sans\t1,2,3",               // design values missing
             "info\t" + face + "\t0\tLiberation Sans\t1,2,3,4,5,6,7,8,9,x", // not a number
         }) {
        SCOPED_TRACE(line);
        FontCache cache;
        cache.Parse(WrittenWith(line));
        EXPECT_FALSE(HoldsTheFaceAnswers(cache));
        EXPECT_FALSE(cache.Find("Arial", false, false).has_value());
    }
    // A file longer than any this program writes.
    std::string many = glyphs + "0:0,9,0,0,5,";
    for (int code = 1; many.size() <= FontCache::kMaxTextSize; ++code) {
        many += " " + std::to_string(code) + ":0,9,0,0,5,";
    }
    FontCache cache;
    cache.Parse(WrittenWith(many));
    EXPECT_FALSE(cache.Find("Arial", false, false).has_value());
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

TEST_F(FontCacheTest, AChangedConfigurationDropsTheLookupsButKeepsTheFaceAnswers) {
    const std::string text = Written();
    Touch(Path("fonts.conf"));

    FontCache cache = Parsed(text);
    EXPECT_FALSE(cache.Find("Arial", false, false).has_value());
    EXPECT_TRUE(HoldsTheFaceAnswers(cache));
}

TEST_F(FontCacheTest, AChangedFontFileDropsEverythingAboutIt) {
    const std::string text = Written();
    folder.Write("face.ttf", "another font altogether");

    FontCache cache = Parsed(text);
    EXPECT_FALSE(cache.Find("Arial", false, false).has_value());
    EXPECT_FALSE(cache.Box(Face(), 11, U'A').has_value());
    EXPECT_FALSE(cache.Info(Face()).has_value());
    EXPECT_FALSE(cache.Glyph(Face(), false, true, 11, U'A').has_value());
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

TEST_F(FontCacheTest, ASecondStartDrawsTheSamePixelsWithoutOpeningAFontFile) {
    const std::string file = Path("fonts");
    std::vector<std::function<void()>> saves;
    const auto schedule = [&saves](std::function<void()> work) {
        saves.push_back(std::move(work));
    };
    const bool styles[][2] = {{false, false}, {true, false}, {false, true}, {true, true}};
    std::vector<TFaceAnswers> rendered;
    {
        FontconfigFonts fonts(file, schedule);
        for (const auto& style : styles) {
            const auto face = fonts.OpenFace("Arial", style[0], style[1]);
            ASSERT_NE(face, nullptr);
            rendered.push_back(AskEverything(*face));
        }
        EXPECT_EQ(fonts.FacesOpened(), 4);
        ASSERT_EQ(saves.size(), 1u);
        saves.front()();
    }

    FontconfigFonts fonts(file, schedule);
    for (std::size_t i = 0; i < std::size(styles); ++i) {
        SCOPED_TRACE(i);
        const auto face = fonts.OpenFace("Arial", styles[i][0], styles[i][1]);
        ASSERT_NE(face, nullptr);
        ExpectSameAnswers(rendered[i], AskEverything(*face));
    }
    EXPECT_EQ(fonts.FacesOpened(), 0);
    EXPECT_FALSE(fonts.FontconfigLoaded());
    EXPECT_EQ(saves.size(), 1u); // nothing new to write

    // A size the cache lacks opens that face's file, and what it gives is written: with the
    // glyph asked for, the other printable ASCII ones, which a clock's next digit needs.
    {
        const auto face = fonts.OpenFace("Arial", false, false);
        ASSERT_NE(face, nullptr);
        ASSERT_TRUE(face->SetPixelSize(23));
        EXPECT_GT(face->RenderGlyph(U'W').height, 10);
        EXPECT_EQ(fonts.FacesOpened(), 1);
        ASSERT_EQ(saves.size(), 2u);
        saves.back()();
    }
    FontconfigFonts later(file, schedule);
    const auto face = later.OpenFace("Arial", false, false);
    ASSERT_NE(face, nullptr);
    ASSERT_TRUE(face->SetPixelSize(23));
    EXPECT_GT(face->RenderGlyph(U'7').height, 10);
    EXPECT_EQ(later.FacesOpened(), 0);
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
