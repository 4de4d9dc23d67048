// The main window: the task's settings, Start and Stop, Shutdown Now, Turn off the screen,
// the status bar with clock and the product's pages, and the tray icon with its menu. The
// task fields live here; the handlers read controls, call the scheduling core and power
// control, and write controls back.
#pragma once

#include "core/Countdown.h"
#include "core/SettingsFile.h"
#include "core/TaskSettings.h"
#include "toolkit/runtime/Forms.h"
#include "toolkit/text/DateUtils.h"

#include <cstdint>
#include <string>
#include <vector>

class TLabel;
class TRzCheckBox;
class TRzRadioButton;
class TRzGroupBox;
class TRzStatusBar;
class TRzStatusPane;
class TRzClockStatus;
class TRzGlyphStatus;
class TRzBitBtn;
class TRzNumericEdit;
class TRzTrayIcon;
class TDateTimePicker;
class TPopupMenu;
class TMenuItem;
class TTimer;
class TFormWarn;

class TFormVesperon : public TForm {
public:
    // The command-line arguments (the program path excluded) are read by window creation.
    TFormVesperon(TComponent* owner, std::vector<std::string> arguments);
    ~TFormVesperon() override;

    // The warning window the tick hands over to.
    void SetWarnForm(TFormWarn* form) { FWarnForm = form; }

    // Creation, activation and closing.
    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);

    // Settings and their keys.
    void LoadSettings();
    void SaveSetting(core::TSettingKey key);
    void CBAutoRunClick(TObject* sender);
    void RBDateTimeClick(TObject* sender);
    void CBRepeatClick(TObject* sender);
    void DateTimePicker1Change(TObject* sender);
    void DateTimePicker2Change(TObject* sender);
    void RZFenZhongChange(TObject* sender);
    void RBShutdownClick(TObject* sender);
    void CBWarnClick(TObject* sender);

    // Arming, the tick and the actions.
    void BTNStartClick(TObject* sender);
    void BTNStopClick(TObject* sender);
    void Timer1Timer(TObject* sender);
    void BTNAtOnceClick(TObject* sender);
    void BTNCloseScreenClick(TObject* sender);

    // The armed occurrence, as the tick and the warning window end it. Performing presses
    // Shutdown Now once per occurrence, and not for a stopped task. Cancelling ends the occurrence: with
    // Repeat on the task is armed for its next one (the next day of an appointed time, a countdown in full),
    // otherwise Stop is pressed.
    void PerformOccurrence();
    void CancelOccurrence();

    // Texts, pages and the tray.
    void ApplyEnglishTexts();
    void NShowClick(TObject* sender);
    void NExitClick(TObject* sender);
    void TrayIconRestoreApp(TObject* sender);
    void BTNUpdateClick(TObject* sender);
    void RzGlyphStatus1Click(TObject* sender);
    void RzGlyphStatus2Click(TObject* sender);

    // The controls, in declaration order.
    TLabel* LabInfo = nullptr;
    TRzCheckBox* CBAutoRun = nullptr;
    TRzGroupBox* GBSet = nullptr;
    TRzGroupBox* RzGroupBox2 = nullptr;
    TLabel* Label1 = nullptr;
    TRzRadioButton* RBDateTime = nullptr;
    TRzRadioButton* RBDe = nullptr;
    TRzCheckBox* CBRepeat = nullptr;
    TLabel* Label2 = nullptr;
    TDateTimePicker* DateTimePicker1 = nullptr;
    TLabel* Label3 = nullptr;
    TDateTimePicker* DateTimePicker2 = nullptr;
    TRzNumericEdit* RZFenZhong = nullptr;
    TLabel* Label4 = nullptr;
    TRzGroupBox* GBOption = nullptr;
    TRzRadioButton* RBShutdown = nullptr;
    TRzRadioButton* RBLogoff = nullptr;
    TRzRadioButton* RBRestart = nullptr;
    TRzRadioButton* RBForce = nullptr;
    TRzRadioButton* RBStandby = nullptr;
    TRzRadioButton* RBDormancy = nullptr;
    TRzCheckBox* CBWarn = nullptr;
    TRzBitBtn* BTNCloseScreen = nullptr;
    TRzBitBtn* BTNStart = nullptr;
    TRzBitBtn* BTNStop = nullptr;
    TRzBitBtn* BTNAtOnce = nullptr;
    TRzBitBtn* BTNUpdate = nullptr;
    TRzStatusBar* RzStatusBar1 = nullptr;
    TRzClockStatus* RzClockStatus2 = nullptr;
    TRzStatusPane* RzStatusPane1 = nullptr;
    TRzStatusPane* RzStatusPane2 = nullptr;
    TRzGlyphStatus* RzGlyphStatus1 = nullptr;
    TRzGlyphStatus* RzGlyphStatus2 = nullptr;
    TRzTrayIcon* TrayIcon = nullptr;
    TPopupMenu* TrayPopupMenu = nullptr;
    TMenuItem* NShow = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* NExit = nullptr;
    TImageList* ImageList1 = nullptr;
    TImageList* ImageList2 = nullptr;
    TTimer* Timer1 = nullptr;

    // The task (fields of the settings file) and the state of the program.
    std::string FExeDir;
    // Where the settings file lives (the user's configuration folder on Linux).
    std::string FConfigDir;
    bool FLoading = false;
    bool FActionDone = false;
    bool FStartedByAutoRun = false;
    core::TTaskSettings FTask;
    TDateTime FTarget = 0;
    std::string FActionName;
    core::TTaskState FState = core::TTaskState::Idle;

    // The message texts, set by ApplyEnglishTexts.
    std::string FNoTaskText;
    std::string FExitQuestion;
    std::string FGuardText;
    std::string FOverdueText;
    std::string FExecutingText;
    std::string FTrayTitle;
    std::string FHomePage;
    std::string FUpdatePage;

private:
    // The layout code (UnitFormVesperonLayout.cpp), run in the loading phase.
    void CreateControls();
    void CreateSettingControls();
    void CreateActionControls();
    void CreateButtons();
    void CreateStatusBar();
    void CreateNonVisual();
    void SetTabOrders();
    void AttachHandlers();

    // Loading steps that set controls.
    void ReportLoadProblems(const core::TLoadedSettings& loaded);
    void CheckActionButton(std::int32_t action);
    // The visibility of the date, time and minutes rows.
    void ApplyModeVisibility();
    void ApplyDateVisibility();
    void ApplyLook(bool armed);
    // Start's work without going to the tray: true when the task was armed.
    bool Arm();
    void ArmNextOccurrence();
    void ShowCountdown(const core::TCountdown& countdown);
    // The tick's hand-over to the warning window.
    void HandOverToWarning();
    std::string SettingsFile() const;

    TFormWarn* FWarnForm = nullptr;
    const std::vector<std::string> FArguments;
};

// The home and update pages of the product.
inline constexpr const char* kHomePageAddress = "http://vesperon.org/";
inline constexpr const char* kUpdatePageAddress = "http://vesperon.org/vesperon.html";
inline constexpr const char* kHelpFileName = "VesperonHelp.chm";
