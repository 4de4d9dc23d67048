// Hints: a small tooltip window with a control's Hint, shown once the pointer has rested on
// a control with ShowHint for the application's HintPause, hidden when the pointer leaves the
// control, a button is pressed or a key is typed.
#pragma once

#include "platform/WindowSystem.h"
#include "toolkit/runtime/Forms.h"
#include "toolkit/runtime/PopupWindow.h"

#include <memory>
#include <string>

class TTimer;

class THintWindow : public TPopupWindow {
public:
    THintWindow();
    // Shows text with the window's top-left at a screen point.
    void ActivateHint(TPoint screen, const std::string& text);
    const std::string& Text() const { return text_; }

protected:
    void Paint(TCanvas& canvas) override;
    void Input(const platform::InputEvent& event) override;

private:
    std::string text_;
    TFont font_;
};

// Follows the input the forms route (through Application->OnUserInput) and drives the hint
// window. One exists per application; it detaches itself when destroyed.
class THintController : public TComponent {
public:
    explicit THintController(TApplication* application);
    ~THintController() override;

    // The hint window while a hint shows, else null.
    THintWindow* ShownHint() const;
    // The text the control under the pointer would show (its own Hint or its nearest
    // parent's), or empty when it shows none.
    static std::string HintOf(TControl* control);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void UserInput(TControl* control, unsigned msg);
    void Track(TControl* control);
    void CancelHint();
    void ShowHint();

    TApplication* application_;
    TTimer* timer_;
    TControl* control_ = nullptr;
    std::unique_ptr<THintWindow> window_;
};
