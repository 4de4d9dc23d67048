#!/bin/sh
# OS and system-library headers are for backend folders only.
# shellcheck source=SCRIPTDIR/lint_tree.sh
. "$(dirname "$0")/lint_tree.sh"

make_clean_tree
add_file src/controls/RzTray.cpp '#include "controls/RzButton.h"' '' '#include <X11/Xlib.h>'
expect_fail "X11 in a control" "src/controls/RzTray.cpp:3: system-header"

make_clean_tree
add_file src/platform/Clock.h '#pragma once' '' '#include <sys/time.h>' '#include <unistd.h>'
expect_fail "POSIX in a platform interface" "src/platform/Clock.h:3: system-header" \
    "src/platform/Clock.h:4: system-header"

make_clean_tree
add_file src/toolkit/graphics/Fonts.cpp '#include <ft2build.h>' '#include FT_FREETYPE_H'
expect_fail "FreeType in the toolkit" "src/toolkit/graphics/Fonts.cpp:1: system-header" \
    "src/toolkit/graphics/Fonts.cpp:2: system-header"

make_clean_tree
add_file src/power/PowerActions.cpp '#include "power/PowerActions.h"' '' '#include <Windows.h>' \
    '#include <shellapi.h>'
expect_fail "Windows in the power actions" "src/power/PowerActions.cpp:3: system-header" \
    "src/power/PowerActions.cpp:4: system-header"

make_clean_tree
add_file src/core/Countdown.cpp '#  include <systemd/sd-bus.h>' '#include "X11/Xlib.h"'
expect_fail "an indented include and one in quotes" "src/core/Countdown.cpp:1: system-header" \
    "src/core/Countdown.cpp:2: system-header"

finish
