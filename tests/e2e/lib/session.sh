# Helpers for the end-to-end scripts, sourced by them: a private work folder with private
# settings, runtime and autostart folders, a private X server with a window manager, a private
# session bus, the processes started for the test (ended by their ids when the script ends),
# waiting, and failing with the logs.
#   . "$(dirname "$0")/lib/session.sh"

e2e_pids=""
work=$(mktemp -d)

e2e_cleanup() {
    for pid in $e2e_pids; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap e2e_cleanup EXIT INT TERM

# Ends the script as passed (skipped) when a tool is missing.
e2e_require() {
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed"
            exit 0
        fi
    done
}

# Remembers a process to end at the end; the latest is ended first.
e2e_track() {
    e2e_pids="$1 $e2e_pids"
}

# Ends a tracked process now.
e2e_stop() {
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
    e2e_pids=$(echo "$e2e_pids" | tr ' ' '\n' | grep -vx "$1" | tr '\n' ' ')
}

fail() {
    echo "FAIL: $*"
    for log in "$work"/*.out "$work"/*.err "$work"/*.log; do
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

# HOME, settings, runtime folder (the lock and the control socket) inside the work folder.
e2e_private_home() {
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}

# A session bus of the test's own (no service activation, nothing else on it), as
# DBUS_SESSION_BUS_ADDRESS; bus ARGS... runs busctl on it.
e2e_session_bus() {
    cat >"$work/bus.conf" <<CONF
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
CONF
    dbus-daemon --config-file="$work/bus.conf" --nofork --nopidfile >/dev/null 2>"$work/bus.log" &
    e2e_track $!
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
    wait_for 100 bus list >/dev/null 2>&1 || fail "the private session bus did not start"
}
bus() {
    timeout 5 busctl --address="$DBUS_SESSION_BUS_ADDRESS" "$@"
}

# A private X server on a free display, as DISPLAY.
e2e_xvfb() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    e2e_track $!
    wait_for 100 test -s "$work/display" || fail "Xvfb did not start"
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
}

# openbox as the window manager of the private X server.
e2e_openbox() {
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    e2e_track $!
    wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
}
