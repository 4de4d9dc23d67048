#!/bin/sh
# The real program driven by other processes, on a private X server with a window manager and a
# private session bus with a small tray watcher, in dry-run mode with private settings and
# runtime folders: `--shutdown +1 --warn` from a second process arms the running copy (settings
# keys, tooltip, status pane), `--status` prints the task, `--cancel` stops it, refusals exit 2
# without a box; org.vesperon.Timer answers busctl and signals Changed; with no copy running,
# `--shutdown +1` starts one in the notification area in place of the socket a killed copy left.
#   program_control.sh PROGRAM ARTEFACTS_FOLDER
set -u

# shellcheck source=SCRIPTDIR/lib/desktop.sh
. "$(dirname "$0")/lib/desktop.sh"
# shellcheck source=SCRIPTDIR/lib/tray_session.sh
. "$(dirname "$0")/lib/tray_session.sh"
tray_test "$@"
require_tools "$tools/x11shot"
start_watcher
start_desktop

# The first status pane ("No task" / "Executing...") of the shown main window.
status_pane() {
    "$tools/x11shot" "$1" --window "$window" --area 129,283,120,19 || fail "no picture of the status pane"
}
# Runs the command line; its output, error output and exit code in $out, $err, $code.
command_line() {
    "$program" "$@" >"$work/command.stdout" 2>"$work/command.stderr"
    code=$?
    out=$(cat "$work/command.stdout")
    err=$(cat "$work/command.stderr")
}
expect() {
    { [ "$code" = "$1" ] && [ "$out" = "$2" ]; } ||
        fail "$3: exit code $code, output \"$out\", errors \"$err\" (expected $1, \"$2\")"
}
counting() {
    tooltip_has '"Vesperon (Timer)" "Will be Shutdown: 0 hours 0 minutes [0-9]* seconds"'
}
# Calls a method of the program's object on the session bus.
timer() {
    bus call org.vesperon.Timer /org/vesperon/Timer org.vesperon.Timer "$@"
}

launch_program
wait_for 50 item_registered 1 || fail "no tray item"
status_pane "$work/idle.png"

command_line --status
expect 1 "No task" "--status before a task"

# Armed from a second process: the keys of the changed settings, the tray, tooltip and status.
command_line --shutdown +1 --warn
echo "$out" | grep -Eqx "Shutdown at [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}, in 0:0(0:5[0-9]|1:00)" ||
    fail "--shutdown +1 --warn answered \"$out\" \"$err\" with $code"
[ "$code" = 0 ] || fail "--shutdown +1 --warn exit code $code"
expected=$(printf '[CB]\nRBFS=0\nWarn=1\n[Set]\nFZ=1')
[ "$(cat "$ini")" = "$expected" ] || fail "the settings file holds:
$(cat "$ini")"
wait_for 30 main_window_gone || fail "the main window stayed on screen"
wait_for 30 counting || fail "the tooltip while armed is $tip"
activate_item "the main window did not come back from the tray"
sleep 0.3
status_pane "$work/armed.png"
cmp -s "$work/idle.png" "$work/armed.png" && fail "the status pane still shows the idle text"
picture "$window" program_control_armed

command_line --status
{ echo "$out" | grep -Eqx "Shutdown at .*, in 0:00:[0-5][0-9]" && [ "$code" = 0 ]; } ||
    fail "--status while armed: \"$out\" with $code"

# The session bus: the object describes itself and answers Status, Arm and Cancel.
bus introspect org.vesperon.Timer /org/vesperon/Timer >"$work/introspect.txt" 2>&1 ||
    fail "org.vesperon.Timer is not on the bus"
for member in .Arm .Cancel .Status .Changed; do
    grep -q "^\\$member " "$work/introspect.txt" || fail "introspection lacks $member"
done
status=$(timer Status)
echo "$status" | grep -Eq '^bsxx true "Shutdown" [0-9]+ [0-9]+$' || fail "Status on the bus: $status"

command_line --cancel
expect 0 "" "--cancel"
command_line --status
expect 1 "No task" "--status after --cancel"
command_line --cancel
expect 1 "No task" "--cancel without a task"
sleep 0.3
status_pane "$work/idle-again.png"
cmp -s "$work/idle.png" "$work/idle-again.png" || fail "the status pane did not return to \"No task\""

timeout 10 busctl --address="$DBUS_SESSION_BUS_ADDRESS" monitor \
    --match "type='signal',interface='org.vesperon.Timer',member='Changed'" >"$work/changed.txt" 2>&1 &
monitor_pid=$!
track "$monitor_pid"
sleep 0.3
timer Arm ssb restart 2h false || fail "Arm on the bus was refused"
command_line --status
echo "$out" | grep -Eqx "Restart at .*, in 1:59:[0-5][0-9]" || fail "--status after Arm on the bus: \"$out\""
timer Cancel || fail "Cancel on the bus was refused"
refusal=$(timer Cancel 2>&1) &&
    fail "Cancel without a task succeeded"
echo "$refusal" | grep -q "No task" || fail "Cancel without a task said: $refusal"
changes() {
    [ "$(grep -c "Member=Changed" "$work/changed.txt")" = 2 ]
}
wait_for 30 changes || fail "Changed was not signalled once for Arm and once for Cancel:
$(cat "$work/changed.txt")"
kill "$monitor_pid"
collect "$monitor_pid"

# Refusals: exit code 2, one line on stderr, no message box, nothing armed.
command_line --hibernate "2020-01-01 10:00"
{ [ "$code" = 2 ] && [ "$err" = "The set time is overdue!" ]; } || fail "an overdue time: $code \"$out\" \"$err\""
before=$(cat "$ini")
command_line --restart 25:00
{ [ "$code" = 2 ] && [ "$(echo "$err" | wc -l)" = 1 ]; } || fail "a wrong time: $code \"$err\""
[ "$(cat "$ini")" = "$before" ] || fail "a wrong time changed the settings file"
for wrong in "--shutdown" "--shutdown --warn" "--warn" "--status --cancel" "--status=now" "--logoff +1 --cancel" \
    "--restart +1 --warn --no-warn"; do
    # shellcheck disable=SC2086 # each line is a command line of several arguments
    command_line $wrong
    { [ "$code" = 2 ] && [ -z "$out" ] && [ "$(echo "$err" | wc -l)" = 1 ]; } || fail "\"$wrong\": $code \"$out\" \"$err\""
done
[ "$(cat "$ini")" = "$before" ] || fail "a wrong command line changed the settings file"
sleep 0.3
box_shown && fail "a message box came up"
command_line --status
expect 1 "No task" "--status after the refusals"
[ ! -s "$log" ] || fail "an action was requested: $(cat "$log")"

# A killed copy leaves its socket; a command with no copy running starts one in the tray.
kill -9 "$program_pid"
collect "$program_pid"
[ -S "$XDG_RUNTIME_DIR/Vesperon.sock" ] || fail "the killed copy left no socket (nothing stale to replace)"
command_line --status
expect 3 "Not running" "--status with no copy running"

start started "$program" --dry-run="$log" --shutdown +1
program_pid=$started_pid
armed() {
    "$program" --status 2>/dev/null | grep -q "^Shutdown at "
}
wait_for 100 armed || fail "the copy started for the command did not arm it"
wait_for 50 item_registered 1 || fail "the started copy has no tray item"
wait_for 30 main_window_gone || fail "the started copy's window is on screen"
wait_for 30 counting || fail "the started copy's tooltip is $tip"
grep -Eq "^Shutdown at .*, in 0:0(0:5[0-9]|1:00)$" "$work/started.out" || fail "the started copy said: $(cat "$work/started.out")"
running "$program_pid" || fail "the started copy ended"
echo "PASS"
