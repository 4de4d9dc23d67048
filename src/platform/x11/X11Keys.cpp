#include "platform/x11/X11Keys.h"

#include "platform/x11/Utf8.h"

#include <X11/keysym.h>

namespace platform::x11 {

namespace {

// Virtual-key numbers of the desktop platform.
enum VirtualKey : unsigned {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_CLEAR = 12,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_PAUSE = 19,
    VK_CAPITAL = 20,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_SNAPSHOT = 44,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_LWIN = 91,
    VK_RWIN = 92,
    VK_APPS = 93,
    VK_NUMPAD0 = 96,
    VK_MULTIPLY = 106,
    VK_ADD = 107,
    VK_SEPARATOR = 108,
    VK_SUBTRACT = 109,
    VK_DECIMAL = 110,
    VK_DIVIDE = 111,
    VK_F1 = 112,
    VK_NUMLOCK = 144,
    VK_SCROLL = 145,
    VK_OEM_1 = 186,
    VK_OEM_PLUS = 187,
    VK_OEM_COMMA = 188,
    VK_OEM_MINUS = 189,
    VK_OEM_PERIOD = 190,
    VK_OEM_2 = 191,
    VK_OEM_3 = 192,
    VK_OEM_4 = 219,
    VK_OEM_5 = 220,
    VK_OEM_6 = 221,
    VK_OEM_7 = 222,
};

struct KeyPair {
    unsigned long keysym;
    unsigned virtualKey;
};

constexpr KeyPair kKeyTable[] = {
    {XK_BackSpace, VK_BACK},
    {XK_Tab, VK_TAB},
    {XK_ISO_Left_Tab, VK_TAB},
    {XK_Clear, VK_CLEAR},
    {XK_Return, VK_RETURN},
    {XK_KP_Enter, VK_RETURN},
    {XK_Shift_L, VK_SHIFT},
    {XK_Shift_R, VK_SHIFT},
    {XK_Control_L, VK_CONTROL},
    {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU},
    {XK_Alt_R, VK_MENU},
    {XK_Meta_L, VK_MENU},
    {XK_Meta_R, VK_MENU},
    {XK_ISO_Level3_Shift, VK_MENU},
    {XK_Pause, VK_PAUSE},
    {XK_Caps_Lock, VK_CAPITAL},
    {XK_Escape, VK_ESCAPE},
    {XK_space, VK_SPACE},
    {XK_KP_Space, VK_SPACE},
    {XK_Prior, VK_PRIOR},
    {XK_KP_Prior, VK_PRIOR},
    {XK_Next, VK_NEXT},
    {XK_KP_Next, VK_NEXT},
    {XK_End, VK_END},
    {XK_KP_End, VK_END},
    {XK_Home, VK_HOME},
    {XK_KP_Home, VK_HOME},
    {XK_Left, VK_LEFT},
    {XK_KP_Left, VK_LEFT},
    {XK_Up, VK_UP},
    {XK_KP_Up, VK_UP},
    {XK_Right, VK_RIGHT},
    {XK_KP_Right, VK_RIGHT},
    {XK_Down, VK_DOWN},
    {XK_KP_Down, VK_DOWN},
    {XK_KP_Begin, VK_CLEAR},
    {XK_Print, VK_SNAPSHOT},
    {XK_Insert, VK_INSERT},
    {XK_KP_Insert, VK_INSERT},
    {XK_Delete, VK_DELETE},
    {XK_KP_Delete, VK_DELETE},
    {XK_Super_L, VK_LWIN},
    {XK_Super_R, VK_RWIN},
    {XK_Menu, VK_APPS},
    {XK_KP_Multiply, VK_MULTIPLY},
    {XK_KP_Add, VK_ADD},
    {XK_KP_Separator, VK_SEPARATOR},
    {XK_KP_Subtract, VK_SUBTRACT},
    {XK_KP_Decimal, VK_DECIMAL},
    {XK_KP_Divide, VK_DIVIDE},
    {XK_Num_Lock, VK_NUMLOCK},
    {XK_Scroll_Lock, VK_SCROLL},
    {XK_semicolon, VK_OEM_1},
    {XK_equal, VK_OEM_PLUS},
    {XK_comma, VK_OEM_COMMA},
    {XK_minus, VK_OEM_MINUS},
    {XK_period, VK_OEM_PERIOD},
    {XK_slash, VK_OEM_2},
    {XK_grave, VK_OEM_3},
    {XK_bracketleft, VK_OEM_4},
    {XK_backslash, VK_OEM_5},
    {XK_bracketright, VK_OEM_6},
    {XK_apostrophe, VK_OEM_7},
};

struct CharPair {
    unsigned long keysym;
    unsigned codePoint;
};

// Key symbols outside the Latin-1 and Unicode ranges that keyboards commonly type.
constexpr CharPair kLegacyCharacters[] = {
    {XK_EuroSign, 0x20AC},
};

// Unicode key symbols are 0x01000000 plus the code point.
constexpr unsigned long kUnicodeKeysymBase = 0x01000000;

} // namespace

unsigned VirtualKeyFromKeysym(unsigned long keysym) {
    if (keysym >= XK_a && keysym <= XK_z) {
        return unsigned(keysym - XK_a) + 'A';
    }
    if (keysym >= XK_A && keysym <= XK_Z) {
        return unsigned(keysym - XK_A) + 'A';
    }
    if (keysym >= XK_0 && keysym <= XK_9) {
        return unsigned(keysym - XK_0) + '0';
    }
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) {
        return unsigned(keysym - XK_KP_0) + VK_NUMPAD0;
    }
    if (keysym >= XK_F1 && keysym <= XK_F24) {
        return unsigned(keysym - XK_F1) + VK_F1;
    }
    for (const KeyPair& pair : kKeyTable) {
        if (pair.keysym == keysym) {
            return pair.virtualKey;
        }
    }
    return 0;
}

std::string TextFromKeysym(unsigned long keysym) {
    switch (keysym) {
    case XK_BackSpace:
        return "\b";
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return "\t";
    case XK_Return:
    case XK_KP_Enter:
        return "\r";
    case XK_Escape:
        return "\x1b";
    case XK_KP_Space:
        return " ";
    case XK_KP_Multiply:
        return "*";
    case XK_KP_Add:
        return "+";
    case XK_KP_Subtract:
        return "-";
    case XK_KP_Decimal:
        return ".";
    case XK_KP_Divide:
        return "/";
    default:
        break;
    }
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) {
        return std::string(1, char('0' + (keysym - XK_KP_0)));
    }
    if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF)) {
        return Utf8FromCodePoint(unsigned(keysym));
    }
    if (keysym >= kUnicodeKeysymBase + 0x20 && keysym <= kUnicodeKeysymBase + 0x10FFFF) {
        return Utf8FromCodePoint(unsigned(keysym - kUnicodeKeysymBase));
    }
    for (const CharPair& pair : kLegacyCharacters) {
        if (pair.keysym == keysym) {
            return Utf8FromCodePoint(pair.codePoint);
        }
    }
    return {};
}

} // namespace platform::x11
