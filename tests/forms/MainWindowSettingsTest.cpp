// The main window's settings: first start, loading the file, the visibility rules, one key
// stored per click, and the auto-run box.
#include "controls/RzEdit.h"
#include "controls/RzPanel.h"
#include "controls/RzRadChk.h"
#include "controls/RzStatus.h"
#include "forms/VesperonFixture.h"
#include "toolkit/widgets/DateTimePicker.h"
#include "toolkit/widgets/Label.h"

#include <algorithm>
#include <filesystem>
#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

using SettingsTest = VesperonTest;

struct Rows {
    bool date;
    bool time;
    bool minutes;
};

Rows RowsOf(TFormVesperon* form) {
    return Rows{form->DateTimePicker1->Visible() && form->Label2->Visible(),
                form->DateTimePicker2->Visible() && form->Label3->Visible(),
                form->RZFenZhong->Visible() && form->Label4->Visible()};
}

} // namespace

TEST_F(SettingsTest, AFirstStartShowsTheDefaultsAndWritesNothing) {
    Start();
    EXPECT_EQ(Window(main).Title(), "Vesperon V2.4(Timer)");
    EXPECT_TRUE(main->RBDateTime->Checked());
    EXPECT_TRUE(main->RBShutdown->Checked());
    EXPECT_FALSE(main->CBRepeat->Checked());
    EXPECT_FALSE(main->CBWarn->Checked());
    EXPECT_FALSE(main->CBAutoRun->Checked());
    EXPECT_EQ(main->RZFenZhong->ValueAsInteger(), 30);
    EXPECT_EQ(main->RzStatusPane1->Caption(), "No task");
    EXPECT_EQ(main->DateTimePicker1->Date(), double(Trunc(platform.clock.Now())));
    EXPECT_EQ(Ini(), "");
    EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(SettingsTest, TheStoredTaskIsShown) {
    WriteIni("[CB]\nRBFS=0\nWarn=1\n[Set]\nFZ=0x1E\nSD=4\n");
    Start();
    EXPECT_TRUE(main->RBDe->Checked());
    EXPECT_EQ(main->RZFenZhong->ValueAsInteger(), 30);
    EXPECT_TRUE(main->RBForce->Checked());
    EXPECT_TRUE(main->CBWarn->Checked());
}

TEST_F(SettingsTest, OutOfRangeMinutesAndActionAreBroughtIntoRangeWithoutWritingThem) {
    const std::string stored = "[CB]\nRBFS=0\n[Set]\nFZ=0\nSD=7\n";
    WriteIni(stored);
    Start();
    EXPECT_EQ(main->RZFenZhong->ValueAsInteger(), 1);
    EXPECT_EQ(main->FTask.FAction, 1);
    EXPECT_TRUE(main->RBShutdown->Checked());
    EXPECT_EQ(Ini(), stored);

    const double armedAt = platform.clock.Now();
    ClickOn(main->BTNStart);
    EXPECT_NEAR(main->FTarget, armedAt + 1.0 / 1440, 1e-9);
    EXPECT_EQ(main->RzStatusPane2->Caption(), "Shutdown:" + DateTimeToStr(main->FTarget, FormatSettings()));
    Advance(3000);
    EXPECT_THAT(platform.power.Calls(), IsEmpty());
}

TEST_F(SettingsTest, AStoredDateBeforeTodayIsReplacedAndWrittenBack) {
    WriteIni("[Set]\nRQ=1/1/2001\n");
    Start();
    EXPECT_EQ(main->FTask.FDateText, DateToStr(platform.clock.Now(), FormatSettings()));
    EXPECT_NE(Ini().find("RQ=" + main->FTask.FDateText), std::string::npos);
}

TEST_F(SettingsTest, AnUnreadableDateAndTimeFallBackSilentlyWithOneLineOnStderr) {
    // A start by the log-on entry must not stop on a message box.
    WriteIni("[Set]\nRQ=99/99/9999\nSJ=not a time\n");
    ::testing::internal::CaptureStderr();
    Start({"au"});
    const std::string diagnostics = ::testing::internal::GetCapturedStderr();
    EXPECT_THAT(Messages(), IsEmpty());
    EXPECT_EQ(std::count(diagnostics.begin(), diagnostics.end(), '\n'), 1) << diagnostics;
    EXPECT_THAT(diagnostics, HasSubstr("'99/99/9999' is not a valid date"));
    EXPECT_THAT(diagnostics, HasSubstr("'not a time' is not a valid time"));
    EXPECT_EQ(main->FTask.FDateText, DateToStr(platform.clock.Now(), FormatSettings()));
    EXPECT_EQ(main->FTask.FTimeText, TimeToStr(platform.clock.Now(), FormatSettings()));
    EXPECT_EQ(main->RzStatusPane1->Caption(), "No task");
    EXPECT_FALSE(main->FLoading);
}

TEST_F(SettingsTest, VisibilityFollowsTheModeAndRepeat) {
    Start();
    EXPECT_TRUE(RowsOf(main).date && RowsOf(main).time && !RowsOf(main).minutes);
    ClickOn(main->RBDe);
    EXPECT_TRUE(!RowsOf(main).date && !RowsOf(main).time && RowsOf(main).minutes);
    ClickOn(main->RBDateTime);
    ClickOn(main->CBRepeat);
    EXPECT_TRUE(!RowsOf(main).date && RowsOf(main).time && !RowsOf(main).minutes);
}

TEST_F(SettingsTest, EachClickStoresExactlyItsOneKey) {
    Start();
    ClickOn(main->RBLogoff);
    EXPECT_EQ(Ini(), "[Set]\nSD=2\n");
    EXPECT_EQ(main->FTask.FAction, 2);
    WriteIni("");
    ClickOn(main->CBRepeat);
    EXPECT_EQ(Ini(), "[CB]\nCBCF=1\n");
    WriteIni("");
    ClickOn(main->RBDe);
    EXPECT_EQ(Ini(), "[CB]\nRBFS=0\n");
    WriteIni("");
    ClickOn(main->CBWarn);
    EXPECT_EQ(Ini(), "[CB]\nWarn=1\n");
    WriteIni("");
    TypeMinutes("45");
    EXPECT_EQ(Ini(), "[Set]\nFZ=45\n");
    EXPECT_EQ(main->FTask.FMinutes, 45);
}

TEST_F(SettingsTest, ChangingTheTimePickerStoresTheTimeText) {
    Start();
    ClickOn(main->DateTimePicker2);
    PressKey(main, VK_UP);
    Idle();
    EXPECT_EQ(main->FTask.FTimeText, TimeToStr(main->DateTimePicker2->Time(), FormatSettings()));
    EXPECT_EQ(Ini(), "[Set]\nSJ=" + main->FTask.FTimeText + "\n");
}

TEST_F(SettingsTest, AnUnwritableSettingsFolderIsReportedAndTheFieldKeepsItsValue) {
    platform.files.RefuseWritesUnder("/cfg/");
    Start();
    ClickOn(main->CBWarn);
    EXPECT_THAT(Messages(), ElementsAre("Unable to write to /cfg/Vesperon.ini"));
    EXPECT_TRUE(main->FTask.FWarn);
}

TEST_F(SettingsTest, TickingAutoRunWritesTheLogOnEntryAndUntickingRemovesIt) {
    Start();
    ClickOn(main->CBAutoRun);
    ASSERT_EQ(platform.autostart.writes.size(), 1u);
    EXPECT_EQ(platform.autostart.writes[0].name, "Vesperon");
    EXPECT_EQ(platform.autostart.writes[0].programPath, "/opt/vesperon/vesperon");
    EXPECT_THAT(platform.autostart.writes[0].arguments, ElementsAre("au"));
    EXPECT_EQ(Ini(), "[CB]\nAutoRun=1\n");
    ClickOn(main->CBAutoRun);
    EXPECT_THAT(platform.autostart.removals, ElementsAre("Vesperon"));
    EXPECT_EQ(Ini(), "[CB]\nAutoRun=0\n");
}

TEST_F(SettingsTest, ARefusedLogOnEntryUnticksTheBoxSilentlyAndStoresZero) {
    platform.autostart.answer = false;
    Start();
    ClickOn(main->CBAutoRun);
    EXPECT_FALSE(main->CBAutoRun->Checked());
    EXPECT_FALSE(main->FTask.FAutoRun);
    EXPECT_EQ(Ini(), "[CB]\nAutoRun=0\n");
    EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(SettingsTest, TheHelpFileLiesBesideTheProgram) {
    // A path with the system's own separator.
    const std::string separator(1, char(std::filesystem::path::preferred_separator));
    const std::string folder = "C:" + separator + "Tools" + separator;
    platform.paths.programPath = folder + "vesperon.exe";
    Start();
    main->RzGlyphStatus1Click(main->RzGlyphStatus1);
    EXPECT_THAT(platform.shell.opened, ElementsAre(folder + "VesperonHelp.chm"));
}

TEST_F(SettingsTest, ThePagesOpenAndTheHelpPaneStaysHidden) {
    Start();
    ClickOn(main->BTNUpdate);
    // The fixed-border window's status bar has no usable size grip: the whole pane answers.
    for (const int x : {3, 18}) {
        Click(main, main->RzGlyphStatus2->Left() + x, main->RzStatusBar1->Top() + 9);
        Idle();
    }
    EXPECT_THAT(platform.shell.opened, ElementsAre("http://vesperon.org/vesperon.html",
                                                   "http://vesperon.org/", "http://vesperon.org/"));
    EXPECT_FALSE(main->RzGlyphStatus1->Visible());
    EXPECT_EQ(main->RzGlyphStatus2->Left() + main->RzGlyphStatus2->Width(), main->RzStatusBar1->Width());
}
