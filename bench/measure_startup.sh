#!/bin/sh
# What the program costs, measured on a private Xvfb (no window manager) with a private session
# bus and a small StatusNotifierWatcher (tools/sni_watcher), in dry-run mode with private
# settings, and printed as one table:
#   - exec to the first presented frame (the program prints the time of its first Present when
#     VESPERON_TRACE_FIRST_FRAME=1), the median of 7 starts with a warm page cache;
#   - resident (RSS) and proportional (PSS) memory one second after start;
#   - wake-ups (voluntary context switches) per minute in three idle states: the window shown
#     without a task, in the tray without a task, in the tray with a task armed;
#   - a full repaint of the main window and the clock pane's update when the second changes
#     (bench/paint_bench, headless).
#   bench/measure_startup.sh BUILD_DIR [IDLE_SECONDS]
set -eu

build=$1
idle_seconds=${2:-30}
program=$build/src/vesperon
watcher=$build/tools/sni_watcher
paint_bench=$build/bench/paint_bench
runs=7

for tool in Xvfb dbus-daemon "$program" "$watcher" "$paint_bench"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "measure_startup: $tool is missing" >&2
        exit 1
    fi
done

work=$(mktemp -d)
xvfb_pid=""
bus_pid=""
watcher_pid=""
program_pid=""
cleanup() {
    for pid in $program_pid $watcher_pid $bus_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

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

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/Vesperon" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
settings="$XDG_CONFIG_HOME/Vesperon/Vesperon.ini"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 100 test -s "$work/display"
export DISPLAY=":$(cat "$work/display")"

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
wait_for 100 test -S "$work/bus"
: >"$work/registered"
"$watcher" >"$work/registered" 2>"$work/watcher.err" &
watcher_pid=$!
wait_for 50 grep -qs ready "$work/watcher.err"

# Starts the program with the given arguments (in this shell, so that program_pid stays known)
# and sets elapsed_us to the time from exec to its first presented frame.
start_program() {
    : >"$work/trace"
    start_ns=$(date +%s%N)
    VESPERON_TRACE_FIRST_FRAME=1 "$program" --dry-run "$@" >/dev/null 2>"$work/trace" &
    program_pid=$!
    wait_for 50 grep -qs "first frame presented at" "$work/trace" || {
        echo "measure_startup: no first frame traced" >&2
        cat "$work/trace" >&2
        exit 1
    }
    frame=$(sed -n 's/.*first frame presented at \([0-9]*\)\.\([0-9]*\).*/\1\2/p' "$work/trace")
    elapsed_us=$(((frame - start_ns) / 1000))
}

stop_program() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}

milliseconds() { echo "$(($1 / 1000)).$(printf '%03d' $(($1 % 1000)))"; }

# First frame: the first start fills the page cache and the program's own caches.
rm -f "$settings"
start_program
sleep 1
stop_program
times=""
for _ in $(seq $runs); do
    start_program
    times="$times $elapsed_us"
    sleep 0.3
    stop_program
done
median=$(echo $times | tr ' ' '\n' | sort -n | sed -n "$(((runs + 1) / 2))p")

# Memory one second after start.
start_program
sleep 1
rss=$(sed -n 's/^Rss:[[:space:]]*\([0-9]*\).*/\1/p' "/proc/$program_pid/smaps_rollup")
pss=$(sed -n 's/^Pss:[[:space:]]*\([0-9]*\).*/\1/p' "/proc/$program_pid/smaps_rollup")
stop_program

switches() { sed -n 's/^voluntary_ctxt_switches:[[:space:]]*//p' "/proc/$program_pid/status"; }
# Wake-ups per minute of the program started with the given arguments, once it has settled.
wake_ups_per_minute() {
    start_program "$@"
    sleep 2
    before=$(switches)
    sleep "$idle_seconds"
    after=$(switches)
    stop_program
    echo $(((after - before) * 60 / idle_seconds))
}
rm -f "$settings"
shown_idle=$(wake_ups_per_minute)
tray_idle=$(wake_ups_per_minute au)
# Repeat with a one-hour countdown: started by the log-on entry, the task is armed at once.
printf '[CB]\nCBCF=1\nRBFS=0\n[Set]\nFZ=60\n' >"$settings"
tray_armed=$(wake_ups_per_minute au)

"$paint_bench" --benchmark_format=csv >"$work/paint.csv" 2>/dev/null
paint_time() { awk -F, -v name="\"$1\"" '$1 == name { printf "%.1f us", $4 }' "$work/paint.csv"; }

echo "exec to first frame (us), $runs starts:$times"
echo
echo "| Measure | Value |"
echo "|---|---|"
echo "| exec to first frame, median of $runs | $(milliseconds "$median") ms |"
echo "| resident memory (RSS) 1 s after start | $((rss / 1024)).$(((rss % 1024) * 10 / 1024)) MB |"
echo "| proportional memory (PSS) 1 s after start | $((pss / 1024)).$(((pss % 1024) * 10 / 1024)) MB |"
echo "| wake-ups per minute, window shown, no task | $shown_idle |"
echo "| wake-ups per minute, in the tray, no task | $tray_idle |"
echo "| wake-ups per minute, in the tray, task armed | $tray_armed |"
echo "| full repaint of the main window | $(paint_time BM_FullRepaint) |"
echo "| clock pane's one-second update | $(paint_time BM_ClockSecond) |"
