# shellcheck shell=sh
# Helpers of the end-to-end scripts, sourced by them: a throw-away folder, private XDG folders
# and buses that lead nowhere, a private X server with a window manager, the program in
# dry-run mode, and its windows found, clicked, answered and pictured. Every process started
# here is ended, by its PID, when the script ends.
#   . "$(dirname "$0")/lib/desktop.sh"
#   desktop_test "$@"

main_title_pattern="^Vesperon V2\\.4\\(Timer\\)\$"

work=$(mktemp -d)
started_pids=""
# Remembers a process the script started, to end it with the script (the latest first).
track() {
    started_pids="$1 $started_pids"
}
untrack() {
    started_pids=$(echo " $started_pids " | sed "s/ $1 / /")
}
end_started() {
    for pid in $started_pids; do
        kill "$pid" 2>/dev/null
        # A process held with SIGSTOP would never see the TERM.
        kill -CONT "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap end_started EXIT INT TERM

# Skips the test when one of the tools is missing: a command not installed, or a program of the
# build (given by its path) not built.
require_tools() {
    for tool in "$@"; do
        case $tool in
        */*) [ -x "$tool" ] || skip "$tool is not built" ;;
        *) command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed" ;;
        esac
    done
}
skip() {
    echo "SKIP: $*"
    exit 0
}

# Ends the test as failed, with every *.out of the work folder (the programs' output).
fail() {
    echo "FAIL: $*"
    for log in "$work"/*.out; do
        [ -s "$log" ] && echo "--- $(basename "$log")" && cat "$log"
    done
    exit 1
}

# Waits up to $1 tenths of a second for the command in the remaining arguments to succeed.
wait_for() {
    tries=$1
    shift
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# HOME and the XDG folders inside the work folder. Sets $ini to the settings file.
use_private_home() {
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p "$XDG_CONFIG_HOME/Vesperon" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    ini="$XDG_CONFIG_HOME/Vesperon/Vesperon.ini"
}

# The ground of a test of the program, from the test's arguments (PROGRAM ARTEFACTS_FOLDER):
# skips without the X tools; sets $program, $artefacts, $tools (the build's helper programs) and
# $log (the dry-run log); a private home, and no session bus and no system bus, so that the
# program reaches nothing of the desktop it may be started from.
desktop_test() {
    program=$1
    artefacts=$2
    tools="$(dirname "$program")/../tools"
    log="$work/dry-run.log"
    require_tools Xvfb xdotool openbox xprop
    use_private_home
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
    export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/no-system-bus"
    mkdir -p "$artefacts"
}

# A private X server (the server picks a free display); sets $DISPLAY.
start_xserver() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    track $!
    wait_for 100 test -s "$work/display" || fail "Xvfb did not start"
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
}

# A private X server with openbox as its window manager.
start_desktop() {
    start_xserver
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    track $!
    wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
    sleep 0.3 # openbox announces itself before it has finished taking over the screen
}

# Starts the command in the remaining arguments with its output in $work/$1.out; sets
# $started_pid. The output file is emptied first, so that a wait on it never reads what an
# earlier run wrote before the new one has opened it.
start() {
    name=$1
    shift
    : >"$work/$name.out"
    "$@" >"$work/$name.out" 2>&1 &
    started_pid=$!
    track "$started_pid"
}

# Starts the program with the arguments given, its output in $work/program.out; sets
# $program_pid.
start_program() {
    start program "$program" "$@"
    program_pid=$started_pid
}

# Starts the program in dry-run mode (its requests in $log) and waits for its main window,
# failing with $1 (or "no main window") when none comes.
# shellcheck disable=SC2120 # the message is optional
launch_program() {
    start_program --dry-run="$log"
    wait_for 100 main_window_shown || fail "${1:-no main window}"
}

# Whether the process $1 still runs (or has ended).
running() {
    kill -0 "$1" 2>/dev/null
}
ended() {
    ! running "$1"
}

# Collects a started process that has ended: sets $status to its exit code and forgets its PID.
collect() {
    wait "$1" 2>/dev/null
    # shellcheck disable=SC2034 # for the script
    status=$?
    untrack "$1"
}

# Arms a task at an appointed time $1 seconds ahead by Start on the main window: the settings
# hold the keys $2 (\n escapes, written before [Set]) and the date and time in the forms of the
# C locale, which the program is given too. Sets $target; fails when the task was armed less
# than $3 seconds before it.
start_appointed_task() {
    export LC_ALL=C
    target=$(($(date +%s) + $1))
    printf '%b[Set]\nRQ=%s\nSJ=%s\n' "$2" "$(date -d "@$target" +%m/%d/%Y)" \
        "$(date -d "@$target" +%H:%M:%S)" >"$ini"
    start_desktop
    launch_program
    press_start
    [ "$(date +%s)" -lt $((target - $3)) ] || fail "the task was armed too late for the test"
}

# Holds the program (SIGSTOP, as a computer asleep) from second $1 to second $2 since the epoch.
hold_program() {
    sleep_until "$1"
    kill -STOP "$program_pid"
    sleep_until "$2"
    kill -CONT "$program_pid"
}

# The first visible window whose title matches the pattern (empty when there is none).
find_window() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

# Whether the main window is shown (sets $window), or gone.
main_window_shown() {
    window=$(find_window "$main_title_pattern")
    [ -n "$window" ]
}
main_window_gone() {
    [ -z "$(find_window "$main_title_pattern")" ]
}
# Whether the main window exists, shown or not; sets $window.
main_window_exists() {
    window=$(xdotool search --name "$main_title_pattern" 2>/dev/null | head -n 1)
    [ -n "$window" ]
}

# The program's visible warning window (no title; known by its 418x115 client area); sets
# $warning.
warning_shown() {
    warning=""
    for candidate in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        xdotool getwindowgeometry "$candidate" | grep -q "Geometry: 418x115" && warning=$candidate
    done
    [ -n "$warning" ]
}

# A message box of the program (titled "Vesperon"); sets $box.
box_shown() {
    box=$(find_window "^Vesperon\$")
    [ -n "$box" ]
}

# Answers the program's message box with the key $1, failing with $2 (or a message naming the
# key) when no box comes.
answer_box() {
    wait_for 100 box_shown || fail "${2:-no message box to answer with $1}"
    xdotool windowactivate --sync "$box" 2>/dev/null
    xdotool key "$1"
}

# Clicks at client coordinates of a window, then gives the program time to handle it.
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.3
}

# Start on the main window: the task is armed and the window goes away.
press_start() {
    click "$window" 246 260
    wait_for 30 main_window_gone || fail "the main window stayed on screen after Start"
}

# Keeps a picture of the window $1 as $artefacts/$2.png, for a look after the run.
picture() {
    "$tools/x11shot" "$artefacts/$2.png" --window "$1" 2>/dev/null
}

# The number of requests in the dry-run log $1 (0 when there is none).
requests_in() {
    if [ -f "$1" ]; then
        wc -l <"$1" | tr -d ' '
    else
        echo 0
    fi
}

# Checks that the settings file holds exactly $1 (with \n escapes) after the step $2.
expect_ini() {
    expected=$(printf '%b' "$1")
    actual=$(cat "$ini" 2>/dev/null)
    [ "$actual" = "$expected" ] || fail "after $2 the settings file holds:
$actual
instead of:
$expected"
}

# Sleeps until the given second since the epoch.
sleep_until() {
    while [ "$(date +%s)" -lt "$1" ]; do
        sleep 0.2
    done
}
