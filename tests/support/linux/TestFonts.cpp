#include "support/TestFonts.h"

#include "platform/freetype/FreeTypeFonts.h"

platform::IFonts& TestFonts() {
    static platform::freetype::FreeTypeFonts fonts;
    return fonts;
}
