// TRzCustomEdit: colour states, hot state, the flat frame in the non-client area, Tab-on-Enter
// and the frame controller link.
#include "controls/RzEdit.h"

#include "toolkit/base/Store.h"
#include "toolkit/runtime/Forms.h"

TRzCustomEdit::TRzCustomEdit(TComponent* owner) : TCustomMaskEdit(owner) {
    SetControlStyle((ControlStyle() | csCaptureMouse) & ~unsigned(csSetCaption));
}

TRzCustomEdit::~TRzCustomEdit() {
    Destroying();
    if (frameController_ != nullptr) {
        frameController_->RemoveControl(this);
    }
}

// ---------------------------------------------------------------------------------------
// Colour state

void TRzCustomEdit::UpdateColors() {
    if (InState(csLoading)) {
        return;
    }
    updatingColor_ = true;
    if (!Enabled()) {
        SetColor(disabledColor_);
    } else if (focusInside_) {
        SetColor(ReadOnly() && readOnlyColorOnFocus_ ? readOnlyColor_ : focusColor_);
    } else if (ReadOnly()) {
        SetColor(readOnlyColor_);
    } else {
        SetColor(normalColor_);
    }
    updatingColor_ = false;
}

// A colour set by the form (or taken from the parent) becomes the normal colour; the focus
// colour follows it while the two were the same.
void TRzCustomEdit::ColorChanged() {
    if (updatingColor_) {
        return;
    }
    if (focusColor_ == normalColor_) {
        focusColor_ = Color();
    }
    normalColor_ = Color();
    if (frameVisible_ && !UsesThemedFrame()) {
        RedrawFrame();
    }
}

void TRzCustomEdit::SetDisabledColor(TColor value) {
    if (!Store(disabledColor_, value)) {
        return;
    }
    if (!Enabled()) {
        UpdateColors();
    }
}

void TRzCustomEdit::SetFocusColor(TColor value) {
    if (!Store(focusColor_, value)) {
        return;
    }
    if (focusInside_) {
        UpdateColors();
    }
}

void TRzCustomEdit::SetReadOnlyColor(TColor value) {
    if (!Store(readOnlyColor_, value)) {
        return;
    }
    if (ReadOnly()) {
        UpdateColors();
    }
}

void TRzCustomEdit::SetReadOnlyColorOnFocus(bool value) {
    if (!Store(readOnlyColorOnFocus_, value)) {
        return;
    }
    UpdateColors();
}

void TRzCustomEdit::SetReadOnly(bool value) {
    if (value == ReadOnly()) {
        return;
    }
    TCustomMaskEdit::SetReadOnly(value);
    ReadOnlyChanged();
}

void TRzCustomEdit::ReadOnlyChanged() {
    if (ReadOnly()) {
        ReadOnlyOn();
    } else {
        ReadOnlyOff();
    }
    UpdateColors();
    SendNCPaint();
}

// ---------------------------------------------------------------------------------------
// Hot state and frame

void TRzCustomEdit::UpdateHotState(TRzHotStateKind which, bool value) {
    if (which == hsFocusInside) {
        focusInside_ = value;
    } else {
        mouseOver_ = value;
    }
    if (frameHotTrack_) {
        RedrawFrame();
    }
    UpdateColors();
}

bool TRzCustomEdit::UsesThemedFrame() {
    return framingPreference_ == fpXPThemes && ThemeEngineActive();
}

void TRzCustomEdit::RedrawFrame() {
    InvalidateFrameArea(this, ClientRect());
}

// A hidden window has no frame on screen to paint.
void TRzCustomEdit::SendNCPaint() {
    if (HandleAllocated() && Showing()) {
        Perform(WM_NCPAINT, 1);
    }
}

void TRzCustomEdit::PaintFrame(TMessage& message) {
    TCustomMaskEdit::Dispatch(message);
    if (!frameVisible_ || UsesThemedFrame()) {
        return;
    }
    // The device context goes back whatever the painter does.
    struct TWindowDCLease {
        HWND Window;
        HDC DC;
        TCanvas& Canvas;
        ~TWindowDCLease() {
            Canvas.SetHandle(nullptr);
            ReleaseDC(Window, DC);
        }
    } lease{this, GetWindowDC(this), frameCanvas_};
    frameCanvas_.SetHandle(lease.DC);
    const bool hot = IsHot();
    PaintEditFrame(&frameCanvas_, Width(), Height(), true, frameSides_, hot ? frameHotColor_ : frameColor_,
                   Color(), hot ? frameHotStyle_ : frameStyle_);
    message.Result = 0;
}

void TRzCustomEdit::SetFrameColor(TColor value) {
    if (!Store(frameColor_, value)) {
        return;
    }
    RedrawFrame();
}

void TRzCustomEdit::SetFrameHotColor(TColor value) {
    if (!Store(frameHotColor_, value)) {
        return;
    }
    RedrawFrame();
}

void TRzCustomEdit::SetFrameHotStyle(TFrameStyle value) {
    if (!Store(frameHotStyle_, value)) {
        return;
    }
    RedrawFrame();
}

void TRzCustomEdit::SetFrameSides(TSides value) {
    if (!Store(frameSides_, value)) {
        return;
    }
    RedrawFrame();
}

void TRzCustomEdit::SetFrameStyle(TFrameStyle value) {
    if (!Store(frameStyle_, value)) {
        return;
    }
    RedrawFrame();
}

void TRzCustomEdit::SetFrameHotTrack(bool value) {
    if (!Store(frameHotTrack_, value)) {
        return;
    }
    if (value) {
        SetFrameVisible(true);
        if (!InState(csLoading)) {
            SetFrameSides(sdAllSides);
        }
    }
    RedrawFrame();
    Invalidate();
}

// The painter draws over the client edge, so a visible frame needs one.
void TRzCustomEdit::SetFrameVisible(bool value) {
    if (!Store(frameVisible_, value)) {
        return;
    }
    if (value) {
        SetCtl3D(true);
    }
    RecreateWnd();
}

void TRzCustomEdit::SetFramingPreference(TFramingPreference value) {
    if (!Store(framingPreference_, value)) {
        return;
    }
    if (value == fpCustomFraming) {
        RedrawFrame();
    }
}

void TRzCustomEdit::SetAlignment(TLeftRight value) {
    if (!Store(alignment_, value)) {
        return;
    }
    RecreateWnd();
}

// ---------------------------------------------------------------------------------------
// Frame controller

void TRzCustomEdit::SetFrameController(TRzFrameController* value) {
    if (value != frameController_) {
        LinkFrameController(frameController_, value, this);
    }
}

void TRzCustomEdit::FramingChanged() {
    if (frameController_ == nullptr || !frameController_->FrameVisible()) {
        return;
    }
    const TRzFrameController& controller = *frameController_;
    auto takes = [this](TRzFrameControllerProperty item) {
        return notifications_.Contains(item);
    };
    if (takes(fcpParentColor) && controller.ParentColor()) {
        SetParentColor(true);
    } else if (takes(fcpColor)) {
        SetColor(controller.Color());
    }
    if (takes(fcpFocusColor)) {
        SetFocusColor(controller.FocusColor());
    }
    if (takes(fcpDisabledColor)) {
        SetDisabledColor(controller.DisabledColor());
    }
    if (takes(fcpReadOnlyColor)) {
        SetReadOnlyColor(controller.ReadOnlyColor());
    }
    if (takes(fcpReadOnlyColorOnFocus)) {
        SetReadOnlyColorOnFocus(controller.ReadOnlyColorOnFocus());
    }
    if (takes(fcpFrameColor)) {
        SetFrameColor(controller.FrameColor());
    }
    if (takes(fcpFrameHotColor)) {
        SetFrameHotColor(controller.FrameHotColor());
    }
    if (takes(fcpFrameHotTrack)) {
        SetFrameHotTrack(controller.FrameHotTrack());
    }
    if (takes(fcpFrameHotStyle)) {
        SetFrameHotStyle(controller.FrameHotStyle());
    }
    if (takes(fcpFrameSides)) {
        SetFrameSides(controller.FrameSides());
    }
    if (takes(fcpFrameStyle)) {
        SetFrameStyle(controller.FrameStyle());
    }
    if (takes(fcpFrameVisible)) {
        SetFrameVisible(controller.FrameVisible());
    }
    if (takes(fcpFramingPreference)) {
        SetFramingPreference(controller.FramingPreference());
    }
}

void TRzCustomEdit::Notification(TComponent* component, TOperation operation) {
    TCustomMaskEdit::Notification(component, operation);
    if (operation == opRemove && component != nullptr && component == frameController_) {
        frameController_ = nullptr;
    }
}

// ---------------------------------------------------------------------------------------
// Window, keys, focus and messages

void TRzCustomEdit::CreateParams(TCreateParams& params) {
    TCustomMaskEdit::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.Style &= ~ES_MULTILINE;
    if (alignment_ == taRightJustify) {
        params.Style |= ES_RIGHT;
    }
}

void TRzCustomEdit::Loaded() {
    TCustomMaskEdit::Loaded();
    UpdateColors();
    UpdateHotState(hsFocusInside, false);
}

// Enter moves the focus on like Tab: the edit posts itself the Tab key.
void TRzCustomEdit::KeyPress(char& key) {
    if (tabOnEnter_ && key == '\r') {
        key = 0;
        PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    TCustomMaskEdit::KeyPress(key);
}

void TRzCustomEdit::DoEnter() {
    UpdateHotState(hsFocusInside, true);
    TCustomMaskEdit::DoEnter();
}

void TRzCustomEdit::DoExit() {
    TCustomMaskEdit::DoExit();
    UpdateHotState(hsFocusInside, false);
}

void TRzCustomEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_NCPAINT:
        PaintFrame(message);
        return;
    case WM_SIZE:
        TCustomMaskEdit::Dispatch(message);
        if (frameVisible_ && !UsesThemedFrame()) {
            RedrawFrame();
        }
        return;
    case CM_COLORCHANGED:
        TCustomMaskEdit::Dispatch(message);
        ColorChanged();
        return;
    case CM_ENABLEDCHANGED:
        TCustomMaskEdit::Dispatch(message);
        UpdateColors();
        SendNCPaint();
        return;
    case CM_MOUSEENTER:
        TCustomMaskEdit::Dispatch(message);
        if (!InState(csDesigning)) {
            UpdateHotState(hsMouseOver, true);
        }
        return;
    case CM_MOUSELEAVE:
        TCustomMaskEdit::Dispatch(message);
        if (!InState(csDesigning)) {
            UpdateHotState(hsMouseOver, false);
        }
        return;
    default:
        TCustomMaskEdit::Dispatch(message);
    }
}
