// The library edit's look: the flat frame in the non-client area, colour states, hot
// tracking and the frame controller link.
#include "RzEditTestSupport.h"

#include <memory>

namespace {

// A frame ring of the edit's window, sampled in the middle of each side.
struct TSideColors {
    TColor Left, Top, Right, Bottom;
};

} // namespace

class EditLookTest : public EditFormTest {
protected:
    TSideColors Ring(TWinControl* control, int inset) {
        const int w = control->Width();
        const int h = control->Height();
        return TSideColors{WindowPixel(control, inset, h / 2), WindowPixel(control, w / 2, inset),
                           WindowPixel(control, w - 1 - inset, h / 2),
                           WindowPixel(control, w / 2, h - 1 - inset)};
    }
    void ExpectRing(TWinControl* control, int inset, TColor color) {
        const TSideColors ring = Ring(control, inset);
        const TColor rgb = ColorToRGB(color);
        EXPECT_EQ(ring.Left, rgb) << "left, inset " << inset;
        EXPECT_EQ(ring.Top, rgb) << "top, inset " << inset;
        EXPECT_EQ(ring.Right, rgb) << "right, inset " << inset;
        EXPECT_EQ(ring.Bottom, rgb) << "bottom, inset " << inset;
    }
    void MouseTo(int x, int y) {
        platform.windows.MouseMove(Window(form), x, y);
        Idle();
    }
};

TEST_F(EditLookTest, FlatFrameIsOneShadowPixelAroundTheTextArea) {
    Show();
    ExpectRing(minutes, 0, clBtnShadow);
    ExpectRing(minutes, 1, clWindow);
    EXPECT_EQ(WindowPixel(minutes, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(WindowPixel(minutes, 64, 20), ColorToRGB(clBtnShadow));
    EXPECT_EQ(minutes->NonClientBorder(), Rect(2, 2, 2, 2));
}

TEST_F(EditLookTest, CustomFramingDrawsTheSameFrameWithoutThemes) {
    minutes->SetFramingPreference(fpCustomFraming);
    Show();
    ExpectRing(minutes, 0, clBtnShadow);
    ExpectRing(minutes, 1, clWindow);
}

TEST_F(EditLookTest, WithoutTheFrameTheSunkenClientEdgeShows) {
    minutes->SetFrameVisible(false);
    Show();
    EXPECT_EQ(WindowPixel(minutes, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(WindowPixel(minutes, 1, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(WindowPixel(minutes, 63, 19), ColorToRGB(cl3DLight));
}

TEST_F(EditLookTest, FrameSidesAndStyleChooseWhatIsPainted) {
    minutes->SetFrameSides(sdAllSides.Without(sdTop));
    minutes->SetFrameColor(clRed);
    Show();
    const TSideColors ring = Ring(minutes, 0);
    EXPECT_EQ(ring.Left, ColorToRGB(clRed));
    EXPECT_EQ(ring.Top, ColorToRGB(clWindow));
    minutes->SetFrameStyle(fsFlatBold);
    Idle();
    EXPECT_EQ(Ring(minutes, 1).Left, ColorToRGB(clRed));
    EXPECT_EQ(Ring(minutes, 1).Top, ColorToRGB(clWindow));
}

TEST_F(EditLookTest, ColourFollowsFocusEnabledAndReadOnly) {
    minutes->SetFocusColor(clYellow);
    Show();
    EXPECT_EQ(minutes->Color(), clYellow);
    ExpectRing(minutes, 1, clYellow);
    Key(VK_TAB);
    EXPECT_EQ(minutes->Color(), clWindow);
    minutes->SetReadOnly(true);
    EXPECT_EQ(minutes->Color(), clInfoBk);
    minutes->SetEnabled(false);
    EXPECT_EQ(minutes->Color(), clBtnFace);
    minutes->SetEnabled(true);
    minutes->SetReadOnlyColorOnFocus(true);
    minutes->SetFocus();
    Idle();
    EXPECT_EQ(minutes->Color(), clInfoBk);
}

TEST_F(EditLookTest, ColourSetByTheFormBecomesTheNormalColourAndTheFocusColourFollows) {
    minutes->SetColor(clAqua);
    EXPECT_EQ(minutes->FocusColor(), clAqua);
    Show();
    EXPECT_EQ(minutes->Color(), clAqua);
    minutes->SetDisabledColor(clGray);
    EXPECT_EQ(minutes->Color(), clAqua) << "the disabled colour shows only while disabled";
    Key(VK_TAB);
    EXPECT_EQ(minutes->Color(), clAqua);
}

TEST_F(EditLookTest, HotTrackingPaintsTheHotFrameUnderTheMouse) {
    minutes->SetFrameHotTrack(true);
    minutes->SetFrameHotColor(clRed);
    form->Show();
    other->SetFocus();
    Idle();
    EXPECT_FALSE(minutes->IsHot());
    ExpectRing(minutes, 1, clWindow);
    const TPoint o = minutes->WindowOffsetInForm();
    MouseTo(o.X + 20, o.Y + 10);
    EXPECT_TRUE(minutes->IsHot());
    ExpectRing(minutes, 0, clRed);
    ExpectRing(minutes, 1, clRed);
    MouseTo(o.X + 20, o.Y + 60);
    EXPECT_FALSE(minutes->IsHot());
    ExpectRing(minutes, 0, clBtnShadow);
}

TEST_F(EditLookTest, HotTrackingTurnsTheFrameOnWithAllSides) {
    auto* edit = new TRzEdit(form);
    edit->SetFrameSides(TSides{sdLeft});
    edit->SetFrameHotTrack(true);
    EXPECT_TRUE(edit->FrameVisible());
    EXPECT_TRUE(edit->Ctl3D());
    EXPECT_EQ(edit->FrameSides(), sdAllSides);
}

TEST_F(EditLookTest, FrameControllerPushesTheSelectedSettingsAndIsForgottenWhenFreed) {
    auto* controller = new TRzFrameController(form);
    controller->SetFrameVisible(true);
    controller->SetFrameColor(clRed);
    controller->SetFocusColor(clYellow);
    minutes->SetFrameControllerNotifications(fcpAll.Without(fcpFocusColor));
    minutes->SetFrameController(controller);
    EXPECT_EQ(minutes->FrameColor(), clRed);
    EXPECT_EQ(minutes->FocusColor(), clWindow);
    EXPECT_EQ(controller->ControlCount(), 1);
    controller->SetFrameStyle(fsFlatBold);
    EXPECT_EQ(minutes->FrameStyle(), fsFlatBold);
    delete controller;
    EXPECT_EQ(minutes->FrameController(), nullptr);
}

TEST_F(EditLookTest, DestroyedEditLeavesItsController) {
    auto* controller = new TRzFrameController(form);
    auto* edit = new TRzEdit(form);
    edit->SetFrameController(controller);
    ASSERT_EQ(controller->ControlCount(), 1);
    delete edit;
    EXPECT_EQ(controller->ControlCount(), 0);
}
