// The atoms the backend uses, interned with one round trip when the connection opens.
#pragma once

#include "platform/x11/X11Names.h"

#include <X11/Xlib.h>

namespace platform::x11 {

struct X11Atoms {
    Atom wmProtocols = 0;
    Atom wmDeleteWindow = 0;
    Atom wmState = 0;
    Atom wmClientMachine = 0;
    Atom utf8String = 0;
    Atom netWmName = 0;
    Atom netWmPid = 0;
    Atom netWmIcon = 0;
    Atom netWmState = 0;
    Atom netWmStateAbove = 0;
    Atom netWmStateSkipTaskbar = 0;
    Atom netWmWindowType = 0;
    Atom netWmWindowTypeNormal = 0;
    Atom netWmWindowTypePopupMenu = 0;
    Atom netWmWindowTypeTooltip = 0;
    Atom netActiveWindow = 0;
    Atom netSupportingWmCheck = 0;
    Atom netWorkarea = 0;
    Atom motifWmHints = 0;
    Atom clipboard = 0;
    Atom targets = 0;
    Atom text = 0;
    Atom clipboardTransfer = 0;

    void Intern(Display* display);
};

} // namespace platform::x11
