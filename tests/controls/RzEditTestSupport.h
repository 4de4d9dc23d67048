// A shown form with the minutes edit configured as the main window configures it, a second
// edit to move the focus to, and helpers that type, press keys and read the painted window.
#pragma once

#include "controls/RzEdit.h"
#include "platform/WindowSystem.h"
#include "support/ToolkitFixture.h"

#include <string>
#include <vector>

class EditFormTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        app->CreateForm(form);
        form->SetBounds(0, 0, 300, 140);
        form->SetColor(clBtnFace);
        minutes = Place(new TRzNumericEdit(form), 10, 57);
        minutes->SetMax(10000);
        minutes->SetMin(1);
        minutes->SetValueAsInteger(30);
        minutes->SetFrameVisible(true);
        minutes->OnChange = [this](TObject*) {
            changes.push_back(minutes->Text());
        };
        other = Place(new TRzEdit(form), 120, 57);
        other->SetWidth(100);
    }

    template <class T> T* Place(T* control, int left, int top) {
        control->SetParent(form);
        control->SetLeft(left);
        control->SetTop(top);
        control->Font()->SetName("Arial");
        control->Font()->SetHeight(-12);
        return control;
    }

    void Show() {
        form->Show();
        minutes->SetFocus();
        Idle();
        changes.clear();
    }
    void Type(const std::string& text) {
        platform.windows.Type(Window(form), text);
        Idle();
    }
    void Key(unsigned key, unsigned shift = 0) {
        platform.windows.PressKey(Window(form), key, shift);
        Idle();
    }
    // Replaces the whole text as the user would, then leaves the edit with Tab.
    void Enter(const std::string& text) {
        minutes->SelectAll();
        Type(text);
    }
    void Leave() { Key(VK_TAB); }

    // The painted colour of a pixel of the whole window (frame included).
    TColor WindowPixel(TWinControl* control, int x, int y) {
        const TPoint o = control->WindowOffsetInForm();
        return PixelToColor(form->BackBuffer().At(o.X + x, o.Y + y) & 0xFFFFFFu);
    }

    TForm* form = nullptr;
    TRzNumericEdit* minutes = nullptr;
    TRzEdit* other = nullptr;
    std::vector<std::string> changes;
};
