#!/bin/sh
# The checker passes a tree that keeps every rule, and it checks a tree given by its root.
# shellcheck source=SCRIPTDIR/lint_tree.sh
. "$(dirname "$0")/lint_tree.sh"

make_clean_tree
expect_pass "every layer including what it may"

make_clean_tree
add_file src/platform/win32/Win32Power.cpp '#include "platform/Clock.h"' '' '#include <powrprof.h>' \
    '#include <windows.h>'
add_file src/platform/freetype/FreeTypeFonts.cpp '#include <fontconfig/fontconfig.h>' \
    '#include <ft2build.h>' '#include FT_FREETYPE_H'
expect_pass "system headers inside any backend folder"

make_clean_tree
add_file src/toolkit/graphics/Artwork.cpp '#include "png.h"' '#include "toolkit/graphics/Raster.h"'
expect_pass "a library header in quotes is no layer"

make_clean_tree
add_file src/toolkit/graphics/FontEngine.cpp '#include <ft2build.h>'
add_file scripts/lint-known-breaks '# moving to a backend' 'src/toolkit/graphics/FontEngine.cpp system-header'
expect_pass "a known break listed with its rule"

finish
