// Message boxes drawn by the toolkit: a modal dialog with an icon, the text (the box is sized
// to it) and a row of push buttons, answered with the mouse or the keyboard (Enter presses the
// focused button, Escape answers No / Cancel / OK, Tab moves between the buttons, and a
// button's underlined letter presses it). ShowMessage and Application->MessageBox show it
// once InstallMessageBoxDialog has plugged it into the message-box seam of Forms; tests keep
// their own answering provider instead.
#pragma once

#include "platform/WindowSystem.h"
#include "toolkit/runtime/Forms.h"
#include "toolkit/widgets/Label.h"

#include <string>
#include <vector>

// A classic push button: raised face, a black frame while it is the focused (default) button,
// a dotted focus rectangle, pressed look while the mouse holds it.
class TMessageButton : public TCustomControl {
public:
    TMessageButton(TComponent* owner, const std::string& caption, TModalResult result);
    TModalResult ModalResult() const { return modalResult_; }
    bool Pressed() const { return pressed_; }
    void Click() override;

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void SetPressed(bool value);

    TModalResult modalResult_;
    bool tracking_ = false;
    bool pressed_ = false;
};

class TMessageForm : public TForm {
public:
    TMessageForm(const std::string& text, const std::string& caption, unsigned flags);
    ~TMessageForm() override;

    // Shows the box modally and returns IDOK, IDYES, IDNO, ...
    int Execute();
    const std::vector<TMessageButton*>& Buttons() const { return buttons_; }
    TLabel* Message() const { return message_; }
    TRect IconRect() const { return iconRect_; }

    void HandleInput(platform::INativeWindow& window, const platform::InputEvent& event) override;

protected:
    void Paint() override;
    void DoShow() override;
    void Dispatch(TMessage& message) override;

private:
    void CreateButtons(unsigned flags);
    void Arrange();
    void PlaceOverOwner();
    void PaintIcon(TCanvas& canvas);
    int AnswerOf(TModalResult result) const;

    unsigned icon_;
    TModalResult cancelResult_ = mrCancel;
    TLabel* message_;
    std::vector<TMessageButton*> buttons_;
    TRect iconRect_;
};

// Shows a toolkit message box (caption, text, MB_* style) and returns the answer.
int MessageBoxDialog(const std::string& text, const std::string& caption, unsigned flags);
// Makes MessageBoxDialog the box that ShowMessage and Application->MessageBox show.
void InstallMessageBoxDialog();
