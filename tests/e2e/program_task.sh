#!/bin/sh
# The real program on a private X server with a window manager, in dry-run mode with private
# settings and autostart folders: a 1-minute countdown with the warning is set up by clicking,
# the settings file holds exactly the changed keys after each click, Auto-run writes and removes
# the autostart entry, Start sends the window away, the warning window appears, the dry-run log
# records the shutdown, and a second copy exits with its message.
#   program_task.sh PROGRAM ARTEFACTS_FOLDER
set -u

# shellcheck source=SCRIPTDIR/lib/desktop.sh
. "$(dirname "$0")/lib/desktop.sh"
desktop_test "$@"
entry="$XDG_CONFIG_HOME/autostart/Vesperon.desktop"

start_desktop
launch_program "no window titled \"Vesperon V2.4(Timer)\""

click "$window" 232 73 # Degression
expect_ini '[CB]\nRBFS=0' "choosing Degression"
click "$window" 58 108 # the minutes edit, then its text replaced by 1
xdotool key ctrl+a
xdotool type --delay 30 "1"
sleep 0.3
expect_ini '[CB]\nRBFS=0\n[Set]\nFZ=1' "typing 1 minute"
click "$window" 85 239 # 30 seconds to warn
expect_ini '[CB]\nRBFS=0\nWarn=1\n[Set]\nFZ=1' "ticking the warning"

click "$window" 36 24 # Auto-run on
[ -f "$entry" ] || fail "ticking Auto-run wrote no autostart entry"
grep -qx "Exec=\"$(readlink -f "$program")\" au" "$entry" || fail "autostart Exec: $(grep Exec "$entry")"
expect_ini '[CB]\nRBFS=0\nWarn=1\nAutoRun=1\n[Set]\nFZ=1' "ticking Auto-run"
click "$window" 36 24 # Auto-run off
[ ! -e "$entry" ] || fail "unticking Auto-run left the autostart entry"
expect_ini '[CB]\nRBFS=0\nWarn=1\nAutoRun=0\n[Set]\nFZ=1' "unticking Auto-run"

click "$window" 246 260 # Start
sleep 1
main_window_gone || fail "the main window stayed on screen after Start"
[ ! -s "$log" ] || fail "an action was requested right after Start"

# The warning window comes 30 seconds before the target.
wait_for 400 warning_shown || fail "no warning window"
picture "$warning" program_task_warning

wait_for 450 test -s "$log" || fail "the dry-run log recorded no action"
cat "$log"
grep -q "action 1: login1 PowerOff" "$log" || fail "the action is not the shutdown request"

# A second copy shows its message box (caption "Vesperon") and ends with code 0 once answered.
start second "$program" --dry-run
second_pid=$started_pid
answer_box Return "the second copy showed no message"
wait_for 50 ended "$second_pid" || fail "the second copy did not end"
collect "$second_pid"
[ "$status" = "0" ] || fail "the second copy did not end with code 0 (status '$status')"
running "$program_pid" || fail "the first copy ended"
echo "PASS"
