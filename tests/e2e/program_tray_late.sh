#!/bin/sh
# The notification area coming up after the program, as at log-on: the real program, started
# by its log-on entry ("au") in dry-run mode with private settings, finds no watcher on its
# private session bus and goes to the taskbar minimised; when the watcher starts, the icon
# registers with it (tooltip included), the minimised window leaves the taskbar for the tray,
# and Activate brings it back.
#   program_tray_late.sh PROGRAM ARTEFACTS_FOLDER
set -u

# shellcheck source=SCRIPTDIR/lib/tray_session.sh
. "$(dirname "$0")/lib/tray_session.sh"

start_display

"$program" au --dry-run="$work/dry-run.log" >"$work/program.out" 2>&1 &
program_pid=$!

# The main window, shown or minimised, and its window-manager state.
any_main_window() {
    window=$(xdotool search --all --pid "$program_pid" --name "$main_window_title" 2>/dev/null | head -n 1)
    [ -n "$window" ]
}
state_has() {
    xprop -id "$window" _NET_WM_STATE 2>/dev/null | grep -q "$1"
}
wait_for 100 any_main_window || fail "no main window"
wait_for 50 state_has _NET_WM_STATE_HIDDEN || fail "the program started by its log-on entry was not minimised"
state_has _NET_WM_STATE_SKIP_TASKBAR && fail "without a tray, the minimised program left the taskbar"
bus list 2>/dev/null | grep -q "org\\.kde\\.StatusNotifierItem-" && fail "an item is on the bus without a watcher"

# The panel comes up: its watcher gets the icon.
start_watcher
wait_for 50 item_of_program >/dev/null || fail "the icon did not register with the watcher that started later"
item=$(item_of_program)
tip=$(tooltip "$item")
echo "$tip" | grep -q '"Vesperon (Timer)"' || fail "the tooltip is $tip"
wait_for 30 state_has _NET_WM_STATE_SKIP_TASKBAR || fail "the minimised program stayed on the taskbar"

bus call "$item" /StatusNotifierItem org.kde.StatusNotifierItem Activate ii 0 0 ||
    fail "Activate was refused"
wait_for 30 shown || fail "Activate did not bring the main window back"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended"
echo "PASS"
