// Xlib defines macros (None, Expose, FocusIn, FocusOut, CursorShape) that share their spelling with
// values of the platform interface. This header is included before any X header and gives
// those values second names that the macros cannot reach.
#pragma once

#include "platform/WindowSystem.h"

namespace platform::x11 {

inline constexpr InputKind kExposeInput = InputKind::Expose;
inline constexpr InputKind kFocusInInput = InputKind::FocusIn;
inline constexpr InputKind kFocusOutInput = InputKind::FocusOut;
inline constexpr MouseButton kNoButton = MouseButton::None;
using PointerShape = CursorShape;

} // namespace platform::x11
