// The date and time picker with its drop-down month calendar.
#pragma once

#include "toolkit/runtime/Controls.h"
#include "toolkit/text/DateUtils.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// ---------------------------------------------------------------------------------------
// The fields of a date or time text

enum class TDateTimeField { None, Day, Month, Year, Hour, Minute, Second, AmPm, DayName };

// One piece of the shown text: a field written by its pattern ("dd", "mmm", "AMPM", ...) or
// fixed text between fields (field None, the text in literal).
struct TDateTimeSegment {
    TDateTimeField field = TDateTimeField::None;
    std::string pattern;
    std::string literal;
};

// Splits a format of the toolkit's pattern language into fields and fixed text; an "m" that
// follows an hour field is minutes, separators become the locale's.
std::vector<TDateTimeSegment> ParseDateTimeFormat(std::string_view format, const TFormatSettings& settings);
// True when the segments hold an AM/PM field, which makes the hours count 1..12.
bool HasAmPmField(const std::vector<TDateTimeSegment>& segments);
std::string SegmentText(const TDateTimeSegment& segment, TDateTime value, bool twelveHour,
                        const TFormatSettings& settings);
bool IsEditableField(TDateTimeField field);

// The parts of a value the picker edits, and back. Values outside years 1..9999 are moved
// to the nearest day inside them.
struct TDateTimeParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
TDateTimeParts SplitDateTime(TDateTime value);
TDateTime JoinDateTime(const TDateTimeParts& parts);
// Up/Down on a field: the value moves by delta and wraps inside the field's range (the year
// stops at 1 and 9999); a month or year change keeps the day inside the new month.
TDateTimeParts StepField(TDateTimeParts parts, TDateTimeField field, int delta);
// A typed number for a field; false (parts unchanged) when it is outside the field's range.
// twelveHour: the number is a 1..12 hour that keeps the half of the day.
bool SetFieldNumber(TDateTimeParts& parts, TDateTimeField field, int number, bool twelveHour);

// ---------------------------------------------------------------------------------------
// TDateTimePicker

enum TDateTimeKind { dtkDate, dtkTime };

class TCalendarDropDown;

class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* owner);
    ~TDateTimePicker() override;

    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind value);
    // The whole value; Date is its day (the time of day dropped), Time its time of day.
    // Setting them from code raises no OnChange.
    TDateTime DateTime() const { return dateTime_; }
    void SetDateTime(TDateTime value);
    TDateTime Date() const;
    void SetDate(TDateTime value);
    TDateTime Time() const;
    void SetTime(TDateTime value);

    // The text as shown (the short date or the long time in the current locale).
    std::string Text() const;
    // The field that Left/Right, digits and Up/Down work on (an index into Segments()).
    TDateTimeField SelectedField() const;
    const std::vector<TDateTimeSegment>& Segments();
    bool DroppedDown() const;
    // The month calendar while it is dropped down, else null.
    TCalendarDropDown* Calendar() const;
    // Opens the month calendar under the control (date kind only).
    void DropDown();
    void CloseUp();

    // Raised once for every change the user makes (a field step, a typed number, a day picked
    // in the calendar).
    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    // Called by the calendar when the user picks a day.
    void CalendarPicked(TDateTime day);

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    void Dispatch(TMessage& message) override;

private:
    void PaintFields(TCanvas& canvas, const TRect& textArea);
    void PaintButton(TCanvas& canvas);
    TRect ButtonRect();
    TRect TextArea();
    int FieldAt(int x);
    void SelectField(int index);
    void MoveSelection(int direction);
    void FirstEditableField();
    void CommitTyping();
    void UserChange(const TDateTimeParts& parts);
    void HandleKey(unsigned key, TShiftState shift);
    void HandleChar(char key);
    void TypeDigit(int digit);
    void TypeLetter(char key);
    void MouseDownAt(TPoint p);
    void SpinClick(bool up);
    void RefreshFormats();
    TFormatSettings Settings() const;

    TDateTimeKind kind_ = dtkDate;
    TDateTime dateTime_ = 0;
    std::vector<TDateTimeSegment> segments_;
    std::string formatKey_;
    bool twelveHour_ = false;
    int selected_ = -1;
    std::string typed_;
    std::unique_ptr<TCalendarDropDown> calendar_;
};
