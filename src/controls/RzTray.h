// The tray icon: a non-visual component that keeps one icon in the notification area for as
// long as its owner lives, shows the hint as the icon's tooltip, turns clicks on the icon into
// restoring the application, opening a popup menu and user events, hides the application's
// taskbar button while it is minimised, adds the icon whenever a tray host (re)appears, and
// answers the end-of-session messages that reach its hidden window.
#pragma once

#include "platform/NotifyShell.h"
#include "toolkit/base/Classes.h"
#include "toolkit/graphics/Graphics.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TPopupMenu;
class TTimer;
class TRzTrayWindow;
struct TMessage;

enum TRzTrayIconClicks : std::uint8_t {
    ticNone,
    ticLeftClick,
    ticLeftDblClick,
    ticLeftClickUp,
    ticRightClick,
    ticRightDblClick,
    ticRightClickUp,
};

using TRzQueryEndSessionEvent = std::function<void(TObject* sender, bool& allowSessionToEnd)>;

// The callback message the icon's notifications arrive with.
constexpr unsigned RZ_TRAYICON_CALLBACK = 9250;
// The registered "TaskbarCreated" message: a tray host (re)appeared.
extern const unsigned WM_TASKBARCREATED;

class TRzTrayIcon : public TComponent {
public:
    explicit TRzTrayIcon(TComponent* owner);
    ~TRzTrayIcon() override;

    void MinimizeToTray();
    void RestoreFromTray();

    // Overridable property operations, in this order: Animate, Enabled, Hint, Interval,
    // IconIndex, Icons.
    virtual bool Animate() const;
    virtual void SetAnimate(bool value);
    virtual void SetEnabled(bool value);
    virtual void SetHint(const std::string& value);
    virtual int Interval() const;
    virtual void SetInterval(int value);
    virtual void SetIconIndex(int value);
    virtual void SetIcons(TCustomImageList* value);

    bool Enabled() const { return FEnabled; }
    bool HideOnMinimize() const { return FHideOnMinimize; }
    void SetHideOnMinimize(bool value) { FHideOnMinimize = value; }
    const std::string& Hint() const { return FHint; }
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);
    TCustomImageList* Icons() const { return FIcons; }
    int IconIndex() const { return FIconIndex; }
    TRzTrayIconClicks RestoreOn() const { return FRestoreOn; }
    void SetRestoreOn(TRzTrayIconClicks value) { FRestoreOn = value; }
    TRzTrayIconClicks PopupMenuOn() const { return FPopupMenuOn; }
    void SetPopupMenuOn(TRzTrayIconClicks value) { FPopupMenuOn = value; }

    TNotifyEvent OnBalloonHintHide;
    TNotifyEvent OnBalloonHintClose;
    TNotifyEvent OnBalloonHintClick;
    TNotifyEvent OnMinimizeApp;
    TNotifyEvent OnRestoreApp;
    TNotifyEvent OnLButtonDown;
    TNotifyEvent OnLButtonUp;
    TNotifyEvent OnLButtonDblClick;
    TNotifyEvent OnRButtonDown;
    TNotifyEvent OnRButtonUp;
    TNotifyEvent OnRButtonDblClick;
    TNotifyEvent OnEndSession;
    TRzQueryEndSessionEvent OnQueryEndSession;

    // The record handed to the shell (the extended or the basic one), the hidden window that
    // receives the shell's messages, and the image the icon shows.
    const platform::NotifyIconData& Record() const;
    bool UsesExtendedRecord() const { return FExtendedRecord; }
    TRzTrayWindow* WindowHandle() const { return FWindow.get(); }
    const TIcon& CurrentIcon() const { return *FCurrentIcon; }

    // The hidden window's message procedure.
    void WndProc(TMessage& message);

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    virtual void DoQueryEndSession(bool& allowSessionToEnd);
    virtual void DoEndSession();
    virtual void DoLButtonDown();
    virtual void DoLButtonUp();
    virtual void DoLButtonDblClick();
    virtual void DoRButtonDown();
    virtual void DoRButtonUp();
    virtual void DoRButtonDblClick();
    virtual void DoMinimizeApp();
    virtual void DoRestoreApp();

private:
    friend struct TRzTrayHook;

    platform::NotifyIconData& UsedRecord();
    bool Designing() const { return InState(csDesigning); }
    static bool ShellIsVersion5OrLater();
    void FillRecord();
    void CopyTip(const std::string& text);
    void InstallApplicationHooks();
    void RemoveApplicationHooks();
    bool CallShell(unsigned message);
    bool AddToShell();
    void Refresh();
    void ShowOrHide();
    void KeepApplicationReachable();
    void HideMinimizedApplication();
    void UseApplicationIcon();
    void IconsChanged();
    void AnimationTick();
    void ClickAction(TRzTrayIconClicks kind);
    void ShowPopupMenu();
    void IconMessage(unsigned mouseMessage);
    void TaskbarCreated();

    platform::NotifyIconData FExtendedData;
    platform::NotifyIconData FBasicData;
    std::unique_ptr<TIcon> FCurrentIcon;
    TCustomImageList* FIcons = nullptr;
    std::unique_ptr<TChangeLink> FIconsLink;
    TPopupMenu* FPopupMenu = nullptr;
    std::unique_ptr<TTimer> FAnimateTimer;
    std::string FHint;
    int FIconIndex = 0;
    bool FEnabled = false;
    std::unique_ptr<TRzTrayWindow> FWindow;
    bool FHideOnMinimize = true;
    bool FReAdding = false;
    // The shell refused the last add (no tray host yet): the icon is still wanted, so a tray
    // host that appears gets it, and minimising keeps the taskbar button meanwhile.
    bool FRefused = false;
    bool FShowingMenu = false;
    bool FRestoring = false;
    TRzTrayIconClicks FRestoreOn = ticLeftDblClick;
    TRzTrayIconClicks FPopupMenuOn = ticRightClickUp;
    bool FExtendedRecord = false;
    bool FHooksInstalled = false;
};
