#!/bin/sh
# Start-up and idle cost of the program on a private Xvfb:
#   - exec to first presented frame (the program prints the time of its first Present when
#     VESPERON_TRACE_FIRST_FRAME=1), median of several starts;
#   - resident memory (VmRSS) one second after start;
#   - CPU time and wake-ups (voluntary context switches) over an idle period.
# Runs the present benchmark on the same server when its path is given.
#   bench/measure_startup.sh PROGRAM [IDLE_SECONDS] [PRESENT_BENCH]
set -eu

program=$1
idle_seconds=${2:-30}
present_bench=${3:-}
runs=7

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
export DISPLAY=":$(cat "$work/display")"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# Starts the program (in this shell, so that program_pid stays known) and sets elapsed_us to
# the time from exec to its first presented frame.
start_once() {
    : >"$work/trace"
    start_ns=$(date +%s%N)
    VESPERON_TRACE_FIRST_FRAME=1 "$program" --dry-run >/dev/null 2>"$work/trace" &
    program_pid=$!
    for _ in $(seq 200); do
        grep -q "first frame presented at" "$work/trace" && break
        sleep 0.01
    done
    frame=$(sed -n 's/.*first frame presented at \([0-9]*\)\.\([0-9]*\).*/\1\2/p' "$work/trace")
    if [ -z "$frame" ]; then
        echo "no first frame traced" >&2
        exit 1
    fi
    elapsed_us=$(((frame - start_ns) / 1000))
}

stop_program() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}

times=""
for _ in $(seq $runs); do
    start_once
    times="$times $elapsed_us"
    stop_program
done
median=$(echo $times | tr ' ' '\n' | sort -n | sed -n "$(((runs + 1) / 2))p")
echo "exec to first frame (us), $runs starts:$times"
echo "exec to first frame, median: $((median / 1000)).$(printf '%03d' $((median % 1000))) ms"

start_once
sleep 1
rss=$(sed -n 's/^VmRSS:[[:space:]]*//p' "/proc/$program_pid/status")
echo "resident memory after start: $rss"

cpu_ticks() { awk '{print $14 + $15}' "/proc/$program_pid/stat"; }
switches() { sed -n 's/^voluntary_ctxt_switches:[[:space:]]*//p' "/proc/$program_pid/status"; }
ticks_per_second=$(getconf CLK_TCK)
cpu_before=$(cpu_ticks)
switches_before=$(switches)
sleep "$idle_seconds"
cpu_after=$(cpu_ticks)
switches_after=$(switches)
echo "idle ${idle_seconds} s: CPU $(((cpu_after - cpu_before) * 1000 / ticks_per_second)) ms," \
    "wake-ups $((switches_after - switches_before))"
stop_program

if [ -n "$present_bench" ]; then
    "$present_bench" --benchmark_min_time=0.2
fi
