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

// A poll for a change of the second comes this long after it, so that the clock read then is
// surely past it.
constexpr std::int64_t kSecondMarginMs = 2;
constexpr std::uint16_t kMsPerSecond = 1000;

// Milliseconds until the local clock's second changes.
std::int64_t MsToNextSecond() {
    int hour = 0;
    int min = 0;
    int sec = 0;
    int msec = 0;
    DecodeTime(Now(), hour, min, sec, msec);
    return kMsPerSecond - msec;
}

} // namespace

// ---------------------------------------------------------------------------------------
// TRzPollingList

TRzPollingList::TRzPollingList() : timer_(std::make_unique<TTimer>(nullptr)) {
    timer_->SetEnabled(false);
    timer_->SetInterval(interval_);
    timer_->OnTimer = [this](TObject*) {
        TimerTick();
    };
    if (Application != nullptr) {
        Application->AddIdleWatcher(this);
    }
}

TRzPollingList::~TRzPollingList() {
    if (Application != nullptr) {
        Application->RemoveIdleWatcher(this);
    }
}

TRzPollingList* TRzPollingList::Instance() {
    return pollingList;
}

void TRzPollingList::Add(TRzPollingStatus* pane) {
    panes_.push_back(pane);
}

void TRzPollingList::Remove(TRzPollingStatus* pane) {
    std::erase(panes_, pane);
}

void TRzPollingList::SetTimerEnabled(bool value) {
    if (!Store(enabled_, value)) {
        return;
    }
    Plan(false, true);
}

void TRzPollingList::SetTimerInterval(std::uint16_t value) {
    if (!Store(interval_, value)) {
        return;
    }
    timer_->SetInterval(value);
    Plan(false, true);
}

void TRzPollingList::TimerTick() {
    skipping_ = false;
    // Hidden panes are skipped; a handler that raises ends this tick's walk, and the timer
    // keeps its rhythm. A handler may free panes, the last one with this list.
    for (TRzPollingStatus* pane : std::vector<TRzPollingStatus*>(panes_)) {
        if (pollingList != this) {
            return;
        }
        if (std::find(panes_.begin(), panes_.end(), pane) != panes_.end() && pane->Visible()) {
            pane->PollPane();
        }
    }
    if (pollingList == this) {
        Plan(true);
    }
}

void TRzPollingList::ApplicationIdle() {
    Plan(false);
}

void TRzPollingList::Plan(bool afterPoll, bool fresh) {
    const bool running = enabled_ && interval_ != 0;
    TPollDemand demand = TPollDemand::None;
    std::size_t secondPanes = 0;
    for (TRzPollingStatus* pane : panes_) {
        TPollDemand paneDemand = running && pane->Visible() ? pane->PollDemand() : TPollDemand::None;
        // Polled less often than the second changes, a clock shows a new text at every poll.
        if (paneDemand == TPollDemand::EachSecond && interval_ > kMsPerSecond) {
            paneDemand = TPollDemand::EachPoll;
        }
        secondPanes += paneDemand == TPollDemand::EachSecond ? 1 : 0;
        demand = std::max(demand, paneDemand);
    }
    // A pane that has just come to need polls may show an old text: it is polled within an
    // Interval, as the plain rhythm would.
    const bool changed = fresh || demand != rhythm_ || secondPanes > secondPanes_;
    rhythm_ = demand;
    secondPanes_ = secondPanes;
    if (demand == TPollDemand::None) {
        timer_->SetEnabled(false);
        if (running) {
            SkipPolls();
        }
    } else if (demand == TPollDemand::EachPoll && changed) {
        PollEachInterval();
    } else if (demand == TPollDemand::EachSecond && (changed || afterPoll)) {
        PollAtTheNextSecond(afterPoll);
    }
}

void TRzPollingList::PollEachInterval() {
    timer_->SetTolerance(0);
    if (timer_->Enabled()) {
        timer_->ExpireAt(std::min(timer_->Deadline(), MonotonicNow() + interval_));
    }
    timer_->SetEnabled(true);
}

void TRzPollingList::PollAtTheNextSecond(bool afterPoll) {
    const std::int64_t now = MonotonicNow();
    std::int64_t next = now + MsToNextSecond() + kSecondMarginMs;
    if (!afterPoll) {
        // After skipped polls a clock may show a time long past: it is polled at once.
        next = skipping_ ? now : std::min(next, now + interval_);
    }
    // Up to an Interval late, as the plain rhythm would be, to share another timer's wake-up.
    timer_->SetTolerance(interval_ > kSecondMarginMs ? interval_ - kSecondMarginMs - 1 : 0);
    timer_->SetEnabled(true);
    timer_->ExpireAt(next);
}

// The visible panes miss the polls the plain rhythm would give them.
void TRzPollingList::SkipPolls() {
    for (TRzPollingStatus* pane : panes_) {
        if (pane->Visible()) {
            skipping_ = true;
            pane->PollsSkipped();
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

TPollDemand TRzPollingStatus::PollDemand() {
    return OnTimerExpired ? TPollDemand::EachPoll : TPollDemand::None;
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
    stale_ = false;
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

// Handlers hear every poll and may show any moment; otherwise the text changes only with the
// second, and only a clock that can be seen needs it.
TPollDemand TRzClockStatus::PollDemand() {
    if (OnTimerExpired || OnGetDateTime || ShowsFractionsOfASecond()) {
        return TPollDemand::EachPoll;
    }
    return CanBeSeen() ? TPollDemand::EachSecond : TPollDemand::None;
}

// Shown on a form that is neither hidden nor minimised (in the tray, or the whole program).
bool TRzClockStatus::CanBeSeen() {
    const TCustomForm* form = ParentForm();
    return Showing() && form != nullptr && form->WindowState() != wsMinimized &&
           (Application == nullptr || !Application->Minimized());
}

// Milliseconds ("z") in the pattern in use or in the long time format a pattern can name.
bool TRzClockStatus::ShowsFractionsOfASecond() const {
    const TFormatSettings settings = FormatSettings();
    const auto namesMilliseconds = [](const std::string& pattern) {
        return pattern.find_first_of("zZ") != std::string::npos;
    };
    return namesMilliseconds(settings.LongTimeFormat) ||
           namesMilliseconds(format_.empty() ? settings.ShortDateFormat : format_);
}

void TRzClockStatus::Paint() {
    if (stale_) {
        RefreshTimeText();
    }
    TRzPollingStatus::Paint();
}

TRect TRzClockStatus::GetTextArea() {
    TRect r = TRzPollingStatus::GetTextArea();
    if (ReachesSizeGrip(ClientRect())) {
        r.Right -= kClockGripMargin;
    }
    return r;
}
