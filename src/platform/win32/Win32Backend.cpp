#include "platform/win32/Win32Backend.h"

#include "platform/dryrun/DryRunPower.h"
#include "platform/win32/GdiFonts.h"
#include "platform/win32/RunKeyAutostart.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32NotifyShell.h"
#include "platform/win32/Win32Paths.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32SessionEnd.h"
#include "platform/win32/Win32SessionLock.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32WindowSystem.h"

#include <objbase.h>

namespace platform::win32 {

namespace {

class Win32Backend final : public IBackend {
public:
    Win32Backend(std::unique_ptr<Win32WindowSystem> windows, const BackendOptions& options)
        : windows_(std::move(windows)) {
        set_.clock = &clock_;
        set_.fonts = &fonts_;
        set_.locale = &locale_;
        set_.windows = windows_.get();
        set_.power = &power_;
        set_.privilege = &power_;
        set_.shell = &shell_;
        set_.notifyShell = &notifyShell_;
        set_.sessionLock = &sessionLock_;
        set_.autostart = &autostart_;
        set_.paths = &paths_;
        set_.files = &files_;
        set_.sessionEnd = &sessionEnd_;
        dryRun_ = dryrun::Substitute(set_, options, DryRunRequestTexts());
    }
    ~Win32Backend() override {
        if (comInitialised_) {
            CoUninitialize();
        }
    }
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    const Platform& Set() const override { return set_; }

private:
    // The shell's handlers (opening a page) may use COM on this thread.
    bool comInitialised_ =
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    std::unique_ptr<Win32WindowSystem> windows_;
    std::unique_ptr<dryrun::DryRunPower> dryRun_;
    Win32Clock clock_;
    GdiFonts fonts_;
    Win32Locale locale_;
    Win32Power power_;
    Win32Shell shell_;
    Win32NotifyShell notifyShell_;
    Win32SessionLock sessionLock_;
    RunKeyAutostart autostart_;
    Win32Paths paths_;
    Win32Files files_;
    Win32SessionEnd sessionEnd_;
    Platform set_;
};

} // namespace

std::unique_ptr<IBackend> OpenBackend(const BackendOptions& options, std::string& error) {
    std::unique_ptr<Win32WindowSystem> windows = Win32WindowSystem::Open(error);
    if (windows == nullptr) {
        return nullptr;
    }
    return std::make_unique<Win32Backend>(std::move(windows), options);
}

} // namespace platform::win32
