#include "RzPanelTestSupport.h"

namespace {

constexpr TColor kGroupLine = 0xC3C0C0;

class GroupBoxTest : public PanelFormTest {
protected:
    // A group box configured like the main window's three.
    TRzGroupBox* MakeGroupBox(TWinControl* parent, int left, int top, int width, int height,
                              const std::string& caption) {
        auto* box = new TRzGroupBox(form);
        box->SetParent(parent);
        box->SetBounds(left, top, width, height);
        box->SetFlatColor(clMedGray);
        box->SetCaption(caption);
        return box;
    }

    // A plain windowed child standing in for a label, a picker or a radio button.
    TCustomControl* MakeChild(TWinControl* parent, int left, int top) {
        auto* child = new TCustomControl(form);
        child->SetParent(parent);
        child->SetBounds(left, top, 40, 17);
        return child;
    }
};

// ---------------------------------------------------------------------------------------
// The flat look of the main window's group boxes

TEST_F(GroupBoxTest, FlatFrameHasCutCornersAndItsTopLineAtHalfTheTextHeight) {
    TRzGroupBox* gbSet = MakeGroupBox(form, 16, 40, 462, 89, "");
    ShowForm();

    const std::map<TColor, char> legend{{clBtnFace, '.'}, {kGroupLine, '#'}};
    EXPECT_EQ(Picture(gbSet, Rect(0, 4, 5, 11), legend), ".....\n"
                                                         ".....\n"
                                                         "..###\n"
                                                         ".#...\n"
                                                         "#....\n"
                                                         "#....\n"
                                                         "#....\n");
    EXPECT_EQ(Picture(gbSet, Rect(457, 84, 462, 89), legend), "....#\n"
                                                              "....#\n"
                                                              "....#\n"
                                                              "...#.\n"
                                                              "###..\n");
    // No caption, no band: the top line runs uninterrupted.
    for (int x = 2; x <= 459; ++x) {
        ASSERT_EQ(Pixel(gbSet, x, 6), kGroupLine) << "x = " << x;
    }
}

TEST_F(GroupBoxTest, CaptionBandFromEightHidesTheTopLine) {
    TRzGroupBox* gbOption = MakeGroupBox(form, 16, 142, 461, 83, "Actions");
    ShowForm();

    const int cx = MeasureText(*form->Font(), "Actions").cx;
    EXPECT_EQ(Pixel(gbOption, 7, 6), kGroupLine);
    for (int x = 8; x < 8 + cx; ++x) {
        ASSERT_NE(Pixel(gbOption, x, 6), kGroupLine) << "x = " << x;
    }
    EXPECT_EQ(Pixel(gbOption, 8 + cx, 6), kGroupLine);
    EXPECT_TRUE(ColumnHasInk(gbOption, 9, 0, 14, clBtnFace) || ColumnHasInk(gbOption, 10, 0, 14, clBtnFace));
}

TEST_F(GroupBoxTest, AcceleratorIsMeasuredWithoutItsMarker) {
    TRzGroupBox* box = MakeGroupBox(form, 16, 142, 200, 83, "&Actions && more");
    ShowForm();

    const int cx = MeasureText(*form->Font(), "Actions & more").cx;
    EXPECT_NE(Pixel(box, 8 + cx - 1, 6), kGroupLine);
    EXPECT_EQ(Pixel(box, 8 + cx, 6), kGroupLine);
}

TEST_F(GroupBoxTest, DisabledFrameIsUnchanged) {
    TRzGroupBox* box = MakeGroupBox(form, 16, 40, 200, 89, "");
    box->SetEnabled(false);
    ShowForm();

    EXPECT_EQ(Pixel(box, 10, 6), kGroupLine);
    EXPECT_EQ(Pixel(box, 0, 40), kGroupLine);
}

TEST_F(GroupBoxTest, ChangingTheGroupStyleRealignsAlignedChildren) {
    TRzGroupBox* box = MakeGroupBox(form, 16, 40, 200, 89, "Title");
    TCustomControl* child = MakeChild(box, 0, 0);
    child->SetAlign(alClient);
    const int h = MeasureText(*form->Font(), "Yy").cy;
    EXPECT_EQ(child->BoundsRect(), Rect(1, h + 1, 199, 88));

    box->SetGroupStyle(gsBanner);
    EXPECT_EQ(child->Top(), h + 8);
}

TEST_F(GroupBoxTest, OnlyTheCustomStyleTakesTheFrameControllersSettings) {
    auto* controller = new TRzFrameController(form);
    controller->SetFrameStyle(fsGroove);
    controller->SetFrameSides(TSides{sdTop});
    TRzGroupBox* flat = MakeGroupBox(form, 16, 40, 200, 89, "");
    TRzGroupBox* custom = MakeGroupBox(form, 16, 140, 200, 89, "");
    custom->SetGroupStyle(gsCustom);
    flat->SetFrameController(controller);
    custom->SetFrameController(controller);

    EXPECT_EQ(flat->BorderOuter(), fsNone);
    EXPECT_EQ(custom->BorderOuter(), fsGroove);
    EXPECT_EQ(custom->BorderSides(), TSides{sdTop});
    delete controller;
    EXPECT_EQ(custom->FrameController(), nullptr);
}

// ---------------------------------------------------------------------------------------
// Disabling and restoring children

TEST_F(GroupBoxTest, DisablingANestedTreeAndEnablingItRestoresEveryLevel) {
    TRzGroupBox* gbSet = MakeGroupBox(form, 16, 40, 462, 89, "");
    TRzGroupBox* box2 = MakeGroupBox(gbSet, 0, 1, 462, 51, "Setting time");
    TCustomControl* radio = MakeChild(box2, 86, 24);
    TCustomControl* repeat = MakeChild(box2, 350, 24);
    TCustomControl* picker = MakeChild(gbSet, 74, 58);
    TCustomControl* hiddenField = MakeChild(gbSet, 10, 57);
    hiddenField->SetVisible(false);
    hiddenField->SetEnabled(false);
    ShowForm();

    gbSet->SetEnabled(false);
    EXPECT_FALSE(box2->Enabled());
    EXPECT_FALSE(radio->Enabled());
    EXPECT_FALSE(repeat->Enabled());
    EXPECT_FALSE(picker->Enabled());
    EXPECT_EQ(gbSet->RecordedEnabledState(hiddenField), "0");
    EXPECT_EQ(gbSet->RecordedEnabledState(picker), "1");

    gbSet->SetEnabled(true);
    EXPECT_TRUE(box2->Enabled());
    EXPECT_TRUE(radio->Enabled());
    EXPECT_TRUE(repeat->Enabled());
    EXPECT_TRUE(picker->Enabled());
    EXPECT_FALSE(hiddenField->Enabled());
}

TEST_F(GroupBoxTest, ChildAddedWhileDisabledIsEnabledWithThePanel) {
    TRzGroupBox* box = MakeGroupBox(form, 16, 40, 200, 89, "");
    box->SetEnabled(false);
    TCustomControl* late = MakeChild(box, 10, 30);
    late->SetEnabled(false);

    box->SetEnabled(true);
    EXPECT_TRUE(late->Enabled());
}

TEST_F(GroupBoxTest, ChildThatLeftTakesItsRecordedStateWithIt) {
    TRzGroupBox* box = MakeGroupBox(form, 16, 40, 200, 89, "");
    TCustomControl* child = MakeChild(box, 10, 30);
    child->SetEnabled(false);
    box->SetEnabled(false);
    ASSERT_EQ(box->RecordedEnabledState(child), "0");

    delete child;
    TCustomControl* newcomer = MakeChild(box, 10, 30);
    EXPECT_EQ(box->RecordedEnabledState(newcomer), "");
    box->SetEnabled(true);
    EXPECT_TRUE(newcomer->Enabled());
}

} // namespace
