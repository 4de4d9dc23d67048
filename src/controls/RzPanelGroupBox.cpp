#include "controls/RzPanel.h"
#include "toolkit/base/Store.h"

TRzCustomGroupBox::TRzCustomGroupBox(TComponent* owner) : TRzCustomPanel(owner) {
    SetControlStyle(ControlStyle() | csSetCaption | csDoubleClicks);
    SetBorderOuter(fsNone);
    SetBorderInner(fsNone);
    SetAlignment(taLeftJustify);
    SetAlignmentVertical(avTop);
    SetHeight(105);
}

void TRzCustomGroupBox::SetGroupStyle(TRzGroupBoxStyle value) {
    if (!Store(groupStyle_, value)) {
        return;
    }
    Realign();
    Invalidate();
}

void TRzCustomGroupBox::ApplyFrameSettings() {
    if (groupStyle_ == gsCustom) {
        TRzCustomPanel::ApplyFrameSettings();
    }
}

void TRzCustomGroupBox::AdjustClientRect(TRect& rect) {
    TRzCustomPanel::AdjustClientRect(rect);
    const int h = MeasureText(*Font(), "Yy").cy;
    switch (groupStyle_) {
    case gsStandard:
    case gsFlat: {
        const int a = h / 2 - 1;
        rect.Top += a < BorderWidth() ? a : h - BorderWidth();
        const int inset = groupStyle_ == gsStandard ? 2 : 1;
        InflateRect(rect, -inset, -inset);
        break;
    }
    case gsCustom:
        if (!Caption().empty()) {
            rect.Top += h;
        }
        InflateRect(rect, -2, -2);
        break;
    case gsTopLine:
        rect.Top += h;
        break;
    case gsBanner:
        rect.Top += h + 8;
        break;
    case gsUnderline:
        rect.Top += h + 4;
        break;
    }
}

TRect TRzCustomGroupBox::CaptionBand(int width) {
    if (Caption().empty() || groupStyle_ == gsCustom) {
        return TRect{};
    }
    const TSize extent = MeasureText(*Font(), RemoveAccelMarkers(Caption()));
    switch (groupStyle_) {
    case gsStandard:
    case gsFlat:
        return Rect(8, 0, extent.cx + 8, extent.cy);
    case gsTopLine:
        return Rect(0, 0, extent.cx + 4, extent.cy);
    case gsBanner:
        return Rect(0, 0, width, extent.cy + 6);
    case gsUnderline:
        return Rect(0, 0, width, extent.cy + 2);
    default:
        return TRect{};
    }
}

void TRzCustomGroupBox::Paint() {
    if (groupStyle_ == gsCustom) {
        TRzCustomPanel::Paint();
        return;
    }
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(*Font());
    const int hh = canvas->TextHeight("Pp") / 2 - 1;
    const TRect band = CaptionBand(Width());

    HDC dc = canvas->Handle();
    const int saved = SaveDC(dc);
    if (!Transparent()) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(Rect(0, 0, Width(), Height()));
    } else if (groupStyle_ != gsBanner && !band.IsEmpty()) {
        ExcludeClipRect(dc, band.Left, band.Top, band.Right, band.Bottom);
    }
    const TColor line = ShiftLightness(FlatColor(), FlatColorAdjustment());
    PaintGroupFrame(Rect(0, hh, Width(), Height()), line, band);
    RestoreDC(dc, saved);
    canvas->Refresh();
    PaintGroupCaption(band);
}

void TRzCustomGroupBox::PaintGroupFrame(const TRect& frame, TColor line, const TRect& band) {
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(line);
    switch (groupStyle_) {
    case gsStandard:
        if (BorderOuter() == fsNone) {
            PaintFrameSides(canvas, frame, fsGroove, sdAllSides);
        } else if (BorderOuter() == fsFlat) {
            PaintBoxOutline(canvas, frame, line);
        } else if (BorderOuter() == fsFlatBold) {
            PaintBevelRings(canvas, frame, line, line, sdAllSides, 2);
        } else {
            PaintFrameSides(canvas, frame, BorderOuter(), sdAllSides);
        }
        break;
    case gsTopLine:
        if (BorderOuter() == fsNone) {
            PaintFrameSides(canvas, frame, fsGroove, TSides{sdTop});
        } else if (BorderOuter() == fsFlat || BorderOuter() == fsFlatBold) {
            canvas->MoveTo(frame.Left + 2, frame.Top);
            canvas->LineTo(frame.Right - 2, frame.Top);
            if (BorderOuter() == fsFlatBold) {
                canvas->MoveTo(frame.Left + 2, frame.Top + 1);
                canvas->LineTo(frame.Right - 2, frame.Top + 1);
            }
        } else {
            PaintFrameSides(canvas, frame, BorderOuter(), TSides{sdTop});
        }
        break;
    case gsFlat:
        PaintFlatFrame(frame, line);
        break;
    case gsBanner:
        PaintBanner(band, line);
        break;
    case gsUnderline:
        canvas->MoveTo(band.Left, band.Bottom);
        canvas->LineTo(band.Right, band.Bottom);
        break;
    case gsCustom:
        break;
    }
}

void TRzCustomGroupBox::PaintFlatFrame(const TRect& f, TColor line) {
    // A one-pixel outline whose corners are cut by one diagonal pixel each.
    TCanvas* canvas = Canvas();
    canvas->MoveTo(f.Left, f.Top + 2);
    canvas->LineTo(f.Left, f.Bottom - 2);
    canvas->MoveTo(f.Left + 2, f.Top);
    canvas->LineTo(f.Right - 2, f.Top);
    canvas->MoveTo(f.Right - 1, f.Top + 2);
    canvas->LineTo(f.Right - 1, f.Bottom - 2);
    canvas->MoveTo(f.Left + 2, f.Bottom - 1);
    canvas->LineTo(f.Right - 2, f.Bottom - 1);
    canvas->SetPixel(f.Left + 1, f.Top + 1, line);
    canvas->SetPixel(f.Right - 2, f.Top + 1, line);
    canvas->SetPixel(f.Right - 2, f.Bottom - 2, line);
    canvas->SetPixel(f.Left + 1, f.Bottom - 2, line);
}

void TRzCustomGroupBox::PaintBanner(const TRect& band, TColor line) {
    TColor start = GradientColorStart();
    TColor stop = GradientColorStop();
    if (GradientColorStyle() != gcsCustom) {
        const TGradientColors colors = SchemeGradientColors(GradientColorStyle());
        start = colors.Start;
        stop = colors.Stop;
        line = SchemeLineColor(GradientColorStyle());
    }
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetColor(line);
    canvas->MoveTo(band.Left, band.Top + 1);
    canvas->LineTo(band.Left, band.Bottom - 1);
    canvas->MoveTo(band.Left + 1, band.Top);
    canvas->LineTo(band.Right - 1, band.Top);
    canvas->MoveTo(band.Right - 1, band.Top + 1);
    canvas->LineTo(band.Right - 1, band.Bottom - 1);
    canvas->MoveTo(band.Left + 1, band.Bottom - 1);
    canvas->LineTo(band.Right - 1, band.Bottom - 1);
    TRect inside = band;
    InflateRect(inside, -1, -1);
    PaintGradientFill(canvas, inside, gdHorizontalEnd, start, stop, 1);
}

void TRzCustomGroupBox::PaintGroupCaption(TRect band) {
    const std::string caption = Caption();
    if (caption.empty()) {
        return;
    }
    TCanvas* canvas = Canvas();
    if (groupStyle_ == gsBanner) {
        band = Rect(band.Left + 4, band.Top + 1, band.Right - 4, band.Bottom - 1);
    } else if (!Transparent()) {
        // The band hides the frame line under the caption.
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(band);
    }
    canvas->Brush()->SetStyle(bsClear);
    const unsigned flags = DT_SINGLELINE | (Alignment() == taRightJustify ? DT_RIGHT
                                            : Alignment() == taCenter     ? DT_CENTER
                                                                          : DT_LEFT);
    if (!Enabled()) {
        TRect raised = band;
        OffsetRect(raised, 1, 1);
        canvas->Font()->SetColor(clBtnHighlight);
        DrawText(canvas->Handle(), caption, raised, flags);
        canvas->Font()->SetColor(clBtnShadow);
    }
    DrawText(canvas->Handle(), caption, band, flags);
    canvas->Brush()->SetStyle(bsSolid);
}

void TRzCustomGroupBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGCHAR:
        CMDialogChar(message);
        return;
    case CM_FONTCHANGED:
        TRzCustomPanel::Dispatch(message);
        Invalidate();
        return;
    default:
        TRzCustomPanel::Dispatch(message);
    }
}

void TRzCustomGroupBox::CMDialogChar(TMessage& message) {
    if (IsAccel(unsigned(message.WParam), Caption()) && CanFocus()) {
        if (TWinControl* first = FindNextControl(nullptr, true, true, false)) {
            first->SetFocus();
        }
        message.Result = 1;
        return;
    }
    TRzCustomPanel::Dispatch(message);
}
