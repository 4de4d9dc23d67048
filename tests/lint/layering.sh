#!/bin/sh
# Each layer includes only the layers below it.
# shellcheck source=SCRIPTDIR/lint_tree.sh
. "$(dirname "$0")/lint_tree.sh"

make_clean_tree
add_file src/toolkit/base/Classes.h '#pragma once' '' '#include "toolkit/runtime/Controls.h"'
expect_fail "the base including the runtime" "src/toolkit/base/Classes.h:3: layering"

make_clean_tree
add_file src/toolkit/graphics/Canvas.cpp '#include "toolkit/graphics/Raster.h"' \
    '#include "toolkit/text/DateUtils.h"'
expect_fail "graphics including its sibling text" "src/toolkit/graphics/Canvas.cpp:2: layering"

make_clean_tree
add_file src/core/Countdown.cpp '#include "core/Arming.h"' '#include "controls/RzButton.h"'
expect_fail "core including the controls" "src/core/Countdown.cpp:2: layering"

make_clean_tree
add_file src/power/ScreenPower.cpp '#include "toolkit/base/Types.h"'
expect_fail "power including the toolkit" "src/power/ScreenPower.cpp:1: layering"

make_clean_tree
add_file src/controls/RzPanel.cpp '#include "forms/UnitFormWarn.h"'
expect_fail "a control including a form" "src/controls/RzPanel.cpp:1: layering"

make_clean_tree
add_file src/platform/x11/X11Input.cpp '#include "toolkit/base/Types.h"'
expect_fail "a backend including the toolkit" "src/platform/x11/X11Input.cpp:1: layering"

finish
