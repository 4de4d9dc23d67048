// Status panes: windowless controls that sit in a TRzStatusBar and show one line of text in a
// thin frame (TRzCustomStatusPane / TRzStatusPane), a picture beside it (TRzCustomGlyphStatus /
// TRzGlyphStatus), or the current date and time (TRzClockStatus). Blinking runs on one shared
// timer for all panes, polling on another for all polled panes.
#pragma once

#include "controls/RzCommon.h"
#include "controls/RzFrameController.h"
#include "controls/RzGrafx.h"
#include "toolkit/runtime/Controls.h"
#include "toolkit/runtime/Forms.h"
#include "toolkit/text/DateUtils.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TTimer;
class TRzStatusBar;

// The library's blinking messages: "do you blink?" (answer 1) and "show phase WParam".
constexpr unsigned RZM_BLINKQUERY = 0xB3E8;
constexpr unsigned RZM_BLINKTOGGLE = 0xB3E9;

// ---------------------------------------------------------------------------------------
// The shared blinking list

// Drives the common rhythm: the blink colour for BlinkIntervalOn, the normal colour for
// BlinkIntervalOff. Its timer runs only while a pane blinks; while none does the rhythm goes on
// in the count alone, so a pane that starts blinking later still joins it in step. A phase of
// length 0 is left out; with both lengths 0 the rhythm stands still in the normal colour until
// one of them is given a length again.
class TRzBlinkingControlsList : private IIdleWatcher {
public:
    TRzBlinkingControlsList();
    ~TRzBlinkingControlsList() override;
    TRzBlinkingControlsList(const TRzBlinkingControlsList&) = delete;
    TRzBlinkingControlsList& operator=(const TRzBlinkingControlsList&) = delete;

    // Registers a pane, creating the list for the first one; unregisters it, freeing the list
    // with the last one.
    static void Join(TControl* control);
    static void Leave(TControl* control);
    int Count() const { return int(controls_.size()); }
    std::uint16_t BlinkIntervalOff() const { return blinkIntervalOff_; }
    void SetBlinkIntervalOff(std::uint16_t value);
    std::uint16_t BlinkIntervalOn() const { return blinkIntervalOn_; }
    void SetBlinkIntervalOn(std::uint16_t value);
    // Whether the timer runs (it stops while no pane blinks).
    bool Ticking() const;

    // The process-wide list; null while no pane exists.
    static TRzBlinkingControlsList* Instance();

private:
    void TimerTick();
    void ApplicationIdle() override;
    std::uint16_t LengthOf(bool phase) const { return phase ? blinkIntervalOn_ : blinkIntervalOff_; }
    // Ends the current phase at `when`: the next phase of non-zero length begins.
    void ChangePhase(std::int64_t when);
    // Brings the resting rhythm up to now: the phase changes it would have made, without ticks.
    void CatchUp(std::int64_t now);
    // Sends the phase to every pane that blinks; answers whether any does.
    bool ShowPhase();
    bool AnyPaneBlinks();
    void StartTicking();
    void SetInterval(bool phase, std::uint16_t value);

    bool blinkPhase_ = true;
    bool standing_ = false; // both lengths are 0
    std::int64_t phaseEnd_ = 0;
    std::vector<TControl*> controls_;
    std::unique_ptr<TTimer> timer_;
    std::uint16_t blinkIntervalOff_ = 500;
    std::uint16_t blinkIntervalOn_ = 500;
};

// ---------------------------------------------------------------------------------------
// TRzCustomStatusPane

class TRzCustomStatusPane : public TGraphicControl,
                            public IRzFrameControllerClient,
                            public IRzTransparentControl {
public:
    explicit TRzCustomStatusPane(TComponent* owner);
    ~TRzCustomStatusPane() override;

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment value);
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool value);
    // The caption follows the application's current hint.
    bool AutoHint() const { return autoHint_; }
    void SetAutoHint(bool value) { autoHint_ = value; }
    int DefaultWidth() const { return defaultWidth_; }
    virtual void SetDefaultWidth(int value);
    bool Blinking() const { return blinking_; }
    virtual void SetBlinking(bool value);
    TColor BlinkColor() const { return blinkColor_; }
    virtual void SetBlinkColor(TColor value);
    // Common to all panes: they read and write the shared blinking list.
    std::uint16_t BlinkIntervalOff() const;
    virtual void SetBlinkIntervalOff(std::uint16_t value);
    std::uint16_t BlinkIntervalOn() const;
    virtual void SetBlinkIntervalOn(std::uint16_t value);
    int BorderWidth() const { return borderWidth_; }
    virtual void SetBorderWidth(int value);
    int CaptionOffset() const { return captionOffset_; }
    virtual void SetCaptionOffset(int value);
    TColor FillColor() const { return fillColor_; }
    virtual void SetFillColor(TColor value);
    bool ParentFillColor() const { return parentFillColor_; }
    virtual void SetParentFillColor(bool value);
    TColor FlatColor() const { return flatColor_; }
    virtual void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    virtual void SetFlatColorAdjustment(int value);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    virtual void SetFrameStyle(TFrameStyle value);
    TRzFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TRzFrameController* value);
    TRzFrameControllerNotifications FrameControllerNotifications() const {
        return frameControllerNotifications_;
    }
    void SetFrameControllerNotifications(TRzFrameControllerNotifications value) {
        frameControllerNotifications_ = value;
    }
    bool Transparent() const override { return transparent_; }
    virtual void SetTransparent(bool value);

    // The colour the caption is drawn in now: the font colour, or BlinkColor in the blink phase.
    TColor CurrentTextColor() const { return currentTextColor_; }

    // The rectangle the caption is drawn in.
    virtual TRect GetTextArea();
    // The width the pane needs, measured with the given canvas.
    virtual int MeasurePaneWidth(TCanvas* canvas);
    // Sets Width to the measured width when AutoSize holds and the pane is not being read.
    virtual void AdjustPaneWidth();
    // Whether rect (pane coordinates) reaches the right edge of a status bar showing its grip.
    virtual bool ReachesSizeGrip(const TRect& rect);

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    // With AutoHint, takes the hint a THintAction carries as the caption.
    bool ExecuteAction(TBasicAction* action) override;

    // IRzFrameControllerClient
    void FramingChanged() override;

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;

    virtual void PaintCaption(const std::string& text);
    virtual void PaintFrameAndFill();
    virtual void ApplyControllerSettings();
    virtual void ShowBlinkPhase(bool phase);

    // The extra inset of the frame style inside the border ring.
    int FrameInset() const;
    // The status bar this pane sits in, if any.
    TRzStatusBar* StatusBar() const;

private:
    void CMHitTest(TMessage& message);
    void FollowColor();

    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = false;
    bool autoHint_ = false;
    int defaultWidth_ = 40;
    TColor blinkColor_ = clHighlight;
    bool blinking_ = false;
    TColor normalTextColor_ = clBlack;
    int borderWidth_ = 1;
    int captionOffset_ = 2;
    bool parentFillColor_ = true;
    TColor fillColor_ = clWindow;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TFrameStyle frameStyle_ = fsFlat;
    TRzFrameController* frameController_ = nullptr;
    TRzFrameControllerNotifications frameControllerNotifications_ = fcpAll;
    bool transparent_ = true;
    TColor currentTextColor_ = clBlack;
};

class TRzStatusPane : public TRzCustomStatusPane {
public:
    using TRzCustomStatusPane::TRzCustomStatusPane;
};

// ---------------------------------------------------------------------------------------
// Image panes

enum TGlyphAlignment { gaLeft, gaRight };

class TRzCustomGlyphStatus : public TRzCustomStatusPane {
public:
    explicit TRzCustomGlyphStatus(TComponent* owner);
    ~TRzCustomGlyphStatus() override;

    // A strip of 1 to 4 equal cells: normal, disabled (cells 3 and 4 are never drawn).
    TBitmap* Glyph() { return glyph_.get(); }
    virtual void SetGlyph(const TBitmap* value);
    TGlyphAlignment GlyphAlignment() const { return glyphAlignment_; }
    virtual void SetGlyphAlignment(TGlyphAlignment value);
    int GlyphOffset() const { return glyphOffset_; }
    virtual void SetGlyphOffset(int value);
    int NumGlyphs() const { return numGlyphs_; }
    virtual void SetNumGlyphs(int value);
    bool ShowGlyph() const { return showGlyph_; }
    virtual void SetShowGlyph(bool value);
    int ImageIndex() const { return imageIndex_; }
    virtual void SetImageIndex(int value);
    int DisabledIndex() const { return disabledIndex_; }
    virtual void SetDisabledIndex(int value);
    TCustomImageList* Images() const { return images_; }
    virtual void SetImages(TCustomImageList* value);

    TSize GetGlyphSize() const;
    TRect GetTextArea() override;
    int MeasurePaneWidth(TCanvas* canvas) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint() override;
    virtual void PaintBitmapGlyph(const TRect& rect);
    virtual void PaintImageListGlyph(const TRect& rect);

private:
    bool UsesImageList() const { return images_ != nullptr && imageIndex_ != -1; }
    int PictureWidth() const;
    void GlyphChanged();
    void ImagesChanged();

    std::unique_ptr<TBitmap> glyph_;
    TGlyphAlignment glyphAlignment_ = gaLeft;
    int glyphOffset_ = 2;
    int numGlyphs_ = 1;
    bool showGlyph_ = true;
    int imageIndex_ = -1;
    int disabledIndex_ = -1;
    TCustomImageList* images_ = nullptr;
    std::unique_ptr<TChangeLink> imagesLink_;
};

class TRzGlyphStatus : public TRzCustomGlyphStatus {
public:
    using TRzCustomGlyphStatus::TRzCustomGlyphStatus;
};

// ---------------------------------------------------------------------------------------
// Polled panes

class TRzPollingStatus;

// What polling a visible pane needs: none (no poll would change anything that can be seen),
// a poll once the local clock's second has changed (its text shows no finer time), or every
// poll (its handlers hear each one).
enum class TPollDemand { None, EachSecond, EachPoll };

// The shared polling timer. Its properties are those of one timer running every Interval
// milliseconds; it runs as often as the panes need: every Interval while a pane's handlers
// hear the polls, at each change of the second (never more than an Interval late) while a
// clock can be seen, and not at all otherwise.
class TRzPollingList : private IIdleWatcher {
public:
    TRzPollingList();
    ~TRzPollingList() override;
    TRzPollingList(const TRzPollingList&) = delete;
    TRzPollingList& operator=(const TRzPollingList&) = delete;

    void Add(TRzPollingStatus* pane);
    void Remove(TRzPollingStatus* pane);
    int Count() const { return int(panes_.size()); }
    bool TimerEnabled() const { return enabled_; }
    void SetTimerEnabled(bool value);
    std::uint16_t TimerInterval() const { return interval_; }
    void SetTimerInterval(std::uint16_t value);
    // How the timer runs now (None: it rests).
    TPollDemand Rhythm() const { return rhythm_; }

    // The process-wide list; null while no polled pane exists.
    static TRzPollingList* Instance();

private:
    void TimerTick();
    void ApplicationIdle() override;
    // Sets the timer to what the visible panes need; `afterPoll`: the panes were just polled,
    // `fresh`: the rhythm starts anew (a changed Active or Interval).
    void Plan(bool afterPoll, bool fresh = false);
    void PollEachInterval();
    void PollAtTheNextSecond(bool afterPoll);
    void SkipPolls();

    std::vector<TRzPollingStatus*> panes_;
    std::unique_ptr<TTimer> timer_;
    bool enabled_ = true;
    std::uint16_t interval_ = 500;
    TPollDemand rhythm_ = TPollDemand::None;
    std::size_t secondPanes_ = 0; // panes that needed the second at the last plan
    bool skipping_ = false;       // polls were left out since the last one
};

class TRzPollingStatus : public TRzCustomStatusPane {
public:
    explicit TRzPollingStatus(TComponent* owner);
    ~TRzPollingStatus() override;

    // Common to all polled panes: they act on the shared polling timer.
    virtual bool Active() const;
    virtual void SetActive(bool value);
    virtual std::uint16_t Interval() const;
    virtual void SetInterval(std::uint16_t value);

    TNotifyEvent OnTimerExpired;

    // One poll of the shared timer.
    virtual void PollPane();
    // What polling the pane needs while it is visible.
    virtual TPollDemand PollDemand();
    // Told when the polls it would have had are left out because nothing could show them.
    virtual void PollsSkipped() {}
};

using TRzGetDateTimeEvent = std::function<void(TObject* sender, TDateTime& dateTime)>;

class TRzClockStatus : public TRzPollingStatus {
public:
    explicit TRzClockStatus(TComponent* owner);

    const std::string& Format() const { return format_; }
    void SetFormat(const std::string& value);
    // The caption is always the last formatted time text.
    std::string GetText() const override { return timeText_; }

    TRzGetDateTimeEvent OnGetDateTime;

    void Loaded() override;
    TRect GetTextArea() override;
    void PollPane() override;
    TPollDemand PollDemand() override;
    void PollsSkipped() override { stale_ = true; }
    virtual void RefreshTimeText();

protected:
    void Paint() override;

private:
    bool ShowsFractionsOfASecond() const;
    bool CanBeSeen();

    std::string format_;
    std::string timeText_;
    bool stale_ = false; // polls were left out: the text is brought up to date before painting
};
