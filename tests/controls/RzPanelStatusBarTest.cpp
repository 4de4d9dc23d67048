#include "RzPanelTestSupport.h"

namespace {

class StatusBarTest : public PanelFormTest {
protected:
    // A bar of its own size, outside the form's alignment, holding panes of the given widths.
    TRzStatusBar* FreeBar(int width, std::initializer_list<int> paneWidths) {
        TRzStatusBar* bar = MakeStatusBar();
        bar->SetAlign(alNone);
        bar->SetBounds(0, 0, width, 19);
        int left = 0;
        for (int paneWidth : paneWidths) {
            auto* pane = new TRzStatusPane(form);
            pane->SetParent(bar);
            pane->SetBounds(left, 0, paneWidth, 19);
            left += paneWidth;
        }
        return bar;
    }

    static int PaneWidth(TRzStatusBar* bar, int index) { return bar->Controls(index)->Width(); }
};

// ---------------------------------------------------------------------------------------
// Look and AutoStyle

TEST_F(StatusBarTest, ConstructionGivesTheStatusBarLook) {
    TRzStatusBar* bar = MakeStatusBar();
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(bar->BorderOuter(), fsNone);
    EXPECT_EQ(bar->BorderInner(), fsNone);
    EXPECT_EQ(bar->BorderSides(), sdAllSides);
    EXPECT_EQ(bar->BorderWidth(), 0);
    EXPECT_EQ(bar->BoundsRect(), Rect(0, 283, 486, 302));
    EXPECT_TRUE(bar->AutoStyle());
    EXPECT_TRUE(bar->ShowSizeGrip());
    EXPECT_FALSE(bar->SimpleStatus());
    EXPECT_EQ(bar->SimpleFrameStyle(), fsFlat);
}

TEST_F(StatusBarTest, LoadingReappliesTheLookWhileAutoStyleHolds) {
    TRzStatusBar* bar = MakeStatusBar();
    bar->BeginLoading();
    bar->SetHeight(25);
    bar->SetBorderWidth(3);
    bar->EndLoading();
    EXPECT_EQ(bar->Height(), 19);
    EXPECT_EQ(bar->BorderWidth(), 0);
    EXPECT_TRUE(bar->AutoStyle());
}

TEST_F(StatusBarTest, OnlyADifferentBorderSwitchesAutoStyleOff) {
    TRzStatusBar* bar = MakeStatusBar();
    bar->SetBorderOuter(fsNone);
    EXPECT_TRUE(bar->AutoStyle());

    bar->SetBorderOuter(fsRaised);
    EXPECT_FALSE(bar->AutoStyle());
    bar->BeginLoading();
    bar->SetHeight(25);
    bar->EndLoading();
    EXPECT_EQ(bar->Height(), 25);
    EXPECT_EQ(bar->BorderOuter(), fsRaised);
}

// ---------------------------------------------------------------------------------------
// Pane scaling

TEST_F(StatusBarTest, AutoScalePanesKeepsTheProportionsBothWays) {
    TRzStatusBar* bar = FreeBar(400, {100});
    bar->SetAutoScalePanes(true);

    bar->SetWidth(500);
    EXPECT_EQ(PaneWidth(bar, 0), 125);
    bar->SetWidth(400);
    EXPECT_EQ(PaneWidth(bar, 0), 100);
}

TEST_F(StatusBarTest, AutoScalePanesRoundsEachPaneToTheNearestPixel) {
    TRzStatusBar* bar = FreeBar(300, {100, 100, 100});
    bar->SetAutoScalePanes(true);

    bar->SetWidth(301);
    EXPECT_EQ(PaneWidth(bar, 0) + PaneWidth(bar, 1) + PaneWidth(bar, 2), 300);

    bar->SetWidth(303);
    EXPECT_EQ(PaneWidth(bar, 0), 101);
    EXPECT_EQ(PaneWidth(bar, 1), 101);
    EXPECT_EQ(PaneWidth(bar, 2), 101);
}

TEST_F(StatusBarTest, AutoScalePanesFromNoWidthLeavesThePanes) {
    TRzStatusBar* bar = FreeBar(0, {50});
    bar->SetAutoScalePanes(true);

    bar->SetWidth(300);
    EXPECT_EQ(PaneWidth(bar, 0), 50);
    bar->SetWidth(600);
    EXPECT_EQ(PaneWidth(bar, 0), 100);
}

TEST_F(StatusBarTest, WithoutAutoScalePanesTheWidthsStay) {
    TRzStatusBar* bar = FreeBar(400, {100});
    bar->SetWidth(500);
    EXPECT_EQ(PaneWidth(bar, 0), 100);
}

// ---------------------------------------------------------------------------------------
// Simple mode

TEST_F(StatusBarTest, SimpleStatusHidesEveryPaneAndShowsThemAllAgain) {
    TRzStatusBar* bar = MakeStatusBar();
    auto* clock = AddPane<TRzStatusPane>(bar, 0, 129);
    auto* help = AddPane<TRzGlyphStatus>(bar, 129, 23);
    help->SetVisible(false);

    bar->SetSimpleStatus(true);
    EXPECT_FALSE(clock->Visible());
    EXPECT_FALSE(help->Visible());

    bar->SetSimpleStatus(false);
    EXPECT_TRUE(clock->Visible());
    EXPECT_TRUE(help->Visible());
}

TEST_F(StatusBarTest, SimpleFrameInClassicStyleLeavesItsCornersOpen) {
    TRzStatusBar* bar = MakeStatusBar();
    bar->SetShowSizeGrip(false);
    bar->SetVisualStyle(vsClassic);
    bar->SetSimpleStatus(true);
    bar->SetSimpleCaption("Ready");
    ShowForm();

    // Client rectangle (1, 1, 485, 19) less its bottom row: the frame runs from (1, 1) to
    // (484, 17); the caption starts two pixels inside the frame's inner edge.
    const std::map<TColor, char> legend{{clBtnFace, '.'}, {DefaultFlatLine(), '#'}};
    EXPECT_EQ(Picture(bar, Rect(0, 0, 4, 4), legend), "....\n"
                                                      "..##\n"
                                                      ".#..\n"
                                                      ".#..\n");
    EXPECT_EQ(Picture(bar, Rect(482, 15, 486, 19), legend), "..#.\n"
                                                            "..#.\n"
                                                            "##..\n"
                                                            "....\n");
    EXPECT_FALSE(ColumnHasInk(bar, 2, 2, 17, clBtnFace));
    EXPECT_FALSE(ColumnHasInk(bar, 3, 2, 17, clBtnFace));
    EXPECT_TRUE(ColumnHasInk(bar, 4, 2, 17, clBtnFace) || ColumnHasInk(bar, 5, 2, 17, clBtnFace));
}

TEST_F(StatusBarTest, SimpleFrameIsNotDrawnOutsideTheClassicStyle) {
    TRzStatusBar* bar = MakeStatusBar();
    bar->SetSimpleStatus(true);
    ShowForm();
    EXPECT_EQ(Pixel(bar, 10, 1), ColorToRGB(clBtnFace));
}

// ---------------------------------------------------------------------------------------
// Size grip

TEST_F(StatusBarTest, SizeGripIsSixDarkDotsWithLightEdges) {
    TRzStatusBar* bar = MakeStatusBar();
    ShowForm();

    const std::map<TColor, char> legend{{clBtnFace, '.'}, {clBtnShadow, 'D'}, {clBtnHighlight, 'L'}};
    EXPECT_EQ(Picture(bar, Rect(470, 3, 486, 18), legend), "................\n"
                                                           "................\n"
                                                           "..........DD....\n"
                                                           "..........DDL...\n"
                                                           "...........LL...\n"
                                                           "................\n"
                                                           "......DD..DD....\n"
                                                           "......DDL.DDL...\n"
                                                           ".......LL..LL...\n"
                                                           "................\n"
                                                           "..DD..DD..DD....\n"
                                                           "..DDL.DDL.DDL...\n"
                                                           "...LL..LL..LL...\n"
                                                           "................\n"
                                                           "................\n");
}

TEST_F(StatusBarTest, GripPressSizesTheFormFromItsBottomRightCorner) {
    TRzStatusBar* bar = MakeStatusBar();
    ShowForm();

    MouseMove(bar, 480, 10);
    EXPECT_EQ(form->CurrentCursor(), crSizeNWSE);
    MouseDown(bar, 480, 10);
    EXPECT_EQ(form->systemCommands, std::vector<WPARAM>{SC_SIZE + 8});
}

TEST_F(StatusBarTest, PressLeftOfTheGripZoneIsAnOrdinaryPress) {
    TRzStatusBar* bar = MakeStatusBar();
    int clicks = 0;
    bar->OnClick = [&clicks](TObject*) {
        ++clicks;
    };
    ShowForm();

    ClickOn(bar, 472, 10);
    EXPECT_TRUE(form->systemCommands.empty());
    EXPECT_EQ(clicks, 1);
}

TEST_F(StatusBarTest, FixedBorderFormHasNoGripNoSizingAndTheNormalCursor) {
    form->SetBorderStyle(bsSingle);
    TRzStatusBar* bar = MakeStatusBar();
    ShowForm();

    EXPECT_FALSE(bar->SizeGripUsable());
    EXPECT_EQ(Pixel(bar, 480, 13), ColorToRGB(clBtnFace));
    MouseMove(bar, 480, 10);
    EXPECT_NE(form->CurrentCursor(), crSizeNWSE);
    MouseDown(bar, 480, 10);
    EXPECT_TRUE(form->systemCommands.empty());
}

TEST_F(StatusBarTest, HiddenGripDoesNotSize) {
    TRzStatusBar* bar = MakeStatusBar();
    bar->SetShowSizeGrip(false);
    ShowForm();

    EXPECT_EQ(Pixel(bar, 480, 13), ColorToRGB(clBtnFace));
    MouseDown(bar, 480, 10);
    EXPECT_TRUE(form->systemCommands.empty());
}

// ---------------------------------------------------------------------------------------
// Gradient look

TEST_F(StatusBarTest, GradientBarUsesTheStatusBarColourSet) {
    TRzStatusBar* bar = MakeStatusBar();
    bar->SetVisualStyle(vsGradient);
    bar->SetShowSizeGrip(false);
    ShowForm();

    const TBandColors colors = TRzStatusBar::ColorSet(gcsSystem);
    // The ramp runs from the first colour in the top row towards the second at the bottom.
    EXPECT_EQ(Pixel(bar, 10, 0), ColorToRGB(colors.First));
    EXPECT_GT(GetRValue(Pixel(bar, 10, 18)), GetRValue(Pixel(bar, 10, 0)));
}

} // namespace
