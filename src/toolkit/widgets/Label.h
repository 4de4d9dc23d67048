// TLabel: a line (or a wrapped block) of text painted on its parent, with an "&" accelerator
// that focuses an associated control.
#pragma once

#include "toolkit/runtime/Controls.h"

#include <string>

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    ~TLabel() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // Auto-size fits the bounds to the caption whenever the caption or the font changes;
    // a right-justified label keeps its right edge, a centred one its centre.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    // The control that Alt+accelerator (or the accelerator alone when the focused control
    // takes no characters) focuses.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* value);

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

private:
    unsigned DrawTextFlags() const;
    void DrawCaption(TRect& rect, unsigned flags);
    void AdjustBounds();
    void CMDialogChar(TMessage& message);

    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};
