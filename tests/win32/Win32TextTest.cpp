// Regional settings, tooltips, command lines and keyboard text as Windows hands them over.
#include "platform/win32/RunKeyAutostart.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Input.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32NotifyShell.h"

#include <gtest/gtest.h>

namespace {

using platform::win32::ConvertLocaleInfo;
using platform::win32::LocaleInfo;

TEST(RegionalPictures, UnitedStatesBecomeTheToolkitsPatterns) {
    const platform::LocaleFormats formats =
        ConvertLocaleInfo(LocaleInfo{"M/d/yyyy", "h:mm:ss tt", "AM", "PM", ".", ","});
    EXPECT_EQ(formats.shortDateFormat, "m/d/yyyy");
    EXPECT_EQ(formats.dateSeparator, '/');
    EXPECT_EQ(formats.longTimeFormat, "h:nn:ss AMPM");
    EXPECT_EQ(formats.timeSeparator, ':');
    EXPECT_EQ(formats.timeAMString, "AM");
    EXPECT_EQ(formats.decimalSeparator, '.');
    EXPECT_EQ(formats.thousandSeparator, ',');
}

TEST(RegionalPictures, GermanDotsAndTwentyFourHours) {
    const platform::LocaleFormats formats =
        ConvertLocaleInfo(LocaleInfo{"dd.MM.yyyy", "HH:mm:ss", "", "", ",", "."});
    EXPECT_EQ(formats.shortDateFormat, "dd.mm.yyyy");
    EXPECT_EQ(formats.dateSeparator, '.');
    EXPECT_EQ(formats.longTimeFormat, "hh:nn:ss");
    EXPECT_EQ(formats.decimalSeparator, ',');
    EXPECT_EQ(formats.thousandSeparator, '.');
}

TEST(RegionalPictures, NamesQuotedTextAndShortYearsKeepOnlyNumbers) {
    // A day name, a month name, a quoted word and a two-digit year: the date still reads back.
    const platform::LocaleFormats formats = ConvertLocaleInfo(
        LocaleInfo{"ddd dd-MMM-yy", "tt hh'h'mm'm'ss", "a.m.", "p.m.", ".", "\xE2\x80\xAF"});
    EXPECT_EQ(formats.shortDateFormat, "dd-mm-yyyy");
    EXPECT_EQ(formats.dateSeparator, '-');
    // Literal text between the clock fields gives way to the usual separator.
    EXPECT_EQ(formats.longTimeFormat, "AMPM hh:nn:ss");
    EXPECT_EQ(formats.timeAMString, "a.m.");
    // A narrow no-break space is several bytes: a blank stands in.
    EXPECT_EQ(formats.thousandSeparator, ' ');
}

TEST(RegionalPictures, APictureWithoutSecondsFallsBackToTheFullClock) {
    const platform::LocaleFormats formats =
        ConvertLocaleInfo(LocaleInfo{"yyyy/MM/dd", "HH:mm", "", "", ".", ","});
    EXPECT_EQ(formats.shortDateFormat, "yyyy/mm/dd");
    EXPECT_EQ(formats.longTimeFormat, "hh:nn:ss");
}

TEST(RegionalPictures, TheUsersSettingsReadBack) {
    platform::win32::Win32Locale locale;
    const platform::LocaleFormats formats = locale.Formats();
    EXPECT_NE(formats.shortDateFormat.find("yyyy"), std::string::npos);
    EXPECT_NE(formats.longTimeFormat.find("ss"), std::string::npos);
}

TEST(TrayTips, CarriageReturnsBreakLinesAndTheBufferCuts) {
    using platform::win32::ShellTip;
    EXPECT_EQ(ShellTip("Vesperon (Timer)\rWill be Shutdown", 128), L"Vesperon (Timer)\nWill be Shutdown");
    EXPECT_EQ(ShellTip(std::string(100, 'x'), 64), std::wstring(63, L'x'));
    EXPECT_EQ(ShellTip("\xC3\xA4", 128), L"\u00E4");
}

TEST(RunCommands, ThePathIsQuotedAndArgumentsAsTheParserReadsThem) {
    using platform::win32::RunCommand;
    EXPECT_EQ(RunCommand("C:\\Program Files\\Vesperon\\vesperon.exe", {"au"}),
              "\"C:\\Program Files\\Vesperon\\vesperon.exe\" au");
    EXPECT_EQ(RunCommand("C:\\v.exe", {}), "\"C:\\v.exe\"");
    EXPECT_EQ(RunCommand("C:\\v.exe", {"a b", "say \"hi\"", "end\\", ""}),
              "\"C:\\v.exe\" \"a b\" \"say \\\"hi\\\"\" end\\ \"\"");
    EXPECT_EQ(RunCommand("C:\\v.exe", {"dir\\ x\\"}), "\"C:\\v.exe\" \"dir\\ x\\\\\"");
}

TEST(KeyboardText, SurrogatePairsBecomeOneCharacter) {
    platform::win32::CharDecoder decoder;
    EXPECT_EQ(decoder.Add(L'a'), std::optional<std::string>("a"));
    EXPECT_EQ(decoder.Add(wchar_t(0xD83D)), std::nullopt);
    EXPECT_EQ(decoder.Add(wchar_t(0xDE00)), std::optional<std::string>("\xF0\x9F\x98\x80"));
    // A lone second half types nothing.
    EXPECT_EQ(decoder.Add(wchar_t(0xDE00)), std::nullopt);
}

TEST(MouseButtons, DoubleClickMessagesArePressesThatCompleteADoubleClick) {
    using platform::InputKind;
    const LPARAM at = MAKELPARAM(12, 34);
    const auto press = platform::win32::ButtonEvent(WM_LBUTTONDBLCLK, MK_LBUTTON | MK_SHIFT, at, false);
    ASSERT_TRUE(press);
    EXPECT_EQ(press->kind, InputKind::MouseDown);
    EXPECT_TRUE(press->doubleClick);
    EXPECT_EQ(press->shift, unsigned(platform::kLeftButton | platform::kShift | platform::kDouble));
    EXPECT_EQ(press->pos.x, 12);
    EXPECT_EQ(press->pos.y, 34);
    const auto release = platform::win32::ButtonEvent(WM_RBUTTONUP, 0, MAKELPARAM(-3 & 0xFFFF, 5), true);
    ASSERT_TRUE(release);
    EXPECT_EQ(release->kind, InputKind::MouseUp);
    EXPECT_EQ(release->button, platform::MouseButton::Right);
    EXPECT_EQ(release->pos.x, -3);
    EXPECT_EQ(release->shift, unsigned(platform::kAlt));
    EXPECT_FALSE(platform::win32::ButtonEvent(WM_MOUSEMOVE, 0, at, false));
}

TEST(WideText, RoundTripsAndReplacesBrokenBytes) {
    using platform::win32::Narrow;
    using platform::win32::Widen;
    EXPECT_EQ(Narrow(Widen("Vesperon \xE2\x82\xAC")), "Vesperon \xE2\x82\xAC");
    EXPECT_EQ(Widen("a\xFF"), L"a\uFFFD");
    EXPECT_EQ(Narrow(static_cast<const wchar_t*>(nullptr)), "");
}

} // namespace
