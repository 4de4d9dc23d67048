// TRzCustomCheckBox: the three states, their glyph cells and marks, and the Space, Escape
// and accelerator keys.
#include "controls/RzRadChk.h"
#include "toolkit/base/Store.h"

TRzCustomCheckBox::TRzCustomCheckBox(TComponent* owner) : TRzCustomGlyphButton(owner) {
    SetAlignmentVertical(avTop);
    SetGlyphStateCount(9);
}

// Every change, by the user or by code, repaints at once and fires OnClick, except one an
// action pushes.
void TRzCustomCheckBox::SetState(TCheckBoxState value) {
    if (!Store(state_, value)) {
        return;
    }
    PaintNow();
    if (!ClickSuppressed()) {
        Click();
    }
}

void TRzCustomCheckBox::SetChecked(bool value) {
    SetState(value ? cbChecked : cbUnchecked);
}

void TRzCustomCheckBox::PerformClick() {
    if (MouseActivation() && ReadOnly()) {
        return;
    }
    switch (state_) {
    case cbUnchecked:
        SetState(allowGrayed_ ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Keyboard

void TRzCustomCheckBox::KeyDown(unsigned& key, TShiftState shift) {
    if (!ReadOnly() && (key == VK_ESCAPE || key == VK_SPACE)) {
        const bool space = key == VK_SPACE;
        spacePending_ = space;
        pressed_ = space;
        RepaintPressState();
    }
    TRzCustomGlyphButton::KeyDown(key, shift);
}

void TRzCustomCheckBox::KeyUp(unsigned& key, TShiftState shift) {
    if (!ReadOnly() && key == VK_SPACE) {
        pressed_ = false;
        if (spacePending_) {
            PerformClick();
        }
        RepaintPressState();
    }
    TRzCustomGlyphButton::KeyUp(key, shift);
}

void TRzCustomCheckBox::DoExit() {
    TRzCustomGlyphButton::DoExit();
    pressed_ = false;
    RepaintPressState();
}

void TRzCustomCheckBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGCHAR:
        CMDialogChar(message);
        return;
    case BM_GETCHECK:
        message.Result = LRESULT(state_);
        return;
    default:
        TRzCustomGlyphButton::Dispatch(message);
    }
}

void TRzCustomCheckBox::CMDialogChar(TMessage& message) {
    if (!IsAccel(unsigned(message.WParam), Caption()) || !CanFocus()) {
        TRzCustomGlyphButton::Dispatch(message);
        return;
    }
    SetFocus();
    if (Focused() && !ReadOnly()) {
        PerformClick();
        RepaintPressState();
    }
    message.Result = 1;
}

// ---------------------------------------------------------------------------------------
// Glyph

// Cells: 0..2 the states, 3..5 pressed, 6..8 disabled (disabled wins over pressed).
int TRzCustomCheckBox::GlyphCell() const {
    const int cell = int(state_);
    if (!Enabled()) {
        return cell + 6;
    }
    return Pressed() ? cell + 3 : cell;
}

void TRzCustomCheckBox::PaintGlyphImage(TBitmap* image) {
    const TRect r = Rect(0, 0, GlyphSize().cx, GlyphSize().cy);
    if (UseCustomGlyphs()) {
        ExtractGlyphCell(GlyphCell(), image, r.Bottom, r.Right, *CustomGlyphs());
        return;
    }
    if (HotTrack()) {
        PaintCheckMarkBox(image->Canvas(), r, state_, DrawState(), Focused(), HotTrackStyle(), MarkColors());
        return;
    }
    unsigned flags = DFCS_BUTTONCHECK;
    if (state_ == cbChecked) {
        flags |= DFCS_CHECKED;
    } else if (state_ == cbGrayed) {
        flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    }
    if (Pressed()) {
        flags |= DFCS_PUSHED;
    }
    if (!Enabled()) {
        flags |= DFCS_INACTIVE;
    }
    DrawFrameControl(image->Canvas()->Handle(), r, DFC_BUTTON, flags);
}
