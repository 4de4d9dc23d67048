#!/bin/sh
# The real program's notification-area icon on a private session bus with a small watcher
# (tools/sni_watcher), on a private X server with a window manager, in dry-run mode with
# private settings: the item registers with the watcher, its tooltip carries the title and,
# once Start armed a countdown, the countdown line; Activate brings the main window back;
# ContextMenu opens the tray menu; a restarted watcher gets the item registered again.
#   program_tray.sh PROGRAM ARTEFACTS_FOLDER
set -u

program=$1
artefacts=$2
watcher_program="$(dirname "$program")/../tools/sni_watcher"

for tool in Xvfb xdotool openbox xprop dbus-daemon busctl timeout; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 0
    fi
done
if [ ! -x "$watcher_program" ]; then
    echo "SKIP: $watcher_program is not built"
    exit 0
fi

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
bus_pid=""
watcher_pid=""
program_pid=""
cleanup() {
    for pid in $program_pid $watcher_pid $wm_pid $bus_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

fail() {
    echo "FAIL: $*"
    for log in program.out watcher.err bus.log; do
        [ -s "$work/$log" ] && echo "--- $log" && cat "$work/$log"
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

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/Vesperon" "$XDG_RUNTIME_DIR" "$artefacts"
chmod 700 "$XDG_RUNTIME_DIR"
# A 30-minute countdown (Degression), so that Start arms a task far from its end.
printf '[CB]\nRBFS=0\n[Set]\nFZ=30\n' >"$XDG_CONFIG_HOME/Vesperon/Vesperon.ini"

# A session bus of the test's own: no service activation, nothing else on it.
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
bus_pid=$!
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
bus() {
    timeout 5 busctl --address="$DBUS_SESSION_BUS_ADDRESS" "$@"
}
wait_for 100 bus list >/dev/null 2>&1 || fail "the private session bus did not start"

start_watcher() {
    : >"$work/registered"
    "$watcher_program" >"$work/registered" 2>"$work/watcher.err" &
    watcher_pid=$!
    wait_for 50 grep -q ready "$work/watcher.err" || fail "the watcher did not start"
}
stop_watcher() {
    kill "$watcher_pid"
    wait "$watcher_pid" 2>/dev/null
    watcher_pid=""
}
start_watcher

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 100 test -s "$work/display" || fail "Xvfb did not start"
DISPLAY=":$(cat "$work/display")"
export DISPLAY

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'

"$program" --dry-run="$work/dry-run.log" >"$work/program.out" 2>&1 &
program_pid=$!

main_window() {
    xdotool search --onlyvisible --name "^Vesperon V2\\.4\\(Timer\\)\$" 2>/dev/null | head -n 1
}
window=""
shown() {
    window=$(main_window)
    [ -n "$window" ]
}
wait_for 100 shown || fail "no main window"

item="org.kde.StatusNotifierItem-$program_pid-1"
wait_for 50 grep -qx "$item" "$work/registered" || fail "$item did not register; the watcher heard:
$(cat "$work/registered")"
bus status "$item" >/dev/null 2>&1 || fail "$item is not on the bus"

# The tooltip's title and text (its icon pixmap left out).
tooltip() {
    bus get-property "$1" /StatusNotifierItem org.kde.StatusNotifierItem ToolTip 2>&1 |
        sed 's/^(sa(iiay)ss) "[^"]*" [0-9 ]*//'
}
tip=$(tooltip "$item")
echo "$tip" | grep -q '"Vesperon (Timer)"' || fail "the tooltip is $tip"

# Start arms the countdown and sends the window to the tray.
xdotool mousemove --window "$window" 246 260 click 1
wait_for 30 sh -c '! xdotool search --onlyvisible --name "^Vesperon V2\\.4\\(Timer\\)\$" >/dev/null 2>&1' ||
    fail "the main window stayed on screen after Start"
counting() {
    tip=$(tooltip "$item")
    echo "$tip" | grep -q '"Vesperon (Timer)" "Will be Shutdown: '
}
wait_for 30 counting || fail "the tooltip during the countdown is $tip"
echo "tooltip while armed: $tip"

# Activate (a left click in the host) restores the main window.
bus call "$item" /StatusNotifierItem org.kde.StatusNotifierItem Activate ii 0 0 ||
    fail "Activate was refused"
wait_for 30 shown || fail "Activate did not bring the main window back"

# ContextMenu (a right click in the host) opens the tray menu at the given point.
before=$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | sort)
bus call "$item" /StatusNotifierItem org.kde.StatusNotifierItem ContextMenu ii 400 300 ||
    fail "ContextMenu was refused"
menu_window=""
menu_open() {
    for candidate in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        echo "$before" | grep -qx "$candidate" || menu_window=$candidate
    done
    [ -n "$menu_window" ]
}
wait_for 30 menu_open || fail "ContextMenu opened no menu"
"$(dirname "$program")/../tools/x11shot" "$artefacts/program_tray_menu.png" --window "$menu_window" 2>/dev/null
xdotool key Escape

# A watcher that starts again knows no items: the program registers its icon anew.
stop_watcher
start_watcher
registered_again() {
    grep -q "^org\\.kde\\.StatusNotifierItem-$program_pid-" "$work/registered"
}
wait_for 50 registered_again || fail "the item did not register with the new watcher"
again=$(head -n 1 "$work/registered")
tip=$(tooltip "$again")
echo "$tip" | grep -q '"Vesperon (Timer)"' || fail "the re-registered item's tooltip is $tip"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended"
echo "PASS"
