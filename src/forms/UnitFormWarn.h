// The warning window: the last seconds before the action, with the count in words, a progress
// bar and a Cancel button. Created hidden at start-up; the main window's tick prepares and
// shows it.
#pragma once

#include "toolkit/runtime/Forms.h"
#include "toolkit/runtime/Timer.h"
#include "toolkit/widgets/Label.h"
#include "toolkit/widgets/ProgressBar.h"

#include <cstdint>
#include <string>

class TRzBitBtn;
class TFormVesperon;

class TFormWarn : public TForm {
public:
    explicit TFormWarn(TComponent* owner);
    ~TFormWarn() override;

    // The main window whose occurrence this window performs (at zero) or cancels.
    void SetMainForm(TFormVesperon* form) { FMainForm = form; }

    // Set by the main window's tick each time the warning is raised.
    void Prepare(const std::string& cancelCaption, const std::string& prefix, const std::string& suffix,
                 std::int32_t secondsLeft);

    void Timer1Timer(TObject* sender);
    void BTNCancelClick(TObject* sender);

    TLabel* LabSec = nullptr;
    TProgressBar* ProgressBar1 = nullptr;
    TRzBitBtn* BTNCancel = nullptr;
    TTimer* Timer1 = nullptr;

    std::string FPrefix;
    std::string FSuffix;
    std::int32_t FSecondsLeft = 0;

private:
    void CreateControls();

    TFormVesperon* FMainForm = nullptr;
};
