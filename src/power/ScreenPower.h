// The Turn off the screen command.
#pragma once

namespace power {

// The monitor power state the command asks for: low power (1), not off (2).
inline constexpr int kMonitorLowPower = 1;

// Asks the display to go into its low-power state.
void CloseScreen();

} // namespace power
