// TRzRadioButton: Checked exclusive among the radio buttons of one parent, checking on
// keyboard focus, the group-wide read-only state and the round mark.
#include "controls/RzRadChk.h"
#include "toolkit/base/Store.h"

#include <array>

namespace {

// Classic radio marks drawn on a background the composition later keys out.
constexpr unsigned kFrameControlTransparent = 0x0800;

struct TEdgeBlend {
    int X;
    int Y;
    std::uint8_t Weight;
};

// The circle's outline pixels that take part of the frame colour once the glyph is laid
// over a transparent background.
constexpr std::array<TEdgeBlend, 24> kEdgeBlends{{
    {4, 0, 128},  {8, 0, 128},   {2, 1, 128},  {10, 1, 128}, {1, 2, 128},  {11, 2, 128},
    {0, 4, 128},  {12, 4, 128},  {0, 8, 128},  {12, 8, 128}, {1, 10, 128}, {11, 10, 128},
    {2, 11, 128}, {10, 11, 128}, {4, 12, 128}, {8, 12, 128}, {3, 0, 40},   {9, 0, 40},
    {0, 3, 40},   {12, 3, 40},   {0, 9, 40},   {12, 9, 40},  {3, 12, 40},  {9, 12, 40},
}};

} // namespace

TRzRadioButton::TRzRadioButton(TComponent* owner) : TRzCustomGlyphButton(owner) {
    SetAlignmentVertical(avTop);
    SetGlyphStateCount(6);
    SetTabStop(false);
}

// A radio button is a tab stop exactly while it is checked, so Tab enters its group on the
// checked one. Unchecking never fires OnClick.
void TRzRadioButton::SetChecked(bool value) {
    if (!Store(checked_, value)) {
        return;
    }
    SetTabStop(value);
    PaintNow();
    if (!value) {
        return;
    }
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TRzRadioButton*>(parent->Controls(i));
            if (sibling != nullptr && sibling != this) {
                sibling->SetChecked(false);
            }
        }
    }
    if (!ClickSuppressed()) {
        Click();
    }
}

void TRzRadioButton::SetReadOnly(bool value) {
    if (value == ReadOnly()) {
        return;
    }
    StoreReadOnly(value);
    PaintNow();
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TRzRadioButton*>(parent->Controls(i));
            if (sibling != nullptr && sibling != this) {
                sibling->SetReadOnly(value);
            }
        }
    }
}

void TRzRadioButton::PerformClick() {
    if (!checked_ && !ReadOnly()) {
        SetChecked(true);
    }
}

void TRzRadioButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
        TRzCustomGlyphButton::Dispatch(message);
        // Focus from the keyboard checks the button; a mouse press leaves it to the click.
        if (!MouseActivation() && !ReadOnly()) {
            SetChecked(true);
        }
        return;
    case WM_LBUTTONDBLCLK:
        TRzCustomGlyphButton::Dispatch(message);
        DblClick();
        return;
    case CM_DIALOGCHAR:
        CMDialogChar(message);
        return;
    case BM_GETCHECK:
        message.Result = checked_ ? 1 : 0;
        return;
    default:
        TRzCustomGlyphButton::Dispatch(message);
    }
}

void TRzRadioButton::CMDialogChar(TMessage& message) {
    if (!IsAccel(unsigned(message.WParam), Caption()) || !CanFocus()) {
        TRzCustomGlyphButton::Dispatch(message);
        return;
    }
    SetFocus();
    message.Result = 1;
}

// ---------------------------------------------------------------------------------------
// Glyph

// Cells: 0 unchecked, 1 checked, 2..3 pressed, 4..5 disabled (disabled wins over pressed).
int TRzRadioButton::GlyphCell() const {
    const int cell = checked_ ? 1 : 0;
    if (!Enabled()) {
        return cell + 4;
    }
    return Pressed() ? cell + 2 : cell;
}

void TRzRadioButton::PaintGlyphImage(TBitmap* image) {
    const TRect r = Rect(0, 0, GlyphSize().cx, GlyphSize().cy);
    if (UseCustomGlyphs()) {
        ExtractGlyphCell(GlyphCell(), image, r.Bottom, r.Right, *CustomGlyphs());
        return;
    }
    if (HotTrack()) {
        const TRzRadioSurround surround{Color(), Transparent(), TransparentColor()};
        PaintRadioMark(image->Canvas(), r, checked_, DrawState(), Focused(), HotTrackStyle(), MarkColors(),
                       surround);
        return;
    }
    image->Canvas()->Brush()->SetColor(TransparentColor());
    image->Canvas()->FillRect(r);
    unsigned flags = DFCS_BUTTONRADIO | kFrameControlTransparent;
    if (checked_) {
        flags |= DFCS_CHECKED;
    }
    if (Pressed()) {
        flags |= DFCS_PUSHED;
    }
    if (!Enabled()) {
        flags |= DFCS_INACTIVE;
    }
    DrawFrameControl(image->Canvas()->Handle(), r, DFC_BUTTON, flags);
}

void TRzRadioButton::SmoothGlyphEdges(TBitmap* glyph) {
    if (glyph->Width() < 13 || glyph->Height() < 13) {
        return;
    }
    TCanvas* canvas = glyph->Canvas();
    for (const TEdgeBlend& blend : kEdgeBlends) {
        canvas->SetPixel(blend.X, blend.Y,
                         MixColors(FrameColor(), canvas->Pixel(blend.X, blend.Y), blend.Weight));
    }
}
