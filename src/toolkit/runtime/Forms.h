// Forms (the toolkit's OS-level windows) and the application object: showing, activation,
// closing, modal loops, the back buffer each form paints into, the message loop, timers,
// posted messages, message boxes and the default error report.
#pragma once

#include "platform/SessionEnd.h"
#include "platform/WindowSystem.h"
#include "toolkit/runtime/Controls.h"

#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TTimer;

// Told each time the message loop has run out of work, before it sleeps: something that keeps
// a timer only while it has work for it starts or stops it here.
class IIdleWatcher {
public:
    virtual ~IIdleWatcher() = default;
    virtual void ApplicationIdle() = 0;
};

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIconBits : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

// Message box styles and answers.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

// ---------------------------------------------------------------------------------------
// TCustomForm

class TCustomForm : public TWinControl, public platform::IWindowEvents {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Runs OnCreate; TApplication::CreateForm calls it once the form is constructed.
    virtual void AfterConstruction();

    void SetText(const std::string& value) override;
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value) { borderIcons_ = value; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TWindowState WindowState() const { return windowState_; }
    // Iconify or restore the form's window. The state is recorded at once, before the window
    // system reports the change.
    void Iconify();
    void Restore();
    TIcon* Icon() { return &icon_; }

    bool Showing() override;
    TPoint ClientOrigin() override;
    void Show();
    void Hide();
    void Close();
    virtual bool CloseQuery();
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool Modal() const { return modal_; }
    // Frees the form from the message loop once the current message is done.
    void Release();

    // The active form of the program (holds the focus record) and the focused control.
    bool Active() const { return active_; }
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    // Moves the focus to control (or to the form when null); sends the exit and enter
    // notifications along the tree. False when a handler moved the focus elsewhere.
    bool SetFocusedControl(TWinControl* control);
    void FocusControl(TWinControl* control);
    TWinControl* FocusedControl() const { return focusedControl_; }
    void DefocusControl(TWinControl* control, bool removing);

    // The back buffer and the native window (created on first showing). A form that keeps no
    // pixels (TApplication::FormsKeepPixels) has an empty back buffer.
    TPixelBuffer& BackBuffer() { return backBuffer_; }
    platform::INativeWindow* NativeWindow() const { return native_.get(); }
    // Paints the invalid region and presents the changed pixels.
    void PaintInvalid();
    void InvalidateFormRect(const TRect& formRect);
    void MarkPresent(const TRect& formRect);

    // Pixels being drawn: a buffer and the form position of its first pixel.
    struct TPaintSurface {
        TPixelBuffer* pixels = nullptr;
        TPoint origin;
    };
    // Where a device context handed out now draws: the band being painted, else the back buffer;
    // no pixels when the form keeps none and paints nothing now.
    TPaintSurface PaintSurface();
    // Paints the region (form coordinates) into the pixels, whose first pixel lies at origin.
    void PaintArea(TPixelBuffer& pixels, TPoint origin, const TRegion& region);
    // Presents the area (form coordinates) of pixels whose first pixel lies at origin.
    void PresentPixels(const TPixelBuffer& pixels, TPoint origin, const TRect& area);
    bool HasInvalidRegion() const { return !invalid_.IsEmpty(); }

    // Mouse routing state.
    TControl* CaptureControl() const { return captureControl_; }
    void SetCaptureControl(TControl* control);
    TControl* MouseControl() const { return mouseControl_; }
    // The control that received the last WM_SETFOCUS while the form holds the focus.
    TWinControl* WindowFocus() const { return windowFocus_; }
    // Shows cursor over the form (called from WM_SETCURSOR handlers).
    void ApplyCursor(TCursor cursor);
    TCursor CurrentCursor() const { return currentCursor_; }
    TCanvas* Canvas() { return &canvas_; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;
    std::function<void(TObject* sender)> OnPaint;

    // platform::IWindowEvents
    void HandleInput(platform::INativeWindow& window, const platform::InputEvent& event) override;

    // Called by the application when this form becomes or stops being the focused form.
    void Activate();
    void Deactivate();
    // Called when the program's focus returns to this form without a change of form.
    void RestoreFocus();
    // Called when a message box, modal form or menu that took the focus from this form has
    // closed: activates the form's window again when it is showing and not iconified
    // (activating an iconified window would de-iconify it).
    void TakeFocusBack();
    void LoseNativeFocus();
    void ControlDestroyed(TControl* control);
    // Gives the window focus to the active control (or the form).
    void SetWindowFocus();

protected:
    virtual void DoCreate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual void Paint();
    void PaintWindow(HDC dc) override;
    void Dispatch(TMessage& message) override;
    void BoundsChanged() override;

private:
    void ShowNative();
    void HideNative();
    void EnsureNativeWindow();
    void PlaceOnScreen();
    void SyncNativeBounds();
    void Present(const TRect& area);
    bool KeepsPixels() const;
    void PaintKeptPixels();
    void PaintInBands();
    void PaintWinControl(TWinControl* control, const TRegion& clip);
    void MoveWindowFocus(TWinControl* target);
    bool CloseModal();
    void DispatchInput(const platform::InputEvent& event);
    void RouteMouse(const platform::InputEvent& event);
    void RouteKey(const platform::InputEvent& event);
    void RouteChars(const platform::InputEvent& event);
    void UpdateMouseControl(TPoint formPoint, bool inside);
    TControl* FindTarget(TPoint formPoint, bool allowDisabled);
    TWinControl* KeyTarget();
    void CMDialogKeyForm(TMessage& message);

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TFormStyle formStyle_ = fsNormal;
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    TIcon icon_;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool active_ = false;
    bool keyPreview_ = false;
    bool shown_ = false;
    bool placed_ = false;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    TWinControl* windowFocus_ = nullptr;
    int focusCount_ = 0;
    TControl* captureControl_ = nullptr;
    TControl* mouseControl_ = nullptr;
    bool mouseControlEntered_ = false;
    TPoint lastMousePos_;
    bool swallowChar_ = false;
    TCursor currentCursor_ = crArrow;
    TControlCanvas canvas_;
    std::vector<TCustomForm*> disabledForModal_;
    TPixelBuffer backBuffer_;
    TRegion invalid_;
    TRegion presentDirty_;
    std::unique_ptr<platform::INativeWindow> native_;
    bool painting_ = false;
    TPaintSurface surface_; // while painting
    TPoint shownSize_;      // the size the form was last painted at
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

TCustomForm* GetParentForm(const TControl* control);
// Detaches the device contexts still handed out on form (the form is going away).
void ForgetFormDCs(TCustomForm* form);

// ---------------------------------------------------------------------------------------
// Message boxes: a pluggable provider. Without one installed, the platform's message box
// service answers (the headless backend's scripted answers); without that, the box's
// default answer is returned.

using TMessageBoxProvider =
    std::function<int(const std::string& text, const std::string& caption, unsigned flags)>;
void SetMessageBoxProvider(TMessageBoxProvider provider);
// The provider installed now (empty when none is).
TMessageBoxProvider MessageBoxProvider();

// The default answer of a box style: its first button.
int DefaultMessageBoxAnswer(unsigned flags);

// A simple OK message box with the application title as caption.
void ShowMessage(const std::string& text);

// ---------------------------------------------------------------------------------------
// TApplication

using TExceptionEvent = std::function<void(TObject* sender, const std::exception& error)>;

class TApplication : public TComponent, public platform::ISessionEndSink {
public:
    explicit TApplication(TComponent* owner = nullptr);
    ~TApplication() override;

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    TIcon* Icon() { return &icon_; }
    TCustomForm* MainForm() const { return mainForm_; }

    // Creates a form owned by the application, handing its constructor any further
    // arguments; the first one becomes the main form.
    template <class T, class... Arguments> void CreateForm(T*& reference, Arguments&&... arguments) {
        reference = new T(this, std::forward<Arguments>(arguments)...);
        RegisterCreatedForm(reference);
        reference->AfterConstruction();
    }
    void RegisterCreatedForm(TCustomForm* form);
    void RegisterForm(TCustomForm* form);

    // The message loop.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    void ProcessMessages();
    void HandleMessage();
    // When the loop next wakes for its timers (monotonic clock), if any timer runs: the
    // earliest deadline, or a later one that timers with a tolerance can wait for.
    std::optional<std::int64_t> NextTimerDeadline() const;
    void AddIdleWatcher(IIdleWatcher* watcher);
    void RemoveIdleWatcher(IIdleWatcher* watcher);

    // Minimise and restore the whole program.
    void Minimize();
    void Restore();
    bool Minimized() const { return minimized_; }
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    // The application window (the taskbar entry); hidden by a tray icon.
    bool AppWindowVisible() const { return appWindowVisible_; }
    void SetAppWindowVisible(bool value);
    // Whether each shown form keeps all its pixels in a back buffer (the default: they can be
    // read back), or paints each change in bands of a small buffer and leaves the pixels to the
    // window system, which needs far less memory. Set before the first form is shown.
    bool FormsKeepPixels() const { return formsKeepPixels_; }
    void SetFormsKeepPixels(bool value) { formsKeepPixels_ = value; }

    // Told about the pointer and key input the forms route: the control under the pointer (null
    // once the pointer has left the form) and the message; the hint controller follows it.
    std::function<void(TControl* control, unsigned msg)> OnUserInput;

    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    int HintPause() const { return hintPause_; }
    void SetHintPause(int value) { hintPause_ = value; }
    // The current hint: that of the control under the pointer. A change runs OnHint or,
    // without one, offers a THintAction with the text to the controls of the program (a
    // status pane with AutoHint shows it).
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    TNotifyEvent OnHint;
    // Offers action to the visible controls of the active form, then of the main form, until
    // one handles it; false when none does.
    bool ExecuteAction(TBasicAction& action);

    int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
    void HandleException(const std::exception& error);
    TExceptionEvent OnException;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    // The end of the session, as the platform's end-of-session query runs it: every form's
    // CloseQuery (the main form's first), then WM_QUERYENDSESSION to each message window; the
    // first refusal refuses. EndSession sends WM_ENDSESSION to the message windows and, when
    // the session ends, ends the message loop without asking.
    bool QueryEndSession() override;
    void EndSession(bool ending) override;
    // Hidden windows that hear the end-of-session messages as the forms do (a tray icon's).
    void AddMessageWindow(TWinControl* window);
    void RemoveMessageWindow(TWinControl* window);

    bool Active() const { return active_; }
    TCustomForm* ActiveForm() const { return focusForm_; }
    const std::vector<TCustomForm*>& Forms() const { return forms_; }

    // Internal to the toolkit.
    void PostMessageTo(HWND window, TMessage message);
    void DropMessagesFor(HWND window);
    void FormGotNativeFocus(TCustomForm* form);
    void FormLostNativeFocus(TCustomForm* form);
    void FormDestroyed(TCustomForm* form);
    void FormIconified(TCustomForm* form);
    void FormRestored(TCustomForm* form);
    void ReleaseForm(TCustomForm* form);
    void RegisterTimer(TTimer* timer);
    void UnregisterTimer(TTimer* timer);
    // Runs fn while a modal message box is up: the focus record stays with the form that
    // had it, and that form gets its focus back afterwards without a new activation.
    int RunModalBox(const std::function<int()>& fn);
    bool InModalBox() const { return modalBoxLevel_ > 0; }
    int ModalLevel() const { return modalLevel_; }
    void EnterModal() { ++modalLevel_; }
    void LeaveModal() { --modalLevel_; }

private:
    bool ProcessPostedMessage();
    bool FireDueTimers();
    void PaintForms();
    void FreeReleasedForms();
    void TellIdleWatchers();

    std::string title_;
    TIcon icon_;
    TCustomForm* mainForm_ = nullptr;
    std::vector<TCustomForm*> forms_;
    std::vector<TWinControl*> messageWindows_;
    platform::ISessionEnd* sessionEnd_ = nullptr;
    std::vector<TCustomForm*> released_;
    std::deque<std::pair<HWND, TMessage>> posted_;
    std::vector<TTimer*> timers_;
    std::vector<IIdleWatcher*> idleWatchers_;
    bool terminated_ = false;
    bool minimized_ = false;
    bool appWindowVisible_ = true;
    bool formsKeepPixels_ = true;
    bool showHint_ = true;
    int hintPause_ = 500;
    std::string hint_;
    bool active_ = false;
    TCustomForm* focusForm_ = nullptr;
    int modalBoxLevel_ = 0;
    int modalLevel_ = 0;
    bool firingTimers_ = false;
};

// The application object of the running program (null when none exists).
extern TApplication* Application;

bool ShowWindow(HWND window, int command);
