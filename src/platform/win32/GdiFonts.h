// Fonts of Windows through GDI: the system's own faces (Arial is one of them), their design
// values from the font's tables, hinted glyph boxes and 65-level grey glyphs scaled to 0..255.
#pragma once

#include "platform/Fonts.h"

#include <memory>
#include <string>

namespace platform::win32 {

class GdiFonts final : public IFonts {
public:
    // True Type faces only, so that a raster font of the same name ("MS Sans Serif") gives way
    // to an outline face that can be drawn at every size.
    std::unique_ptr<IFontFace> OpenFace(const std::string& family, bool bold, bool italic) override;
};

} // namespace platform::win32
