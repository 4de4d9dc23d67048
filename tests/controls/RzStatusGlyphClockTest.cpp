#include "RzPanelTestSupport.h"

#include <memory>
#include <stdexcept>

namespace {

// A clock that counts how often it is painted.
class CountingClock : public TRzClockStatus {
public:
    using TRzClockStatus::TRzClockStatus;
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        TRzClockStatus::Paint();
    }
};

class PaneKindsTest : public ClockPaneTest {
protected:
    // An image list of 16 x 16 pictures, each filled with one colour.
    std::unique_ptr<TImageList> SolidImages(std::initializer_list<TColor> colors) {
        auto images = std::make_unique<TImageList>(nullptr, 16, 16);
        for (TColor color : colors) {
            TBitmap picture(16, 16);
            picture.Canvas()->Brush()->SetColor(color);
            picture.Canvas()->FillRect(Rect(0, 0, 16, 16));
            images->AddMasked(picture, clFuchsia);
        }
        return images;
    }

    // A strip of cells, each filled with one colour.
    static std::unique_ptr<TBitmap> Strip(std::initializer_list<TColor> colors, int cell = 8) {
        auto strip = std::make_unique<TBitmap>(int(colors.size()) * cell, cell);
        int x = 0;
        for (TColor color : colors) {
            strip->Canvas()->Brush()->SetColor(color);
            strip->Canvas()->FillRect(Rect(x, 0, x + cell, cell));
            x += cell;
        }
        strip->SetTransparentColor(clFuchsia);
        return strip;
    }
};

// ---------------------------------------------------------------------------------------
// Image pane

TEST_F(PaneKindsTest, HomePagePaneDrawsItsImageAtFourTwo) {
    auto images = SolidImages({clRed});
    AddPane<TRzStatusPane>(bar, 0, 465);
    auto* homePage = AddPane<TRzGlyphStatus>(bar, 465, 21);
    homePage->SetImages(images.get());
    homePage->SetImageIndex(0);
    ShowForm();

    const TColor red = ColorToRGB(clRed);
    EXPECT_EQ(Pixel(homePage, 4, 2), red);
    EXPECT_EQ(Pixel(homePage, 19, 16), red);
    EXPECT_NE(Pixel(homePage, 3, 2), red);
    EXPECT_NE(Pixel(homePage, 4, 1), red);
    // The image is drawn whole: it covers the frame's bottom line too.
    EXPECT_EQ(Pixel(homePage, 4, 17), red);
    EXPECT_NE(Pixel(homePage, 4, 18), red);
    EXPECT_NE(Pixel(homePage, 20, 2), red);
    EXPECT_EQ(homePage->GetTextArea().Left, 20);
}

TEST_F(PaneKindsTest, DisabledImageIsGreyedOrReplacedByTheDisabledIndex) {
    auto images = SolidImages({clRed, clBlue});
    auto* pane = AddPane<TRzGlyphStatus>(bar, 0, 40);
    pane->SetImages(images.get());
    pane->SetImageIndex(0);
    pane->SetEnabled(false);
    ShowForm();
    EXPECT_NE(Pixel(pane, 6, 8), ColorToRGB(clRed));

    pane->SetDisabledIndex(1);
    Idle();
    EXPECT_EQ(Pixel(pane, 6, 8), ColorToRGB(clBlue));
}

TEST_F(PaneKindsTest, DestroyedImageListIsNoLongerUsed) {
    auto images = SolidImages({clRed});
    auto* pane = AddPane<TRzGlyphStatus>(bar, 0, 40);
    pane->SetImages(images.get());
    pane->SetImageIndex(0);
    ShowForm();

    images.reset();
    EXPECT_EQ(pane->Images(), nullptr);
    pane->Invalidate();
    Idle();
    EXPECT_NE(Pixel(pane, 6, 8), ColorToRGB(clRed));
}

TEST_F(PaneKindsTest, ImageIndexMinusOneFallsBackToTheBitmapGlyph) {
    auto images = SolidImages({clRed});
    auto* pane = AddPane<TRzGlyphStatus>(bar, 0, 40);
    pane->SetImages(images.get());
    const auto strip = Strip({clLime, clBlue});
    pane->SetGlyph(strip.get());
    ShowForm();
    EXPECT_EQ(Pixel(pane, 5, 8), ColorToRGB(clLime));

    pane->SetEnabled(false);
    Idle();
    EXPECT_EQ(Pixel(pane, 5, 8), ColorToRGB(clBlue));
}

TEST_F(PaneKindsTest, AssignedStripSetsTheCellCount) {
    auto* pane = AddPane<TRzGlyphStatus>(bar, 0, 40);
    TBitmap strip(64, 16);
    pane->SetGlyph(&strip);
    EXPECT_EQ(pane->NumGlyphs(), 4);

    strip.SetSize(96, 16);
    pane->SetGlyph(&strip);
    EXPECT_EQ(pane->NumGlyphs(), 1);

    pane->SetNumGlyphs(2);
    strip.SetSize(40, 16);
    pane->SetGlyph(&strip);
    EXPECT_EQ(pane->NumGlyphs(), 2);
}

TEST_F(PaneKindsTest, ZeroWidthGlyphKeepsTheCellCountAndPaintsNothing) {
    auto* pane = AddPane<TRzGlyphStatus>(bar, 0, 40);
    pane->SetAutoSize(true);
    TBitmap strip(0, 16);
    pane->SetGlyph(&strip);
    EXPECT_EQ(pane->NumGlyphs(), 1);
    EXPECT_EQ(pane->GetGlyphSize().cx, 0);
    EXPECT_EQ(pane->Width(), 42);
    ShowForm();
}

TEST_F(PaneKindsTest, HiddenPictureTakesNoRoomButTheOffsetStillCounts) {
    auto images = SolidImages({clRed});
    auto* pane = AddPane<TRzGlyphStatus>(bar, 0, 40);
    pane->SetImages(images.get());
    pane->SetImageIndex(0);
    pane->SetAutoSize(true);
    pane->SetShowGlyph(false);
    EXPECT_EQ(pane->Width(), 42);
    EXPECT_EQ(pane->GetTextArea().Left, 2);
}

// ---------------------------------------------------------------------------------------
// Clock and polling

TEST_F(PaneKindsTest, ClockShowsTheLocaleDateAndTimeOrItsFormat) {
    auto* clock = MakeClock<CountingClock>();
    EXPECT_EQ(clock->Caption(), DateTimeToStr(Now()));

    clock->SetFormat("hh:nn");
    EXPECT_EQ(clock->Caption(), FormatDateTime("hh:nn", Now()));
}

TEST_F(PaneKindsTest, ClockRepaintsOnlyWhenItsTextChanges) {
    auto* clock = MakeClock<CountingClock>();
    ShowForm();
    clock->paints = 0;

    Advance(2000);
    EXPECT_EQ(clock->paints, 2);
    EXPECT_EQ(clock->Caption(), DateTimeToStr(Now()));
}

TEST_F(PaneKindsTest, HiddenClockIsNotUpdated) {
    auto* clock = MakeClock<CountingClock>();
    ShowForm();
    const std::string before = clock->Caption();
    clock->SetVisible(false);

    Advance(3000);
    EXPECT_EQ(clock->Caption(), before);
    clock->SetVisible(true);
    Advance(500);
    EXPECT_EQ(clock->Caption(), DateTimeToStr(Now()));
}

TEST_F(PaneKindsTest, OnGetDateTimeReplacesTheMomentShown) {
    auto* clock = MakeClock<CountingClock>();
    clock->OnGetDateTime = [](TObject*, TDateTime& moment) {
        moment += 1.0 / 24;
    };
    ShowForm();

    Advance(1000);
    EXPECT_EQ(clock->Caption(), DateTimeToStr(Now() + 1.0 / 24));
}

TEST_F(PaneKindsTest, PollingSettingsAreSharedAndResetWithTheLastPolledPane) {
    auto* first = MakeClock<CountingClock>();
    auto* second = AddPane<TRzPollingStatus>(bar, 129, 60);
    int polls = 0;
    second->OnTimerExpired = [&polls](TObject*) {
        ++polls;
    };

    first->SetInterval(250);
    EXPECT_EQ(second->Interval(), 250);
    Advance(1000);
    EXPECT_EQ(polls, 4);

    second->SetActive(false);
    EXPECT_FALSE(first->Active());
    Advance(1000);
    EXPECT_EQ(polls, 4);

    delete first;
    delete second;
    auto* fresh = AddPane<TRzPollingStatus>(bar, 0, 60);
    EXPECT_TRUE(fresh->Active());
    EXPECT_EQ(fresh->Interval(), 500);
}

TEST_F(PaneKindsTest, RaisingHandlerEndsThatTickAndIsReportedWhilePollingGoesOn) {
    auto* failing = AddPane<TRzPollingStatus>(bar, 0, 60);
    auto* counted = AddPane<TRzPollingStatus>(bar, 60, 60);
    bool fail = true;
    failing->OnTimerExpired = [&fail](TObject*) {
        if (fail) {
            fail = false;
            throw std::runtime_error("poll failed");
        }
    };
    int polls = 0;
    counted->OnTimerExpired = [&polls](TObject*) {
        ++polls;
    };

    Advance(500);
    EXPECT_EQ(polls, 0);
    ASSERT_EQ(platform.messageBoxes.Shown().size(), 1u);
    EXPECT_EQ(platform.messageBoxes.Shown()[0].text, "poll failed");
    Advance(500);
    EXPECT_EQ(polls, 1);
}

TEST_F(PaneKindsTest, ClockAtTheGripEdgeKeepsItsTextClear) {
    AddPane<TRzStatusPane>(bar, 0, 336);
    CountingClock* clock = AddPane<CountingClock>(bar, 336, 150);
    ASSERT_TRUE(clock->ReachesSizeGrip(clock->ClientRect()));
    EXPECT_EQ(clock->GetTextArea(), Rect(2, 2, 136, 17));

    bar->SetShowSizeGrip(false);
    EXPECT_EQ(clock->GetTextArea(), Rect(2, 2, 148, 17));
}

} // namespace
