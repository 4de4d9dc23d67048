#!/bin/sh
# The real program started by the log-on entry ("au") in dry-run mode, with Repeat and the
# warning on, an appointed time 40 seconds ahead and a stored date that does not read: it
# starts without a message box (one line on stderr instead), arms at once, and raises the
# warning window 30 seconds before the time. Cancel brings the main window back armed for the
# next day: neither the warning nor the action comes back at the time.
#   program_cancel_repeat.sh PROGRAM ARTEFACTS_FOLDER
set -u

# shellcheck source=SCRIPTDIR/lib/desktop.sh
. "$(dirname "$0")/lib/desktop.sh"
desktop_test "$@"
export LC_ALL=C
target=$(($(date +%s) + 40))
printf '[CB]\nCBCF=1\nWarn=1\n[Set]\nRQ=99/99/9999\nSJ=%s\n' "$(date -d "@$target" +%H:%M:%S)" >"$ini"

start_desktop
start_program au --dry-run="$log"
wait_for 100 main_window_exists || fail "no main window"
sleep 2
box_shown && fail "a message box stopped the start"
[ "$(grep -c "is not a valid date" "$work/program.out")" = 1 ] || fail "the unreadable date was not noted once"

wait_for 400 warning_shown || fail "no warning window"
[ "$(date +%s)" -lt $((target - 5)) ] || fail "the warning came too late for the test"
click "$warning" 210 92 # Cancel
wait_for 30 main_window_shown || fail "Cancel did not bring the main window back"
picture "$window" program_cancel_repeat

while [ "$(date +%s)" -lt $((target + 4)) ]; do
    warning_shown && fail "the warning came back after Cancel"
    sleep 0.5
done
[ ! -s "$log" ] || fail "the action was requested after Cancel: $(cat "$log")"
running "$program_pid" || fail "the program ended"
echo "PASS"
