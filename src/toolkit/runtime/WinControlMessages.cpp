// TWinControl's message handlers: painting, non-client border, focus, cursor, keyboard
// and the notifications that travel down to the children.
#include "toolkit/runtime/Controls.h"
#include "toolkit/runtime/Forms.h"
#include "toolkit/runtime/PopupWindow.h"

void TWinControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        WMPaint(message);
        return;
    case WM_ERASEBKGND:
        WMEraseBkgnd(message);
        return;
    case WM_NCCALCSIZE:
        WMNCCalcSize(message);
        return;
    case WM_NCHITTEST:
        WMNCHitTest(message);
        return;
    case WM_NCPAINT:
        WMNCPaint(message);
        return;
    case WM_SETFOCUS:
        WMSetFocus(message);
        return;
    case WM_KILLFOCUS:
        WMKillFocus(message);
        return;
    case WM_SETCURSOR:
        WMSetCursor(message);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        WMKeyDown(message);
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        WMKeyUp(message);
        return;
    case WM_CHAR:
        WMChar(message);
        return;
    case WM_SIZE:
        WMSize(message);
        return;
    case CM_ENTER:
        CMEnter(message);
        return;
    case CM_EXIT:
        CMExit(message);
        return;
    case CM_DIALOGKEY:
        CMDialogKey(message);
        return;
    case CM_DIALOGCHAR:
        CMDialogChar(message);
        return;
    case CM_FOCUSCHANGED:
        CMFocusChanged(message);
        return;
    case CM_CONTROLLISTCHANGE:
        CMControlListChange(message);
        return;
    case CM_FONTCHANGED:
        TControl::Dispatch(message);
        for (TControl* control : std::vector<TControl*>(controls_)) {
            control->Perform(CM_PARENTFONTCHANGED);
        }
        return;
    case CM_COLORCHANGED:
        TControl::Dispatch(message);
        for (TControl* control : std::vector<TControl*>(controls_)) {
            control->Perform(CM_PARENTCOLORCHANGED);
        }
        return;
    case CM_SHOWHINTCHANGED:
        TControl::Dispatch(message);
        for (TControl* control : std::vector<TControl*>(controls_)) {
            control->Perform(CM_PARENTSHOWHINTCHANGED);
        }
        return;
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
        // A disabled or hidden control gives the focus away.
        if (!Enabled() || !Visible()) {
            if (TCustomForm* form = ParentForm(); form != nullptr && form != this) {
                form->DefocusControl(this, false);
            }
        }
        TControl::Dispatch(message);
        return;
    default:
        TControl::Dispatch(message);
    }
}

void TWinControl::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = 0;
        return;
    case WM_SETCURSOR:
        if (Parent() != nullptr) {
            message.Result = Parent()->Perform(WM_SETCURSOR, message.WParam, message.LParam);
        } else if (TCustomForm* form = ParentForm()) {
            form->ApplyCursor(crArrow);
            message.Result = 1;
        }
        return;
    case WM_NCHITTEST: {
        TPoint p = ScreenToClient(LParamToPoint(message.LParam));
        TRect window =
            Rect(-ncBorder_.Left, -ncBorder_.Top, Width() - ncBorder_.Left, Height() - ncBorder_.Top);
        if (ClientRect().Contains(p)) {
            message.Result = HTCLIENT;
        } else {
            message.Result = window.Contains(p) ? HTBORDER : HTNOWHERE;
        }
        return;
    }
    case WM_NCCALCSIZE: {
        auto* rect = reinterpret_cast<TRect*>(message.LParam);
        if (rect != nullptr) {
            if (params_.ExStyle & WS_EX_CLIENTEDGE) {
                InflateRect(*rect, -2, -2);
            }
            if (params_.Style & WS_BORDER) {
                InflateRect(*rect, -1, -1);
            }
        }
        return;
    }
    default:
        TControl::DefaultHandler(message);
    }
}

// ---------------------------------------------------------------------------------------
// Painting

void TWinControl::WMPaint(TMessage& message) {
    if (message.WParam != 0) {
        PaintHandler(reinterpret_cast<HDC>(message.WParam));
    }
}

void TWinControl::PaintHandler(HDC dc) {
    PaintWindow(dc);
    PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(HDC /*dc*/) {}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    bool started = first == nullptr;
    for (TControl* control : std::vector<TControl*>(controls_)) {
        started = started || control == first;
        if (!started || control->IsWindowed() || !control->Visible()) {
            continue;
        }
        TPoint origin = dc->WindowOrigin();
        int saved = SaveDC(dc);
        dc->SetWindowOrigin(Point(origin.X + control->Left(), origin.Y + control->Top()));
        IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
        if (!dc->Clip().IsEmpty()) {
            control->Perform(WM_PAINT, WPARAM(dc));
        }
        RestoreDC(dc, saved);
        dc->SetWindowOrigin(origin);
    }
}

void TWinControl::WMEraseBkgnd(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    if (dc != nullptr) {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Brush()->SetColor(Color());
        canvas.Brush()->SetStyle(bsSolid);
        canvas.FillRect(ClientRect());
        canvas.SetHandle(nullptr);
    }
    message.Result = 1;
}

void TWinControl::WMNCCalcSize(TMessage& message) {
    DefaultHandler(message);
}

void TWinControl::WMNCHitTest(TMessage& message) {
    DefaultHandler(message);
}

// The default border: a sunken client edge or a one-pixel frame.
void TWinControl::WMNCPaint(TMessage& message) {
    message.Result = 0;
    bool edge = (params_.ExStyle & WS_EX_CLIENTEDGE) != 0;
    bool frame = (params_.Style & WS_BORDER) != 0;
    if (!edge && !frame) {
        return;
    }
    HDC dc = GetWindowDC(this);
    TCanvas canvas;
    canvas.SetHandle(dc);
    TRect r = Rect(0, 0, Width(), Height());
    if (edge) {
        DrawSunkenEdge(canvas, r);
        InflateRect(r, -2, -2);
    }
    if (frame) {
        DrawRing(canvas, r, clWindowFrame, clWindowFrame);
    }
    canvas.SetHandle(nullptr);
    ReleaseDC(this, dc);
}

// ---------------------------------------------------------------------------------------
// Invalidation

void TWinControl::InvalidateRect(const TRect& rect, bool /*erase*/) {
    TCustomForm* form = ParentForm();
    if (form == nullptr || !Showing()) {
        return;
    }
    TPoint offset = ClientOffsetInForm();
    TRect r = rect;
    OffsetRect(r, offset.X, offset.Y);
    TRect client = ClientRect();
    OffsetRect(client, offset.X, offset.Y);
    if (IntersectRect(r, r, client)) {
        form->InvalidateFormRect(r);
    }
}

void TWinControl::Invalidate() {
    TCustomForm* form = ParentForm();
    if (form == nullptr || !Showing()) {
        return;
    }
    TPoint offset = WindowOffsetInForm();
    form->InvalidateFormRect(Bounds(offset.X, offset.Y, Width(), Height()));
}

void TWinControl::Update() {
    if (TCustomForm* form = ParentForm()) {
        form->PaintInvalid();
    }
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

// ---------------------------------------------------------------------------------------
// Focus and cursor

void TWinControl::WMSetFocus(TMessage& message) {
    DefaultHandler(message);
    if (TCustomForm* form = ParentForm(); form != nullptr && !InState(csDestroying)) {
        form->SetFocusedControl(this);
    }
}

void TWinControl::WMKillFocus(TMessage& message) {
    DefaultHandler(message);
}

void TWinControl::WMSetCursor(TMessage& message) {
    if (LOWORD(std::uintptr_t(message.LParam)) == unsigned(HTCLIENT)) {
        TCursor cursor = crDefault;
        TPoint pos;
        GetCursorPos(&pos);
        if (TControl* control = ControlAtPos(ScreenToClient(pos), false)) {
            cursor = control->Cursor();
        }
        if (cursor == crDefault) {
            cursor = Cursor();
        }
        if (cursor != crDefault) {
            if (TCustomForm* form = ParentForm()) {
                form->ApplyCursor(cursor);
            }
            message.Result = 1;
            return;
        }
    }
    DefaultHandler(message);
}

void TWinControl::CMEnter(TMessage& message) {
    DefaultHandler(message);
    DoEnter();
}

void TWinControl::CMExit(TMessage& message) {
    DefaultHandler(message);
    DoExit();
}

void TWinControl::CMDialogKey(TMessage& message) {
    Broadcast(message);
}

void TWinControl::CMDialogChar(TMessage& message) {
    Broadcast(message);
}

void TWinControl::CMFocusChanged(TMessage& message) {
    Broadcast(message);
}

void TWinControl::CMControlListChange(TMessage& message) {
    DefaultHandler(message);
}

void TWinControl::WMSize(TMessage& message) {
    DefaultHandler(message);
    Realign();
    Resize();
}

// ---------------------------------------------------------------------------------------
// Keyboard

void TWinControl::KeyDown(unsigned& key, TShiftState shift) {
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
    }
}

void TWinControl::KeyUp(unsigned& key, TShiftState shift) {
    if (OnKeyUp) {
        OnKeyUp(this, key, shift);
    }
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) {
        OnKeyPress(this, key);
    }
}

bool TWinControl::DoKeyDown(TMessage& message) {
    TWinControl* form = ParentForm();
    if (form != nullptr && form != this && static_cast<TCustomForm*>(form)->KeyPreview() &&
        form->DoKeyDown(message)) {
        return true;
    }
    if (!HasStyle(csNoStdEvents)) {
        unsigned key = unsigned(message.WParam);
        KeyDown(key, KeyDataToShiftState(message.LParam));
        message.WParam = key;
        if (key == 0) {
            return true;
        }
    }
    return false;
}

bool TWinControl::DoKeyUp(TMessage& message) {
    TWinControl* form = ParentForm();
    if (form != nullptr && form != this && static_cast<TCustomForm*>(form)->KeyPreview() &&
        form->DoKeyUp(message)) {
        return true;
    }
    if (!HasStyle(csNoStdEvents)) {
        unsigned key = unsigned(message.WParam);
        KeyUp(key, KeyDataToShiftState(message.LParam));
        message.WParam = key;
        if (key == 0) {
            return true;
        }
    }
    return false;
}

bool TWinControl::DoKeyPress(TMessage& message) {
    TWinControl* form = ParentForm();
    if (form != nullptr && form != this && static_cast<TCustomForm*>(form)->KeyPreview() &&
        form->DoKeyPress(message)) {
        return true;
    }
    if (!HasStyle(csNoStdEvents)) {
        char key = char(message.WParam);
        KeyPress(key);
        message.WParam = WPARAM(static_cast<unsigned char>(key));
        if (key == 0) {
            return true;
        }
    }
    return false;
}

void TWinControl::WMKeyDown(TMessage& message) {
    if (!DoKeyDown(message)) {
        DefaultHandler(message);
    }
}

void TWinControl::WMKeyUp(TMessage& message) {
    if (!DoKeyUp(message)) {
        DefaultHandler(message);
    }
}

void TWinControl::WMChar(TMessage& message) {
    if (!DoKeyPress(message)) {
        DefaultHandler(message);
    }
}
