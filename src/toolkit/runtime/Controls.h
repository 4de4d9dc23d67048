// The control tree: TControl (bounds, alignment, visibility, font, colour, hints, cursor,
// caption, messages, mouse and keyboard events), TWinControl (children, tab order, focus,
// non-client border, device contexts), TGraphicControl (painted on its parent) and
// TCustomControl (a windowed control with its own canvas).
//
// Messages: Perform(msg, w, l) runs WndProc, which each class overrides for pre-processing
// and chains to its base; TControl::WndProc ends in Dispatch, which maps a message to its
// handler. A class that handles a message overrides Dispatch, handles its numbers and passes
// the rest (and "inherited" handling) to Base::Dispatch; unhandled messages end in
// DefaultHandler.
#pragma once

#include "toolkit/base/Classes.h"
#include "toolkit/base/Types.h"
#include "toolkit/graphics/Graphics.h"
#include "toolkit/runtime/Messages.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TBasicAction;
class TWinControl;
class TCustomForm;

// The toolkit's window handle: a windowed control once its handle exists.
using HWND = TWinControl*;

// ---------------------------------------------------------------------------------------
// Enumerations and sets

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };

// Control style bits.
enum TControlStyleBits : unsigned {
    csAcceptsControls = 0x1,
    csCaptureMouse = 0x2,
    csDesignInteractive = 0x4,
    csClickEvents = 0x8,
    csFramed = 0x10,
    csSetCaption = 0x20,
    csOpaque = 0x40,
    csDoubleClicks = 0x80,
    csFixedWidth = 0x100,
    csFixedHeight = 0x200,
    csNoDesignVisible = 0x400,
    csReplicatable = 0x800,
    csNoStdEvents = 0x1000,
    csDisplayDragImage = 0x2000,
    csReflector = 0x4000,
    csActionClient = 0x8000,
    csMenuEvents = 0x10000,
    csNeedsBorderPaint = 0x20000,
    csParentBackground = 0x40000,
};
using TControlStyle = unsigned;

// Control state bits.
enum TControlStateBits : unsigned {
    csLButtonDown = 0x1,
    csClicked = 0x2,
    csPalette = 0x4,
    csReadingState = 0x8,
    csAlignmentNeeded = 0x10,
    csFocusing = 0x20,
    csCreating = 0x40,
    csPaintCopy = 0x80,
    csCustomPaint = 0x100,
    csDestroyingHandle = 0x200,
    csDocking = 0x400,
};
using TControlState = unsigned;

// Shift state bits (the platform's input modifier values).
enum TShiftStateBits : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
using TShiftState = unsigned;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Cursor shapes.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHandPoint = -21;

// Window style bits of a windowed control's handle.
constexpr unsigned WS_BORDER = 0x00800000;
constexpr unsigned WS_CLIPSIBLINGS = 0x04000000;
constexpr unsigned WS_CLIPCHILDREN = 0x02000000;
constexpr unsigned WS_TABSTOP = 0x00010000;
constexpr unsigned WS_EX_CLIENTEDGE = 0x00000200;

struct TCreateParams {
    unsigned Style = 0;
    unsigned ExStyle = 0;
};

TShiftState KeysToShiftState(unsigned keys);     // from MK_* bits
TShiftState KeyDataToShiftState(LPARAM keyData); // from a key message's LParam
// True when text has an accelerator "&c" (ampersand, then the character, case-insensitive).
bool IsAccel(unsigned charCode, const std::string& text);
// The caption with its "&" accelerator markers taken out ("&&" becomes "&").
std::string StripHotkey(const std::string& text);

// ---------------------------------------------------------------------------------------
// Events

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, unsigned& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

// ---------------------------------------------------------------------------------------
// TControl

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // Tree and geometry (bounds in parent client coordinates).
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* value);
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect();
    int ClientWidth() { return ClientRect().Width(); }
    int ClientHeight() { return ClientRect().Height(); }
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    // Client origin in screen coordinates.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(TPoint p);
    TPoint ScreenToClient(TPoint p);
    // Client coordinates of this control expressed in the client coordinates of ancestor
    // (the parent when null).
    TPoint ClientToParent(TPoint p, TWinControl* ancestor = nullptr);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors value);

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent up to the form visible (and the form shown).
    virtual bool Showing();
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);
    bool IsEnabledInTree() const;

    TFont* Font() { return &font_; }
    void SetFont(const TFont& value) { font_.Assign(value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    // Offered an action the application is running (the current hint, ...); true when the
    // control handled it. Controls handle none by default.
    virtual bool ExecuteAction(TBasicAction* action);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);

    // Caption and Text are the same string; a change sends CM_TEXTCHANGED.
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value) { SetText(value); }
    virtual std::string GetText() const { return text_; }
    virtual void SetText(const std::string& value);

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle value) { controlStyle_ = value; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState value) { controlState_ = value; }
    bool HasStyle(TControlStyleBits bit) const { return (controlStyle_ & bit) != 0; }
    bool HasState(TControlStateBits bit) const { return (controlState_ & bit) != 0; }

    // Messages.
    LRESULT Perform(unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // Painting.
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // Mouse capture: mouse messages go to this control while it holds the capture.
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    TCustomForm* ParentForm() const;
    virtual bool IsWindowed() const { return false; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // Internal to the toolkit: the parent's child list maintenance.
    void SetParentField(TWinControl* parent) { parent_ = parent; }
    void UpdateBoundsFromAlign(const TRect& r);

protected:
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void Resize();
    virtual void Changed();
    // Called after a bounds change has been stored.
    virtual void BoundsChanged();
    void Loaded() override;
    // Asks the parent to realign its children when this control's alignment matters.
    void RequestAlign();
    void SetStyleBit(TControlStyleBits bit, bool on);
    void SetStateBit(TControlStateBits bit, bool on);
    // The area of the parent (parent client coordinates) this control occupies on screen.
    void InvalidateControl(bool isVisible, bool isOpaque);

    // Standard message handlers (called from Dispatch).
    void WMMouseButton(TMessage& message);
    void WMMouseMove(TMessage& message);
    void CMVisibleChanged(TMessage& message);
    void CMEnabledChanged(TMessage& message);
    void CMFontChanged(TMessage& message);
    void CMColorChanged(TMessage& message);
    void CMParentFontChanged(TMessage& message);
    void CMParentColorChanged(TMessage& message);
    void CMParentShowHintChanged(TMessage& message);
    void CMMouseEnter(TMessage& message);
    void CMMouseLeave(TMessage& message);
    void CMHitTest(TMessage& message);

private:
    void FontChanged();

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_ = akLeft | akTop;
    // Distances kept for right/bottom anchors: the parent client size at the last placement.
    TSize anchorParentSize_;
    bool visible_ = true;
    bool enabled_ = true;
    TFont font_;
    bool parentFont_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = crDefault;
    std::string text_;
    TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState controlState_ = 0;
    bool updatingFont_ = false;

    friend class TWinControl;
};

// The hint a control shows: its own Hint, or its nearest parent's when it has none.
std::string GetHint(const TControl* control);

// ---------------------------------------------------------------------------------------
// TWinControl

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }

    // Children in z-order (first = bottom). Graphic controls are painted below windowed ones.
    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const { return controls_[std::size_t(index)]; }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;
    // The visible, enabled child at a client point (topmost first); windowed children
    // only when allowWinControls. Graphic children answer CM_HITTEST.
    TControl* ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls = false);

    // Tab order among windowed siblings.
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    // The windowed children in tab order (recursively: children's children follow them).
    void GetTabOrderList(std::vector<TWinControl*>& list);
    // The next control after current in tab order within this control, wrapping.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    // Focus.
    virtual bool CanFocus();
    bool Focused() const;
    virtual void SetFocus();

    // Alignment of the children.
    virtual void AlignControls(TControl* control, TRect& rect);
    virtual void AdjustClientRect(TRect& rect);
    void Realign();
    void DisableAlign() { ++alignLevel_; }
    void EnableAlign();
    bool AlignDisabled() const { return alignLevel_ > 0; }

    // The handle: created on demand (a toolkit object, not an OS window).
    HWND Handle();
    bool HandleAllocated() const { return handleAllocated_; }
    void HandleNeeded() { Handle(); }
    void RecreateWnd();
    const TCreateParams& Params() const { return params_; }

    // Non-client border widths (left, top, right, bottom), computed with WM_NCCALCSIZE.
    TRect NonClientBorder() const { return ncBorder_; }
    TRect ClientRect() override;
    TPoint ClientOrigin() override;
    // Offset of the client area's (0, 0) in the form's back buffer.
    TPoint ClientOffsetInForm();
    // Offset of the whole window's (0, 0) (non-client included) in the form's back buffer.
    TPoint WindowOffsetInForm();

    // Invalidation in client coordinates; the parent form collects the dirty region.
    void InvalidateRect(const TRect& rect, bool erase = true);
    void Invalidate() override;
    void Update() override;
    void Repaint() override;

    // Painting entry points used by the form's painter.
    void PaintHandler(HDC dc);
    virtual void PaintWindow(HDC dc);
    void PaintControls(HDC dc, TControl* first);

    // Sends a message to every child control (stops when one sets Result non-zero).
    void Broadcast(TMessage& message);

    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);
    bool ParentCtl3D() const { return parentCtl3D_; }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // Called by the toolkit when a control of this window's tree goes away.
    void ForgetControl(TControl* control);

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void CreateHandle();
    virtual void DestroyWnd();
    void DestroyHandle();
    void BoundsChanged() override;
    void Loaded() override;
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(unsigned& key, TShiftState shift);
    virtual void KeyUp(unsigned& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // Returns true when the key was consumed by a key-preview form or the handlers.
    bool DoKeyDown(TMessage& message);
    bool DoKeyUp(TMessage& message);
    bool DoKeyPress(TMessage& message);
    void UpdateNonClientBorder();

    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // Standard message handlers.
    void WMPaint(TMessage& message);
    void WMEraseBkgnd(TMessage& message);
    void WMNCCalcSize(TMessage& message);
    void WMNCHitTest(TMessage& message);
    void WMNCPaint(TMessage& message);
    void WMSetFocus(TMessage& message);
    void WMKillFocus(TMessage& message);
    void WMSetCursor(TMessage& message);
    void WMKeyDown(TMessage& message);
    void WMKeyUp(TMessage& message);
    void WMChar(TMessage& message);
    void WMSize(TMessage& message);
    void CMEnter(TMessage& message);
    void CMExit(TMessage& message);
    void CMDialogKey(TMessage& message);
    void CMDialogChar(TMessage& message);
    void CMFocusChanged(TMessage& message);
    void CMControlListChange(TMessage& message);

private:
    void AlignOne(TAlign align, std::vector<TControl*>& aligned, TRect& rect);
    void DoAlignControls();

    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    bool handleAllocated_ = false;
    TCreateParams params_;
    TRect ncBorder_;
    int alignLevel_ = 0;
    bool aligning_ = false;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;

    friend class TControl;
};

// ---------------------------------------------------------------------------------------
// A canvas that draws on a control: attaches the control's device context on first use.

class TControlCanvas : public TCanvas {
public:
    TControlCanvas() = default;
    ~TControlCanvas() override;
    TControl* Control() const { return control_; }
    void SetControl(TControl* value);
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TControl* control_ = nullptr;
    HDC ownedDC_ = nullptr;
};

// A control without a window: paints on its parent, inside its bounds.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas* Canvas() { return &canvas_; }
    std::function<void(TObject* sender)> OnPaint;

protected:
    virtual void Paint();
    void Dispatch(TMessage& message) override;

private:
    TControlCanvas canvas_;
};

// A windowed control with its own canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    TCanvas* Canvas() { return &canvas_; }
    std::function<void(TObject* sender)> OnPaint;

protected:
    virtual void Paint();
    void PaintWindow(HDC dc) override;

private:
    TControlCanvas canvas_;
};

// ---------------------------------------------------------------------------------------
// Window-handle functions the controls call by their classic names.

HDC GetDC(HWND window);       // client area view, children clipped out
HDC GetWindowDC(HWND window); // whole window view (non-client border included)
int ReleaseDC(HWND window, HDC dc);
bool InvalidateRect(HWND window, const TRect* rect, bool erase);
bool PostMessage(HWND window, unsigned msg, WPARAM wParam, LPARAM lParam);
LRESULT SendMessage(HWND window, unsigned msg, WPARAM wParam, LPARAM lParam);
HWND GetFocus();
HWND SetFocus(HWND window);
HWND GetCapture();
bool IsWindowVisible(HWND window);
bool IsWindowEnabled(HWND window);
bool EnableWindow(HWND window, bool enable);
bool GetCursorPos(TPoint* point);
bool SetForegroundWindow(HWND window);
bool PtInRect(const TRect& rect, TPoint p);
// Negative when the key (VK_SHIFT, VK_CONTROL, VK_MENU or a mouse button) is down during the
// input being handled.
short GetKeyState(unsigned virtualKey);
// Set by the form that routes an input event: the modifier and button state it carries.
void SetKeyboardShiftState(unsigned shift);
void MessageBeep(unsigned type);
