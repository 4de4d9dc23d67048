#include "controls/RzPanel.h"
#include "controls/RzStatus.h"
#include "toolkit/base/Store.h"
#include "toolkit/runtime/Timer.h"

#include <algorithm>

namespace {

// The shared polling list; created by the first polled pane, freed with the last.
TRzPollingList* pollingList = nullptr;

// Keeps the clock's text clear of a size grip at its right edge.
constexpr int kClockGripMargin = 12;

} // namespace

// ---------------------------------------------------------------------------------------
// TRzPollingList

TRzPollingList::TRzPollingList() : timer_(std::make_unique<TTimer>(nullptr)) {
    timer_->SetInterval(500);
    timer_->OnTimer = [this](TObject*) {
        TimerTick();
    };
    timer_->SetEnabled(true);
}

TRzPollingList::~TRzPollingList() = default;

TRzPollingList* TRzPollingList::Instance() {
    return pollingList;
}

void TRzPollingList::Add(TRzPollingStatus* pane) {
    panes_.push_back(pane);
}

void TRzPollingList::Remove(TRzPollingStatus* pane) {
    auto it = std::find(panes_.begin(), panes_.end(), pane);
    if (it != panes_.end()) {
        panes_.erase(it);
    }
}

bool TRzPollingList::TimerEnabled() const {
    return timer_->Enabled();
}

void TRzPollingList::SetTimerEnabled(bool value) {
    timer_->SetEnabled(value);
}

std::uint16_t TRzPollingList::TimerInterval() const {
    return std::uint16_t(timer_->Interval() & 0xFFFF);
}

void TRzPollingList::SetTimerInterval(std::uint16_t value) {
    timer_->SetInterval(value);
}

void TRzPollingList::TimerTick() {
    // Hidden panes are skipped; a handler that raises ends this tick's walk.
    for (TRzPollingStatus* pane : std::vector<TRzPollingStatus*>(panes_)) {
        if (std::find(panes_.begin(), panes_.end(), pane) != panes_.end() && pane->Visible()) {
            pane->PollPane();
        }
    }
}

// ---------------------------------------------------------------------------------------
// TRzPollingStatus

TRzPollingStatus::TRzPollingStatus(TComponent* owner) : TRzCustomStatusPane(owner) {
    if (pollingList == nullptr) {
        pollingList = new TRzPollingList();
    }
    pollingList->Add(this);
}

TRzPollingStatus::~TRzPollingStatus() {
    Destroying();
    if (pollingList != nullptr) {
        pollingList->Remove(this);
        if (pollingList->Count() == 0) {
            delete pollingList;
            pollingList = nullptr;
        }
    }
}

bool TRzPollingStatus::Active() const {
    return pollingList->TimerEnabled();
}

void TRzPollingStatus::SetActive(bool value) {
    pollingList->SetTimerEnabled(value);
}

std::uint16_t TRzPollingStatus::Interval() const {
    return pollingList->TimerInterval();
}

void TRzPollingStatus::SetInterval(std::uint16_t value) {
    if (value != Interval()) {
        pollingList->SetTimerInterval(value);
    }
}

void TRzPollingStatus::PollPane() {
    if (OnTimerExpired) {
        OnTimerExpired(this);
    }
}

// ---------------------------------------------------------------------------------------
// TRzClockStatus

TRzClockStatus::TRzClockStatus(TComponent* owner) : TRzPollingStatus(owner) {
    SetWidth(150);
}

void TRzClockStatus::Loaded() {
    TRzPollingStatus::Loaded();
    RefreshTimeText();
    AdjustPaneWidth();
}

void TRzClockStatus::SetFormat(const std::string& value) {
    if (!Store(format_, value)) {
        return;
    }
    RefreshTimeText();
    Invalidate();
}

void TRzClockStatus::RefreshTimeText() {
    TDateTime moment = Now();
    if (OnGetDateTime) {
        OnGetDateTime(this, moment);
    }
    const std::string text = format_.empty() ? DateTimeToStr(moment) : FormatDateTime(format_, moment);
    // The caption is the time text itself, so no text-changed notification is sent.
    if (!Store(timeText_, text)) {
        return;
    }
    AdjustPaneWidth();
    Invalidate();
}

void TRzClockStatus::PollPane() {
    RefreshTimeText();
    TRzPollingStatus::PollPane();
}

TRect TRzClockStatus::GetTextArea() {
    TRect r = TRzPollingStatus::GetTextArea();
    if (ReachesSizeGrip(ClientRect())) {
        r.Right -= kClockGripMargin;
    }
    return r;
}
