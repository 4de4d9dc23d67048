#!/bin/sh
# The real program's notification-area icon on a private session bus with a small watcher
# (tools/sni_watcher), on a private X server with a window manager, in dry-run mode with
# private settings: the item registers with the watcher, its tooltip carries the title and,
# once Start armed a countdown, the countdown line; Activate brings the main window back;
# ContextMenu opens the tray menu; a restarted watcher gets the item registered again.
#   program_tray.sh PROGRAM ARTEFACTS_FOLDER
set -u

program=$1
artefacts=$2

. "$(dirname "$0")/lib/desktop.sh"
need_tools Xvfb xdotool openbox xprop dbus-daemon busctl timeout
need_watcher
fail_logs="$fail_logs watcher.err bus.log"

private_home
# A 30-minute countdown (Degression), so that Start arms a task far from its end.
printf '[CB]\nRBFS=0\n[Set]\nFZ=30\n' >"$ini"
start_session_bus

start_watcher
start_desktop

start_program --dry-run="$work/dry-run.log"
window=""
wait_for 100 main_window_shown || fail "no main window"

# The tooltip's title and text (its icon pixmap left out).
tooltip() {
    bus get-property "$1" /StatusNotifierItem org.kde.StatusNotifierItem ToolTip 2>&1 |
        sed 's/^(sa(iiay)ss) "[^"]*" [0-9 ]*//'
}
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
wait_for 30 main_window_shown || fail "Activate did not bring the main window back"

# ContextMenu (a right click in the host) opens the tray menu at the given point.
open_tray_menu
"$(dirname "$program")/../tools/x11shot" "$artefacts/program_tray_menu.png" --window "$menu_window" 2>/dev/null
xdotool key Escape

# A watcher that starts again knows no items: the program registers its icon anew.
stop_watcher
start_watcher
registered_again() {
    grep -q "^org\\.kde\\.StatusNotifierItem-$program_pid-" "$work/registered"
}
wait_for 50 registered_again || fail "the item did not register with the new watcher"
again=$(head -n 1 "$work/registered")
tip=$(tooltip "$again")
echo "$tip" | grep -q '"Vesperon (Timer)"' || fail "the re-registered item's tooltip is $tip"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended"
echo "PASS"
