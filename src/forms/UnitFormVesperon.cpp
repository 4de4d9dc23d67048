#include "forms/UnitFormVesperon.h"

#include "controls/RzButton.h"
#include "controls/RzEdit.h"
#include "controls/RzPanel.h"
#include "controls/RzRadChk.h"
#include "controls/RzStatus.h"
#include "controls/RzTray.h"
#include "core/Arming.h"
#include "core/Countdown.h"
#include "core/TaskTexts.h"
#include "forms/UnitFormWarn.h"
#include "platform/Autostart.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "power/PowerActions.h"
#include "power/ScreenPower.h"
#include "toolkit/runtime/Timer.h"
#include "toolkit/widgets/DateTimePicker.h"
#include "toolkit/widgets/Label.h"
#include "toolkit/widgets/Menus.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <utility>

namespace {

constexpr const char* kWindowTitle = "Vesperon V2.4(Timer)";
constexpr const char* kLogOnEntryName = "Vesperon";
constexpr const char* kAutoRunArgument = "au";
constexpr int kFirstActionTag = 8;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// The folder of a path, with its separator: '/' on every system, and the system's own where it
// has another one ('\' on Windows).
std::string FolderOf(const std::string& path) {
    std::string separators = "/";
    separators += char(std::filesystem::path::preferred_separator);
    const std::size_t separator = path.find_last_of(separators);
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

} // namespace

TFormVesperon::TFormVesperon(TComponent* owner, std::vector<std::string> arguments)
    : TForm(owner), FArguments(std::move(arguments)) {
    SetName("FormVesperon");
    BeginLoading();
    CreateControls();
    AttachHandlers();
    EndLoading();
}

TFormVesperon::~TFormVesperon() {
    Destroying();
}

// ---------------------------------------------------------------------------------------
// Creation, activation and closing

void TFormVesperon::FormCreate(TObject*) {
    FLoading = true;
    FActionDone = false;
    FStartedByAutoRun = false;
    for (const std::string& argument : FArguments) {
        if (Lower(argument) == kAutoRunArgument) {
            FStartedByAutoRun = true;
        }
    }
    platform::Platform& system = platform::Current();
    FExeDir = system.paths != nullptr ? FolderOf(system.paths->ProgramPath()) : std::string();
    FConfigDir = system.paths != nullptr ? system.paths->ConfigFolder() : FExeDir;
    LoadSettings();
    ApplyEnglishTexts();
    RzStatusPane1->SetCaption(FNoTaskText);
    FLoading = false;
}

void TFormVesperon::FormActivate(TObject*) {
    if (FStartedByAutoRun) {
        TrayIcon->MinimizeToTray();
        FStartedByAutoRun = false;
    }
    // A task already on its way (back from the warning window, or armed for its next
    // occurrence by Cancel) keeps its target.
    if (FTask.FRepeat && FState == core::TTaskState::Idle) {
        BTNStartClick(BTNStart);
    }
}

void TFormVesperon::FormCloseQuery(TObject*, bool& canClose) {
    if (FActionDone) {
        canClose = true;
        return;
    }
    canClose =
        Application->MessageBox(FExitQuestion, Application->Title(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TFormVesperon::NExitClick(TObject*) {
    Close();
}

// ---------------------------------------------------------------------------------------
// Settings

std::string TFormVesperon::SettingsFile() const {
    return core::SettingsFilePath(FConfigDir);
}

void TFormVesperon::LoadSettings() {
    const TFormatSettings formats = FormatSettings();
    core::TLoadedSettings loaded = core::LoadSettings(SettingsFile(), Now(), formats);
    FTask = loaded.task;
    CBAutoRun->SetChecked(FTask.FAutoRun);
    if (FTask.FDateTimeMode) {
        RBDateTime->SetChecked(true);
    } else {
        RBDe->SetChecked(true);
    }
    CBRepeat->SetChecked(FTask.FRepeat);
    DateTimePicker1->SetDate(StrToDate(FTask.FDateText, formats));
    DateTimePicker2->SetTime(StrToTime(FTask.FTimeText, formats));
    RZFenZhong->SetValueAsInteger(FTask.FMinutes);
    CheckActionButton(FTask.FAction);
    CBWarn->SetChecked(FTask.FWarn);
    ReportLoadProblems(loaded);
}

// Texts that did not read were replaced by the defaults; they are noted in one line on stderr,
// as a start at log-on must not stop on a message box. Stores the platform refused were got
// over while loading; the user still learns of them, as the default error report would have
// told.
void TFormVesperon::ReportLoadProblems(const core::TLoadedSettings& loaded) {
    if (!loaded.unreadable.empty()) {
        std::string line = "vesperon: " + SettingsFile() + ":";
        for (const std::string& error : loaded.unreadable) {
            line += " " + error + ";";
        }
        std::fprintf(stderr, "%s the defaults are used\n", line.c_str());
    }
    for (const std::string& problem : loaded.problems) {
        Application->HandleException(Exception(problem));
    }
}

void TFormVesperon::CheckActionButton(std::int32_t action) {
    TRzRadioButton* const buttons[] = {RBShutdown, RBLogoff, RBRestart, RBForce, RBStandby, RBDormancy};
    if (action >= 1 && action <= 6) {
        buttons[action - 1]->SetChecked(true);
    }
}

void TFormVesperon::SaveSetting(core::TSettingKey key) {
    core::SaveSetting(SettingsFile(), FTask, key);
}

void TFormVesperon::CBAutoRunClick(TObject*) {
    if (FLoading) {
        return;
    }
    FTask.FAutoRun = CBAutoRun->Checked();
    platform::IAutostart* autostart = platform::Current().autostart;
    if (FTask.FAutoRun) {
        const std::string program =
            platform::Current().paths != nullptr ? platform::Current().paths->ProgramPath() : "";
        if (autostart == nullptr || !autostart->Write(kLogOnEntryName, program, {kAutoRunArgument})) {
            FTask.FAutoRun = false;
            CBAutoRun->SetChecked(false);
        }
    }
    if (!FTask.FAutoRun && autostart != nullptr) {
        autostart->Remove(kLogOnEntryName);
    }
    SaveSetting(core::TSettingKey::AutoRun);
}

void TFormVesperon::RBDateTimeClick(TObject*) {
    ApplyModeVisibility();
    FTask.FDateTimeMode = RBDateTime->Checked();
    if (!FLoading) {
        SaveSetting(core::TSettingKey::TimingMode);
    }
}

void TFormVesperon::CBRepeatClick(TObject*) {
    FTask.FRepeat = CBRepeat->Checked();
    ApplyDateVisibility();
    if (!FLoading) {
        SaveSetting(core::TSettingKey::RepeatTask);
    }
}

void TFormVesperon::DateTimePicker1Change(TObject*) {
    if (FLoading) {
        return;
    }
    FTask.FDateText = DateToStr(DateTimePicker1->Date(), FormatSettings());
    SaveSetting(core::TSettingKey::Date);
}

void TFormVesperon::DateTimePicker2Change(TObject*) {
    if (FLoading) {
        return;
    }
    FTask.FTimeText = TimeToStr(DateTimePicker2->Time(), FormatSettings());
    SaveSetting(core::TSettingKey::Time);
}

void TFormVesperon::RZFenZhongChange(TObject*) {
    if (FLoading) {
        return;
    }
    FTask.FMinutes = RZFenZhong->ValueAsInteger();
    SaveSetting(core::TSettingKey::Minutes);
}

void TFormVesperon::RBShutdownClick(TObject* sender) {
    if (FLoading) {
        return;
    }
    auto* radio = dynamic_cast<TRzRadioButton*>(sender);
    if (radio == nullptr) {
        return;
    }
    FTask.FAction = radio->Tag() - (kFirstActionTag - 1);
    SaveSetting(core::TSettingKey::Action);
}

void TFormVesperon::CBWarnClick(TObject*) {
    if (FLoading) {
        return;
    }
    FTask.FWarn = CBWarn->Checked();
    SaveSetting(core::TSettingKey::Warn);
}

// ---------------------------------------------------------------------------------------
// Visibility and looks

void TFormVesperon::ApplyModeVisibility() {
    ApplyDateVisibility();
    const bool appointed = RBDateTime->Checked();
    Label3->SetVisible(appointed);
    DateTimePicker2->SetVisible(appointed);
    RZFenZhong->SetVisible(!appointed);
    Label4->SetVisible(!appointed);
}

void TFormVesperon::ApplyDateVisibility() {
    const bool visible = RBDateTime->Checked() && !CBRepeat->Checked();
    Label2->SetVisible(visible);
    DateTimePicker1->SetVisible(visible);
}

void TFormVesperon::ApplyLook(bool armed) {
    const core::TTaskLook look = core::LookOf(armed ? core::TTaskState::Armed : core::TTaskState::Idle);
    GBOption->SetVisible(look.optionsVisible);
    GBSet->SetEnabled(look.settingsEnabled);
    BTNStart->SetVisible(look.startVisible);
    BTNStop->SetVisible(look.stopVisible);
    LabInfo->SetVisible(look.infoVisible);
}

// ---------------------------------------------------------------------------------------
// Arming, the tick and the actions

void TFormVesperon::BTNStartClick(TObject*) {
    if (Arm()) {
        TrayIcon->MinimizeToTray();
    }
}

bool TFormVesperon::Arm() {
    const TFormatSettings formats = FormatSettings();
    core::TArmRequest request;
    request.task = FTask;
    request.FActionName = FActionName;
    request.datePicker = DateTimePicker1->DateTime();
    request.minutesEdit = RZFenZhong->ValueAsInteger();
    request.now = Now();
    const core::TArmResult result = core::ArmTask(request, formats);
    if (result.outcome == core::TArmOutcome::Refused) {
        ShowMessage(FGuardText);
        RZFenZhong->SetValueAsInteger(result.guardMinutes);
        return false;
    }
    if (FTask.FDateTimeMode) {
        FTask.FDateText = result.FDateText;
        DateTimePicker1->SetDateTime(result.datePicker);
    }
    if (result.outcome == core::TArmOutcome::Overdue) {
        ShowMessage(FOverdueText);
        return false;
    }
    FTarget = result.FTarget;
    FActionName = result.FActionName;
    FState = core::TTaskState::Armed;
    RzStatusPane1->SetCaption(FExecutingText);
    RzStatusPane2->SetCaption(result.targetCaption);
    ApplyLook(true);
    Timer1->SetEnabled(true);
    return true;
}

void TFormVesperon::BTNStopClick(TObject*) {
    const core::TIdleTexts idle;
    RzStatusPane1->SetCaption(FNoTaskText);
    RzStatusPane2->SetCaption(idle.targetCaption);
    FActionName = idle.FActionName;
    LabInfo->SetCaption(idle.infoCaption);
    TrayIcon->SetHint(FTrayTitle);
    ApplyLook(false);
    Timer1->SetEnabled(false);
    // Stopped while the warning counts (the window brought back from the tray): the warning
    // ends too, so that the action does not follow the Stop.
    if (FState == core::TTaskState::Warning && FWarnForm != nullptr) {
        FWarnForm->Timer1->SetEnabled(false);
        FWarnForm->Hide();
    }
    FState = core::TTaskState::Idle;
}

void TFormVesperon::Timer1Timer(TObject*) {
    const TDateTime now = Now();
    const core::TCountdown countdown = core::CountdownOf(now, FTarget, FActionName);
    ShowCountdown(countdown);
    switch (core::TickActionOf(now, FTarget, countdown.St, FTask.FWarn, FState)) {
    case core::TTickAction::HandOver:
        HandOverToWarning();
        break;
    case core::TTickAction::Fire:
        PerformOccurrence();
        break;
    case core::TTickAction::None:
        break;
    }
}

void TFormVesperon::ShowCountdown(const core::TCountdown& countdown) {
    LabInfo->SetCaption(countdown.caption);
    TrayIcon->SetHint(countdown.hint);
}

void TFormVesperon::HandOverToWarning() {
    FState = core::TTaskState::Warning;
    Timer1->SetEnabled(false);
    Hide();
    if (FWarnForm == nullptr) {
        return;
    }
    FWarnForm->Prepare(core::kWarnCancelCaption, core::kWarnPrefix, core::kWarnSuffix,
                       core::WarningCount(Now(), FTarget));
    // The timer runs before the first count, so that a count of zero, which performs the
    // action at once, also stops it.
    FWarnForm->Timer1->SetEnabled(true);
    FWarnForm->Timer1Timer(FWarnForm->Timer1);
    FWarnForm->Show();
}

void TFormVesperon::PerformOccurrence() {
    if (FState != core::TTaskState::Armed && FState != core::TTaskState::Warning) {
        return;
    }
    FState = core::TTaskState::Fired;
    BTNAtOnceClick(BTNAtOnce);
}

void TFormVesperon::CancelOccurrence() {
    if (FTask.FRepeat) {
        ArmNextOccurrence();
    } else {
        BTNStopClick(BTNStop);
    }
}

void TFormVesperon::ArmNextOccurrence() {
    if (FTask.FDateTimeMode) {
        const TDateTime next = core::NextAppointedOccurrence(FTarget, Now());
        FTask.FDateText = DateToStr(next, FormatSettings());
        DateTimePicker1->SetDate(next);
    }
    if (!Arm()) {
        BTNStopClick(BTNStop);
        return;
    }
    ShowCountdown(core::CountdownOf(Now(), FTarget, FActionName));
}

void TFormVesperon::BTNAtOnceClick(TObject*) {
    power::PerformAction(FTask.FAction, FActionDone);
}

void TFormVesperon::BTNCloseScreenClick(TObject*) {
    power::CloseScreen();
}

// ---------------------------------------------------------------------------------------
// Texts, pages and the tray

void TFormVesperon::ApplyEnglishTexts() {
    FNoTaskText = core::kNoTaskText;
    FExitQuestion = "Are you sure to exit?";
    FGuardText = core::kGuardText;
    FOverdueText = core::kOverdueText;
    FExecutingText = core::kExecutingText;
    FTrayTitle = core::kTrayTitle;
    FHomePage = kHomePageAddress;
    FUpdatePage = kUpdatePageAddress;

    SetCaption(kWindowTitle);
    TrayIcon->SetHint(FTrayTitle);
    CBAutoRun->SetCaption("Auto-run");
    RzGroupBox2->SetCaption("Setting time");
    Label1->SetCaption("Timing method:");
    RBDateTime->SetCaption("Appointed time");
    RBDe->SetCaption("Degression");
    CBRepeat->SetCaption("Repeat");
    Label2->SetCaption("Date:");
    Label3->SetCaption("Time:");
    Label4->SetCaption("minutes later shut down");
    GBOption->SetCaption("Actions");
    RBShutdown->SetCaption("Shutdown");
    RBLogoff->SetCaption("Logoff");
    RBRestart->SetCaption("Restart");
    RBForce->SetCaption("Force Shutdown");
    RBStandby->SetCaption("Stand By");
    RBDormancy->SetCaption("Dormancy");
    CBWarn->SetCaption("30 seconds to warn");
    BTNCloseScreen->SetCaption("Turn off the screen");
    BTNStart->SetCaption("Start");
    BTNStop->SetCaption("Stop");
    BTNAtOnce->SetCaption("Shutdown Now");
    BTNUpdate->SetCaption("Update");
    NShow->SetCaption("&Show");
    NExit->SetCaption("&Exit");
    RzGlyphStatus1->SetHint("Help");
    RzGlyphStatus2->SetHint("HomePage");
}

void TFormVesperon::NShowClick(TObject*) {
    TrayIcon->RestoreFromTray();
}

void TFormVesperon::TrayIconRestoreApp(TObject*) {
    Show();
}

void TFormVesperon::BTNUpdateClick(TObject*) {
    if (platform::IShell* shell = platform::Current().shell) {
        shell->Open(FUpdatePage);
    }
}

void TFormVesperon::RzGlyphStatus1Click(TObject*) {
    if (platform::IShell* shell = platform::Current().shell) {
        shell->Open(FExeDir + kHelpFileName);
    }
}

void TFormVesperon::RzGlyphStatus2Click(TObject*) {
    if (platform::IShell* shell = platform::Current().shell) {
        shell->Open(FHomePage);
    }
}
