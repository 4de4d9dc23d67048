# shellcheck shell=sh
# Shared ground of the notification-area end-to-end tests, sourced by them: a private session
# bus with a small watcher (tools/sni_watcher) that can start and stop, a private X server
# with a window manager, private settings, and helpers to wait, fail and read the item.
# Sourced with the test's own arguments (PROGRAM ARTEFACTS_FOLDER); sets $program,
# $artefacts, $work, $DISPLAY and $DBUS_SESSION_BUS_ADDRESS. A test starts the program itself
# and sets $program_pid.

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
bus_pid=$!
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
bus() {
    timeout 5 busctl --address="$DBUS_SESSION_BUS_ADDRESS" "$@"
}
wait_for 100 bus list >/dev/null 2>&1 || fail "the private session bus did not start"

# The watcher writes the name of every item that registers to $work/registered.
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

start_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    wait_for 100 test -s "$work/display" || fail "Xvfb did not start"
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
}

main_window_title="^Vesperon V2\\.4\\(Timer\\)\$"
main_window() {
    xdotool search --onlyvisible --name "$main_window_title" 2>/dev/null | head -n 1
}
window=""
shown() {
    window=$(main_window)
    [ -n "$window" ]
}

# The program's first item name, once it registered with the current watcher.
item_of_program() {
    grep -m 1 "^org\\.kde\\.StatusNotifierItem-$program_pid-" "$work/registered"
}

# The tooltip's title and text of an item (its icon pixmap left out).
tooltip() {
    bus get-property "$1" /StatusNotifierItem org.kde.StatusNotifierItem ToolTip 2>&1 |
        sed 's/^(sa(iiay)ss) "[^"]*" [0-9 ]*//'
}

# ContextMenu (a right click in the host) on the item $item opens the tray menu at the given
# point; sets $menu_window.
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

# Answers the program's message box (titled "Vesperon") with a key.
answer_box() {
    box=""
    wait_for 50 box_shown || fail "no message box to answer with $1"
    xdotool windowactivate --sync "$box" 2>/dev/null
    xdotool key "$1"
}
box_shown() {
    box=$(xdotool search --onlyvisible --name "^Vesperon\$" 2>/dev/null | head -n 1)
    [ -n "$box" ]
}
