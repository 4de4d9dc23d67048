#!/bin/sh
# The program on a private X server with a window manager: its window is found by title,
# has the main window's size, placement and identity, takes the focus on a click, receives
# typed keys, closes through the window manager's close request, and the program then ends
# cleanly. A screenshot of the window is kept.
#   x11_window.sh PROGRAM ARTEFACTS_FOLDER
set -u

# shellcheck source=SCRIPTDIR/lib/desktop.sh
. "$(dirname "$0")/lib/desktop.sh"
desktop_test "$@"

start_desktop
start_program --dry-run
wait_for 100 main_window_exists || fail "no window titled \"Vesperon V2.4(Timer)\""

geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry"
echo "$geometry" | grep -q "Geometry: 486x302" || fail "client area is not 486x302"
# Centred: the client area at (269,233) or, when the window manager places the frame there,
# offset by the frame's border and title bar.
x=$(echo "$geometry" | sed -n 's/.*Position: \([0-9-]*\),.*/\1/p')
y=$(echo "$geometry" | sed -n 's/.*Position: [0-9-]*,\([0-9-]*\).*/\1/p')
{ [ "$x" -ge 269 ] && [ "$x" -le 277 ] && [ "$y" -ge 233 ] && [ "$y" -le 265 ]; } ||
    fail "window at $x,$y is not centred on the 1024x768 screen"
xprop -id "$window" WM_CLASS | grep -q '"vesperon", "Vesperon"' || fail "WM_CLASS"
xprop -id "$window" _NET_WM_PID | grep -q "= $program_pid\$" || fail "_NET_WM_PID"
xprop -id "$window" _NET_WM_STATE | grep -q "_NET_WM_STATE_ABOVE" || fail "not always on top"

# Another window takes the focus, then a click gives it back to the program's window.
xdotool mousemove 5 5 click 1
click "$window" 240 150
[ "$(xdotool getactivewindow)" = "$window" ] || fail "the click did not activate the window"
xdotool type --delay 20 "12"
xdotool key Tab Return
running "$program_pid" || fail "the program ended while handling input"

"$tools/x11shot" "$artefacts/x11_window.png" --window "$window" || fail "no screenshot"
echo "screenshot: $artefacts/x11_window.png"

# The window manager's close (Alt+F4) sends the close request; the program asks "Are you sure
# to exit?" (Yes is the focused first button) and the main window closing ends the program.
xdotool key alt+F4
answer_box Return "no exit question"
wait_for 100 ended "$program_pid" || fail "the program did not end after the close request"
collect "$program_pid"
[ "$status" -eq 0 ] || fail "the program ended with status $status"
cat "$work/program.out"
echo "PASS"
