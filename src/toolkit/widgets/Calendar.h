// The month calendar the date picker drops down: a title with the month and year between two
// arrow buttons, the day names, six weeks of days and a "Today:" line. A click on a day (or
// Enter on the selected one) picks it; Escape, a click outside or the loss of the focus closes
// it without a change.
#pragma once

#include "platform/WindowSystem.h"
#include "toolkit/runtime/PopupWindow.h"
#include "toolkit/text/DateUtils.h"

class TDateTimePicker;

class TCalendarDropDown : public TPopupWindow {
public:
    explicit TCalendarDropDown(TDateTimePicker& picker);

    // Shows the month of `day` with `day` selected, its top-left at a screen point.
    void Open(TPoint screen, TDateTime day);
    int Year() const { return year_; }
    int Month() const { return month_; }
    TDateTime Selected() const { return selected_; }

    // Layout, in the window's coordinates.
    TRect PreviousButton() const;
    TRect NextButton() const;
    TRect DayCell(int week, int weekday) const;
    TRect TodayLine() const;
    // The day shown in a cell (days of the neighbouring months fill the first and last weeks).
    TDateTime DayInCell(int week, int weekday) const;

protected:
    void Paint(TCanvas& canvas) override;
    void Input(const platform::InputEvent& event) override;

private:
    void Measure();
    TSize WindowSize() const;
    void ShowMonth(int year, int month);
    void MoveSelection(int days);
    void Pick(TDateTime day);
    void MouseDown(TPoint p);
    void KeyDown(unsigned key);
    void PaintTitle(TCanvas& canvas);
    void PaintDayNames(TCanvas& canvas);
    void PaintDays(TCanvas& canvas);
    void PaintToday(TCanvas& canvas);

    TDateTimePicker& picker_;
    int year_ = 2000;
    int month_ = 1;
    TDateTime selected_ = 0;
    int cellWidth_ = 24;
    int cellHeight_ = 16;
    int titleHeight_ = 22;
};
