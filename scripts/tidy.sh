#!/bin/sh
# Runs clang-tidy with the repository's .clang-tidy over every C++ file of src/, tests/,
# tools/ and bench/ in a build tree's compile_commands.json, two at a time (JOBS overrides),
# and lists the findings once each (a header's findings come from every file that includes
# it), then a count per check. Fails when there is any finding.
# Usage: scripts/tidy.sh [build folder]   (default build/release, configured beforehand)
set -eu

cd "$(dirname "$0")/.."
build=${1:-build/release}
if [ ! -f "$build/compile_commands.json" ]; then
    echo "tidy: no $build/compile_commands.json; configure the build first (cmake --preset release)" >&2
    exit 2
fi

root=$(pwd)
work=$(mktemp -d)
log=$work/log
findings=$work/findings
trap 'rm -rf "$work"' EXIT INT TERM

# The tests are compiled with GCC's precompiled headers, which clang cannot read: clang-tidy
# gets a copy of the compile commands that includes a copy of each precompiled header's text.
python3 - "$build/compile_commands.json" "$work" <<'PYTHON'
import json, os, re, shutil, sys

source, work = sys.argv[1], sys.argv[2]

def copy_header(match):
    header = match.group(1)
    copy = os.path.join(work, os.path.basename(os.path.dirname(header)) + ".hxx")
    shutil.copyfile(header, copy)
    return "-include " + copy

with open(source) as f:
    commands = json.load(f)
for entry in commands:
    command = entry["command"].replace(" -Winvalid-pch", "")
    entry["command"] = re.sub(r"-include (\S+/cmake_pch\.hxx)(?=\s)", copy_header, command)
with open(os.path.join(work, "compile_commands.json"), "w") as f:
    json.dump(commands, f)
PYTHON

# GCC's own warning switches mean nothing to clang. Headers are reached through each
# library's include root under the build tree; the findings name their sources instead.
run-clang-tidy -p "$work" -j "${JOBS:-2}" -quiet -extra-arg=-Wno-unknown-warning-option \
    "^$root/(src|tests|tools|bench)/.*\\.cpp\$" >"$log" 2>&1 || true
escape=$(printf '\033')
sed -n "s/$escape\\[[0-9;]*m//g; s|^$root/||; s|^$build/src/include/[^/]*/|src/|; /: \\(warning\\|error\\): .*\\[[a-z-]*[a-z.-]*\\]\$/p" "$log" |
    sort -u >"$findings"

cat "$findings"
if [ -s "$findings" ]; then
    echo "tidy: $(wc -l <"$findings") finding(s):" >&2
    sed 's/.*\[\([^]]*\)\]$/\1/' "$findings" | sort | uniq -c | sort -rn >&2
    exit 1
fi
echo "tidy: no findings" >&2
