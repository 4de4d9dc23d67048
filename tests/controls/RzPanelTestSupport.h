// A shown form for the panel, group box, status bar and pane tests, laid out like the
// program's main window (486 x 302 client, Arial -11, clBtnFace), with helpers that build the
// status bar and read painted pixels.
#pragma once

#include "controls/RzPanel.h"
#include "controls/RzStatus.h"
#include "platform/WindowSystem.h"
#include "support/ToolkitFixture.h"

#include <map>
#include <string>
#include <vector>

// A form that records the system commands it receives.
class RecordingForm : public TForm {
public:
    using TForm::TForm;
    std::vector<WPARAM> systemCommands;

protected:
    void Dispatch(TMessage& message) override {
        if (message.Msg == WM_SYSCOMMAND) {
            systemCommands.push_back(message.WParam);
        }
        TForm::Dispatch(message);
    }
};

class PanelFormTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        app->CreateForm(form);
        form->SetBounds(0, 0, 486, 302);
        form->SetColor(clBtnFace);
        form->Font()->SetName("Arial");
        form->Font()->SetHeight(-11);
    }

    void ShowForm() {
        form->Show();
        Idle();
    }

    // The status bar of the main window: docked at the bottom with its default look.
    TRzStatusBar* MakeStatusBar() {
        auto* bar = new TRzStatusBar(form);
        bar->SetParent(form);
        return bar;
    }

    // A left-aligned pane of the given width, placed after the panes already there.
    template <class T> T* AddPane(TRzStatusBar* bar, int left, int width) {
        auto* pane = new T(form);
        pane->SetParent(bar);
        pane->SetBounds(left, 0, width, 19);
        pane->SetAlign(alLeft);
        return pane;
    }

    // The painted colour at a client point of a control (windowed or not).
    TColor Pixel(TControl* control, int x, int y) {
        TPoint offset;
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
            offset = windowed->ClientOffsetInForm();
        } else {
            offset = control->Parent()->ClientOffsetInForm();
            offset = Point(offset.X + control->Left(), offset.Y + control->Top());
        }
        return PixelToColor(form->BackBuffer().At(offset.X + x, offset.Y + y) & 0xFFFFFFu);
    }

    // One character per pixel of an area of a control, rows ending in newlines; colours of the
    // legend (system colours resolved) give their character, anything else '?'.
    std::string Picture(TControl* control, TRect area, const std::map<TColor, char>& legend) {
        std::map<TColor, char> resolved;
        for (const auto& [color, symbol] : legend) {
            resolved[ColorToRGB(color)] = symbol;
        }
        std::string text;
        for (int y = area.Top; y < area.Bottom; ++y) {
            for (int x = area.Left; x < area.Right; ++x) {
                const auto found = resolved.find(Pixel(control, x, y));
                text += found != resolved.end() ? found->second : '?';
            }
            text += '\n';
        }
        return text;
    }

    // Whether any pixel of column x, rows top..bottom-1, differs from the background.
    bool ColumnHasInk(TControl* control, int x, int top, int bottom, TColor background) {
        for (int y = top; y < bottom; ++y) {
            if (Pixel(control, x, y) != ColorToRGB(background)) {
                return true;
            }
        }
        return false;
    }

    // Moves the mouse to a client point of a control and presses or clicks there.
    TPoint At(TControl* control, int x, int y) {
        return form->ScreenToClient(control->ClientToScreen(Point(x, y)));
    }
    void MouseMove(TControl* control, int x, int y) {
        const TPoint p = At(control, x, y);
        platform.windows.MouseMove(Window(form), p.X, p.Y);
        Idle();
    }
    void MouseDown(TControl* control, int x, int y) {
        const TPoint p = At(control, x, y);
        platform.windows.MouseDown(Window(form), p.X, p.Y);
        Idle();
    }
    void ClickOn(TControl* control, int x, int y) {
        const TPoint p = At(control, x, y);
        platform.windows.Click(Window(form), p.X, p.Y);
        Idle();
    }

    RecordingForm* form = nullptr;
};

// The main window's status bar on the form, with helpers that add its kinds of pane.
class StatusBarFormTest : public PanelFormTest {
protected:
    void SetUp() override {
        PanelFormTest::SetUp();
        bar = MakeStatusBar();
    }

    // A 60-pixel pane with black text.
    TRzStatusPane* MakePane(int left) {
        auto* pane = AddPane<TRzStatusPane>(bar, left, 60);
        pane->Font()->SetColor(clBlack);
        return pane;
    }

    // A 129-pixel clock pane at the left, showing the time.
    template <class T = TRzClockStatus> T* MakeClock() {
        auto* clock = AddPane<T>(bar, 0, 129);
        clock->RefreshTimeText();
        return clock;
    }

    TRzStatusBar* bar = nullptr;
};

// The status bar at a quarter second past noon, which keeps the polls off the second boundaries.
class ClockPaneTest : public StatusBarFormTest {
protected:
    void SetUp() override {
        StatusBarFormTest::SetUp();
        platform.clock.SetNow(46364.5 + 250.0 / MSecsPerDay);
    }
};

// The flat frame colour of the panes and the simple frame with their defaults.
inline TColor DefaultFlatLine() {
    return ColorToRGB(ShiftLightness(clBtnShadow, 30));
}
