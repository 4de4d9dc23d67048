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
set -u

# shellcheck source=SCRIPTDIR/../tests/e2e/lib/desktop.sh
. "$(dirname "$0")/../tests/e2e/lib/desktop.sh"
# shellcheck source=SCRIPTDIR/../tests/e2e/lib/tray_session.sh
. "$(dirname "$0")/../tests/e2e/lib/tray_session.sh"
fail() {
    echo "measure_startup: $*" >&2
    exit 1
}

build=$1
idle_seconds=${2:-30}
program=$build/src/vesperon
tools=$build/tools
paint_bench=$build/bench/paint_bench
runs=7
for tool in Xvfb dbus-daemon busctl timeout "$program" "$tools/sni_watcher" "$paint_bench"; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing"
done

use_private_home
start_xserver
start_session_bus
start_watcher

# Starts the program with the given arguments and sets elapsed_us to the time from exec to its
# first presented frame.
export VESPERON_TRACE_FIRST_FRAME=1
start_measured() {
    start_ns=$(date +%s%N)
    start_program --dry-run "$@"
    wait_for 50 grep -qs "first frame presented at" "$work/program.out" ||
        fail "no first frame traced: $(cat "$work/program.out")"
    frame=$(sed -n 's/.*first frame presented at \([0-9]*\)\.\([0-9]*\).*/\1\2/p' "$work/program.out")
    elapsed_us=$(((frame - start_ns) / 1000))
}
stop_program() {
    kill "$program_pid" 2>/dev/null
    collect "$program_pid"
}

milliseconds() { echo "$(($1 / 1000)).$(printf '%03d' $(($1 % 1000)))"; }

# First frame: the first start fills the page cache and the program's own caches.
rm -f "$ini"
start_measured
sleep 1
stop_program
times=""
for _ in $(seq $runs); do
    start_measured
    times="$times $elapsed_us"
    sleep 0.3
    stop_program
done
median=$(echo "$times" | tr ' ' '\n' | sort -n | sed -n "$(((runs + 1) / 2))p")

# Memory one second after start.
start_measured
sleep 1
rss=$(sed -n 's/^Rss:[[:space:]]*\([0-9]*\).*/\1/p' "/proc/$program_pid/smaps_rollup")
pss=$(sed -n 's/^Pss:[[:space:]]*\([0-9]*\).*/\1/p' "/proc/$program_pid/smaps_rollup")
stop_program

switches() { sed -n 's/^voluntary_ctxt_switches:[[:space:]]*//p' "/proc/$program_pid/status"; }
# Wake-ups per minute of the program started with the given arguments, once it has settled;
# sets $wake_ups.
wake_ups_per_minute() {
    start_measured "$@"
    sleep 2
    before=$(switches)
    sleep "$idle_seconds"
    after=$(switches)
    stop_program
    wake_ups=$(((after - before) * 60 / idle_seconds))
}
rm -f "$ini"
wake_ups_per_minute
shown_idle=$wake_ups
wake_ups_per_minute au
tray_idle=$wake_ups
# Repeat with a one-hour countdown: started by the log-on entry, the task is armed at once.
printf '[CB]\nCBCF=1\nRBFS=0\n[Set]\nFZ=60\n' >"$ini"
wake_ups_per_minute au
tray_armed=$wake_ups

"$paint_bench" --benchmark_format=csv >"$work/paint.csv" 2>/dev/null || fail "$paint_bench failed"
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
