#!/bin/sh
# Only the program's entry (src/app/), the backends themselves and the test-like programs name
# a backend.
# shellcheck source=SCRIPTDIR/lint_tree.sh
. "$(dirname "$0")/lint_tree.sh"

make_clean_tree
add_file src/forms/UnitFormVesperon.cpp '#include "forms/UnitFormWarn.h"' \
    '#include "platform/headless/HeadlessPlatform.h"'
expect_fail "a form naming a backend" "src/forms/UnitFormVesperon.cpp:2: backend-header"

make_clean_tree
add_file src/toolkit/runtime/Application.cpp '#include "platform/linux/LinuxLocale.h"'
expect_fail "the toolkit naming a backend" "src/toolkit/runtime/Application.cpp:1: backend-header"

make_clean_tree
add_file src/platform/Platform.h '#pragma once' '' '#include "platform/x11/X11Window.h"'
expect_fail "a platform interface naming a backend" "src/platform/Platform.h:3: layering"

finish
