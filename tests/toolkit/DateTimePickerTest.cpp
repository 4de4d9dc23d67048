#include "toolkit/widgets/DateTimePicker.h"

#include "WidgetTestSupport.h"
#include "toolkit/widgets/Calendar.h"

#include <cmath>

namespace {

class PickerTest : public StdControlsTest {
protected:
    TDateTimePicker* MakePicker(TDateTimeKind kind, TDateTime value) {
        form = ShowForm();
        auto* picker = new TDateTimePicker(form);
        picker->SetParent(form);
        picker->SetBounds(10, 10, 120, 23);
        picker->SetKind(kind);
        picker->SetDateTime(value);
        picker->OnChange = [this](TObject*) {
            ++changes;
        };
        picker->SetFocus();
        Idle();
        return picker;
    }
    void Press(unsigned key, unsigned shift = 0) { PressKey(form, key, shift); }
    void Type(const std::string& text) { platform.windows.Type(Window(form), text); }

    TForm* form = nullptr;
    int changes = 0;
};

TDateTime At(int y, int m, int d, int h = 0, int n = 0, int s = 0) {
    return EncodeDate(y, m, d) + EncodeTime(h, n, s, 0);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Text in the locale's formats

TEST_F(PickerTest, ShowsShortDateAndLongTimeOfAMonthDayYearTwelveHourLocale) {
    TDateTimePicker* date = MakePicker(dtkDate, At(2026, 1, 31, 13, 5, 9));
    EXPECT_EQ(date->Text(), "1/31/2026");
    date->SetKind(dtkTime);
    EXPECT_EQ(date->Text(), "1:05:09 PM");
    EXPECT_EQ(date->Text(), TimeToStr(date->DateTime()));
}

TEST_F(PickerTest, ShowsShortDateAndLongTimeOfADayMonthYearTwentyFourHourLocale) {
    platform.locale.SetFormats(headless::HeadlessLocale::Germany());
    TDateTimePicker* picker = MakePicker(dtkDate, At(2026, 1, 31, 13, 5, 9));
    EXPECT_EQ(picker->Text(), "31.01.2026");
    EXPECT_EQ(picker->Text(), DateToStr(picker->DateTime()));
    picker->SetKind(dtkTime);
    EXPECT_EQ(picker->Text(), "13:05:09");
}

TEST(DateTimeFields, MinutesAfterAnHourAndQuotedTextAreRecognised) {
    TFormatSettings settings;
    auto segments = ParseDateTimeFormat("hh:mm 'h' dddd", settings);
    ASSERT_EQ(segments.size(), 5u);
    EXPECT_EQ(segments[2].field, TDateTimeField::Minute);
    EXPECT_EQ(segments[3].literal, " h ");
    EXPECT_EQ(segments[4].field, TDateTimeField::DayName);
    EXPECT_FALSE(HasAmPmField(segments));
}

// ---------------------------------------------------------------------------------------
// Field editing

TEST_F(PickerTest, MonthUpFromJanuaryThirtyFirstClampsToTheEndOfFebruary) {
    TDateTimePicker* picker = MakePicker(dtkDate, At(2026, 1, 31, 8, 30));
    ASSERT_EQ(picker->SelectedField(), TDateTimeField::Month);
    Press(VK_UP);
    EXPECT_EQ(picker->DateTime(), At(2026, 2, 28, 8, 30));
    picker->SetDateTime(At(2024, 1, 31));
    Press(VK_UP);
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 2, 29));
}

TEST_F(PickerTest, FieldsWrapWithinTheirRangeWithoutCarrying) {
    platform.locale.SetFormats(headless::HeadlessLocale::Germany());
    TDateTimePicker* picker = MakePicker(dtkDate, At(2026, 12, 31));
    Press(VK_UP); // day 31 -> 1, same month
    EXPECT_EQ(picker->Date(), EncodeDate(2026, 12, 1));
    Press(VK_RIGHT);
    Press(VK_UP); // month 12 -> 1, same year
    EXPECT_EQ(picker->Date(), EncodeDate(2026, 1, 1));
    Press(VK_DOWN);
    EXPECT_EQ(picker->Date(), EncodeDate(2026, 12, 1));

    picker->SetKind(dtkTime);
    picker->SetTime(EncodeTime(0, 59, 59, 0));
    Press(VK_LEFT); // wraps from the first field to the seconds
    Press(VK_LEFT); // minutes
    Press(VK_UP);
    Press(VK_LEFT); // hours
    Press(VK_DOWN);
    EXPECT_EQ(picker->Text(), "23:00:59");
}

TEST_F(PickerTest, DigitsReplaceTheSelectedFieldAndAYearTakesAllItsDigits) {
    platform.locale.SetFormats(headless::HeadlessLocale::Germany());
    TDateTimePicker* picker = MakePicker(dtkDate, At(2026, 3, 5));
    Type("15");
    EXPECT_EQ(picker->Date(), EncodeDate(2026, 3, 15));
    Type("4"); // "154" does not fit: a new number starts
    EXPECT_EQ(picker->Date(), EncodeDate(2026, 3, 4));
    Press(VK_RIGHT);
    Press(VK_RIGHT);
    Type("203");
    EXPECT_EQ(picker->Date(), EncodeDate(2026, 3, 4)) << "a partial year waits";
    Type("0");
    EXPECT_EQ(picker->Date(), EncodeDate(2030, 3, 4));
}

TEST_F(PickerTest, TwelveHourFieldsKeepTheirHalfOfTheDayAndLettersSwitchIt) {
    TDateTimePicker* picker = MakePicker(dtkTime, At(2026, 3, 5, 15, 0, 0));
    Type("9");
    EXPECT_EQ(picker->Text(), "9:00:00 PM");
    Press(VK_RIGHT);
    Press(VK_RIGHT);
    Press(VK_RIGHT);
    ASSERT_EQ(picker->SelectedField(), TDateTimeField::AmPm);
    Type("a");
    EXPECT_EQ(picker->Text(), "9:00:00 AM");
}

TEST_F(PickerTest, ClicksSelectTheFieldUnderThePointerAndTheSpinButtonsStepIt) {
    TDateTimePicker* picker = MakePicker(dtkTime, At(2026, 3, 5, 10, 20, 30));
    Click(form, 10 + 2 + 2 + 24, 20); // over the minutes of "10:20:30 AM"
    EXPECT_EQ(picker->SelectedField(), TDateTimeField::Minute);
    Click(form, 10 + 120 - 8, 10 + 6); // upper spin button
    EXPECT_EQ(picker->Text(), "10:21:30 AM");
    Click(form, 10 + 120 - 8, 10 + 18); // lower spin button
    EXPECT_EQ(picker->Text(), "10:20:30 AM");
}

// ---------------------------------------------------------------------------------------
// OnChange

TEST_F(PickerTest, AssignmentsFromCodeRaiseNoChange) {
    TDateTimePicker* picker = MakePicker(dtkDate, At(2026, 1, 31));
    picker->SetDate(EncodeDate(2027, 5, 6));
    picker->SetTime(EncodeTime(7, 8, 9, 0));
    picker->SetDateTime(At(2028, 2, 29, 1, 2, 3));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(picker->Date(), EncodeDate(2028, 2, 29));
    EXPECT_NEAR(picker->Time(), EncodeTime(1, 2, 3, 0), 1e-9);
}

TEST_F(PickerTest, EachUserChangeRaisesOneChangeAndNoneWhenNothingChanged) {
    TDateTimePicker* picker = MakePicker(dtkDate, At(2026, 1, 31));
    Press(VK_UP);
    EXPECT_EQ(changes, 1);
    Press(VK_RIGHT);
    Type("28"); // the day is 28 already after the clamp: "2" changes it, "28" changes it back
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(picker->Date(), EncodeDate(2026, 2, 28));
}

TEST_F(PickerTest, BadValuesFromCodeAreKeptInsideTheYearsTheFieldsShow) {
    TDateTimePicker* picker = MakePicker(dtkDate, At(2026, 1, 31));
    picker->SetDateTime(1e9);
    EXPECT_EQ(picker->Date(), EncodeDate(9999, 12, 31));
    picker->SetDateTime(std::nan(""));
    EXPECT_EQ(picker->Date(), EncodeDate(9999, 12, 31));
}

// ---------------------------------------------------------------------------------------
// The drop-down calendar

TEST_F(PickerTest, AltDownOpensTheCalendarAndAClickedDayIsTakenOnce) {
    TDateTimePicker* picker = MakePicker(dtkDate, At(2026, 1, 31, 6, 0, 0));
    Press(VK_DOWN, ssAlt);
    ASSERT_TRUE(picker->DroppedDown());
    TCalendarDropDown* calendar = picker->Calendar();
    headless::HeadlessWindow* popup = ShownWindowOfKind(platform::WindowKind::Popup);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->Bounds().top, 100 + 10 + 23) << "below the picker";
    SaveScreenshot(*popup, "calendar");

    // January 2026 starts on a Thursday: the third week's Tuesday is the 13th.
    TRect cell = calendar->DayCell(2, 2);
    platform.windows.Click(*popup, cell.Left + 3, cell.Top + 3);
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(picker->DateTime(), At(2026, 1, 13, 6, 0, 0));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(Window(form).Active()) << "the keyboard is back in the form";
}

TEST_F(PickerTest, TheCalendarClosesWithoutAChangeOnEscapeOrAClickOutside) {
    TDateTimePicker* picker = MakePicker(dtkDate, At(2026, 1, 31));
    Click(form, 10 + 120 - 6, 20); // the drop-down button
    ASSERT_TRUE(picker->DroppedDown());
    headless::HeadlessWindow* popup = ShownWindowOfKind(platform::WindowKind::Popup);
    platform.windows.PressKey(*popup, VK_RIGHT);
    platform.windows.PressKey(*popup, VK_ESCAPE);
    EXPECT_FALSE(picker->DroppedDown());

    picker->DropDown();
    platform.windows.Click(*popup, -20, -20);
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(picker->Date(), EncodeDate(2026, 1, 31));
}

TEST_F(PickerTest, CalendarKeysMoveTheSelectionAcrossMonthsAndEnterTakesIt) {
    TDateTimePicker* picker = MakePicker(dtkDate, At(2026, 1, 31));
    picker->DropDown();
    headless::HeadlessWindow* popup = ShownWindowOfKind(platform::WindowKind::Popup);
    platform.windows.PressKey(*popup, VK_DOWN);
    EXPECT_EQ(picker->Calendar()->Month(), 2);
    platform.windows.PressKey(*popup, VK_RETURN);
    EXPECT_EQ(picker->Date(), EncodeDate(2026, 2, 7));
    EXPECT_EQ(changes, 1);
}

TEST_F(PickerTest, ScreenshotsOfBothKinds) {
    TDateTimePicker* date = MakePicker(dtkDate, At(2026, 1, 31, 13, 5, 9));
    auto* time = new TDateTimePicker(form);
    time->SetParent(form);
    time->SetBounds(140, 10, 120, 23);
    time->SetKind(dtkTime);
    time->SetDateTime(date->DateTime());
    Idle();
    // The focused picker shows its selected field in the selection colour.
    EXPECT_EQ(Window(form).FramePixel(10 + 2 + 2 + 1, 10 + 2 + 2), Pixel(clHighlight));
    SaveScreenshot(Window(form), "pickers");
}
