#include "platform/win32/Win32Input.h"

#include "platform/win32/WideText.h"

#include <windowsx.h>

namespace platform::win32 {

unsigned ShiftFromMouseKeys(WPARAM keys, bool alt) {
    unsigned shift = alt ? unsigned(kAlt) : 0U;
    if ((keys & MK_SHIFT) != 0) {
        shift |= kShift;
    }
    if ((keys & MK_CONTROL) != 0) {
        shift |= kCtrl;
    }
    if ((keys & MK_LBUTTON) != 0) {
        shift |= kLeftButton;
    }
    if ((keys & MK_RBUTTON) != 0) {
        shift |= kRightButton;
    }
    if ((keys & MK_MBUTTON) != 0) {
        shift |= kMiddleButton;
    }
    return shift;
}

Point MessagePoint(LPARAM lParam) {
    return Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

std::optional<InputEvent> ButtonEvent(UINT message, WPARAM wParam, LPARAM lParam, bool alt) {
    InputEvent event;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        event.button = MouseButton::Left;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        event.button = MouseButton::Right;
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        event.button = MouseButton::Middle;
        break;
    default:
        return std::nullopt;
    }
    const bool up = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
    event.kind = up ? InputKind::MouseUp : InputKind::MouseDown;
    event.doubleClick =
        message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
    event.pos = MessagePoint(lParam);
    // The key state is the one after the message: the pressed button is down, the released up.
    event.shift = ShiftFromMouseKeys(wParam, alt);
    if (event.doubleClick) {
        event.shift |= kDouble;
    }
    return event;
}

std::optional<std::string> CharDecoder::Add(wchar_t unit) {
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        highSurrogate_ = unit;
        return std::nullopt;
    }
    std::wstring text;
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
        if (highSurrogate_ == 0) {
            return std::nullopt; // half a pair: nothing to type
        }
        text = {highSurrogate_, unit};
    } else {
        text = {unit};
    }
    highSurrogate_ = 0;
    return Narrow(text);
}

} // namespace platform::win32
