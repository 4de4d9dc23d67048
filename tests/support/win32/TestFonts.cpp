#include "support/TestFonts.h"

#include "platform/win32/GdiFonts.h"

// The system's faces, as the program on Windows uses them (under Wine the host's fonts,
// "Arial" being Liberation Sans).
platform::IFonts& TestFonts() {
    static platform::win32::GdiFonts fonts;
    return fonts;
}
