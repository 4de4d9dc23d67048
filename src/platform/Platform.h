// The platform layer: one small interface per facility the program needs from the operating
// system, each in its own header. Portable code (toolkit, controls, core, power, forms) talks only
// to these interfaces; app/ installs one backend set at start-up, tests install the headless one.
// No header of this folder includes an OS header.
#pragma once

namespace platform {

class IClock;
class IFonts;
class ILocale;
class IWindowSystem;
class IPower;
class IPrivilege;
class IShell;
class INotifyShell;
class ISessionLock;
class IAutostart;
class IPaths;
class IFiles;
class ISessionEnd;
class IControlChannel;

struct Platform {
    IClock* clock = nullptr;
    IFonts* fonts = nullptr;
    ILocale* locale = nullptr;
    IWindowSystem* windows = nullptr;
    IPower* power = nullptr;
    IPrivilege* privilege = nullptr;
    IShell* shell = nullptr;
    INotifyShell* notifyShell = nullptr;
    ISessionLock* sessionLock = nullptr;
    IAutostart* autostart = nullptr;
    IPaths* paths = nullptr;
    IFiles* files = nullptr;
    ISessionEnd* sessionEnd = nullptr;
    IControlChannel* controlChannel = nullptr;
};

void Install(const Platform& platform);
Platform& Current();

} // namespace platform
