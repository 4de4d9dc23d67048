// TRzButton's painting: the hot-track face with its cut corners, the classic face, the
// stuck-down pattern, the caption and the focus outline.
#include "controls/RzButton.h"
#include "controls/RzGrafx.h"

namespace {

void FillArea(TCanvas* canvas, const TRect& r, TColor color) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(r);
}

} // namespace

void TRzButton::Paint() {
    TRect focusRect = ClientRect();
    const int inset = HotTrack() ? -3 : -4;
    InflateRect(focusRect, inset, inset);
    if (groupIndex_ != 0 && PressedLook()) {
        OffsetRect(focusRect, 1, 1);
    }

    TRect r = ClientRect();
    if (HotTrack()) {
        PaintHotTrackFace(r);
    } else {
        PaintClassicFace(r);
    }
    if (groupIndex_ != 0 && state_ == rbsExclusive && showDownPattern_) {
        PaintDownPattern(r);
    }

    Canvas()->Font()->Assign(*Font());
    Canvas()->Brush()->SetColor(Color());
    DrawFaceContent();

    if (Focused() && showFocusRect_) {
        PaintDottedFocusFrame(Canvas(), focusRect);
    }
}

unsigned TRzButton::CaptionFormat() const {
    unsigned format = DT_CENTER;
    if (alignment_ == taLeftJustify) {
        format = DT_LEFT;
    } else if (alignment_ == taRightJustify) {
        format = DT_RIGHT;
    }
    return format | DT_WORDBREAK | DT_EXPANDTABS;
}

void TRzButton::GetCaptionRect(TRect& rect) {
    rect = ClientRect();
    InflateRect(rect, -5, -5);
    if (!HotTrack() && PressedLook()) {
        OffsetRect(rect, 1, 1);
    }
}

void TRzButton::DrawFaceContent() {
    TRect rect;
    GetCaptionRect(rect);
    DrawCaptionText(Canvas(), rect, CaptionFormat());
}

// ---------------------------------------------------------------------------------------
// Hot-track face

void TRzButton::PaintHotTrackFace(TRect& r) {
    TCanvas* canvas = Canvas();
    if (!Enabled()) {
        InflateRect(r, -1, -1);
        const TColor line = Color() == clBtnFace ? LightenColor(clBtnShadow, 30) : DarkenColor(Color(), 80);
        PaintHotTrackFrameLine(r, line);
        InflateRect(r, -1, -1);
        FillArea(canvas, r, Color());
        return;
    }

    PaintHotTrackRing(r.Width(), r.Height());
    InflateRect(r, -1, -1);
    PaintHotTrackFrameLine(r, frameColor_);
    InflateRect(r, -1, -1);

    if (PressedLook()) {
        FillArea(canvas, r, DarkenColor(Color(), 10));
        return;
    }
    PaintPlainFace(r);
    if (MouseOver()) {
        TColor top = HotTrackColor();
        TColor bottom = MixColors(clWhite, HotTrackColor(), 190);
        if (HotTrackColorType() == htctComplement) {
            bottom = OppositeHueColor(HotTrackColor(), 180);
            top = DarkenColor(bottom, 30);
        }
        PaintHotTrackBox(canvas, r, gdHorizontalEnd, top, bottom);
    } else if (groupIndex_ == 0 && (active_ || Focused())) {
        TColor base = HighlightColor();
        if (ColorsTooSimilar(base, clBtnFace)) {
            base = DarkenColor(base, 30);
        }
        const TColor light = LightenColor(Color(), 30);
        PaintHotTrackBox(canvas, r, gdHorizontalEnd, MixColors(base, light, 160), MixColors(base, light, 60));
    }
}

// The outer ring in the button-face shades, two pixels short at every corner, with one
// pixel set inside each corner.
void TRzButton::PaintHotTrackRing(int width, int height) {
    TCanvas* canvas = Canvas();
    const TColor dark = DarkenColor(clBtnFace, 20);
    const TColor light = LightenColor(clBtnFace, 20);
    FillArea(canvas, Rect(0, 2, 1, height - 2), dark);
    FillArea(canvas, Rect(2, 0, width - 2, 1), dark);
    FillArea(canvas, Rect(width - 1, 2, width, height - 2), light);
    FillArea(canvas, Rect(2, height - 1, width - 2, height), light);
    FillArea(canvas, Rect(1, 1, 2, 2), dark);
    FillArea(canvas, Rect(width - 2, 1, width - 1, 2), dark);
    FillArea(canvas, Rect(1, height - 2, 2, height - 1), dark);
    FillArea(canvas, Rect(width - 2, height - 2, width - 1, height - 1), light);
}

// A one-pixel outline of r without its four corner pixels.
void TRzButton::PaintHotTrackFrameLine(const TRect& r, TColor color) {
    TCanvas* canvas = Canvas();
    FillArea(canvas, Rect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1), color);
    FillArea(canvas, Rect(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1), color);
    FillArea(canvas, Rect(r.Left + 1, r.Top, r.Right - 1, r.Top + 1), color);
    FillArea(canvas, Rect(r.Left + 1, r.Bottom - 1, r.Right - 1, r.Bottom), color);
}

// Two shaded lines at the bottom and a light-to-dark ramp above them.
void TRzButton::PaintPlainFace(TRect r) {
    TCanvas* canvas = Canvas();
    FillArea(canvas, Rect(r.Left, r.Bottom - 2, r.Right, r.Bottom - 1), DarkenColor(Color(), 20));
    FillArea(canvas, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), DarkenColor(Color(), 30));
    r.Bottom -= 2;
    if (TrueColorFlag()) {
        PaintGradientFill(canvas, r, gdHorizontalEnd, LightenColor(Color(), 30), DarkenColor(Color(), 10), 1);
    } else {
        FillArea(canvas, r, Color());
    }
}

// ---------------------------------------------------------------------------------------
// Classic face

void TRzButton::PaintClassicFace(TRect& r) {
    TCanvas* canvas = Canvas();
    if (groupIndex_ == 0 && (((active_ || Focused()) && !pressed_) || clicking_)) {
        r = PaintSides(canvas, r, clWindowFrame, clWindowFrame, sdAllSides);
    }
    const bool grouped = groupIndex_ != 0;
    if (Color() == clBtnFace) {
        r = grouped ? PaintFrame(canvas, r, PressedLook() ? fsLowered : fsButtonUp)
                    : PaintButtonEdge(canvas, r, pressed_);
    } else if (!grouped) {
        r = PaintTintedButtonEdge(canvas, r, Color(), pressed_);
    } else if (PressedLook()) {
        r = PaintTintedFrame(canvas, r, Color(), fsLowered);
    } else {
        r = PaintTintedButtonEdge(canvas, r, Color(), false);
    }
    FillArea(canvas, r, Color());
}

// ---------------------------------------------------------------------------------------
// Stuck-down pattern and background

void TRzButton::BuildDownPattern(TBitmap* bitmap) {
    bitmap->SetSize(8, 8);
    TCanvas* canvas = bitmap->Canvas();
    FillArea(canvas, Rect(0, 0, 8, 8), Color());
    const TColor dots = ColorToRGB(Color()) == clSilver ? clGray : clSilver;
    for (int y = 0; y < 8; ++y) {
        for (int x = y % 2; x < 8; x += 2) {
            canvas->SetPixel(x, y, dots);
        }
    }
}

void TRzButton::PaintDownPattern(const TRect& r) {
    TBitmap pattern;
    BuildDownPattern(&pattern);
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetBitmap(&pattern);
    canvas->FillRect(r);
    canvas->Brush()->SetBitmap(nullptr);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
}

// Only the cut corners (enabled) or the outer ring with the corners (disabled) show the
// parent; the face covers everything else.
void TRzButton::PaintBackdrop(HDC dc) {
    if (!Transparent() || dc == nullptr) {
        return;
    }
    const TRegion saved = dc->Clip();
    TRect r = ClientRect();
    const int inset = Enabled() ? -1 : -2;
    InflateRect(r, inset, inset);
    ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    InflateRect(r, 1, -1);
    ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    InflateRect(r, -2, 2);
    ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    CopyParentBackground(this, dc);
    dc->SetClip(saved);
}
