// The host's fonts for the headless platform of the tests: the same faces the program uses on
// this platform, alive for the whole test program.
#pragma once

#include "platform/Fonts.h"

platform::IFonts& TestFonts();
