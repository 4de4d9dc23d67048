// The single-line edit box: its text with a change notification that runs synchronously
// whenever the text really changes, caret and selection, typing, deletion, caret movement
// with Shift extending the selection, the clipboard messages (WM_CUT, WM_COPY, WM_PASTE,
// WM_CLEAR) through the platform clipboard, ReadOnly, MaxLength, right alignment through the
// ES_RIGHT window style, and the sunken client edge as its non-client border.
//
// Like the platform's edit window, the default behaviour of keys, characters, mouse presses
// and clipboard messages lives in DefaultHandler, so a descendant that handles one of these
// messages in Dispatch decides whether the default runs.
#pragma once

#include "toolkit/runtime/Controls.h"

#include <string>

// Edit window styles.
constexpr unsigned ES_LEFT = 0x0000;
constexpr unsigned ES_RIGHT = 0x0002;
constexpr unsigned ES_MULTILINE = 0x0004;
constexpr unsigned ES_AUTOHSCROLL = 0x0080;

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);

    // Setting the text from code puts the caret at the start, as the platform's edit does.
    void SetText(const std::string& value) override;
    std::string Text() const { return GetText(); }

    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    // 0: no limit. The limit applies to typing and pasting, not to text set by code.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return readOnly_; }
    virtual void SetReadOnly(bool value);
    // Set by every change the user makes; cleared by code only.
    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }

    // Selection in byte offsets of the text; the caret is at the end the user moves.
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    std::string SelText() const;
    // Replaces the selection (the change notification runs as for typing).
    void SetSelText(const std::string& value);
    void SelectAll();
    void ClearSelection();
    void Clear() { SetText(""); }
    void CutToClipboard() { Perform(WM_CUT); }
    void CopyToClipboard() { Perform(WM_COPY); }
    void PasteFromClipboard() { Perform(WM_PASTE); }
    int CaretPos() const { return caret_; }

    TNotifyEvent OnChange;

protected:
    // The change notification: runs OnChange.
    virtual void Change();
    // The area the text is laid out in (client coordinates).
    virtual TRect EditRect();

    void CreateParams(TCreateParams& params) override;
    void DoEnter() override;
    void PaintWindow(HDC dc) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

private:
    // Editing.
    void Select(int anchor, int caret);
    void ReplaceSelection(const std::string& inserted);
    void DeleteRange(int from, int to);
    void StoreEdit(const std::string& text, int caret);
    void CopySelection();
    // Default handling of keys, characters, the mouse and the clipboard.
    void EditKeyDown(unsigned key);
    void EditChar(unsigned char c);
    void EditMouse(TMessage& message);
    void EditPaste();
    // Layout of the text in the edit rectangle.
    int TextWidth(int from, int to);
    int TextOriginX();
    int OffsetAtX(int x);
    void ScrollCaretIntoView();

    bool autoSelect_ = true;
    bool hideSelection_ = true;
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool modified_ = false;
    int anchor_ = 0;
    int caret_ = 0;
    int scroll_ = 0;
    bool selecting_ = false;
};

// The masked edit used without an input mask: a plain edit box.
class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}
};
