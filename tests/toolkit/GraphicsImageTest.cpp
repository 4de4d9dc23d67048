#include "GraphicsTestSupport.h"
#include "toolkit/graphics/Resources.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kRed = ColorToPixel(clRed);
constexpr std::uint32_t kFace = ColorToPixel(RGB(240, 240, 240));
constexpr std::uint32_t kShadow = ColorToPixel(RGB(160, 160, 160));

// A 2 x 1 strip of two 1 x 1 cells: red, then the olive mask colour.
TBitmap& RedAndMaskStrip(TBitmap& strip) {
    strip.SetSize(2, 1);
    strip.Buffer().At(0, 0) = kRed;
    strip.Buffer().At(1, 0) = ColorToPixel(clOlive);
    return strip;
}

} // namespace

TEST(Bitmaps, TransparentColourIsTheLowerLeftPixelUnlessSet) {
    TBitmap bitmap(4, 3);
    bitmap.Buffer().At(0, 2) = ColorToPixel(clTeal);
    EXPECT_EQ(bitmap.TransparentColor(), clTeal);
    bitmap.SetTransparentColor(clRed);
    EXPECT_EQ(bitmap.TransparentColor(), clRed);
    EXPECT_EQ(TBitmap().TransparentColor(), clNone);
}

TEST(Bitmaps, ResizeKeepsSharedPixelsAndReportsChanges) {
    TBitmap bitmap(2, 2);
    int changes = 0;
    bitmap.OnChange = [&] {
        ++changes;
    };
    bitmap.Canvas()->SetPixel(1, 1, clRed);
    EXPECT_EQ(changes, 1);
    bitmap.SetSize(3, 3);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(bitmap.Buffer().At(1, 1), kRed);
    EXPECT_EQ(bitmap.Buffer().At(2, 2), kWhitePixel);
    bitmap.Canvas()->FillRect(Rect(0, 0, 3, 3)); // the canvas follows the new size
    EXPECT_EQ(CountChanged(bitmap.Buffer()), 0);
    bitmap.SetSize(3, 3);
    EXPECT_EQ(changes, 3);
}

TEST(Bitmaps, AssignCopiesPixelsAndNullEmpties) {
    TBitmap source(2, 1);
    source.Buffer().At(1, 0) = kRed;
    source.SetTransparent(true);
    TBitmap copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.Width(), 2);
    EXPECT_EQ(copy.Buffer().At(1, 0), kRed);
    EXPECT_TRUE(copy.Transparent());
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(Bitmaps, UnknownPictureIsRefused) {
    TBitmap bitmap(2, 2);
    EXPECT_FALSE(bitmap.LoadFromResourceName("no such picture"));
    EXPECT_EQ(bitmap.Width(), 2);
}

TEST(Artwork, PixelsKeepTheirColoursAndAlpha) {
    // An icon: transparent corner, opaque centre.
    TIcon icon;
    ASSERT_TRUE(icon.LoadFromResourceName("app_icon_32"));
    EXPECT_EQ(icon.Image().At(0, 0) >> 24, 0u);
    EXPECT_EQ(icon.Image().At(16, 16) >> 24, 0xFFu);
    // A two-glyph bitmap: the key colour in the lower-left pixel, no alpha byte.
    TBitmap glyph;
    ASSERT_TRUE(glyph.LoadFromResourceName("btncancel"));
    EXPECT_EQ(glyph.Buffer().At(0, 15), ColorToPixel(clFuchsia));
    EXPECT_TRUE(std::all_of(glyph.Buffer().Data(), glyph.Buffer().Data() + 32 * 16,
                            [](std::uint32_t p) { return (p >> 24) == 0; }));
}

TEST(Artwork, EveryPictureIsEmbeddedWithItsSize) {
    const std::pair<const char*, int> icons[] = {
        {"APP_ICON_16", 16},  {"app_icon_32", 32},  {"app_icon_48", 48},  {"imagelist1_0", 32},
        {"imagelist1_1", 32}, {"imagelist1_2", 32}, {"imagelist2_0", 16}, {"imagelist2_1", 16}};
    for (const auto& [name, size] : icons) {
        TIcon icon;
        ASSERT_TRUE(icon.LoadFromResourceName(name)) << name;
        EXPECT_EQ(icon.Width(), size) << name;
        EXPECT_EQ(icon.Image().At(0, 0) >> 24, 0u) << name << ": icons have transparent corners";
    }
    const char* glyphs[] = {"btnupdate",       "btnclosescreen", "btncancel",      "RZCOMMON_OK",
                            "RZCOMMON_CANCEL", "RZCOMMON_HELP",  "RZCOMMON_YES",   "RZCOMMON_NO",
                            "RZCOMMON_CLOSE",  "RZCOMMON_ABORT", "RZCOMMON_RETRY", "RZCOMMON_IGNORE",
                            "RZCOMMON_ALL"};
    for (const char* name : glyphs) {
        TBitmap bitmap;
        ASSERT_TRUE(bitmap.LoadFromResourceName(name)) << name;
        EXPECT_EQ(bitmap.Width(), 32) << name;
        EXPECT_EQ(bitmap.Height(), 16) << name;
        EXPECT_EQ(bitmap.TransparentColor(), clFuchsia) << name;
    }
}

TEST(ImageLists, AddMaskedSplitsCellsAndDrawsMaskAsTransparent) {
    TImageList list(nullptr, 1, 1);
    TBitmap strip;
    EXPECT_EQ(list.AddMasked(RedAndMaskStrip(strip), clOlive), 0);
    EXPECT_EQ(list.Count(), 2);
    TBitmap target(2, 1);
    list.Draw(target.Canvas(), 0, 0, 0);
    list.Draw(target.Canvas(), 1, 0, 1);
    list.Draw(target.Canvas(), 1, 0, 7); // out of range: nothing
    EXPECT_EQ(target.Buffer().At(0, 0), kRed);
    EXPECT_EQ(target.Buffer().At(1, 0), kWhitePixel);
}

TEST(ImageLists, DisabledDrawIsAnEmbossedGreyRelief) {
    TImageList list(nullptr, 3, 1);
    TBitmap cell(3, 1);
    cell.Buffer().At(0, 0) = kRed;                    // ink
    cell.Buffer().At(1, 0) = kWhitePixel;             // white drops out
    cell.Buffer().At(2, 0) = ColorToPixel(clFuchsia); // masked
    list.AddMasked(cell, clFuchsia);
    TBitmap target(5, 3);
    target.Canvas()->Brush()->SetColor(clBtnFace);
    target.Canvas()->FillRect(Rect(0, 0, 5, 3));
    list.Draw(target.Canvas(), 1, 1, 0, false);
    EXPECT_EQ(target.Buffer().At(1, 1), kShadow);
    EXPECT_EQ(target.Buffer().At(2, 2), kWhitePixel); // highlight one pixel down-right
    EXPECT_EQ(target.Buffer().At(2, 1), kFace);
    EXPECT_EQ(target.Buffer().At(3, 1), kFace);
    EXPECT_EQ(CountChanged(target.Buffer(), kFace), 2);
}

TEST(ImageLists, IconsAndBitmapsComeBackOut) {
    TImageList list(nullptr, 16, 16);
    TIcon icon;
    ASSERT_TRUE(icon.LoadFromResourceName("imagelist1_0"));
    EXPECT_EQ(list.AddIcon(icon), 0); // scaled from 32 to 16
    TIcon out;
    list.GetIcon(0, &out);
    EXPECT_EQ(out.Width(), 16);
    TBitmap bitmap;
    list.GetBitmap(0, &bitmap);
    EXPECT_EQ(bitmap.Width(), 16);
    EXPECT_GT(CountChanged(bitmap.Buffer()), 0);
}

TEST(ImageListLinks, ChangesReachRegisteredLinksUntilUnregistered) {
    TImageList list(nullptr, 1, 1);
    TChangeLink link;
    int changes = 0;
    link.OnChange = [&] {
        ++changes;
    };
    list.RegisterChanges(&link);
    EXPECT_EQ(link.Sender, &list);
    TBitmap strip;
    list.AddMasked(RedAndMaskStrip(strip), clOlive);
    list.Clear();
    EXPECT_EQ(changes, 2);
    list.UnRegisterChanges(&link);
    EXPECT_EQ(link.Sender, nullptr);
    list.AddMasked(strip, clOlive);
    EXPECT_EQ(changes, 2);
}

TEST(ImageListLinks, EitherSideMayDieFirst) {
    auto list = std::make_unique<TImageList>(nullptr);
    {
        TChangeLink shortLived;
        list->RegisterChanges(&shortLived);
    }
    list->Clear(); // the destroyed link unregistered itself
    TChangeLink link;
    list->RegisterChanges(&link);
    list.reset();
    EXPECT_EQ(link.Sender, nullptr);
}

TEST(ImageListLinks, HoldersHearOfTheListsDestruction) {
    struct Holder : TComponent {
        using TComponent::TComponent;
        TComponent* images = nullptr;
        void Notification(TComponent* component, TOperation operation) override {
            if (operation == opRemove && component == images) {
                images = nullptr;
            }
        }
    };
    Holder holder(nullptr);
    auto list = std::make_unique<TImageList>(nullptr);
    holder.images = list.get();
    list->FreeNotification(&holder);
    list.reset();
    EXPECT_EQ(holder.images, nullptr);
}
