#!/bin/sh
# The real program on a private X server with a window manager, in dry-run mode with private
# settings and autostart folders: a 1-minute countdown with the warning is set up by clicking,
# the settings file holds exactly the changed keys after each click, Auto-run writes and removes
# the autostart entry, Start sends the window away, the warning window appears, the dry-run log
# records the shutdown, and a second copy exits with its message.
#   program_task.sh PROGRAM ARTEFACTS_FOLDER
set -u

program=$1
artefacts=$2
title="Vesperon V2.4(Timer)"

for tool in Xvfb xdotool openbox xprop; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 0
    fi
done

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
program_pid=""
second_pid=""
cleanup() {
    for pid in $second_pid $program_pid $wm_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

fail() {
    echo "FAIL: $*"
    [ -f "$work/program.out" ] && cat "$work/program.out"
    exit 1
}

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
# No session bus: the notification area is absent, as on a bare window manager.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$artefacts"
chmod 700 "$XDG_RUNTIME_DIR"
ini="$XDG_CONFIG_HOME/Vesperon/Vesperon.ini"
entry="$XDG_CONFIG_HOME/autostart/Vesperon.desktop"
log="$work/dry-run.log"

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

"$program" --dry-run="$log" >"$work/program.out" 2>&1 &
program_pid=$!

find_window() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1
}
window=""
for _ in $(seq 100); do
    window=$(find_window "^Vesperon V2\\.4\\(Timer\\)\$")
    [ -n "$window" ] && break
    sleep 0.05
done
[ -n "$window" ] || fail "no window titled \"$title\""

# Clicks at client coordinates of the main window, then lets the program store the key.
click() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
    sleep 0.3
}
expect_ini() {
    expected=$(printf "$1")
    actual=$(cat "$ini" 2>/dev/null)
    [ "$actual" = "$expected" ] || fail "after $2 the settings file holds:
$actual
instead of:
$expected"
}

click 232 73 # Degression
expect_ini '[CB]\nRBFS=0' "choosing Degression"
click 58 108 # the minutes edit, then its text replaced by 1
xdotool key ctrl+a
xdotool type --delay 30 "1"
sleep 0.3
expect_ini '[CB]\nRBFS=0\n[Set]\nFZ=1' "typing 1 minute"
click 85 239 # 30 seconds to warn
expect_ini '[CB]\nRBFS=0\nWarn=1\n[Set]\nFZ=1' "ticking the warning"

click 36 24 # Auto-run on
[ -f "$entry" ] || fail "ticking Auto-run wrote no autostart entry"
grep -qx "Exec=\"$(readlink -f "$program")\" au" "$entry" || fail "autostart Exec: $(grep Exec "$entry")"
expect_ini '[CB]\nRBFS=0\nWarn=1\nAutoRun=1\n[Set]\nFZ=1' "ticking Auto-run"
click 36 24 # Auto-run off
[ ! -e "$entry" ] || fail "unticking Auto-run left the autostart entry"
expect_ini '[CB]\nRBFS=0\nWarn=1\nAutoRun=0\n[Set]\nFZ=1' "unticking Auto-run"

click 246 260 # Start
sleep 1
[ -z "$(find_window "^Vesperon V2\\.4\\(Timer\\)\$")" ] || fail "the main window stayed on screen after Start"
[ ! -s "$log" ] || fail "an action was requested right after Start"

# The warning window (no title) comes 30 seconds before the target.
warning=""
for _ in $(seq 400); do
    for candidate in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        geometry=$(xdotool getwindowgeometry "$candidate")
        echo "$geometry" | grep -q "Geometry: 418x115" && warning=$candidate
    done
    [ -n "$warning" ] && break
    sleep 0.1
done
[ -n "$warning" ] || fail "no warning window"
"$(dirname "$program")/../tools/x11shot" "$artefacts/program_task_warning.png" --window "$warning" 2>/dev/null

for _ in $(seq 450); do
    [ -s "$log" ] && break
    sleep 0.1
done
[ -s "$log" ] || fail "the dry-run log recorded no action"
cat "$log"
grep -q "action 1: login1 PowerOff" "$log" || fail "the action is not the shutdown request"

# A second copy shows its message box (caption "Vesperon") and ends with code 0 once answered.
"$program" --dry-run >"$work/second.out" 2>&1 &
second_pid=$!
box=""
for _ in $(seq 100); do
    box=$(find_window "^Vesperon\$")
    [ -n "$box" ] && break
    sleep 0.05
done
[ -n "$box" ] || fail "the second copy showed no message"
xdotool windowactivate --sync "$box" 2>/dev/null
xdotool key Return
status=""
for _ in $(seq 100); do
    if ! kill -0 "$second_pid" 2>/dev/null; then
        wait "$second_pid"
        status=$?
        second_pid=""
        break
    fi
    sleep 0.05
done
[ "$status" = "0" ] || fail "the second copy did not end with code 0 (status '$status')"
kill -0 "$program_pid" 2>/dev/null || fail "the first copy ended"
echo "PASS"
