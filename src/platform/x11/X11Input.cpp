#include "platform/x11/X11Input.h"

#include "platform/x11/X11Keys.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace platform::x11 {

namespace {

constexpr int kWheelStep = 120;

MouseButton ButtonOf(unsigned button) {
    switch (button) {
    case Button1:
        return MouseButton::Left;
    case Button2:
        return MouseButton::Middle;
    case Button3:
        return MouseButton::Right;
    default:
        return kNoButton;
    }
}

unsigned ButtonBit(MouseButton button) {
    switch (button) {
    case MouseButton::Left:
        return kLeftButton;
    case MouseButton::Right:
        return kRightButton;
    case MouseButton::Middle:
        return kMiddleButton;
    default:
        return 0;
    }
}

void TranslateButton(const XButtonEvent& button, bool pressed, DoubleClickDetector& doubleClick,
                     std::vector<InputEvent>& out) {
    InputEvent input;
    input.pos = {button.x, button.y};
    input.shift = ShiftFromState(button.state);
    if (button.button == Button4 || button.button == Button5) {
        // A wheel notch is a press and a release; the press alone is the notch.
        if (pressed) {
            input.kind = InputKind::MouseWheel;
            input.wheelDelta = button.button == Button4 ? kWheelStep : -kWheelStep;
            out.push_back(input);
        }
        return;
    }
    input.button = ButtonOf(button.button);
    if (input.button == kNoButton) {
        return;
    }
    // The state mask tells the buttons held before this event; report them as after it.
    if (pressed) {
        input.kind = InputKind::MouseDown;
        input.shift |= ButtonBit(input.button);
        input.doubleClick = doubleClick.Press(button.window, int(button.button), button.x_root, button.y_root,
                                              std::uint32_t(button.time));
        if (input.doubleClick) {
            input.shift |= kDouble;
        }
    } else {
        input.kind = InputKind::MouseUp;
        input.shift &= ~ButtonBit(input.button);
    }
    out.push_back(input);
}

// The key's symbol without modifiers names its virtual key; with NumLock on, the keypad's
// digits are meant rather than its navigation keys.
unsigned long KeysymForVirtualKey(XKeyEvent& key) {
    const KeySym plain = XLookupKeysym(&key, 0);
    if ((key.state & Mod2Mask) != 0) {
        const KeySym shifted = XLookupKeysym(&key, 1);
        if ((shifted >= XK_KP_0 && shifted <= XK_KP_9) || shifted == XK_KP_Decimal) {
            return shifted;
        }
    }
    return plain;
}

// Ctrl with a letter types the control character of that letter; Ctrl with anything else types
// nothing. Ctrl with Alt is AltGr on many layouts and types the layout's character.
std::string TextOfKey(XKeyEvent& key) {
    char buffer[16];
    KeySym typed = NoSymbol;
    const int length = XLookupString(&key, buffer, sizeof buffer, &typed, nullptr);
    const bool control = (key.state & ControlMask) != 0 && (key.state & Mod1Mask) == 0;
    if (control) {
        const bool controlChar = length == 1 && static_cast<unsigned char>(buffer[0]) < 0x20;
        return controlChar ? std::string(1, buffer[0]) : std::string();
    }
    return TextFromKeysym(typed);
}

void TranslateKey(XKeyEvent& key, bool pressed, std::vector<InputEvent>& out) {
    InputEvent input;
    input.kind = pressed ? InputKind::KeyDown : InputKind::KeyUp;
    input.shift = ShiftFromState(key.state);
    input.virtualKey = VirtualKeyFromKeysym(KeysymForVirtualKey(key));
    out.push_back(input);
    if (!pressed) {
        return;
    }
    std::string text = TextOfKey(key);
    if (!text.empty()) {
        input.kind = InputKind::Char;
        input.text = std::move(text);
        out.push_back(input);
    }
}

} // namespace

unsigned ShiftFromState(unsigned state) {
    unsigned shift = 0;
    if ((state & ShiftMask) != 0) {
        shift |= kShift;
    }
    if ((state & Mod1Mask) != 0) {
        shift |= kAlt;
    }
    if ((state & ControlMask) != 0) {
        shift |= kCtrl;
    }
    if ((state & Button1Mask) != 0) {
        shift |= kLeftButton;
    }
    if ((state & Button3Mask) != 0) {
        shift |= kRightButton;
    }
    if ((state & Button2Mask) != 0) {
        shift |= kMiddleButton;
    }
    return shift;
}

void TranslateInput(XEvent& event, DoubleClickDetector& doubleClick, std::vector<InputEvent>& out) {
    switch (event.type) {
    case ButtonPress:
    case ButtonRelease:
        TranslateButton(event.xbutton, event.type == ButtonPress, doubleClick, out);
        break;
    case MotionNotify: {
        InputEvent input;
        input.kind = InputKind::MouseMove;
        input.pos = {event.xmotion.x, event.xmotion.y};
        input.shift = ShiftFromState(event.xmotion.state);
        out.push_back(input);
        break;
    }
    case EnterNotify:
    case LeaveNotify: {
        // Crossings caused by grabs (menus, captures) are not the pointer moving.
        if (event.xcrossing.mode != NotifyNormal) {
            break;
        }
        InputEvent input;
        input.kind = event.type == EnterNotify ? InputKind::MouseMove : InputKind::MouseLeave;
        input.pos = {event.xcrossing.x, event.xcrossing.y};
        input.shift = ShiftFromState(event.xcrossing.state);
        out.push_back(input);
        break;
    }
    case KeyPress:
    case KeyRelease:
        TranslateKey(event.xkey, event.type == KeyPress, out);
        break;
    default:
        break;
    }
}

} // namespace platform::x11
