// The font source of test runs: the same faces for every family name, from fixed files, so
// that text metrics and pixels do not depend on the fonts a machine has configured. The
// headless backend takes its fonts from here; a build links the one implementation that
// fits its platform.
#pragma once

#include "platform/Fonts.h"

#include <memory>

namespace platform::testfonts {

std::unique_ptr<IFonts> OpenTestFonts();

} // namespace platform::testfonts
