// The shared blinking and polling timers wake the program only when a pane can show the
// result: how often the loop wakes in a simulated minute, and what the panes show meanwhile.
#include "RzPanelTestSupport.h"

#include <gmock/gmock.h>

namespace {

constexpr std::int64_t kMinute = 60000;

using PaneRhythmTest = ClockPaneTest;

// The local time the clock shows, to the second.
std::string Shown() {
    return DateTimeToStr(Now());
}

} // namespace

// ---------------------------------------------------------------------------------------
// Blinking

TEST_F(PaneRhythmTest, PanesThatDoNotBlinkNeedNoWakeUps) {
    MakePane(0);
    MakePane(60);
    ShowForm();
    EXPECT_EQ(WakeUpsOver(kMinute), 0);
}

TEST_F(PaneRhythmTest, BlinkingWakesOncePerPhase) {
    MakePane(0)->SetBlinking(true);
    ShowForm();
    EXPECT_EQ(WakeUpsOver(kMinute), 120);
}

TEST_F(PaneRhythmTest, APaneThatStartsBlinkingAfterARestJoinsTheRhythmInStep) {
    TRzStatusPane* pane = MakePane(0);
    ShowForm();
    // Phases change at 500 (normal), 1000 (blink), 1500 (normal), 2000 (blink).
    ASSERT_EQ(WakeUpsOver(1250), 0);

    pane->SetBlinking(true);
    Advance(749);
    EXPECT_EQ(pane->CurrentTextColor(), clBlack);
    Advance(1);
    EXPECT_EQ(pane->CurrentTextColor(), clHighlight);
    Advance(500);
    EXPECT_EQ(pane->CurrentTextColor(), clBlack);
}

TEST_F(PaneRhythmTest, TheTimerRestsAgainWhenTheLastPaneStopsBlinking) {
    TRzStatusPane* pane = MakePane(0);
    pane->SetBlinking(true);
    ShowForm();
    Advance(1000);
    pane->SetBlinking(false);
    EXPECT_LE(WakeUpsOver(kMinute), 1);
    EXPECT_FALSE(TRzBlinkingControlsList::Instance()->Ticking());
}

TEST_F(PaneRhythmTest, APhaseOfLengthZeroIsLeftOutAndALaterLengthBringsItBack) {
    TRzStatusPane* pane = MakePane(0);
    pane->SetBlinking(true);
    ShowForm();
    pane->SetBlinkIntervalOn(0);

    Advance(3000);
    EXPECT_EQ(pane->CurrentTextColor(), clBlack);

    pane->SetBlinkIntervalOn(200);
    Advance(500); // the normal phase running when the length came ends at 3500
    EXPECT_EQ(pane->CurrentTextColor(), clHighlight);
    Advance(200);
    EXPECT_EQ(pane->CurrentTextColor(), clBlack);
}

TEST_F(PaneRhythmTest, WithBothLengthsZeroTheRhythmStandsInTheNormalColourUntilOneHasALength) {
    TRzStatusPane* pane = MakePane(0);
    pane->SetBlinking(true);
    ShowForm();
    Advance(1000);
    ASSERT_EQ(pane->CurrentTextColor(), clHighlight);
    pane->SetBlinkIntervalOn(0);
    pane->SetBlinkIntervalOff(0);

    EXPECT_LE(WakeUpsOver(kMinute), 1);
    EXPECT_EQ(pane->CurrentTextColor(), clBlack);

    pane->SetBlinkIntervalOn(300); // the normal colour has no length: blink colour at once
    EXPECT_EQ(pane->CurrentTextColor(), clHighlight);
    pane->SetBlinkIntervalOff(100);
    Advance(300);
    EXPECT_EQ(pane->CurrentTextColor(), clBlack);
    Advance(100);
    EXPECT_EQ(pane->CurrentTextColor(), clHighlight);
}

// ---------------------------------------------------------------------------------------
// Polling

TEST_F(PaneRhythmTest, AClockThatCanBeSeenWakesOnceASecondAtTheChangeOfTheSecond) {
    TRzClockStatus* clock = MakeClock();
    ShowForm();
    EXPECT_EQ(WakeUpsOver(kMinute), 61); // the first poll comes within an interval

    Advance(748);
    const std::string before = clock->Caption();
    Advance(4); // past the change of the second at 61.000 and the poll's 2 ms margin
    EXPECT_NE(clock->Caption(), before);
    EXPECT_EQ(clock->Caption(), Shown());
}

TEST_F(PaneRhythmTest, AClockUpdateRepaintsOnlyItsPane) {
    TRzClockStatus* clock = MakeClock();
    MakePane(129);
    ShowForm();
    Advance(760);
    const int presents = Window(form).PresentCount();

    Advance(1000);
    EXPECT_EQ(Window(form).PresentCount(), presents + 1);
    const TPoint origin = clock->Parent()->ClientToParent(Point(clock->Left(), clock->Top()), form);
    const platform::Rect& area = Window(form).LastPresentedArea();
    EXPECT_EQ(Rect(area.left, area.top, area.right, area.bottom),
              Bounds(origin.X, origin.Y, clock->Width(), clock->Height()));
}

TEST_F(PaneRhythmTest, AClockOnAHiddenFormNeedsNoWakeUpsAndShowsTheTimeWhenShownAgain) {
    TRzClockStatus* clock = MakeClock();
    ShowForm();
    Advance(1000);
    form->Hide();
    Idle();

    EXPECT_LE(WakeUpsOver(kMinute), 1);
    ShowForm();
    EXPECT_EQ(clock->Caption(), Shown());
    EXPECT_EQ(TRzPollingList::Instance()->Rhythm(), TPollDemand::EachSecond);
}

TEST_F(PaneRhythmTest, HandlersHearEveryPollWhetherOrNotTheClockCanBeSeen) {
    TRzClockStatus* clock = MakeClock();
    int polls = 0;
    clock->OnTimerExpired = [&polls](TObject*) {
        ++polls;
    };
    EXPECT_EQ(WakeUpsOver(kMinute), 120);
    EXPECT_EQ(polls, 120);
}

TEST_F(PaneRhythmTest, AFormatWithMillisecondsIsPolledAtEveryInterval) {
    TRzClockStatus* clock = MakeClock();
    clock->SetFormat("hh:nn:ss.zzz");
    ShowForm();
    EXPECT_EQ(WakeUpsOver(kMinute), 120);
}

TEST_F(PaneRhythmTest, AClockPolledLessOftenThanEachSecondKeepsItsInterval) {
    TRzClockStatus* clock = MakeClock();
    clock->SetInterval(5000);
    ShowForm();
    EXPECT_EQ(WakeUpsOver(kMinute), 12);

    const std::string before = clock->Caption();
    Advance(4999);
    EXPECT_EQ(clock->Caption(), before);
    Advance(1);
    EXPECT_EQ(clock->Caption(), Shown());
}
