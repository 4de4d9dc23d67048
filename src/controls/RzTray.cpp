// TRzTrayIcon: construction, the record handed to the shell, the properties and the
// application hooks. The messages of the hidden window are handled in RzTrayMessages.cpp.
#include "controls/RzTray.h"

#include "controls/RzTrayWindow.h"
#include "platform/Geometry.h"
#include "platform/NotifyShell.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "toolkit/base/Store.h"
#include "toolkit/runtime/Forms.h"
#include "toolkit/runtime/Timer.h"
#include "toolkit/widgets/Menus.h"

#include <algorithm>

// Registered message numbers lie from 0xC000 on; "TaskbarCreated" is the only name the
// program registers.
const unsigned WM_TASKBARCREATED = 0xC000;

namespace {

constexpr unsigned kExtendedTipBytes = platform::kNotifyTipExtendedBytes - 1;
constexpr unsigned kBasicTipBytes = platform::kNotifyTipBasicBytes - 1;

} // namespace

// The application's on-minimise and on-restore handlers while a tray icon holds them. Being
// a type of its own, a hook can be recognised later and taken back by the icon that set it.
struct TRzTrayHook {
    TRzTrayIcon* tray;
    bool restore;
    void operator()(TObject* /*sender*/) const {
        if (!restore) {
            tray->MinimizeToTray();
        } else if (!tray->FRestoring) {
            tray->RestoreFromTray();
        }
    }
};

// ---------------------------------------------------------------------------------------
// Construction and destruction

TRzTrayIcon::TRzTrayIcon(TComponent* owner) : TComponent(owner) {
    FCurrentIcon = std::make_unique<TIcon>();
    FAnimateTimer = std::make_unique<TTimer>(nullptr);
    FIconIndex = 0;
    UseApplicationIcon();
    FIconsLink = std::make_unique<TChangeLink>();
    FIconsLink->OnChange = [this] {
        IconsChanged();
    };
    FRestoreOn = ticLeftDblClick;
    FPopupMenuOn = ticRightClickUp;
    FHideOnMinimize = true;
    FWindow = std::make_unique<TRzTrayWindow>(*this);
    FAnimateTimer->SetEnabled(false);
    FAnimateTimer->OnTimer = [this](TObject*) {
        AnimationTick();
    };
    FAnimateTimer->SetInterval(1000);
    FExtendedRecord = ShellIsVersion5OrLater();
    if (!Designing()) {
        FillRecord();
        InstallApplicationHooks();
        Refresh();
    }
    FEnabled = true;
}

TRzTrayIcon::~TRzTrayIcon() {
    Destroying();
    if (!Designing()) {
        CallShell(platform::NIM_DELETE);
    }
    // Nothing may call into this object once it is gone.
    RemoveApplicationHooks();
    FWindow.reset();
    FCurrentIcon.reset();
    FAnimateTimer.reset();
    FIconsLink.reset();
}

bool TRzTrayIcon::ShellIsVersion5OrLater() {
    platform::INotifyShell* shell = platform::Current().notifyShell;
    const unsigned version = shell != nullptr ? shell->ShellVersion() : 0;
    return (version >> 16) >= 5;
}

// ---------------------------------------------------------------------------------------
// The record and the shell

platform::NotifyIconData& TRzTrayIcon::UsedRecord() {
    return FExtendedRecord ? FExtendedData : FBasicData;
}

const platform::NotifyIconData& TRzTrayIcon::Record() const {
    return FExtendedRecord ? FExtendedData : FBasicData;
}

void TRzTrayIcon::FillRecord() {
    platform::NotifyIconData& data = UsedRecord();
    data = platform::NotifyIconData{};
    data.cbSize =
        FExtendedRecord ? platform::kNotifyIconDataExtendedSize : platform::kNotifyIconDataBasicSize;
    data.hWnd = FWindow.get();
    data.uID = reinterpret_cast<std::uintptr_t>(this);
    data.uFlags = platform::NIF_MESSAGE | platform::NIF_ICON;
    data.uCallbackMessage = RZ_TRAYICON_CALLBACK;
}

// Copies the text's first bytes that fit the layout's buffer, stopping early at a zero byte;
// the rest is dropped without a mark.
void TRzTrayIcon::CopyTip(const std::string& text) {
    platform::NotifyIconData& data = UsedRecord();
    const std::size_t capacity = FExtendedRecord ? kExtendedTipBytes : kBasicTipBytes;
    std::size_t length = std::min(text.size(), capacity);
    length = std::min(length, text.find('\0'));
    std::fill(std::begin(data.szTip), std::end(data.szTip), '\0');
    std::copy_n(text.begin(), length, data.szTip);
}

bool TRzTrayIcon::CallShell(unsigned message) {
    platform::INotifyShell* shell = platform::Current().notifyShell;
    if (shell == nullptr) {
        return false;
    }
    platform::NotifyIconData& data = UsedRecord();
    const TPixelBuffer& image = FCurrentIcon->Image();
    data.hIcon = platform::PixelView{image.Data(), image.Width(), image.Height(), image.Width()};
    return shell->NotifyIcon(message, data);
}

void TRzTrayIcon::Refresh() {
    if (!Designing()) {
        CallShell(platform::NIM_MODIFY);
    }
}

// A refused add leaves Enabled alone: the caller still wants the icon, only the shell has no
// place for it yet, and the next "TaskbarCreated" adds it.
void TRzTrayIcon::ShowOrHide() {
    if (FEnabled) {
        const bool wasRefused = FRefused;
        FRefused = !AddToShell();
        InstallApplicationHooks();
        if (FRefused) {
            KeepApplicationReachable();
        } else if (wasRefused) {
            HideMinimizedApplication();
        }
        return;
    }
    FRefused = false;
    CallShell(platform::NIM_DELETE);
    KeepApplicationReachable();
}

// An add also fails when the host holds the icon already (a host that announced itself twice
// before the first announcement was answered); a modify succeeds only then.
bool TRzTrayIcon::AddToShell() {
    return CallShell(platform::NIM_ADD) || CallShell(platform::NIM_MODIFY);
}

// Without an icon in the tray, a hidden taskbar button would leave no way back to the
// program: show it again.
void TRzTrayIcon::KeepApplicationReachable() {
    if (Application != nullptr && !Application->AppWindowVisible()) {
        Application->SetAppWindowVisible(true);
    }
}

// The icon arrived after the application went to the tray: the taskbar button it kept
// meanwhile goes, as minimising to the tray would have done.
void TRzTrayIcon::HideMinimizedApplication() {
    if (FHideOnMinimize && Application != nullptr && Application->Minimized()) {
        Application->SetAppWindowVisible(false);
    }
}

// ---------------------------------------------------------------------------------------
// Application hooks

void TRzTrayIcon::InstallApplicationHooks() {
    if (Application == nullptr) {
        return;
    }
    Application->OnMinimize = TRzTrayHook{this, false};
    Application->OnRestore = TRzTrayHook{this, true};
}

void TRzTrayIcon::RemoveApplicationHooks() {
    if (Application == nullptr) {
        return;
    }
    for (TNotifyEvent* slot : {&Application->OnMinimize, &Application->OnRestore}) {
        const TRzTrayHook* hook = slot->target<TRzTrayHook>();
        if (hook != nullptr && hook->tray == this) {
            *slot = nullptr;
        }
    }
}

// ---------------------------------------------------------------------------------------
// Loading and removal

void TRzTrayIcon::Loaded() {
    TComponent::Loaded();
    if (FIcons != nullptr && FIconIndex >= 0 && FIconIndex < FIcons->Count()) {
        FIcons->GetIcon(FIconIndex, FCurrentIcon.get());
    } else {
        // An index outside the list shows the application's icon, as the IconIndex setter does.
        UseApplicationIcon();
    }
    if (!Designing() && FEnabled) {
        ShowOrHide();
    }
    Refresh();
}

void TRzTrayIcon::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove || component == nullptr) {
        return;
    }
    if (component == FPopupMenu) {
        FPopupMenu = nullptr;
    } else if (component == FIcons) {
        SetIcons(nullptr);
    }
}

// ---------------------------------------------------------------------------------------
// Properties

bool TRzTrayIcon::Animate() const {
    return FAnimateTimer->Enabled();
}

void TRzTrayIcon::SetAnimate(bool value) {
    FAnimateTimer->SetEnabled(value);
}

int TRzTrayIcon::Interval() const {
    return int(FAnimateTimer->Interval());
}

void TRzTrayIcon::SetInterval(int value) {
    FAnimateTimer->SetInterval(unsigned(std::max(value, 0)));
}

void TRzTrayIcon::SetEnabled(bool value) {
    // Enabling an icon the shell refused tries the add again.
    if (value == FEnabled && !FReAdding && !(value && FRefused)) {
        return;
    }
    FEnabled = value;
    if (Designing() || InState(csLoading)) {
        return;
    }
    ShowOrHide();
}

void TRzTrayIcon::SetHint(const std::string& value) {
    if (!Store(FHint, value)) {
        return;
    }
    CopyTip(value);
    platform::NotifyIconData& data = UsedRecord();
    if (!value.empty()) {
        data.uFlags |= platform::NIF_TIP;
    } else {
        data.uFlags &= ~unsigned(platform::NIF_TIP);
    }
    Refresh();
}

void TRzTrayIcon::SetPopupMenu(TPopupMenu* value) {
    if (!Store(FPopupMenu, value)) {
        return;
    }
    // A menu owned elsewhere still tells this icon when it goes away.
    if (value != nullptr) {
        value->FreeNotification(this);
    }
}

void TRzTrayIcon::UseApplicationIcon() {
    FCurrentIcon->Assign(Application != nullptr ? Application->Icon() : nullptr);
}

void TRzTrayIcon::SetIconIndex(int value) {
    FIconIndex = value;
    if (FIcons != nullptr && value >= 0 && value < FIcons->Count()) {
        FIcons->GetIcon(value, FCurrentIcon.get());
    } else {
        UseApplicationIcon();
    }
    Refresh();
}

void TRzTrayIcon::SetIcons(TCustomImageList* value) {
    if (FIcons != nullptr) {
        FIcons->UnRegisterChanges(FIconsLink.get());
    }
    FIcons = value;
    if (FIcons != nullptr) {
        FIcons->RegisterChanges(FIconsLink.get());
        FIcons->FreeNotification(this);
    }
    if (!InState(csLoading)) {
        SetIconIndex(FIconIndex);
    }
}

void TRzTrayIcon::IconsChanged() {
    if (FIcons != nullptr && FIconsLink->Sender == FIcons) {
        SetIconIndex(FIconIndex);
    }
}

void TRzTrayIcon::AnimationTick() {
    if (FIcons == nullptr || Designing()) {
        return;
    }
    SetIconIndex(FIconIndex < FIcons->Count() - 1 ? FIconIndex + 1 : 0);
}
