#!/bin/sh
# The notification area coming up after the program, as at log-on: the real program, started
# by its log-on entry ("au") in dry-run mode with private settings, finds no watcher on its
# private session bus and goes to the taskbar minimised; when the watcher starts, the icon
# registers with it (tooltip included), the minimised window leaves the taskbar for the tray,
# and Activate brings it back.
#   program_tray_late.sh PROGRAM ARTEFACTS_FOLDER
set -u

# shellcheck source=SCRIPTDIR/lib/desktop.sh
. "$(dirname "$0")/lib/desktop.sh"
# shellcheck source=SCRIPTDIR/lib/tray_session.sh
. "$(dirname "$0")/lib/tray_session.sh"
tray_test "$@"
start_desktop
start_program au --dry-run="$log"

# The main window's window-manager state.
state_has() {
    xprop -id "$window" _NET_WM_STATE 2>/dev/null | grep -q "$1"
}
wait_for 100 main_window_exists || fail "no main window"
wait_for 50 state_has _NET_WM_STATE_HIDDEN || fail "the program started by its log-on entry was not minimised"
state_has _NET_WM_STATE_SKIP_TASKBAR && fail "without a tray, the minimised program left the taskbar"
bus list 2>/dev/null | grep -q "org\\.kde\\.StatusNotifierItem-" && fail "an item is on the bus without a watcher"

# The panel comes up: its watcher gets the icon.
start_watcher
wait_for 50 item_registered || fail "the icon did not register with the watcher that started later"
tooltip_has '"Vesperon (Timer)"' || fail "the tooltip is $tip"
wait_for 30 state_has _NET_WM_STATE_SKIP_TASKBAR || fail "the minimised program stayed on the taskbar"

activate_item
running "$program_pid" || fail "the program ended"
echo "PASS"
