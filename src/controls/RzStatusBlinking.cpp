#include "controls/RzStatus.h"
#include "toolkit/runtime/Timer.h"

#include <algorithm>

namespace {

// The shared blinking list; created by the first pane, freed with the last.
TRzBlinkingControlsList* blinkingList = nullptr;

} // namespace

// The timer expires at the end of each phase (ExpireAt); its own interval is never waited for.
TRzBlinkingControlsList::TRzBlinkingControlsList() : timer_(std::make_unique<TTimer>(nullptr)) {
    phaseEnd_ = MonotonicNow() + blinkIntervalOff_;
    timer_->SetEnabled(false);
    timer_->OnTimer = [this](TObject*) {
        TimerTick();
    };
    if (Application != nullptr) {
        Application->AddIdleWatcher(this);
    }
}

TRzBlinkingControlsList::~TRzBlinkingControlsList() {
    if (Application != nullptr) {
        Application->RemoveIdleWatcher(this);
    }
}

TRzBlinkingControlsList* TRzBlinkingControlsList::Instance() {
    return blinkingList;
}

void TRzBlinkingControlsList::Join(TControl* control) {
    if (blinkingList == nullptr) {
        blinkingList = new TRzBlinkingControlsList();
    }
    blinkingList->controls_.push_back(control);
}

void TRzBlinkingControlsList::Leave(TControl* control) {
    if (blinkingList == nullptr) {
        return;
    }
    std::erase(blinkingList->controls_, control);
    if (blinkingList->controls_.empty()) {
        delete blinkingList;
        blinkingList = nullptr;
    }
}

bool TRzBlinkingControlsList::Ticking() const {
    return timer_->Running();
}

void TRzBlinkingControlsList::SetBlinkIntervalOff(std::uint16_t value) {
    SetInterval(false, value);
}

void TRzBlinkingControlsList::SetBlinkIntervalOn(std::uint16_t value) {
    SetInterval(true, value);
}

// A new length applies from the next phase change on; a rhythm that stood still starts again
// from now, in the normal colour unless that phase has no length.
void TRzBlinkingControlsList::SetInterval(bool phase, std::uint16_t value) {
    const std::int64_t now = MonotonicNow();
    if (!Ticking()) {
        CatchUp(now); // the resting rhythm changed phases with the old lengths
    }
    (phase ? blinkIntervalOn_ : blinkIntervalOff_) = value;
    if (!standing_ || value == 0) {
        return;
    }
    standing_ = false;
    blinkPhase_ = blinkIntervalOff_ == 0;
    phaseEnd_ = now + LengthOf(blinkPhase_);
    if (ShowPhase()) {
        StartTicking();
    }
}

void TRzBlinkingControlsList::ChangePhase(std::int64_t when) {
    bool next = !blinkPhase_;
    if (LengthOf(next) == 0) {
        next = !next;
    }
    if (LengthOf(next) == 0) {
        blinkPhase_ = false;
        standing_ = true;
        return;
    }
    blinkPhase_ = next;
    phaseEnd_ = when + LengthOf(next);
}

void TRzBlinkingControlsList::CatchUp(std::int64_t now) {
    if (standing_ || phaseEnd_ > now) {
        return;
    }
    // Whole on-and-off cycles end in the phase they began with.
    const std::int64_t cycle = std::int64_t(blinkIntervalOn_) + blinkIntervalOff_;
    phaseEnd_ += (now - phaseEnd_) / cycle * cycle;
    while (!standing_ && phaseEnd_ <= now) {
        ChangePhase(phaseEnd_);
    }
}

bool TRzBlinkingControlsList::ShowPhase() {
    bool anyBlinks = false;
    // A repaint may remove panes; only those still registered are asked.
    for (TControl* control : std::vector<TControl*>(controls_)) {
        if (std::find(controls_.begin(), controls_.end(), control) == controls_.end()) {
            continue;
        }
        if (control->Perform(RZM_BLINKQUERY) == 1) {
            anyBlinks = true;
            control->Perform(RZM_BLINKTOGGLE, blinkPhase_ ? 1 : 0);
        }
    }
    return anyBlinks;
}

bool TRzBlinkingControlsList::AnyPaneBlinks() {
    return std::any_of(controls_.begin(), controls_.end(),
                       [](TControl* control) { return control->Perform(RZM_BLINKQUERY) == 1; });
}

void TRzBlinkingControlsList::StartTicking() {
    CatchUp(MonotonicNow());
    timer_->SetEnabled(true);
    timer_->ExpireAt(phaseEnd_);
}

// Every pane that blinks shows the new phase; with none left blinking the timer rests.
void TRzBlinkingControlsList::TimerTick() {
    ChangePhase(MonotonicNow());
    if (!ShowPhase() || standing_) {
        timer_->SetEnabled(false);
        return;
    }
    timer_->ExpireAt(phaseEnd_);
}

// A pane that began to blink while the timer rested starts it, in step with the rhythm.
void TRzBlinkingControlsList::ApplicationIdle() {
    if (Ticking() || standing_ || !AnyPaneBlinks()) {
        return;
    }
    StartTicking();
}
