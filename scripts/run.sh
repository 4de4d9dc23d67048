#!/bin/sh
# Starts the program built at $1.
# With a display (DISPLAY set): runs it there, in the foreground.
# Without one: starts a private Xvfb, runs the program on it in --dry-run mode (no power
# request is ever made), waits for its window, writes a screenshot, says where, and stops
# the program and the server again.
set -eu

program=$1
shot_tool="$(dirname "$program")/../tools/x11shot"
title="Vesperon V2.4(Timer)"

if [ -n "${DISPLAY:-}" ]; then
    exec "$program"
fi

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "run: no display and no $tool; run scripts/setup.sh first" >&2
        exit 1
    fi
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
    for pid in $program_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
if [ ! -s "$work/display" ]; then
    echo "run: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$(cat "$work/display")"
echo "run: no DISPLAY; started a private Xvfb on $DISPLAY, program in --dry-run mode"

# Settings go to a temporary folder, not to the user's.
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
"$program" --dry-run &
program_pid=$!

window=""
for _ in $(seq 100); do
    window=$(xdotool search --name "^Vesperon V2\.4\(Timer\)\$" 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.05
done
if [ -z "$window" ]; then
    echo "run: the program showed no window titled \"$title\"" >&2
    exit 1
fi
sleep 0.3 # let the first frames settle

screenshot="$(cd "$(dirname "$program")/.." && pwd)/vesperon-screenshot.png"
"$shot_tool" "$screenshot" --window "$window"
echo "run: screenshot of the window written to $screenshot"
