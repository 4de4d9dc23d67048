#include "platform/x11/X11Atoms.h"

#include <array>
#include <utility>

namespace platform::x11 {

void X11Atoms::Intern(Display* display) {
    std::array<std::pair<const char*, Atom*>, 23> names{{
        {"WM_PROTOCOLS", &wmProtocols},
        {"WM_DELETE_WINDOW", &wmDeleteWindow},
        {"WM_STATE", &wmState},
        {"WM_CLIENT_MACHINE", &wmClientMachine},
        {"UTF8_STRING", &utf8String},
        {"_NET_WM_NAME", &netWmName},
        {"_NET_WM_PID", &netWmPid},
        {"_NET_WM_ICON", &netWmIcon},
        {"_NET_WM_STATE", &netWmState},
        {"_NET_WM_STATE_ABOVE", &netWmStateAbove},
        {"_NET_WM_STATE_SKIP_TASKBAR", &netWmStateSkipTaskbar},
        {"_NET_WM_WINDOW_TYPE", &netWmWindowType},
        {"_NET_WM_WINDOW_TYPE_NORMAL", &netWmWindowTypeNormal},
        {"_NET_WM_WINDOW_TYPE_POPUP_MENU", &netWmWindowTypePopupMenu},
        {"_NET_WM_WINDOW_TYPE_TOOLTIP", &netWmWindowTypeTooltip},
        {"_NET_ACTIVE_WINDOW", &netActiveWindow},
        {"_NET_SUPPORTING_WM_CHECK", &netSupportingWmCheck},
        {"_NET_WORKAREA", &netWorkarea},
        {"_MOTIF_WM_HINTS", &motifWmHints},
        {"CLIPBOARD", &clipboard},
        {"TARGETS", &targets},
        {"TEXT", &text},
        {"VESPERON_CLIPBOARD", &clipboardTransfer},
    }};
    std::array<char*, names.size()> atomNames{};
    std::array<Atom, names.size()> atoms{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        atomNames[i] = const_cast<char*>(names[i].first);
    }
    XInternAtoms(display, atomNames.data(), int(atomNames.size()), False, atoms.data());
    for (std::size_t i = 0; i < names.size(); ++i) {
        *names[i].second = atoms[i];
    }
}

} // namespace platform::x11
