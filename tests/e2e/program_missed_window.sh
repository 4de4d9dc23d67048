#!/bin/sh
# The real program in dry-run mode with an appointed time 20 seconds ahead and no warning,
# armed by Start, then held (SIGSTOP) from 4 seconds before the time until 7 seconds after it,
# as a computer asleep or busy through the first seconds after the target: once it runs again
# the action is requested, and only once.
#   program_missed_window.sh PROGRAM ARTEFACTS_FOLDER
set -u

# shellcheck source=SCRIPTDIR/lib/desktop.sh
. "$(dirname "$0")/lib/desktop.sh"
desktop_test "$@"
start_appointed_task 20 '' 5

hold_program $((target - 4)) $((target + 7))
wait_for 50 test -s "$log" || fail "no request after the program was held up past its time"
sleep 3
cat "$log"
[ "$(requests_in "$log")" = 1 ] || fail "the action was requested $(requests_in "$log") times"
grep -q "action 1: login1 PowerOff" "$log" || fail "the action is not the shutdown request"
echo "PASS"
