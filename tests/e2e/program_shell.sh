#!/bin/sh
# The real program as a launcher and the log-on entry start it, on a private X server with a
# window manager and a private session bus with a small watcher (tools/sni_watcher), in
# dry-run mode with private settings: --help and --version answer and end; arguments it does
# not know (a launcher's %U, a file) are ignored with one line on stderr; started with "au"
# and Repeat on, it goes to the tray, and neither the start guard's message nor the tray
# menu's Exit answered No brings the main window back.
#   program_shell.sh PROGRAM ARTEFACTS_FOLDER
set -u

# shellcheck source=SCRIPTDIR/lib/desktop.sh
. "$(dirname "$0")/lib/desktop.sh"
# shellcheck source=SCRIPTDIR/lib/tray_session.sh
. "$(dirname "$0")/lib/tray_session.sh"
tray_test "$@"

"$program" --dry-run --help >"$work/help.out" 2>&1 || fail "--help ended with $?"
grep -q "^Usage: vesperon" "$work/help.out" || fail "--help printed: $(cat "$work/help.out")"
"$program" --dry-run --version >"$work/version.out" 2>&1 || fail "--version ended with $?"
grep -q "^Vesperon [0-9]" "$work/version.out" || fail "--version printed: $(cat "$work/version.out")"

# Auto-run and Repeat with a 5-minute countdown: the start guard refuses it with a message.
printf '[CB]\nAutoRun=1\nCBCF=1\nRBFS=0\n[Set]\nFZ=5\n' >"$ini"
start_watcher
start_desktop

start_program au --dry-run="$log" %U "$work/a file.txt"
wait_for 50 item_registered 1 || fail "the program did not start with unknown arguments"

ignored=$(grep -c "ignor" "$work/program.out")
[ "$ignored" = "1" ] || fail "the output says $ignored times that arguments are ignored"
grep "ignor" "$work/program.out" | grep -qF '"%U"' || fail "the ignored %U is not named"

# Fails when the main window comes back from the tray within two seconds.
stays_in_tray() {
    if wait_for 20 main_window_shown; then
        picture "$window" program_shell_restored
        fail "the main window came back from the tray after $1"
    fi
}
answer_box Return
stays_in_tray "the start guard's message"

# The tray menu's Exit (its last item) asks the exit question; No keeps the program running,
# and its window in the tray.
open_tray_menu
eval "$(xdotool getwindowgeometry --shell "$menu_window")"
xdotool mousemove $((X + 20)) $((Y + HEIGHT - 10))
sleep 0.2
xdotool click 1
answer_box n
stays_in_tray "Exit, No"
running "$program_pid" || fail "the program ended after Exit, No"
echo "PASS"
