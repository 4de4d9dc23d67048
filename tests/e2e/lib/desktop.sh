# The private desktop of an end-to-end test, sourced by the scripts in tests/e2e: a work
# folder, settings and runtime folders of the test's own, a private X server with a window
# manager, a private session bus when the test wants one, and every process the test starts
# ended by its id when the test ends (newest first, so the program goes before the window
# manager and the server).

work=$(mktemp -d)
started_pids=""
# Files in $work shown when the test fails.
fail_logs="program.out program.err"

cleanup() {
    for pid in $started_pids; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

fail() {
    echo "FAIL: $*"
    for log in $fail_logs; do
        [ -s "$work/$log" ] && echo "--- $log" && cat "$work/$log"
    done
    exit 1
}

# Skips the test when one of the tools is not installed.
need_tools() {
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed"
            exit 0
        fi
    done
}

# A process the test started, to be ended when the test ends.
track() {
    started_pids="$1 $started_pids"
}
untrack() {
    started_pids=$(echo " $started_pids " | sed "s/ $1 / /")
}
# Ends a tracked process now.
stop() {
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
    untrack "$1"
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

# Waits up to ten seconds for a tracked process to end; its status is left in $exit_status.
wait_exit() {
    exit_status=""
    for _ in $(seq 100); do
        if ! kill -0 "$1" 2>/dev/null; then
            wait "$1"
            exit_status=$?
            untrack "$1"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# HOME, the settings and autostart folders and the runtime folder, all inside $work, and no
# session bus (the program never reaches the desktop session it may be started from).
private_home() {
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
    mkdir -p "$HOME" "$XDG_CONFIG_HOME/Vesperon" "$XDG_RUNTIME_DIR" "$artefacts"
    chmod 700 "$XDG_RUNTIME_DIR"
    ini="$XDG_CONFIG_HOME/Vesperon/Vesperon.ini"
}

# Xvfb (the server picks its display number) and openbox on it.
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

# A session bus of the test's own (no service activation, nothing else on it), reached with
# `bus ARGS...` (busctl).
start_session_bus() {
    cat >"$work/bus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$work/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
    dbus-daemon --config-file="$work/bus.conf" --nofork --nopidfile >/dev/null 2>"$work/bus.log" &
    track $!
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
    wait_for 100 bus list >/dev/null 2>&1 || fail "the private session bus did not start"
}
bus() {
    timeout 5 busctl --address="$DBUS_SESSION_BUS_ADDRESS" "$@"
}

# The notification-area watcher of the tests (tools/sni_watcher) on the private session bus;
# the items that register with it are listed in $work/registered.
watcher_program="$(dirname "$program")/../tools/sni_watcher"
need_watcher() {
    if [ ! -x "$watcher_program" ]; then
        echo "SKIP: $watcher_program is not built"
        exit 0
    fi
}
start_watcher() {
    : >"$work/registered"
    "$watcher_program" >"$work/registered" 2>"$work/watcher.err" &
    watcher_pid=$!
    track $watcher_pid
    wait_for 50 grep -q ready "$work/watcher.err" || fail "the watcher did not start"
}
stop_watcher() {
    stop "$watcher_pid"
}

# ContextMenu (a right click in the host) on the program's item ($item) opens the tray menu
# at the given point; its window is left in $menu_window.
open_tray_menu() {
    before=$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | sort)
    bus call "$item" /StatusNotifierItem org.kde.StatusNotifierItem ContextMenu ii 400 300 ||
        fail "ContextMenu was refused"
    menu_window=""
    wait_for 30 menu_open || fail "ContextMenu opened no menu"
}
menu_open() {
    for candidate in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        echo "$before" | grep -qx "$candidate" || menu_window=$candidate
    done
    [ -n "$menu_window" ]
}

# Starts the program with the given arguments, its output in $work/program.out and
# $work/program.err (both shown when the test fails); its id is left in $program_pid.
start_program() {
    "$program" "$@" >"$work/program.out" 2>"$work/program.err" &
    program_pid=$!
    track $program_pid
}

# The main window's id while it is on screen (not hidden, not iconified), else nothing.
main_window() {
    xdotool search --onlyvisible --name "^Vesperon V2\\.4\\(Timer\\)\$" 2>/dev/null | head -n 1
}
main_window_shown() {
    window=$(main_window)
    [ -n "$window" ]
}

# Answers the program's message box (titled "Vesperon") with a key.
answer_box() {
    box=""
    wait_for 50 find_box || fail "no message box to answer with $1"
    xdotool windowactivate --sync "$box" 2>/dev/null
    xdotool key "$1"
}
find_box() {
    box=$(xdotool search --onlyvisible --name "^Vesperon\$" 2>/dev/null | head -n 1)
    [ -n "$box" ]
}
