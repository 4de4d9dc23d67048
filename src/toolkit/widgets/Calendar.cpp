#include "toolkit/widgets/Calendar.h"

#include "toolkit/widgets/DateTimePicker.h"

#include <algorithm>

namespace {

constexpr int kMargin = 4;

TDateTime FirstOfMonth(int year, int month) {
    return EncodeDate(year, month, 1);
}

void DrawSideArrow(TCanvas& canvas, const TRect& r, bool left) {
    canvas.Brush()->SetColor(clBtnText);
    int cx = r.Left + r.Width() / 2;
    int cy = r.Top + r.Height() / 2;
    for (int col = 0; col < 4; ++col) {
        int half = left ? col : 3 - col;
        canvas.FillRect(Rect(cx - 2 + col, cy - half, cx - 1 + col, cy + half + 1));
    }
}

} // namespace

TCalendarDropDown::TCalendarDropDown(TDateTimePicker& picker)
    : TPopupWindow(platform::WindowKind::Popup), picker_(picker) {}

void TCalendarDropDown::Measure() {
    TBitmap scratch(1, 1);
    TCanvas* canvas = scratch.Canvas();
    canvas->Font()->Assign(*picker_.Font());
    cellWidth_ = std::max(canvas->TextWidth("Wed"), canvas->TextWidth("30")) + 8;
    cellHeight_ = canvas->TextHeight("0") + 2;
    titleHeight_ = cellHeight_ + 6;
}

TSize TCalendarDropDown::WindowSize() const {
    return TSize{2 + 2 * kMargin + 7 * cellWidth_, TodayLine().Bottom + kMargin + 1};
}

void TCalendarDropDown::Open(TPoint screen, TDateTime day) {
    Measure();
    TDateTimeParts parts = SplitDateTime(day);
    selected_ = JoinDateTime(TDateTimeParts{parts.year, parts.month, parts.day, 0, 0, 0});
    year_ = parts.year;
    month_ = parts.month;
    ShowAt(screen, WindowSize(), true);
    if (NativeWindow() != nullptr) {
        NativeWindow()->SetMouseCapture(true);
    }
}

// ---------------------------------------------------------------------------------------
// Layout

TRect TCalendarDropDown::PreviousButton() const {
    int size = titleHeight_ - 6;
    return Bounds(1 + kMargin, 4, size, size);
}

TRect TCalendarDropDown::NextButton() const {
    int size = titleHeight_ - 6;
    return Bounds(1 + kMargin + 7 * cellWidth_ - size, 4, size, size);
}

TRect TCalendarDropDown::DayCell(int week, int weekday) const {
    int top = 1 + titleHeight_ + 2 + cellHeight_ + 3;
    return Bounds(1 + kMargin + weekday * cellWidth_, top + week * cellHeight_, cellWidth_, cellHeight_);
}

TRect TCalendarDropDown::TodayLine() const {
    TRect lastCell = DayCell(5, 0);
    return Rect(1 + kMargin, lastCell.Bottom + 3, 1 + kMargin + 7 * cellWidth_,
                lastCell.Bottom + 5 + cellHeight_);
}

TDateTime TCalendarDropDown::DayInCell(int week, int weekday) const {
    TDateTime first = FirstOfMonth(year_, month_);
    int offset = DayOfWeek(first) - 1;
    return first - offset + week * 7 + weekday;
}

// ---------------------------------------------------------------------------------------
// Behaviour

void TCalendarDropDown::ShowMonth(int year, int month) {
    int index = std::clamp(year * 12 + month - 1, 12, 9999 * 12 + 11);
    year_ = index / 12;
    month_ = index % 12 + 1;
    Redraw();
}

void TCalendarDropDown::MoveSelection(int days) {
    TDateTimeParts parts = SplitDateTime(selected_ + days);
    selected_ = JoinDateTime(TDateTimeParts{parts.year, parts.month, parts.day, 0, 0, 0});
    ShowMonth(parts.year, parts.month);
}

void TCalendarDropDown::Pick(TDateTime day) {
    picker_.CalendarPicked(day);
}

void TCalendarDropDown::MouseDown(TPoint p) {
    TSize size = WindowSize();
    if (!Rect(0, 0, size.cx, size.cy).Contains(p)) {
        picker_.CloseUp();
    } else if (PreviousButton().Contains(p)) {
        ShowMonth(year_, month_ - 1);
    } else if (NextButton().Contains(p)) {
        ShowMonth(year_, month_ + 1);
    } else if (TodayLine().Contains(p)) {
        Pick(::Date());
    } else {
        for (int week = 0; week < 6; ++week) {
            for (int weekday = 0; weekday < 7; ++weekday) {
                if (DayCell(week, weekday).Contains(p)) {
                    Pick(DayInCell(week, weekday));
                    return;
                }
            }
        }
    }
}

void TCalendarDropDown::KeyDown(unsigned key) {
    switch (key) {
    case VK_LEFT:
        MoveSelection(-1);
        break;
    case VK_RIGHT:
        MoveSelection(1);
        break;
    case VK_UP:
        MoveSelection(-7);
        break;
    case VK_DOWN:
        MoveSelection(7);
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        TDateTimeParts parts =
            StepField(SplitDateTime(selected_), TDateTimeField::Month, key == VK_NEXT ? 1 : -1);
        if (key == VK_NEXT && parts.month == 1) {
            parts = StepField(parts, TDateTimeField::Year, 1);
        } else if (key == VK_PRIOR && parts.month == 12) {
            parts = StepField(parts, TDateTimeField::Year, -1);
        }
        selected_ = JoinDateTime(parts);
        ShowMonth(parts.year, parts.month);
        break;
    }
    case VK_RETURN:
        Pick(selected_);
        break;
    case VK_ESCAPE:
    case VK_F4:
        picker_.CloseUp();
        break;
    default:
        break;
    }
}

void TCalendarDropDown::Input(const platform::InputEvent& event) {
    using platform::InputKind;
    switch (event.kind) {
    case InputKind::MouseDown:
        if (event.button == platform::MouseButton::Left) {
            MouseDown(Point(event.pos.x, event.pos.y));
        } else {
            picker_.CloseUp();
        }
        break;
    case InputKind::KeyDown:
        KeyDown(event.virtualKey);
        break;
    case InputKind::FocusOut:
    case InputKind::CloseRequest:
        picker_.CloseUp();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Painting

void TCalendarDropDown::PaintTitle(TCanvas& canvas) {
    TSize size = WindowSize();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clActiveCaption);
    canvas.FillRect(Rect(1, 1, size.cx - 1, 1 + titleHeight_));
    for (TRect button : {PreviousButton(), NextButton()}) {
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(button);
        DrawRaisedEdge(canvas, button);
    }
    DrawSideArrow(canvas, PreviousButton(), true);
    DrawSideArrow(canvas, NextButton(), false);
    canvas.Font()->SetStyle(fsBold);
    canvas.Font()->SetColor(clCaptionText);
    canvas.Brush()->SetStyle(bsClear);
    TRect title = Rect(1, 1, size.cx - 1, 1 + titleHeight_);
    DrawText(canvas.Handle(), std::string(LongMonthNames[month_ - 1]) + " " + std::to_string(year_), title,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    canvas.Font()->SetStyle(0);
}

void TCalendarDropDown::PaintDayNames(TCanvas& canvas) {
    canvas.Font()->SetColor(clActiveCaption);
    canvas.Brush()->SetStyle(bsClear);
    for (int weekday = 0; weekday < 7; ++weekday) {
        TRect cell = DayCell(0, weekday);
        OffsetRect(cell, 0, -cellHeight_ - 3);
        DrawText(canvas.Handle(), ShortDayNames[weekday], cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    TRect first = DayCell(0, 0);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBtnShadow);
    canvas.FillRect(Rect(first.Left, first.Top - 2, DayCell(0, 6).Right, first.Top - 1));
}

// Days of the shown month in the window text colour, the neighbours' in grey; the selected
// day on the highlight colour, today framed in red.
void TCalendarDropDown::PaintDays(TCanvas& canvas) {
    TDateTime today = double(Trunc(::Date()));
    for (int week = 0; week < 6; ++week) {
        for (int weekday = 0; weekday < 7; ++weekday) {
            TRect cell = DayCell(week, weekday);
            TDateTime day = DayInCell(week, weekday);
            TDateTimeParts parts = SplitDateTime(day);
            bool selected = day == selected_;
            if (selected) {
                canvas.Brush()->SetStyle(bsSolid);
                canvas.Brush()->SetColor(clHighlight);
                canvas.FillRect(cell);
            }
            if (day == today) {
                DrawRing(canvas, cell, clRed, clRed);
            }
            canvas.Font()->SetColor(selected                ? clHighlightText
                                    : parts.month == month_ ? clWindowText
                                                            : clGrayText);
            canvas.Brush()->SetStyle(bsClear);
            DrawText(canvas.Handle(), std::to_string(parts.day), cell,
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    }
}

void TCalendarDropDown::PaintToday(TCanvas& canvas) {
    TRect line = TodayLine();
    TRect mark = Bounds(line.Left + 2, line.Top + 3, 14, line.Height() - 6);
    DrawRing(canvas, mark, clRed, clRed);
    TRect text = line;
    text.Left = mark.Right + 6;
    canvas.Font()->SetColor(clWindowText);
    canvas.Font()->SetStyle(fsBold);
    canvas.Brush()->SetStyle(bsClear);
    DrawText(canvas.Handle(), "Today: " + DateToStr(::Date()), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    canvas.Font()->SetStyle(0);
}

void TCalendarDropDown::Paint(TCanvas& canvas) {
    TSize size = WindowSize();
    canvas.Font()->Assign(*picker_.Font());
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clWindow);
    canvas.FillRect(Rect(0, 0, size.cx, size.cy));
    DrawRing(canvas, Rect(0, 0, size.cx, size.cy), clWindowFrame, clWindowFrame);
    PaintTitle(canvas);
    PaintDayNames(canvas);
    PaintDays(canvas);
    PaintToday(canvas);
}
