#!/bin/sh
# Builds the libFuzzer targets with clang (the "fuzz" preset) and runs each one for a bounded
# time. Any crash, sanitizer report or failed check ends the script with an error.
set -eu

cd "$(dirname "$0")/.."
SECONDS_EACH="${FUZZ_SECONDS:-20}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT INT TERM

status=0
for target in build/fuzz/fuzz/*_fuzz; do
    [ -x "$target" ] || continue
    name="$(basename "$target")"
    mkdir -p "$work/$name"
    echo "fuzz: $name for ${SECONDS_EACH}s"
    if ! "$target" -max_total_time="$SECONDS_EACH" -artifact_prefix="$work/$name/" \
        "$work/$name" >"$work/$name.log" 2>&1; then
        tail -n 40 "$work/$name.log"
        mkdir -p build/fuzz/findings
        cp "$work/$name"/crash-* "$work/$name"/leak-* "$work/$name"/timeout-* build/fuzz/findings/ 2>/dev/null || true
        echo "fuzz: $name found a problem (inputs in build/fuzz/findings)"
        status=1
    fi
done
exit "$status"
