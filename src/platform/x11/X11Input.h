// Pointer and keyboard events of a window, translated into the platform's input events.
#pragma once

#include "platform/WindowSystem.h"
#include "platform/x11/DoubleClick.h"
#include "platform/x11/X11Names.h"

#include <X11/Xlib.h>
#include <vector>

namespace platform::x11 {

// Modifier and button bits (ShiftBits) of an X event state mask.
unsigned ShiftFromState(unsigned state);

// Appends the input events an X pointer or keyboard event stands for (none for the events it
// does not handle; a key press can give a KeyDown and a Char).
void TranslateInput(XEvent& event, DoubleClickDetector& doubleClick, std::vector<InputEvent>& out);

} // namespace platform::x11
