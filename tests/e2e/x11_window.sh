#!/bin/sh
# The program on a private X server with a window manager: its window is found by title,
# has the main window's size, placement and identity, takes the focus on a click, receives
# typed keys, closes through the window manager's close request, and the program then ends
# cleanly. A screenshot of the window is kept.
#   x11_window.sh PROGRAM ARTEFACTS_FOLDER
set -u

program=$1
artefacts=$2
shot_tool="$(dirname "$program")/../tools/x11shot"
title="Vesperon V2.4(Timer)"

for tool in Xvfb xdotool openbox; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 0
    fi
done

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
program_pid=""
cleanup() {
    for pid in $program_pid $wm_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

fail() {
    echo "FAIL: $*"
    exit 1
}

# A private, throw-away desktop: the display number is picked by the server itself.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
# No session bus: the program never reaches the desktop session it may be started from.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$artefacts"
chmod 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.05
done
sleep 0.3 # openbox announces itself before it has finished taking over the screen

"$program" --dry-run >"$work/program.out" 2>&1 &
program_pid=$!

window=""
for _ in $(seq 100); do
    window=$(xdotool search --name "^$(printf '%s' "$title" | sed 's/[().]/\\&/g')\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.05
done
[ -n "$window" ] || fail "no window titled \"$title\""

geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry"
echo "$geometry" | grep -q "Geometry: 486x302" || fail "client area is not 486x302"
# Centred: the client area at (269,233) or, when the window manager places the frame there,
# offset by the frame's border and title bar.
x=$(echo "$geometry" | sed -n 's/.*Position: \([0-9-]*\),.*/\1/p')
y=$(echo "$geometry" | sed -n 's/.*Position: [0-9-]*,\([0-9-]*\).*/\1/p')
[ "$x" -ge 269 ] && [ "$x" -le 277 ] && [ "$y" -ge 233 ] && [ "$y" -le 265 ] ||
    fail "window at $x,$y is not centred on the 1024x768 screen"
xprop -id "$window" WM_CLASS | grep -q '"vesperon", "Vesperon"' || fail "WM_CLASS"
xprop -id "$window" _NET_WM_PID | grep -q "= $program_pid\$" || fail "_NET_WM_PID"
xprop -id "$window" _NET_WM_STATE | grep -q "_NET_WM_STATE_ABOVE" || fail "not always on top"

# Another window takes the focus, then a click gives it back to the program's window.
xdotool mousemove 5 5 click 1
xdotool mousemove --window "$window" 240 150 click 1
sleep 0.3
[ "$(xdotool getactivewindow)" = "$window" ] || fail "the click did not activate the window"
xdotool type --delay 20 "12"
xdotool key Tab Return
kill -0 "$program_pid" 2>/dev/null || fail "the program ended while handling input"

"$shot_tool" "$artefacts/x11_window.png" --window "$window" || fail "no screenshot"
echo "screenshot: $artefacts/x11_window.png"

# The window manager's close (Alt+F4) sends the close request; the program asks "Are you sure
# to exit?" (Yes is the focused first button) and the main window closing ends the program.
xdotool key alt+F4
for _ in $(seq 100); do
    box=$(xdotool search --onlyvisible --name "^Vesperon\$" 2>/dev/null | head -n 1)
    [ -n "$box" ] && break
    sleep 0.05
done
[ -n "$box" ] || fail "no exit question"
xdotool windowactivate --sync "$box" 2>/dev/null
xdotool key Return
status=""
for _ in $(seq 100); do
    if ! kill -0 "$program_pid" 2>/dev/null; then
        wait "$program_pid"
        status=$?
        program_pid=""
        break
    fi
    sleep 0.05
done
[ -n "$status" ] || fail "the program did not end after the close request"
[ "$status" -eq 0 ] || fail "the program ended with status $status"
cat "$work/program.out"
echo "PASS"
