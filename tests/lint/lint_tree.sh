# shellcheck shell=sh
# Helpers for the house-rule checker's tests, sourced by each test script: a small source
# tree in a temporary folder that follows every rule, files added to it, and the checker
# run on it with its verdict checked.
# The test scripts take the checker (scripts/lint.sh) as their first argument.
set -eu

lint=$1
repository=$(cd "$(dirname "$lint")/.." && pwd)
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT INT TERM
failures=0

# Writes a file of the tree: add_file PATH LINE...
add_file() {
    path=$1
    shift
    mkdir -p "$tree/$(dirname "$path")"
    printf '%s\n' "$@" >"$tree/$path"
}

# A tree with one file per layer, each including what it may.
make_clean_tree() {
    rm -rf "$tree"
    mkdir -p "$tree"
    cp "$repository/.clang-format" "$tree/.clang-format"
    add_file src/platform/Clock.h '#pragma once' '' '#include <cstdint>'
    add_file src/platform/x11/X11Window.h '#pragma once' '' '#include "platform/Clock.h"' '' \
        '#include <X11/Xlib.h>' '#include <unistd.h>'
    add_file src/platform/linuxdesktop/LogindBus.cpp '#include "platform/Clock.h"' '' \
        '#include <sys/stat.h>' '#include <systemd/sd-bus.h>'
    add_file src/toolkit/base/Types.h '#pragma once' '' '#include "platform/Clock.h"'
    add_file src/toolkit/text/DateUtils.h '#pragma once' '' '#include "toolkit/base/Types.h"'
    add_file src/toolkit/graphics/Raster.h '#pragma once' '' '#include "toolkit/base/Types.h"'
    add_file src/toolkit/runtime/Controls.h '#pragma once' '' '#include "toolkit/graphics/Raster.h"' \
        '#include "toolkit/text/DateUtils.h"'
    add_file src/toolkit/widgets/Label.h '#pragma once' '' '#include "toolkit/runtime/Controls.h"'
    add_file src/controls/RzButton.h '#pragma once' '' '#include "toolkit/widgets/Label.h"'
    add_file src/core/Arming.h '#pragma once' '' '#include "toolkit/text/DateUtils.h"'
    add_file src/power/PowerActions.h '#pragma once' '' '#include "platform/Clock.h"'
    add_file src/forms/UnitFormWarn.h '#pragma once' '' '#include "controls/RzButton.h"' \
        '#include "core/Arming.h"' '#include "power/PowerActions.h"'
    add_file src/app/PVesperon.cpp '#include "forms/UnitFormWarn.h"' \
        '#include "platform/x11/X11Window.h"'
    add_file tests/platform/X11WindowTest.cpp '#include "platform/x11/X11Window.h"' '' \
        '#include <unistd.h>'
    add_file tools/render_window.cpp '#include "platform/headless/HeadlessPlatform.h"'
    add_file bench/x11_present_bench.cpp '#include "platform/x11/X11Window.h"'
    add_file fuzz/datetime_fuzz.cpp '#include "platform/headless/HeadlessClock.h"'
}

# Runs the checker on the tree; expect_pass NAME
expect_pass() {
    if ! output=$("$lint" "$tree" 2>&1); then
        echo "FAIL $1: the checker failed a tree that keeps the rules:"
        echo "$output"
        failures=$((failures + 1))
        return
    fi
    echo "ok   $1"
}

# Runs the checker on the tree and expects it to fail naming each given place and rule;
# expect_fail NAME "path:line: rule"...
expect_fail() {
    name=$1
    shift
    if output=$("$lint" "$tree" 2>&1); then
        echo "FAIL $name: the checker passed a tree that breaks a rule"
        failures=$((failures + 1))
        return
    fi
    for expected in "$@"; do
        if ! printf '%s\n' "$output" | grep -qF -- "$expected"; then
            echo "FAIL $name: no \"$expected\" in:"
            echo "$output"
            failures=$((failures + 1))
            return
        fi
    done
    echo "ok   $name"
}

# Ends the test script with the count of its failed cases.
finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures case(s) failed"
        exit 1
    fi
}
