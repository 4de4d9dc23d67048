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

. "$(dirname "$0")/lib/desktop.sh"
need_tools Xvfb xdotool openbox xprop

private_home
entry="$XDG_CONFIG_HOME/autostart/Vesperon.desktop"
log="$work/dry-run.log"
start_desktop

start_program --dry-run="$log"
window=""
wait_for 50 main_window_shown || fail "no window titled \"$title\""

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
[ -z "$(main_window)" ] || fail "the main window stayed on screen after Start"
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
track $second_pid
answer_box Return
wait_exit "$second_pid" || fail "the second copy did not end"
[ "$exit_status" = "0" ] || fail "the second copy did not end with code 0 (status '$exit_status')"
kill -0 "$program_pid" 2>/dev/null || fail "the first copy ended"
echo "PASS"
