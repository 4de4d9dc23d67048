// The font sources: fontconfig lookup on the desktop, the fixed test fonts of the headless
// backend, and the FreeType faces both open.
#include "platform/freetype/FreeTypeFonts.h"
#include "platform/linuxdesktop/FontconfigFonts.h"
#include "platform/testfonts/TestFonts.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

using platform::IFontFace;
using platform::linuxdesktop::FontconfigFonts;
using platform::linuxdesktop::FontFile;

constexpr const char* kLiberationSansRegular =
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";

struct TStyle {
    bool bold;
    bool italic;
};
constexpr TStyle kStyles[] = {{false, false}, {true, false}, {false, true}, {true, true}};

// The ink of a rendered glyph: the sum of its coverage.
long Ink(const platform::GlyphBitmap& glyph) {
    long sum = 0;
    for (std::uint8_t value : glyph.coverage) {
        sum += value;
    }
    return sum;
}

void ExpectSameDesign(IFontFace& a, IFontFace& b) {
    const platform::FontDesign x = a.Design();
    const platform::FontDesign y = b.Design();
    EXPECT_EQ(x.unitsPerEm, y.unitsPerEm);
    EXPECT_EQ(x.winAscent, y.winAscent);
    EXPECT_EQ(x.winDescent, y.winDescent);
    EXPECT_EQ(x.lineHeight, y.lineHeight);
    EXPECT_EQ(x.averageCharWidth, y.averageCharWidth);
    EXPECT_EQ(x.underlinePosition, y.underlinePosition);
    EXPECT_EQ(x.strikeoutPosition, y.strikeoutPosition);
}

// Hinted boxes and rendered glyphs of the printable ASCII characters at a few sizes.
void ExpectSameGlyphs(IFontFace& a, IFontFace& b) {
    for (int em : {8, 11, 16}) {
        ASSERT_TRUE(a.SetPixelSize(em));
        ASSERT_TRUE(b.SetPixelSize(em));
        for (char32_t code = 32; code <= 126; ++code) {
            const platform::GlyphBox x = a.MeasureGlyph(code);
            const platform::GlyphBox y = b.MeasureGlyph(code);
            EXPECT_EQ(x.top, y.top) << em << " " << char(code);
            EXPECT_EQ(x.bottom, y.bottom) << em << " " << char(code);
            EXPECT_EQ(x.advance, y.advance) << em << " " << char(code);
            EXPECT_EQ(a.RenderGlyph(code).coverage, b.RenderGlyph(code).coverage) << em << " " << char(code);
        }
    }
}

TEST(FontconfigLookup, ArialAndTheDialogFontsFindLiberationSans) {
    FontconfigFonts fonts;
    for (const char* family : {"Arial", "arial", "MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg 2"}) {
        const FontFile file = fonts.Locate(family, false, false);
        EXPECT_TRUE(std::filesystem::is_regular_file(file.path)) << family << ": " << file.path;
        const auto face = fonts.OpenFace(family, false, false);
        ASSERT_NE(face, nullptr) << family;
        EXPECT_EQ(face->FamilyName(), "Liberation Sans") << family;
    }
}

TEST(FontconfigLookup, EachStyleHasAFileOfItsOwn) {
    FontconfigFonts fonts;
    std::set<std::string> paths;
    for (const TStyle style : kStyles) {
        const FontFile file = fonts.Locate("Arial", style.bold, style.italic);
        EXPECT_TRUE(std::filesystem::is_regular_file(file.path)) << file.path;
        paths.insert(file.path);
    }
    EXPECT_EQ(paths.size(), 4U);
}

TEST(FontconfigLookup, AnUnknownFamilyStillGivesAUsableFace) {
    FontconfigFonts fonts;
    const FontFile file = fonts.Locate("No Such Family Vesperon", false, false);
    EXPECT_TRUE(std::filesystem::is_regular_file(file.path)) << file.path;
    const auto face = fonts.OpenFace("No Such Family Vesperon", true, false);
    ASSERT_NE(face, nullptr);
    EXPECT_FALSE(face->FamilyName().empty());
    ASSERT_TRUE(face->SetPixelSize(11));
    EXPECT_TRUE(face->MeasureGlyph(U'A').present);
    EXPECT_GT(Ink(face->RenderGlyph(U'A')), 0);
}

TEST(TestFonts, EveryFamilyGivesLiberationSans) {
    const auto fonts = platform::testfonts::OpenTestFonts();
    for (const char* family : {"Arial", "Tahoma", "No Such Family Vesperon", ""}) {
        const auto face = fonts->OpenFace(family, false, false);
        ASSERT_NE(face, nullptr) << family;
        EXPECT_EQ(face->FamilyName(), "Liberation Sans") << family;
    }
}

// The pixel and metric tests run on the test fonts; this keeps them true of the program.
TEST(TestFonts, MatchTheDesktopFacesOfArialInEveryStyle) {
    const auto testFonts = platform::testfonts::OpenTestFonts();
    FontconfigFonts desktopFonts;
    for (const TStyle style : kStyles) {
        SCOPED_TRACE(std::to_string(style.bold) + std::to_string(style.italic));
        const auto test = testFonts->OpenFace("Arial", style.bold, style.italic);
        const auto desktop = desktopFonts.OpenFace("Arial", style.bold, style.italic);
        ASSERT_NE(test, nullptr);
        ASSERT_NE(desktop, nullptr);
        ExpectSameDesign(*test, *desktop);
        ExpectSameGlyphs(*test, *desktop);
    }
}

TEST(FreeTypeFace, MissingFilesAndFacesOpenNothing) {
    const auto library = platform::freetype::OpenLibrary();
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(platform::freetype::OpenFace(library, "/nonexistent/font.ttf", 0, false, false), nullptr);
    EXPECT_EQ(platform::freetype::OpenFace(library, kLiberationSansRegular, 3, false, false), nullptr);
    EXPECT_EQ(platform::freetype::OpenFace(nullptr, kLiberationSansRegular, 0, false, false), nullptr);
}

TEST(FreeTypeFace, DesignValuesComeFromTheFontTables) {
    const auto face = platform::freetype::OpenFace(platform::freetype::OpenLibrary(), kLiberationSansRegular,
                                                   0, false, false);
    ASSERT_NE(face, nullptr);
    const platform::FontDesign design = face->Design();
    EXPECT_EQ(design.unitsPerEm, 2048);
    EXPECT_GT(design.winAscent, 0);
    EXPECT_GT(design.winDescent, 0);
    EXPECT_GT(design.ascender, 0);
    EXPECT_LT(design.descender, 0);
    EXPECT_GE(design.lineHeight, design.ascender - design.descender);
    EXPECT_LT(design.underlinePosition, 0);
    EXPECT_GT(design.underlineThickness, 0);
    EXPECT_GT(design.averageCharWidth, 0);
    EXPECT_GT(design.strikeoutPosition, 0);
}

TEST(FreeTypeFace, AMissingGlyphMeasuresAsAbsent) {
    const auto face = platform::freetype::OpenFace(platform::freetype::OpenLibrary(), kLiberationSansRegular,
                                                   0, false, false);
    ASSERT_NE(face, nullptr);
    ASSERT_TRUE(face->SetPixelSize(11));
    EXPECT_FALSE(face->MeasureGlyph(U'\U0001F600').present);
    const platform::GlyphBox a = face->MeasureGlyph(U'A');
    EXPECT_TRUE(a.present);
    EXPECT_GT(a.top, 0);
    EXPECT_EQ(a.bottom, 0);
    EXPECT_GT(a.advance, 0);
}

TEST(FreeTypeFace, StylesMissingFromTheFileAreSynthesised) {
    const auto library = platform::freetype::OpenLibrary();
    const auto regular = platform::freetype::OpenFace(library, kLiberationSansRegular, 0, false, false);
    const auto bold = platform::freetype::OpenFace(library, kLiberationSansRegular, 0, true, false);
    const auto italic = platform::freetype::OpenFace(library, kLiberationSansRegular, 0, false, true);
    ASSERT_NE(regular, nullptr);
    ASSERT_NE(bold, nullptr);
    ASSERT_NE(italic, nullptr);
    for (IFontFace* face : {regular.get(), bold.get(), italic.get()}) {
        ASSERT_TRUE(face->SetPixelSize(20));
    }
    const platform::GlyphBitmap upright = regular->RenderGlyph(U'l');
    EXPECT_GT(Ink(bold->RenderGlyph(U'l')), Ink(upright));
    EXPECT_GT(italic->RenderGlyph(U'l').width, upright.width);
}

TEST(FreeTypeFace, RenderedGlyphsAreGreyCoverageOnTheBaseline) {
    const auto face = platform::freetype::OpenFace(platform::freetype::OpenLibrary(), kLiberationSansRegular,
                                                   0, false, false);
    ASSERT_NE(face, nullptr);
    ASSERT_TRUE(face->SetPixelSize(11));
    const platform::GlyphBitmap glyph = face->RenderGlyph(U'H');
    EXPECT_EQ(glyph.coverage.size(), std::size_t(glyph.width) * std::size_t(glyph.height));
    EXPECT_EQ(glyph.top, glyph.height); // H stands on the baseline
    EXPECT_EQ(glyph.top * 64, face->MeasureGlyph(U'H').top);
    EXPECT_GT(glyph.advance, glyph.width / 2);
    const platform::GlyphBitmap space = face->RenderGlyph(U' ');
    EXPECT_TRUE(space.coverage.empty());
    EXPECT_GT(space.advance, 0);
}

} // namespace
