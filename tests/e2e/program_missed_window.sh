#!/bin/sh
# The real program in dry-run mode with an appointed time 20 seconds ahead and no warning,
# armed by Start, then held (SIGSTOP) from 4 seconds before the time until 7 seconds after it,
# as a computer asleep or busy through the first seconds after the target: once it runs again
# the action is requested, and only once.
#   program_missed_window.sh PROGRAM ARTEFACTS_FOLDER
set -u

program=$1
. "$(dirname "$0")/lib/desktop.sh"

require_tools Xvfb xdotool openbox xprop
use_private_home
export LC_ALL=C
log="$work/dry-run.log"
target=$(($(date +%s) + 20))
{
    printf '[Set]\n'
    appointed_keys "$target"
} >"$ini"

start_desktop
start_program --dry-run="$log"
wait_for 100 main_window_shown || fail "no main window"
click "$window" 246 260 # Start
wait_for 30 main_window_gone || fail "the main window stayed on screen after Start"
[ "$(date +%s)" -lt $((target - 5)) ] || fail "the task was armed too late for the test"

sleep_until $((target - 4))
kill -STOP "$program_pid"
sleep_until $((target + 7))
kill -CONT "$program_pid"

wait_for 50 test -s "$log" || fail "no request after the program was held up past its time"
sleep 3
cat "$log"
[ "$(requests_in "$log")" = 1 ] || fail "the action was requested $(requests_in "$log") times"
grep -q "action 1: login1 PowerOff" "$log" || fail "the action is not the shutdown request"
echo "PASS"
