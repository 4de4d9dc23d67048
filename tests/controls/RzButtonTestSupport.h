// A shown form for the button, check box and radio button tests, with helpers that place
// controls configured as the program's windows configure them and read painted pixels.
#pragma once

#include "controls/RzButton.h"
#include "controls/RzRadChk.h"
#include "platform/WindowSystem.h"
#include "support/ToolkitFixture.h"

#include <string>

constexpr TColor kStartFace = 0xDDE6E6;
constexpr TColor kWindowHotTrack = 0x3CC7FF;
constexpr TColor kWindowHighlight = 0xF48D6A;

class ButtonFormTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        app->CreateForm(form);
        form->SetBounds(0, 0, 400, 260);
        form->SetColor(clBtnFace);
        form->Font()->SetName("Arial");
        form->Font()->SetHeight(-11);
    }

    template <class T> T* Place(T* control, TWinControl* parent, int left, int top, int width, int height) {
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    }

    // A bitmap button set up like the program's six.
    TRzBitBtn* WindowButton(int left, int top, int width, int height, TColor face,
                            const std::string& caption) {
        auto* button = Place(new TRzBitBtn(form), form, left, top, width, height);
        button->SetHotTrack(true);
        button->SetHotTrackColor(kWindowHotTrack);
        button->SetHighlightColor(kWindowHighlight);
        button->SetColor(face);
        button->SetCaption(caption);
        return button;
    }

    void ShowForm() {
        form->Show();
        Idle();
    }

    // The painted colour of a control's client pixel.
    TColor Pixel(TWinControl* control, int x, int y) {
        const TPoint offset = control->ClientOffsetInForm();
        return PixelToColor(form->BackBuffer().At(offset.X + x, offset.Y + y) & 0xFFFFFFu);
    }

    platform::headless::HeadlessWindowSystem& windows() { return platform.windows; }
    void MouseDown(TControl* control, int x, int y,
                   platform::MouseButton button = platform::MouseButton::Left) {
        const TPoint p = At(control, x, y);
        windows().MouseDown(Window(form), p.X, p.Y, button);
        Idle();
    }
    void MouseMove(TControl* control, int x, int y) {
        const TPoint p = At(control, x, y);
        windows().MouseMove(Window(form), p.X, p.Y);
        Idle();
    }
    void MouseUp(TControl* control, int x, int y,
                 platform::MouseButton button = platform::MouseButton::Left) {
        const TPoint p = At(control, x, y);
        windows().MouseUp(Window(form), p.X, p.Y, button);
        Idle();
    }
    void ClickOn(TControl* control, int x = 5, int y = 5) {
        const TPoint p = At(control, x, y);
        windows().Click(Window(form), p.X, p.Y);
        Idle();
    }
    void KeyDown(unsigned key, unsigned shift = 0) {
        windows().KeyDown(Window(form), key, shift);
        Idle();
    }
    void KeyUp(unsigned key, unsigned shift = 0) {
        windows().KeyUp(Window(form), key, shift);
        Idle();
    }
    void Press(unsigned key, unsigned shift = 0) {
        windows().PressKey(Window(form), key, shift);
        Idle();
    }

    TForm* form = nullptr;

private:
    TPoint At(TControl* control, int x, int y) {
        return form->ScreenToClient(control->ClientToScreen(Point(x, y)));
    }
};

// Counts the OnClick calls of a control.
struct ClickCounter {
    int count = 0;
    void Attach(TControl* control) {
        control->OnClick = [this](TObject*) {
            ++count;
        };
    }
};
