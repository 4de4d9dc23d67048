# shellcheck shell=sh disable=SC2154 # $work, $tools, $ini and $program_pid come from desktop.sh
# Helpers of the notification-area end-to-end scripts, sourced after lib/desktop.sh: a private
# session bus with a small watcher (tools/sni_watcher) that can start and stop, and the
# program's item on it read and called.
#   . "$(dirname "$0")/lib/tray_session.sh"
#   tray_test "$@"

# A session bus of the script's own: no service activation, nothing else on it. Sets
# $DBUS_SESSION_BUS_ADDRESS.
start_session_bus() {
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
    dbus-daemon --config-file="$work/bus.conf" --nofork --nopidfile >/dev/null 2>"$work/bus.out" &
    track $!
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
    wait_for 100 bus list >/dev/null 2>&1 || fail "the private session bus did not start"
}
bus() {
    timeout 5 busctl --address="$DBUS_SESSION_BUS_ADDRESS" "$@"
}

# The ground of a notification-area test: desktop_test's with a private session bus, and a
# 30-minute countdown (Degression) in the settings, so that Start arms a task far from its end.
tray_test() {
    desktop_test "$@"
    require_tools dbus-daemon busctl timeout "$tools/sni_watcher"
    printf '[CB]\nRBFS=0\n[Set]\nFZ=30\n' >"$ini"
    start_session_bus
}

# The watcher writes the name of every item that registers to $work/registered.
start_watcher() {
    : >"$work/registered"
    rm -f "$work/watcher.out" # a stopped watcher's "ready" is not the new one's
    "$tools/sni_watcher" >"$work/registered" 2>"$work/watcher.out" &
    watcher_pid=$!
    track "$watcher_pid"
    wait_for 50 grep -qs ready "$work/watcher.out" || fail "the watcher did not start"
}
stop_watcher() {
    kill "$watcher_pid"
    collect "$watcher_pid"
}

# Whether the program's item numbered $1 (any number when none is given) has registered with
# the current watcher; sets $item to its name.
item_registered() {
    item=$(grep -m 1 -x "org\\.kde\\.StatusNotifierItem-$program_pid-${1:-[0-9]*}" "$work/registered")
    [ -n "$item" ]
}

# Calls a method of the item $item.
item_call() {
    bus call "$item" /StatusNotifierItem org.kde.StatusNotifierItem "$@"
}

# Whether the tooltip of the item $item (its title and text, the icon pixmap left out) matches
# the pattern; sets $tip.
tooltip_has() {
    tip=$(bus get-property "$item" /StatusNotifierItem org.kde.StatusNotifierItem ToolTip 2>&1 |
        sed 's/^(sa(iiay)ss) "[^"]*" [0-9 ]*//')
    echo "$tip" | grep -q "$1"
}

# Activate on the item (a left click in the host) brings the main window back (sets $window),
# failing with $1 (or a message naming Activate) when it does not come.
# shellcheck disable=SC2120 # the message is optional
activate_item() {
    item_call Activate ii 0 0 || fail "Activate was refused"
    wait_for 30 main_window_shown || fail "${1:-Activate did not bring the main window back}"
}

# ContextMenu on the item (a right click in the host) opens the tray menu at the given point;
# sets $menu_window.
open_tray_menu() {
    before=$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | sort)
    item_call ContextMenu ii 400 300 || fail "ContextMenu was refused"
    menu_window=""
    wait_for 30 menu_open || fail "ContextMenu opened no menu"
}
menu_open() {
    for candidate in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        echo "$before" | grep -qx "$candidate" || menu_window=$candidate
    done
    [ -n "$menu_window" ]
}
