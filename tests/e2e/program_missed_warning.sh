#!/bin/sh
# The real program in dry-run mode with an appointed time 50 seconds ahead and the warning on,
# armed by Start, then held (SIGSTOP) from 34 seconds before the time, through the moment the
# warning was due, until 6 seconds after it, as a computer asleep: once it runs again the
# warning window comes with its full 30 seconds, no action is requested while it counts, and
# Cancel brings the main window back with nothing requested.
#   program_missed_warning.sh PROGRAM ARTEFACTS_FOLDER
set -u

program=$1
artefacts=$2
. "$(dirname "$0")/lib/desktop.sh"

require_tools Xvfb xdotool openbox xprop
use_private_home
mkdir -p "$artefacts"
export LC_ALL=C
log="$work/dry-run.log"
target=$(($(date +%s) + 50))
{
    printf '[CB]\nWarn=1\n[Set]\n'
    appointed_keys "$target"
} >"$ini"

start_desktop
start_program --dry-run="$log"
wait_for 100 main_window_shown || fail "no main window"
click "$window" 246 260 # Start
wait_for 30 main_window_gone || fail "the main window stayed on screen after Start"
[ "$(date +%s)" -lt $((target - 36)) ] || fail "the task was armed too late for the test"

sleep_until $((target - 34))
kill -STOP "$program_pid"
sleep_until $((target + 6))
kill -CONT "$program_pid"

wait_for 50 warning_shown || fail "no warning window after the program was held up past its time"
"$(dirname "$program")/../tools/x11shot" "$artefacts/program_missed_warning.png" --window "$warning" 2>/dev/null
# A count of the seconds since the time would have ended by now.
sleep_until $((target + 16))
[ ! -s "$log" ] || fail "the action was requested while the warning counted: $(cat "$log")"
warning_shown || fail "the warning window went away by itself"

click "$warning" 210 92 # Cancel
wait_for 30 main_window_shown || fail "Cancel did not bring the main window back"
warning_shown && fail "the warning window stayed after Cancel"
sleep 2
[ ! -s "$log" ] || fail "the action was requested after Cancel: $(cat "$log")"
echo "PASS"
