// Numbered messages: the record every control receives through Perform/WndProc, the
// window-message numbers (the classic values), the toolkit's own CM_* notifications and the
// key, hit-test and button codes that travel inside them.
#pragma once

#include "toolkit/base/Types.h"

#include <cstdint>

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct TMessage {
    unsigned Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Packing of two 16-bit halves, as the mouse and size messages carry them.
constexpr LPARAM MAKELPARAM(int low, int high) {
    return LPARAM((std::uint32_t(std::uint16_t(low)) | (std::uint32_t(std::uint16_t(high)) << 16)));
}
constexpr int LOWORD(std::uintptr_t value) {
    return int(value & 0xFFFF);
}
constexpr int HIWORD(std::uintptr_t value) {
    return int((value >> 16) & 0xFFFF);
}
// Signed coordinates of a mouse message (negative while the mouse is captured outside).
constexpr int GET_X_LPARAM(LPARAM value) {
    return int(std::int16_t(std::uint16_t(value & 0xFFFF)));
}
constexpr int GET_Y_LPARAM(LPARAM value) {
    return int(std::int16_t(std::uint16_t((value >> 16) & 0xFFFF)));
}
constexpr LPARAM PointToLParam(TPoint p) {
    return MAKELPARAM(p.X, p.Y);
}
constexpr TPoint LParamToPoint(LPARAM value) {
    return TPoint{GET_X_LPARAM(value), GET_Y_LPARAM(value)};
}

// ---------------------------------------------------------------------------------------
// Window messages

constexpr unsigned WM_NULL = 0x0000;
constexpr unsigned WM_CREATE = 0x0001;
constexpr unsigned WM_DESTROY = 0x0002;
constexpr unsigned WM_MOVE = 0x0003;
constexpr unsigned WM_SIZE = 0x0005;
constexpr unsigned WM_ACTIVATE = 0x0006;
constexpr unsigned WM_SETFOCUS = 0x0007;
constexpr unsigned WM_KILLFOCUS = 0x0008;
constexpr unsigned WM_ENABLE = 0x000A;
constexpr unsigned WM_SETTEXT = 0x000C;
constexpr unsigned WM_GETTEXT = 0x000D;
constexpr unsigned WM_PAINT = 0x000F;
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_QUERYENDSESSION = 0x0011;
constexpr unsigned WM_QUIT = 0x0012;
constexpr unsigned WM_ERASEBKGND = 0x0014;
constexpr unsigned WM_SYSCOLORCHANGE = 0x0015;
constexpr unsigned WM_ENDSESSION = 0x0016;
constexpr unsigned WM_SHOWWINDOW = 0x0018;
constexpr unsigned WM_ACTIVATEAPP = 0x001C;
constexpr unsigned WM_CANCELMODE = 0x001F;
constexpr unsigned WM_SETCURSOR = 0x0020;
constexpr unsigned WM_MOUSEACTIVATE = 0x0021;
constexpr unsigned WM_WINDOWPOSCHANGED = 0x0047;
constexpr unsigned WM_NCCALCSIZE = 0x0083;
constexpr unsigned WM_NCHITTEST = 0x0084;
constexpr unsigned WM_NCPAINT = 0x0085;
constexpr unsigned WM_GETDLGCODE = 0x0087;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;
constexpr unsigned WM_SYSKEYDOWN = 0x0104;
constexpr unsigned WM_SYSKEYUP = 0x0105;
constexpr unsigned WM_SYSCHAR = 0x0106;
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned WM_SYSCOMMAND = 0x0112;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_MOUSEFIRST = 0x0200;
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
constexpr unsigned WM_MBUTTONDOWN = 0x0207;
constexpr unsigned WM_MBUTTONUP = 0x0208;
constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;
constexpr unsigned WM_MOUSEWHEEL = 0x020A;
constexpr unsigned WM_MOUSELAST = 0x020A;
constexpr unsigned WM_CAPTURECHANGED = 0x0215;
constexpr unsigned WM_MOUSELEAVE = 0x02A3;
constexpr unsigned WM_CUT = 0x0300;
constexpr unsigned WM_COPY = 0x0301;
constexpr unsigned WM_PASTE = 0x0302;
constexpr unsigned WM_CLEAR = 0x0303;
constexpr unsigned WM_THEMECHANGED = 0x031A;
constexpr unsigned WM_USER = 0x0400;
constexpr unsigned WM_APP = 0x8000;

// WM_ACTIVATE: low word of WParam.
constexpr unsigned WA_INACTIVE = 0;
constexpr unsigned WA_ACTIVE = 1;
constexpr unsigned WA_CLICKACTIVE = 2;

// WM_SIZE: WParam.
constexpr unsigned SIZE_RESTORED = 0;
constexpr unsigned SIZE_MINIMIZED = 1;

// WM_SYSCOMMAND: WParam (the low four bits are the system's own).
constexpr unsigned SC_SIZE = 0xF000;
constexpr unsigned SC_MOVE = 0xF010;
constexpr unsigned SC_MINIMIZE = 0xF020;
constexpr unsigned SC_MAXIMIZE = 0xF030;
constexpr unsigned SC_CLOSE = 0xF060;
constexpr unsigned SC_KEYMENU = 0xF100;
constexpr unsigned SC_RESTORE = 0xF120;
constexpr unsigned SC_MONITORPOWER = 0xF170;

// Mouse message WParam key bits.
constexpr unsigned MK_LBUTTON = 0x0001;
constexpr unsigned MK_RBUTTON = 0x0002;
constexpr unsigned MK_SHIFT = 0x0004;
constexpr unsigned MK_CONTROL = 0x0008;
constexpr unsigned MK_MBUTTON = 0x0010;

// WM_NCHITTEST / CM_HITTEST results.
constexpr int HTERROR = -2;
constexpr int HTTRANSPARENT = -1;
constexpr int HTNOWHERE = 0;
constexpr int HTCLIENT = 1;
constexpr int HTCAPTION = 2;
constexpr int HTSYSMENU = 3;
constexpr int HTMINBUTTON = 8;
constexpr int HTMAXBUTTON = 9;
constexpr int HTLEFT = 10;
constexpr int HTRIGHT = 11;
constexpr int HTTOP = 12;
constexpr int HTBOTTOM = 15;
constexpr int HTBOTTOMRIGHT = 17;
constexpr int HTBORDER = 18;
constexpr int HTCLOSE = 20;

// WM_GETDLGCODE results: which keys a control keeps for itself.
constexpr unsigned DLGC_WANTARROWS = 0x0001;
constexpr unsigned DLGC_WANTTAB = 0x0002;
constexpr unsigned DLGC_WANTALLKEYS = 0x0004;
constexpr unsigned DLGC_HASSETSEL = 0x0008;
constexpr unsigned DLGC_WANTCHARS = 0x0080;
constexpr unsigned DLGC_BUTTON = 0x2000;

// ---------------------------------------------------------------------------------------
// Buttons

constexpr unsigned BM_GETCHECK = 0x00F0;
constexpr unsigned BM_SETCHECK = 0x00F1;
constexpr unsigned BM_GETSTATE = 0x00F2;
constexpr unsigned BM_SETSTATE = 0x00F3;
constexpr unsigned BM_CLICK = 0x00F5;
constexpr unsigned BN_CLICKED = 0;
constexpr unsigned BST_UNCHECKED = 0;
constexpr unsigned BST_CHECKED = 1;
constexpr unsigned BST_INDETERMINATE = 2;

// ---------------------------------------------------------------------------------------
// Toolkit notifications

constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_ACTIVATE = CM_BASE + 0;
constexpr unsigned CM_DEACTIVATE = CM_BASE + 1;
constexpr unsigned CM_GOTFOCUS = CM_BASE + 2;
constexpr unsigned CM_LOSTFOCUS = CM_BASE + 3;
constexpr unsigned CM_CANCELMODE = CM_BASE + 4;
constexpr unsigned CM_DIALOGKEY = CM_BASE + 5;
constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;
constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 7;
constexpr unsigned CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr unsigned CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr unsigned CM_HITTEST = CM_BASE + 10;
constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 11;
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr unsigned CM_COLORCHANGED = CM_BASE + 13;
constexpr unsigned CM_FONTCHANGED = CM_BASE + 14;
constexpr unsigned CM_CURSORCHANGED = CM_BASE + 15;
constexpr unsigned CM_CTL3DCHANGED = CM_BASE + 16;
constexpr unsigned CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;
constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
constexpr unsigned CM_MENUCHANGED = CM_BASE + 21;
constexpr unsigned CM_APPKEYDOWN = CM_BASE + 22;
constexpr unsigned CM_APPSYSCOMMAND = CM_BASE + 23;
constexpr unsigned CM_BUTTONPRESSED = CM_BASE + 24;
constexpr unsigned CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr unsigned CM_ENTER = CM_BASE + 26;
constexpr unsigned CM_EXIT = CM_BASE + 27;
constexpr unsigned CM_DESIGNHITTEST = CM_BASE + 28;
constexpr unsigned CM_ICONCHANGED = CM_BASE + 29;
constexpr unsigned CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr unsigned CM_INVOKEHELP = CM_BASE + 31;
constexpr unsigned CM_WINDOWHOOK = CM_BASE + 32;
constexpr unsigned CM_RELEASE = CM_BASE + 33;
constexpr unsigned CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr unsigned CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr unsigned CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr unsigned CM_WININICHANGE = CM_BASE + 37;
constexpr unsigned CM_FONTCHANGE = CM_BASE + 38;
constexpr unsigned CM_TIMECHANGE = CM_BASE + 39;
constexpr unsigned CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr unsigned CM_UIACTIVATE = CM_BASE + 41;
constexpr unsigned CM_UIDEACTIVATE = CM_BASE + 42;
constexpr unsigned CM_DOCWINDOWACTIVATE = CM_BASE + 43;
constexpr unsigned CM_CONTROLLISTCHANGE = CM_BASE + 44;
constexpr unsigned CM_GETDATALINK = CM_BASE + 45;
constexpr unsigned CM_CHILDKEY = CM_BASE + 46;
constexpr unsigned CM_DRAG = CM_BASE + 47;
constexpr unsigned CM_HINTSHOW = CM_BASE + 48;
constexpr unsigned CM_DIALOGHANDLE = CM_BASE + 49;
constexpr unsigned CM_ISTOOLCONTROL = CM_BASE + 50;
constexpr unsigned CM_RECREATEWND = CM_BASE + 51;
constexpr unsigned CM_INVALIDATE = CM_BASE + 52;
constexpr unsigned CM_SYSFONTCHANGED = CM_BASE + 53;
constexpr unsigned CM_CONTROLCHANGE = CM_BASE + 54;
constexpr unsigned CM_CHANGED = CM_BASE + 55;
constexpr unsigned CM_DOCKCLIENT = CM_BASE + 56;
constexpr unsigned CM_UNDOCKCLIENT = CM_BASE + 57;
constexpr unsigned CM_FLOAT = CM_BASE + 58;
constexpr unsigned CM_BORDERCHANGED = CM_BASE + 59;
constexpr unsigned CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr unsigned CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
constexpr unsigned CM_ALLCHILDRENFLIPPED = CM_BASE + 62;
constexpr unsigned CM_ACTIONUPDATE = CM_BASE + 63;
constexpr unsigned CM_ACTIONEXECUTE = CM_BASE + 64;
constexpr unsigned CM_HINTSHOWPAUSE = CM_BASE + 65;
constexpr unsigned CM_DOCKNOTIFICATION = CM_BASE + 66;
constexpr unsigned CM_MOUSEWHEEL = CM_BASE + 67;

// ---------------------------------------------------------------------------------------
// Virtual-key codes

constexpr unsigned VK_LBUTTON = 0x01;
constexpr unsigned VK_RBUTTON = 0x02;
constexpr unsigned VK_CANCEL = 0x03;
constexpr unsigned VK_MBUTTON = 0x04;
constexpr unsigned VK_BACK = 0x08;
constexpr unsigned VK_TAB = 0x09;
constexpr unsigned VK_CLEAR = 0x0C;
constexpr unsigned VK_RETURN = 0x0D;
constexpr unsigned VK_SHIFT = 0x10;
constexpr unsigned VK_CONTROL = 0x11;
constexpr unsigned VK_MENU = 0x12;
constexpr unsigned VK_PAUSE = 0x13;
constexpr unsigned VK_CAPITAL = 0x14;
constexpr unsigned VK_ESCAPE = 0x1B;
constexpr unsigned VK_SPACE = 0x20;
constexpr unsigned VK_PRIOR = 0x21;
constexpr unsigned VK_NEXT = 0x22;
constexpr unsigned VK_END = 0x23;
constexpr unsigned VK_HOME = 0x24;
constexpr unsigned VK_LEFT = 0x25;
constexpr unsigned VK_UP = 0x26;
constexpr unsigned VK_RIGHT = 0x27;
constexpr unsigned VK_DOWN = 0x28;
constexpr unsigned VK_INSERT = 0x2D;
constexpr unsigned VK_DELETE = 0x2E;
constexpr unsigned VK_HELP = 0x2F;
// '0'..'9' and 'A'..'Z' are their ASCII codes.
constexpr unsigned VK_LWIN = 0x5B;
constexpr unsigned VK_RWIN = 0x5C;
constexpr unsigned VK_APPS = 0x5D;
constexpr unsigned VK_NUMPAD0 = 0x60;
constexpr unsigned VK_NUMPAD9 = 0x69;
constexpr unsigned VK_MULTIPLY = 0x6A;
constexpr unsigned VK_ADD = 0x6B;
constexpr unsigned VK_SEPARATOR = 0x6C;
constexpr unsigned VK_SUBTRACT = 0x6D;
constexpr unsigned VK_DECIMAL = 0x6E;
constexpr unsigned VK_DIVIDE = 0x6F;
constexpr unsigned VK_F1 = 0x70;
constexpr unsigned VK_F2 = 0x71;
constexpr unsigned VK_F3 = 0x72;
constexpr unsigned VK_F4 = 0x73;
constexpr unsigned VK_F5 = 0x74;
constexpr unsigned VK_F10 = 0x79;
constexpr unsigned VK_F12 = 0x7B;
constexpr unsigned VK_NUMLOCK = 0x90;
constexpr unsigned VK_SCROLL = 0x91;
constexpr unsigned VK_OEM_PLUS = 0xBB;
constexpr unsigned VK_OEM_COMMA = 0xBC;
constexpr unsigned VK_OEM_MINUS = 0xBD;
constexpr unsigned VK_OEM_PERIOD = 0xBE;

// Key-message LParam bits: the Alt key was down (context code); a key-up transition.
constexpr LPARAM KF_ALTDOWN_LPARAM = LPARAM(1) << 29;
constexpr LPARAM KF_UP_LPARAM = LPARAM(1) << 31;
