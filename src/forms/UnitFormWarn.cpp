#include "forms/UnitFormWarn.h"

#include "controls/RzButton.h"
#include "forms/FormLayout.h"
#include "forms/UnitFormVesperon.h"

namespace {

constexpr int kWarnSeconds = 30;

} // namespace

TFormWarn::TFormWarn(TComponent* owner) : TForm(owner) {
    SetName("FormWarn");
    BeginLoading();
    CreateControls();
    EndLoading();
}

TFormWarn::~TFormWarn() {
    Destroying();
}

void TFormWarn::CreateControls() {
    SetBorderStyle(bsNone);
    SetBorderIcons(0);
    SetFormStyle(fsStayOnTop);
    SetPosition(poScreenCenter);
    SetClientWidth(418);
    SetClientHeight(115);
    SetColor(clBtnFace);
    forms::SetFont(Font(), "Arial", -11, 0, clWindowText);
    SetVisible(false);

    LabSec = forms::Place<TLabel>(this, this, "LabSec", 10, 12, 400, 16);
    LabSec->SetAutoSize(false);
    LabSec->SetAlignment(taCenter);
    LabSec->SetParentFont(false);
    forms::SetFont(LabSec->Font(), "Arial", -12, fsBold, clRed);

    ProgressBar1 = forms::Place<TProgressBar>(this, this, "ProgressBar1", 10, 40, 397, 28);
    ProgressBar1->SetMin(0);
    ProgressBar1->SetMax(kWarnSeconds - 1);
    ProgressBar1->SetSmooth(true);
    ProgressBar1->SetStep(1);
    ProgressBar1->SetTabOrder(0);

    BTNCancel = forms::Place<TRzBitBtn>(this, this, "BTNCancel", 161, 77, 99, 30);
    BTNCancel->SetColor(forms::kFaceColor);
    BTNCancel->SetHighlightColor(forms::kHighlightColor);
    BTNCancel->SetHotTrack(true);
    BTNCancel->SetHotTrackColor(forms::kHotTrackColor);
    forms::LoadGlyph(BTNCancel, "btncancel", 2);
    BTNCancel->SetTabOrder(1);
    BTNCancel->OnClick = [this](TObject* sender) {
        BTNCancelClick(sender);
    };

    Timer1 = forms::Make<TTimer>(this, "Timer1");
    Timer1->SetEnabled(false);
    Timer1->SetInterval(1000);
    Timer1->OnTimer = [this](TObject* sender) {
        Timer1Timer(sender);
    };
}

void TFormWarn::Prepare(const std::string& cancelCaption, const std::string& prefix,
                        const std::string& suffix, std::int32_t secondsLeft) {
    BTNCancel->SetCaption(cancelCaption);
    FPrefix = prefix;
    FSuffix = suffix;
    FSecondsLeft = secondsLeft;
}

void TFormWarn::Timer1Timer(TObject*) {
    if (FSecondsLeft == 0) {
        Timer1->SetEnabled(false);
        if (FMainForm != nullptr) {
            FMainForm->PerformOccurrence();
        }
        return;
    }
    ProgressBar1->SetPosition(kWarnSeconds - FSecondsLeft);
    LabSec->SetCaption(FPrefix + IntToStr(FSecondsLeft) + FSuffix);
    --FSecondsLeft;
}

void TFormWarn::BTNCancelClick(TObject*) {
    Timer1->SetEnabled(false);
    if (FMainForm != nullptr) {
        FMainForm->CancelOccurrence();
        FMainForm->SetVisible(true);
        // The task went to the tray when it was armed: the window comes back from there.
        if (Application != nullptr && Application->Minimized()) {
            Application->Restore();
        }
        FMainForm->Show();
    }
    Close();
}
