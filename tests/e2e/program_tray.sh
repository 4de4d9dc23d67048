#!/bin/sh
# The real program's notification-area icon on a private session bus with a small watcher
# (tools/sni_watcher), on a private X server with a window manager, in dry-run mode with
# private settings: the item registers with the watcher, its tooltip carries the title and,
# once Start armed a countdown, the countdown line; Activate brings the main window back;
# ContextMenu opens the tray menu; a restarted watcher gets the item registered again.
#   program_tray.sh PROGRAM ARTEFACTS_FOLDER
set -u

# shellcheck source=SCRIPTDIR/lib/desktop.sh
. "$(dirname "$0")/lib/desktop.sh"
# shellcheck source=SCRIPTDIR/lib/tray_session.sh
. "$(dirname "$0")/lib/tray_session.sh"
tray_test "$@"
start_watcher
start_desktop
launch_program

wait_for 50 item_registered 1 || fail "org.kde.StatusNotifierItem-$program_pid-1 did not register; the watcher heard:
$(cat "$work/registered")"
bus status "$item" >/dev/null 2>&1 || fail "$item is not on the bus"
tooltip_has '"Vesperon (Timer)"' || fail "the tooltip is $tip"

# Start arms the countdown and sends the window to the tray.
press_start
wait_for 30 tooltip_has '"Vesperon (Timer)" "Will be Shutdown: ' || fail "the tooltip during the countdown is $tip"
echo "tooltip while armed: $tip"

# Activate restores the main window; ContextMenu opens the tray menu.
activate_item
open_tray_menu
picture "$menu_window" program_tray_menu
xdotool key Escape

# A watcher that starts again knows no items: the program registers its icon anew.
stop_watcher
start_watcher
wait_for 50 item_registered || fail "the item did not register with the new watcher"
tooltip_has '"Vesperon (Timer)"' || fail "the re-registered item's tooltip is $tip"
running "$program_pid" || fail "the program ended"
echo "PASS"
