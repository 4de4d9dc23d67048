// TRzTrayIcon: the hidden window's messages (end of session, the icon's callbacks, a tray
// host starting again), the click actions, the popup menu, minimising to the tray and
// restoring from it.
#include "controls/RzTray.h"
#include "controls/RzTrayWindow.h"
#include "toolkit/runtime/Forms.h"
#include "toolkit/widgets/Menus.h"

namespace {

// Balloon notifications of the icon.
constexpr unsigned NIN_BALLOONHIDE = 0x403;
constexpr unsigned NIN_BALLOONTIMEOUT = 0x404;
constexpr unsigned NIN_BALLOONUSERCLICK = 0x405;

// Clears a re-entrancy flag however the guarded steps end.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagGuard() { flag_ = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& flag_;
};

void Fire(const TNotifyEvent& event, TObject* sender) {
    if (event) {
        event(sender);
    }
}

} // namespace

// ---------------------------------------------------------------------------------------
// The hidden window's message procedure

void TRzTrayIcon::WndProc(TMessage& message) {
    message.Result = 0;
    switch (message.Msg) {
    case WM_QUERYENDSESSION: {
        bool allow = true;
        DoQueryEndSession(allow);
        message.Result = allow ? 1 : 0;
        break;
    }
    case WM_ENDSESSION:
        DoEndSession();
        if (message.WParam == 1) {
            CallShell(platform::NIM_DELETE);
        }
        break;
    case RZ_TRAYICON_CALLBACK:
        IconMessage(unsigned(message.LParam));
        break;
    default:
        break;
    }
    if (message.Msg == WM_TASKBARCREATED) {
        TaskbarCreated();
    }
}

void TRzTrayIcon::IconMessage(unsigned mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
        DoLButtonDown();
        break;
    case WM_LBUTTONUP:
        DoLButtonUp();
        break;
    case WM_LBUTTONDBLCLK:
        DoLButtonDblClick();
        break;
    case WM_RBUTTONDOWN:
        DoRButtonDown();
        break;
    case WM_RBUTTONUP:
        DoRButtonUp();
        break;
    case WM_RBUTTONDBLCLK:
        DoRButtonDblClick();
        break;
    case NIN_BALLOONHIDE:
        Fire(OnBalloonHintHide, this);
        break;
    case NIN_BALLOONTIMEOUT:
        Fire(OnBalloonHintClose, this);
        break;
    case NIN_BALLOONUSERCLICK:
        Fire(OnBalloonHintClick, this);
        break;
    default:
        break;
    }
}

// A tray host started (again) and holds none of the program's icons: add the icon again,
// also when the shell refused it so far.
void TRzTrayIcon::TaskbarCreated() {
    try {
        if (!FEnabled) {
            return;
        }
        TFlagGuard reAdding(FReAdding);
        SetEnabled(true);
    } catch (...) {
        // A failed re-add must not take the message loop down; the icon stays as it is.
    }
}

// ---------------------------------------------------------------------------------------
// Event dispatchers

void TRzTrayIcon::DoQueryEndSession(bool& allowSessionToEnd) {
    if (OnQueryEndSession) {
        OnQueryEndSession(this, allowSessionToEnd);
    }
}

void TRzTrayIcon::DoEndSession() {
    Fire(OnEndSession, this);
}

void TRzTrayIcon::ClickAction(TRzTrayIconClicks kind) {
    if (FRestoreOn == kind) {
        RestoreFromTray();
    }
    if (FPopupMenuOn == kind) {
        ShowPopupMenu();
    }
}

void TRzTrayIcon::DoLButtonDown() {
    ClickAction(ticLeftClick);
    Fire(OnLButtonDown, this);
}

void TRzTrayIcon::DoLButtonUp() {
    ClickAction(ticLeftClickUp);
    Fire(OnLButtonUp, this);
}

void TRzTrayIcon::DoLButtonDblClick() {
    ClickAction(ticLeftDblClick);
    Fire(OnLButtonDblClick, this);
}

void TRzTrayIcon::DoRButtonDown() {
    ClickAction(ticRightClick);
    Fire(OnRButtonDown, this);
}

void TRzTrayIcon::DoRButtonUp() {
    ClickAction(ticRightClickUp);
    Fire(OnRButtonUp, this);
}

void TRzTrayIcon::DoRButtonDblClick() {
    ClickAction(ticRightDblClick);
    Fire(OnRButtonDblClick, this);
}

void TRzTrayIcon::DoMinimizeApp() {
    Fire(OnMinimizeApp, this);
}

void TRzTrayIcon::DoRestoreApp() {
    Fire(OnRestoreApp, this);
}

// ---------------------------------------------------------------------------------------
// The popup menu

void TRzTrayIcon::ShowPopupMenu() {
    if (FPopupMenu == nullptr) {
        return;
    }
    TPoint cursor;
    GetCursorPos(&cursor);
    // The owner form takes the foreground so the menu closes when the user clicks elsewhere.
    // A minimised or hidden form is left alone: activating it would bring it back on screen.
    auto* form = dynamic_cast<TForm*>(Owner());
    if (form != nullptr && form->Showing() && (Application == nullptr || !Application->Minimized())) {
        SetForegroundWindow(form);
    }
    TFlagGuard showingMenu(FShowingMenu);
    FPopupMenu->Popup(cursor.X, cursor.Y);
    PostMessage(nullptr, WM_NULL, 0, 0);
}

// ---------------------------------------------------------------------------------------
// Minimising and restoring

void TRzTrayIcon::MinimizeToTray() {
    if (Application != nullptr) {
        Application->Minimize();
    }
    // Hiding the application window removes its taskbar button; while the shell refuses the
    // icon, the button is the only way back and stays.
    if (FEnabled && !FRefused && FHideOnMinimize && Application != nullptr) {
        Application->SetAppWindowVisible(false);
    }
    DoMinimizeApp();
}

void TRzTrayIcon::RestoreFromTray() {
    if (FShowingMenu) {
        return;
    }
    TFlagGuard restoring(FRestoring);
    if (Application != nullptr) {
        Application->Restore();
    }
    if (FEnabled && Application != nullptr) {
        Application->SetAppWindowVisible(true);
        TCustomForm* main = Application->MainForm();
        if (main != nullptr && main->Showing()) {
            SetForegroundWindow(main);
        }
    }
    DoRestoreApp();
}
