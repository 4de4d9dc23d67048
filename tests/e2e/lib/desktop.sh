# Helpers of the end-to-end scripts, sourced by them: a throw-away folder, private XDG folders
# and buses that lead nowhere, a private X server with a window manager, the program in
# dry-run mode, and its windows found and clicked. Every process started here is ended, by
# its PID, when the script ends.
#   . "$(dirname "$0")/lib/desktop.sh"

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

# Skips the test when one of the tools is missing.
require_tools() {
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed"
            exit 0
        fi
    done
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

# HOME and the XDG folders inside the work folder; no session bus and no system bus, so the
# program reaches nothing of the desktop it may be started from. Sets $ini to the settings file.
use_private_home() {
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
    export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/no-system-bus"
    mkdir -p "$XDG_CONFIG_HOME/Vesperon" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    ini="$XDG_CONFIG_HOME/Vesperon/Vesperon.ini"
}

# A private X server (the server picks a free display) with openbox as its window manager.
start_desktop() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    track $!
    wait_for 100 test -s "$work/display" || fail "Xvfb did not start"
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    track $!
    wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
    sleep 0.3 # openbox announces itself before it has finished taking over the screen
}

# Starts the program with the arguments given, its output in $work/program.out; sets
# $program_pid.
start_program() {
    "$program" "$@" >"$work/program.out" 2>&1 &
    program_pid=$!
    track "$program_pid"
}

# The first visible window whose title matches the pattern (empty when there is none).
find_window() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

# Waits for the visible main window; sets $window.
main_window_shown() {
    window=$(find_window "$main_title_pattern")
    [ -n "$window" ]
}
main_window_gone() {
    [ -z "$(find_window "$main_title_pattern")" ]
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

# Clicks at client coordinates of a window, then gives the program time to handle it.
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.3
}

# The number of requests in the dry-run log $1 (0 when there is none).
requests_in() {
    if [ -f "$1" ]; then
        wc -l <"$1" | tr -d ' '
    else
        echo 0
    fi
}

# The date and time keys of the settings file for a moment in seconds since the epoch, in the
# forms of the C locale (export LC_ALL=C for the program).
appointed_keys() {
    printf 'RQ=%s\nSJ=%s\n' "$(date -d "@$1" +%m/%d/%Y)" "$(date -d "@$1" +%H:%M:%S)"
}

# Sleeps until the given second since the epoch.
sleep_until() {
    while [ "$(date +%s)" -lt "$1" ]; do
        sleep 0.2
    done
}
