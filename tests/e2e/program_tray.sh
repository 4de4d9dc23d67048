#!/bin/sh
# The real program's notification-area icon on a private session bus with a small watcher
# (tools/sni_watcher), on a private X server with a window manager, in dry-run mode with
# private settings: the item registers with the watcher, its tooltip carries the title and,
# once Start armed a countdown, the countdown line; Activate brings the main window back;
# ContextMenu opens the tray menu; a restarted watcher gets the item registered again.
#   program_tray.sh PROGRAM ARTEFACTS_FOLDER
set -u

# shellcheck source=SCRIPTDIR/lib/tray_session.sh
. "$(dirname "$0")/lib/tray_session.sh"

start_watcher
start_display

"$program" --dry-run="$work/dry-run.log" >"$work/program.out" 2>&1 &
program_pid=$!

wait_for 100 shown || fail "no main window"

item="org.kde.StatusNotifierItem-$program_pid-1"
wait_for 50 grep -qx "$item" "$work/registered" || fail "$item did not register; the watcher heard:
$(cat "$work/registered")"
bus status "$item" >/dev/null 2>&1 || fail "$item is not on the bus"

tip=$(tooltip "$item")
echo "$tip" | grep -q '"Vesperon (Timer)"' || fail "the tooltip is $tip"

# Start arms the countdown and sends the window to the tray.
xdotool mousemove --window "$window" 246 260 click 1
wait_for 30 sh -c '! xdotool search --onlyvisible --name "^Vesperon V2\\.4\\(Timer\\)\$" >/dev/null 2>&1' ||
    fail "the main window stayed on screen after Start"
counting() {
    tip=$(tooltip "$item")
    echo "$tip" | grep -q '"Vesperon (Timer)" "Will be Shutdown: '
}
wait_for 30 counting || fail "the tooltip during the countdown is $tip"
echo "tooltip while armed: $tip"

# Activate (a left click in the host) restores the main window.
bus call "$item" /StatusNotifierItem org.kde.StatusNotifierItem Activate ii 0 0 ||
    fail "Activate was refused"
wait_for 30 shown || fail "Activate did not bring the main window back"

# ContextMenu (a right click in the host) opens the tray menu at the given point.
open_tray_menu
"$(dirname "$program")/../tools/x11shot" "$artefacts/program_tray_menu.png" --window "$menu_window" 2>/dev/null
xdotool key Escape

# A watcher that starts again knows no items: the program registers its icon anew.
stop_watcher
start_watcher
wait_for 50 item_of_program >/dev/null || fail "the item did not register with the new watcher"
again=$(item_of_program)
tip=$(tooltip "$again")
echo "$tip" | grep -q '"Vesperon (Timer)"' || fail "the re-registered item's tooltip is $tip"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended"
echo "PASS"
