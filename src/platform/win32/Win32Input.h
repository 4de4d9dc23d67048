// Window messages of mouse and keyboard as the toolkit's input events.
#pragma once

#include "platform/WindowSystem.h"
#include "platform/win32/SystemHeaders.h"

#include <optional>

namespace platform::win32 {

// The modifier and button bits of a mouse message's key state (MK_*), with Alt added.
unsigned ShiftFromMouseKeys(WPARAM keys, bool alt);

// The event of a button message (WM_LBUTTONDOWN .. WM_MBUTTONDBLCLK); nothing for others.
// A double-click message is the press that completes a double click.
std::optional<InputEvent> ButtonEvent(UINT message, WPARAM wParam, LPARAM lParam, bool alt);

// The point of a mouse message's lParam (signed: a captured pointer can be left of or above
// the window).
Point MessagePoint(LPARAM lParam);

// Builds the characters of WM_CHAR messages: UTF-16 units, surrogate pairs joined, as UTF-8.
class CharDecoder {
public:
    // The text of this unit, or nothing while the first half of a pair waits for the second.
    std::optional<std::string> Add(wchar_t unit);

private:
    wchar_t highSurrogate_ = 0;
};

} // namespace platform::win32
