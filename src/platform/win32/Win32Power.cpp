#include "platform/win32/Win32Power.h"

#include "platform/win32/SystemHeaders.h"
// The system headers below need windows.h before them.
#include <cstdio>
#include <powrprof.h>

namespace platform::win32 {

namespace {

// The system's own values, spelled out: the program's ExitWindowsFlags share the names.
constexpr unsigned kSystemLogOff = 0x0;
constexpr unsigned kSystemReboot = 0x2;
constexpr unsigned kSystemForce = 0x4;
constexpr unsigned kSystemPowerOff = 0x8;

std::string ExitFlagsText(unsigned systemFlags) {
    std::string text;
    if ((systemFlags & kSystemPowerOff) != 0) {
        text = "EWX_POWEROFF";
    } else if ((systemFlags & kSystemReboot) != 0) {
        text = "EWX_REBOOT";
    } else {
        text = "EWX_LOGOFF";
    }
    if ((systemFlags & kSystemForce) != 0) {
        text += " | EWX_FORCE";
    }
    return text;
}

} // namespace

unsigned SystemExitFlags(unsigned flags) {
    unsigned system = kSystemLogOff;
    if ((flags & EWX_REBOOT) != 0) {
        system = kSystemReboot;
    } else if ((flags & EWX_SHUTDOWN) != 0) {
        system = kSystemPowerOff;
    }
    if ((flags & EWX_FORCE) != 0) {
        system |= kSystemForce;
    }
    return system;
}

dryrun::RequestTexts DryRunRequestTexts() {
    // The actions always force a power-state request.
    return dryrun::RequestTexts{
        [](unsigned flags) {
            return "AdjustTokenPrivileges(SeShutdownPrivilege), ExitWindowsEx(" +
                   ExitFlagsText(SystemExitFlags(flags)) + ", 0)";
        },
        [](bool suspend) {
            return std::string("AdjustTokenPrivileges(SeShutdownPrivilege), SetSuspendState(") +
                   (suspend ? "FALSE" : "TRUE") + ", TRUE, FALSE)";
        }};
}

void Win32Power::ExitWindowsEx(unsigned flags, unsigned reason) {
    if (!::ExitWindowsEx(SystemExitFlags(flags), reason)) {
        std::fprintf(stderr, "vesperon: ExitWindowsEx refused (error %lu)\n", GetLastError());
    }
}

void Win32Power::SetSystemPowerState(bool suspend, bool force) {
    if (!SetSuspendState(suspend ? FALSE : TRUE, force ? TRUE : FALSE, FALSE)) {
        std::fprintf(stderr, "vesperon: SetSuspendState refused (error %lu)\n", GetLastError());
    }
}

void Win32Power::SetShutdownPrivilege(bool enable, PowerRight /*right*/, Answer answer) {
    answer(AdjustShutdownPrivilege(enable));
}

bool AdjustShutdownPrivilege(bool enable) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return false;
    }
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    bool adjusted = LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) != 0 &&
                    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) != 0;
    // The adjustment succeeds without granting a privilege the token lacks; only the error
    // code tells (ERROR_NOT_ALL_ASSIGNED).
    adjusted = adjusted && GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    return adjusted;
}

} // namespace platform::win32
