// The program's windows with a task set up by clicking and typing, and the looks of the idle
// and armed states as a user sees them.
#pragma once

#include "controls/RzButton.h"
#include "controls/RzEdit.h"
#include "controls/RzPanel.h"
#include "controls/RzRadChk.h"
#include "controls/RzStatus.h"
#include "controls/RzTray.h"
#include "forms/VesperonFixture.h"
#include "toolkit/runtime/Timer.h"
#include "toolkit/widgets/Label.h"

#include <string>

class TaskFlowTest : public VesperonTest {
protected:
    bool ArmedLook() {
        return !main->GBOption->Visible() && !main->GBSet->Enabled() && !main->BTNStart->Visible() &&
               main->BTNStop->Visible() && main->LabInfo->Visible() && main->Timer1->Enabled();
    }
    bool IdleLook() {
        return main->GBOption->Visible() && main->GBSet->Enabled() && main->BTNStart->Visible() &&
               !main->BTNStop->Visible() && !main->Timer1->Enabled() &&
               main->RzStatusPane1->Caption() == "No task";
    }
    std::string TrayHint() { return main->TrayIcon->Hint(); }
    // Moves the wall clock against the timers, so that the ticks' clock readings stay off the
    // exact second boundaries where truncation may give one less; a long shift stands for a
    // computer that slept (the timers do not run while it sleeps).
    void ShiftClock(double seconds) { platform.clock.SetNow(InSeconds(seconds)); }
};
