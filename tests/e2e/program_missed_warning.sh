#!/bin/sh
# The real program in dry-run mode with an appointed time 50 seconds ahead and the warning on,
# armed by Start, then held (SIGSTOP) from 34 seconds before the time, through the moment the
# warning was due, until 6 seconds after it, as a computer asleep: once it runs again the
# warning window comes with its full 30 seconds, no action is requested while it counts, and
# Cancel brings the main window back with nothing requested.
#   program_missed_warning.sh PROGRAM ARTEFACTS_FOLDER
set -u

# shellcheck source=SCRIPTDIR/lib/desktop.sh
. "$(dirname "$0")/lib/desktop.sh"
desktop_test "$@"
start_appointed_task 50 '[CB]\nWarn=1\n' 36

hold_program $((target - 34)) $((target + 6))
wait_for 50 warning_shown || fail "no warning window after the program was held up past its time"
picture "$warning" program_missed_warning
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
