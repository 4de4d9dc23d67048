#!/bin/sh
# Every C++ file is laid out as the repository's .clang-format says.
# shellcheck source=SCRIPTDIR/lint_tree.sh
. "$(dirname "$0")/lint_tree.sh"

make_clean_tree
add_file src/core/Countdown.cpp '#include "core/Arming.h"' '' 'int Seconds( int minutes ){ return minutes*60; }'
expect_fail "a squeezed function" "src/core/Countdown.cpp:3: format"

make_clean_tree
add_file tests/core/CountdownTest.cpp '#include "core/Arming.h"' '#include "controls/RzButton.h"'
expect_fail "unsorted includes in a test" "tests/core/CountdownTest.cpp:1: format"

make_clean_tree
add_file bench/canvas_bench.cpp '#include <cstdint>' '' 'int Width() {' '  return 1;' '}'
expect_fail "a two-space indent in a benchmark" "bench/canvas_bench.cpp:3: format"

finish
