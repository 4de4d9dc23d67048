#include "RzPanelTestSupport.h"
#include "toolkit/runtime/Actions.h"

#include <cstdlib>
#include <gmock/gmock.h>

namespace {

class StatusPaneTest : public StatusBarFormTest {
protected:
    // RzStatusPane1 of the main window: 120 pixels after a 129-pixel pane, Arial -11, black.
    TRzStatusPane* MakeStatusPane1() {
        AddPane<TRzStatusPane>(bar, 0, 129);
        auto* pane = AddPane<TRzStatusPane>(bar, 129, 120);
        pane->Font()->SetName("Arial");
        pane->Font()->SetHeight(-11);
        pane->Font()->SetColor(clBlack);
        pane->SetCaption("No task");
        return pane;
    }

    TRzStatusPane* MakeBlinkingPane(int left) {
        TRzStatusPane* pane = MakePane(left);
        pane->SetBlinking(true);
        return pane;
    }

    // The main window's last pane, 21 pixels up to the bar's right edge, counting its clicks.
    TRzGlyphStatus* MakeHomePagePane() {
        AddPane<TRzStatusPane>(bar, 0, 465);
        auto* pane = AddPane<TRzGlyphStatus>(bar, 465, 21);
        pane->OnClick = [this](TObject*) {
            ++homePageClicks;
        };
        return pane;
    }

    int homePageClicks = 0;
};

// ---------------------------------------------------------------------------------------
// Painting

TEST_F(StatusPaneTest, StatusPane1DrawsItsFlatFrameAndTextFromFivePixels) {
    TRzStatusPane* pane = MakeStatusPane1();
    ShowForm();

    const std::map<TColor, char> legend{{clBtnFace, '.'}, {DefaultFlatLine(), '#'}};
    EXPECT_EQ(Picture(pane, Rect(0, 0, 4, 4), legend), "....\n"
                                                       "..##\n"
                                                       ".#..\n"
                                                       ".#..\n");
    EXPECT_EQ(Picture(pane, Rect(116, 15, 120, 19), legend), "..#.\n"
                                                             "..#.\n"
                                                             "##..\n"
                                                             "....\n");
    for (int y = 2; y <= 16; ++y) {
        ASSERT_EQ(Pixel(pane, 1, y), DefaultFlatLine()) << "y = " << y;
        ASSERT_EQ(Pixel(pane, 118, y), DefaultFlatLine()) << "y = " << y;
    }
    for (int x = 2; x <= 117; ++x) {
        ASSERT_EQ(Pixel(pane, x, 1), DefaultFlatLine()) << "x = " << x;
        ASSERT_EQ(Pixel(pane, x, 17), DefaultFlatLine()) << "x = " << x;
    }
    EXPECT_FALSE(ColumnHasInk(pane, 2, 2, 17, clBtnFace));
    EXPECT_FALSE(ColumnHasInk(pane, 4, 2, 17, clBtnFace));
    EXPECT_TRUE(ColumnHasInk(pane, 5, 2, 17, clBtnFace) || ColumnHasInk(pane, 6, 2, 17, clBtnFace));
}

TEST_F(StatusPaneTest, OpaquePaneFillsItsRingWithColorAndItsTextAreaWithFillColor) {
    auto* pane = AddPane<TRzStatusPane>(bar, 0, 100);
    pane->SetTransparent(false);
    pane->SetColor(clWhite);
    pane->SetFillColor(clYellow);
    pane->SetCaption("x");
    ShowForm();

    EXPECT_FALSE(pane->ParentFillColor());
    EXPECT_EQ(Pixel(pane, 0, 0), ColorToRGB(clWhite));
    EXPECT_EQ(Pixel(pane, 90, 10), ColorToRGB(clYellow));
}

TEST_F(StatusPaneTest, ParentFillColorFollowsColor) {
    auto* pane = AddPane<TRzStatusPane>(bar, 0, 100);
    pane->SetColor(clRed);
    EXPECT_EQ(pane->FillColor(), clRed);
    bar->SetColor(clLime);
    pane->SetParentColor(true);
    EXPECT_EQ(pane->FillColor(), clLime);
}

TEST_F(StatusPaneTest, LoadedWithoutParentColorThePaneIsOpaque) {
    auto* pane = AddPane<TRzStatusPane>(bar, 0, 100);
    pane->BeginLoading();
    pane->SetColor(clWhite);
    pane->EndLoading();
    EXPECT_FALSE(pane->Transparent());
}

TEST_F(StatusPaneTest, DisabledCaptionIsEmbossedGreyAndIgnoresTheFontColour) {
    auto* pane = AddPane<TRzStatusPane>(bar, 0, 100);
    pane->Font()->SetColor(clRed);
    pane->SetCaption("IIIII");
    pane->SetEnabled(false);
    ShowForm();

    // Antialiased edges blend into the face, so the ink is any neutral grey; the raised copy
    // shows as pure highlight below the shadow text.
    int ink = 0;
    bool highlight = false;
    for (int y = 2; y < 17; ++y) {
        for (int x = 2; x < 98; ++x) {
            const TColor c = Pixel(pane, x, y);
            if (c == ColorToRGB(clBtnFace)) {
                continue;
            }
            ++ink;
            highlight = highlight || c == ColorToRGB(clBtnHighlight);
            ASSERT_LE(std::abs(int(GetRValue(c)) - int(GetBValue(c))), 12) << x << "," << y;
        }
    }
    EXPECT_GT(ink, 20);
    EXPECT_TRUE(highlight);
}

TEST_F(StatusPaneTest, TextAreaIsInsetByBorderWidthAndTheFrame) {
    auto* pane = AddPane<TRzStatusPane>(bar, 0, 100);
    EXPECT_EQ(pane->GetTextArea(), Rect(2, 2, 98, 17));
    pane->SetFrameStyle(fsNone);
    EXPECT_EQ(pane->GetTextArea(), Rect(1, 1, 99, 18));
    pane->SetFrameStyle(fsGroove);
    EXPECT_EQ(pane->GetTextArea(), Rect(3, 3, 97, 16));
}

// ---------------------------------------------------------------------------------------
// Automatic width

TEST_F(StatusPaneTest, AutoSizeFitsTheCaptionOrTakesTheDefaultWidth) {
    auto* pane = AddPane<TRzStatusPane>(bar, 0, 100);
    pane->SetAutoSize(true);
    EXPECT_EQ(pane->Width(), 40);

    pane->SetCaption("No task");
    EXPECT_EQ(pane->Width(), MeasureText(*pane->Font(), "No task").cx + 10);
    pane->SetCaptionOffset(5);
    EXPECT_EQ(pane->Width(), MeasureText(*pane->Font(), "No task").cx + 13);
}

TEST_F(StatusPaneTest, AutoSizeMeasuresACaptionOfAnyLength) {
    auto* pane = AddPane<TRzStatusPane>(bar, 0, 100);
    const std::string longCaption(1000, 'W');
    pane->SetAutoSize(true);
    pane->SetCaption(longCaption);
    EXPECT_EQ(pane->Width(), MeasureText(*pane->Font(), longCaption).cx + 10);
}

TEST_F(StatusPaneTest, ImagePaneWithoutCaptionIsDefaultPlusOffsetPlusPicture) {
    TImageList images(nullptr, 16, 16);
    TBitmap picture(16, 16);
    images.AddMasked(picture, clFuchsia);
    auto* pane = AddPane<TRzGlyphStatus>(bar, 0, 21);
    pane->SetImages(&images);
    pane->SetImageIndex(0);
    pane->SetAutoSize(true);
    EXPECT_EQ(pane->Width(), 58);
    pane->SetImages(nullptr);
}

TEST_F(StatusPaneTest, BorderWidthAloneDoesNotResize) {
    auto* pane = AddPane<TRzStatusPane>(bar, 0, 100);
    pane->SetAutoSize(true);
    pane->SetBorderWidth(4);
    EXPECT_EQ(pane->Width(), 40);
}

// ---------------------------------------------------------------------------------------
// Blinking

TEST_F(StatusPaneTest, BlinkColourShowsFromTheSecondTickAndAlternates) {
    TRzStatusPane* first = MakeBlinkingPane(0);
    TRzStatusPane* second = MakeBlinkingPane(60);
    ShowForm();
    ASSERT_EQ(first->CurrentTextColor(), clBlack);

    Advance(500);
    EXPECT_EQ(first->CurrentTextColor(), clBlack);
    Advance(500);
    EXPECT_EQ(first->CurrentTextColor(), clHighlight);
    EXPECT_EQ(second->CurrentTextColor(), clHighlight);
    Advance(500);
    EXPECT_EQ(first->CurrentTextColor(), clBlack);
}

TEST_F(StatusPaneTest, PaneThatStartsBlinkingJoinsAtTheNextTickInTheSamePhase) {
    TRzStatusPane* early = MakeBlinkingPane(0);
    TRzStatusPane* late = MakePane(60);
    ShowForm();

    Advance(1200);
    late->SetBlinking(true);
    EXPECT_EQ(late->CurrentTextColor(), clBlack);
    Advance(800);
    EXPECT_EQ(early->CurrentTextColor(), clHighlight);
    EXPECT_EQ(late->CurrentTextColor(), clHighlight);
}

TEST_F(StatusPaneTest, StoppingShowsTheNormalColourAtOnce) {
    TRzStatusPane* pane = MakeBlinkingPane(0);
    ShowForm();
    Advance(1000);
    ASSERT_EQ(pane->CurrentTextColor(), clHighlight);

    pane->SetBlinking(false);
    EXPECT_EQ(pane->CurrentTextColor(), clBlack);
}

TEST_F(StatusPaneTest, FontColourChangeWhileBlinkingWaitsForTheNormalPhase) {
    TRzStatusPane* pane = MakeBlinkingPane(0);
    ShowForm();
    Advance(1000);
    pane->Font()->SetColor(clRed);
    EXPECT_EQ(pane->CurrentTextColor(), clHighlight);
    Advance(500);
    EXPECT_EQ(pane->CurrentTextColor(), clRed);
}

TEST_F(StatusPaneTest, IntervalsAreSharedAndTakeEffectAtTheNextPhaseChange) {
    TRzStatusPane* first = MakeBlinkingPane(0);
    TRzStatusPane* second = MakeBlinkingPane(60);
    ShowForm();

    first->SetBlinkIntervalOn(200);
    EXPECT_EQ(second->BlinkIntervalOn(), 200);
    Advance(1000);
    ASSERT_EQ(second->CurrentTextColor(), clHighlight);
    Advance(199);
    EXPECT_EQ(second->CurrentTextColor(), clHighlight);
    Advance(1);
    EXPECT_EQ(second->CurrentTextColor(), clBlack);
}

TEST_F(StatusPaneTest, IntervalsReturnTo500AfterTheLastPaneIsGone) {
    TRzStatusPane* pane = MakeBlinkingPane(0);
    pane->SetBlinkIntervalOff(100);
    pane->SetBlinkIntervalOn(300);
    delete pane;
    ASSERT_EQ(TRzBlinkingControlsList::Instance(), nullptr);

    auto* fresh = AddPane<TRzStatusPane>(bar, 0, 60);
    EXPECT_EQ(fresh->BlinkIntervalOff(), 500);
    EXPECT_EQ(fresh->BlinkIntervalOn(), 500);
}

TEST_F(StatusPaneTest, NonBlinkingPanesAreNotRepainted) {
    auto* pane = AddPane<TRzStatusPane>(bar, 0, 60);
    ShowForm();
    Advance(2000);
    EXPECT_FALSE(form->HasInvalidRegion());
    EXPECT_EQ(pane->CurrentTextColor(), pane->Font()->Color());
}

// ---------------------------------------------------------------------------------------
// Hit test near the size grip

TEST_F(StatusPaneTest, RightmostPanePassesTheGripZoneToTheStatusBar) {
    TRzGlyphStatus* homePage = MakeHomePagePane();
    ShowForm();
    ASSERT_EQ(homePage->Left() + homePage->Width(), bar->ClientWidth());

    ClickOn(homePage, 5, 8);
    EXPECT_EQ(homePageClicks, 1);
    EXPECT_TRUE(form->systemCommands.empty());

    ClickOn(homePage, 15, 8);
    EXPECT_EQ(homePageClicks, 1);
    EXPECT_EQ(form->systemCommands, std::vector<WPARAM>{SC_SIZE + 8});
}

TEST_F(StatusPaneTest, RightmostPaneKeepsTheGripZoneWhileTheGripCannotBeUsed) {
    form->SetBorderStyle(bsSingle);
    TRzGlyphStatus* homePage = MakeHomePagePane();
    ShowForm();
    ASSERT_FALSE(bar->SizeGripUsable());

    ClickOn(homePage, 15, 8);
    EXPECT_EQ(homePageClicks, 1);
    EXPECT_EQ(homePage->Perform(CM_HITTEST, 0, MAKELPARAM(20, 8)), HTCLIENT);
    EXPECT_TRUE(form->systemCommands.empty());
}

TEST_F(StatusPaneTest, PaneAwayFromTheRightEdgeIsHitEverywhere) {
    auto* pane = AddPane<TRzStatusPane>(bar, 0, 100);
    EXPECT_FALSE(pane->ReachesSizeGrip(pane->ClientRect()));
    EXPECT_EQ(pane->Perform(CM_HITTEST, 0, MAKELPARAM(95, 5)), HTCLIENT);
}

// ---------------------------------------------------------------------------------------
// Automatic hint

TEST_F(StatusPaneTest, WithAutoHintTheCaptionFollowsTheApplicationsHint) {
    auto* follower = AddPane<TRzStatusPane>(bar, 0, 200);
    auto* other = AddPane<TRzStatusPane>(bar, 200, 100);
    auto* help = AddPane<TRzGlyphStatus>(bar, 300, 23);
    help->SetHint("Help");
    other->SetCaption("No task");
    ShowForm();
    EXPECT_FALSE(follower->AutoHint());

    MouseMove(help, 5, 5);
    EXPECT_EQ(follower->Caption(), "") << "AutoHint is off by default";
    follower->SetAutoHint(true);
    MouseMove(other, 5, 5);
    MouseMove(help, 5, 5);
    EXPECT_EQ(follower->Caption(), "Help");
    EXPECT_EQ(other->Caption(), "No task");
    MouseMove(other, 5, 5);
    EXPECT_EQ(follower->Caption(), "");

    TAction action(nullptr);
    EXPECT_FALSE(follower->ExecuteAction(&action));
}

// ---------------------------------------------------------------------------------------
// Frame controller

TEST_F(StatusPaneTest, FrameControllerPushesItsSettingsOnlyWhileItsFrameIsVisible) {
    auto* controller = new TRzFrameController(form);
    controller->SetFrameStyle(fsGroove);
    controller->SetColor(clYellow);
    auto* pane = AddPane<TRzStatusPane>(bar, 0, 100);
    pane->SetFrameController(controller);
    EXPECT_EQ(pane->FrameStyle(), fsFlat);

    controller->SetFrameVisible(true);
    EXPECT_EQ(pane->FrameStyle(), fsGroove);
    EXPECT_EQ(pane->FillColor(), clYellow);
    EXPECT_FALSE(pane->ParentFillColor());
    EXPECT_EQ(pane->FlatColorAdjustment(), 0);
}

TEST_F(StatusPaneTest, DestroyedControllerIsForgottenAndDestroyedPaneLeavesTheController) {
    auto* controller = new TRzFrameController(form);
    auto* pane = AddPane<TRzStatusPane>(bar, 0, 100);
    auto* other = AddPane<TRzStatusPane>(bar, 100, 100);
    pane->SetFrameController(controller);
    other->SetFrameController(controller);
    ASSERT_EQ(controller->ControlCount(), 2);

    delete other;
    EXPECT_EQ(controller->ControlCount(), 1);
    delete controller;
    EXPECT_EQ(pane->FrameController(), nullptr);
}

} // namespace
