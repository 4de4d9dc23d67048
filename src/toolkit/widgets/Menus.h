// Popup menus: TMenuItem (caption with an "&" mnemonic, or "-" for a separator; OnClick) and
// TPopupMenu, shown at a screen point in a popup window with a modal loop of its own.
#pragma once

#include "platform/WindowSystem.h"
#include "toolkit/base/Classes.h"
#include "toolkit/base/Types.h"
#include "toolkit/runtime/PopupWindow.h"

#include <memory>
#include <string>
#include <vector>

class TMenuCommandWindow;
class TMenuWindow;
class TPopupMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    bool IsLine() const { return caption_ == "-"; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }

    // Child items (the items of a popup menu are the children of its root item).
    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const { return items_[std::size_t(index)]; }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    TMenuItem* Parent() const { return parent_; }

    // Raises OnClick (disabled items do nothing).
    virtual void Click();
    TNotifyEvent OnClick;

    // Identifies the item in the command message that delivers a choice.
    unsigned Command() const { return command_; }

private:
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    unsigned command_;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    TMenuItem* Items() const { return items_; }
    // Shows the menu with its top-left at a screen point (moved to stay on the screen) and
    // returns once it has closed. The chosen item's OnClick runs after that, from the message
    // loop, as a command message would arrive: a handler can rely on the menu being gone.
    void Popup(int x, int y);
    // Closes an open menu without a choice.
    void CloseMenu();
    bool IsOpen() const;
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* value) { popupComponent_ = value; }
    TNotifyEvent OnPopup;

    // The open menu's window (for tests and screenshots); null while closed.
    TMenuWindow* Window() const;
    // Delivers a chosen item's click (the command window calls it).
    void Choose(unsigned command);

private:
    TMenuItem* FindCommand(TMenuItem* root, unsigned command) const;

    TMenuItem* items_;
    TComponent* popupComponent_ = nullptr;
    std::unique_ptr<TMenuWindow> window_;
    std::unique_ptr<TMenuCommandWindow> commandWindow_;
};

// The window of an open popup menu: the visible items in a column inside a raised edge.
class TMenuWindow : public TPopupWindow {
public:
    explicit TMenuWindow(TPopupMenu& menu);

    void Open(TPoint screen);
    // The visible items, in the order shown, and where each one lies in the window.
    const std::vector<TMenuItem*>& ShownItems() const { return items_; }
    TRect ItemRect(int index) const;
    int Selected() const { return selected_; }
    // The command of the item chosen before the window closed (0: closed without a choice).
    unsigned Choice() const { return choice_; }

protected:
    void Paint(TCanvas& canvas) override;
    void Input(const platform::InputEvent& event) override;

private:
    void Measure();
    int ItemAt(TPoint p) const;
    bool Selectable(int index) const;
    void Select(int index);
    void SelectNext(int direction);
    void Choose(int index);
    void Close();
    void KeyDown(unsigned key);
    void CharTyped(char key);
    void PaintItem(TCanvas& canvas, int index);

    TPopupMenu& menu_;
    std::vector<TMenuItem*> items_;
    std::vector<int> tops_;
    TFont font_;
    int width_ = 0;
    int height_ = 0;
    int itemHeight_ = 19;
    int selected_ = -1;
    unsigned choice_ = 0;
    bool pointerUsed_ = false;
};
