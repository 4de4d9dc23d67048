// Font faces read and rasterised by FreeType, from a font file and the face's index in it.
// Any font source that finds files (fontconfig, a fixed set of test fonts) opens its faces
// here.
#pragma once

#include "platform/Fonts.h"

#include <memory>
#include <string>

namespace platform::freetype {

// One FreeType library instance. Every face opened from it holds a share, so faces may
// outlive the font source that opened them.
struct Library;

// Loads FreeType (once per process) and starts an instance of it; nullptr when it cannot.
std::shared_ptr<Library> OpenLibrary();

// The file the FreeType functions of `library` come from; empty for no library.
std::string LibraryFile(const std::shared_ptr<Library>& library);

// The face at `index` in the file at `path`; bold or italic asked for but missing from the
// face is synthesised when glyphs are rendered. nullptr when there is no library or the file
// holds no such face.
std::unique_ptr<IFontFace> OpenFace(const std::shared_ptr<Library>& library, const std::string& path,
                                    int index, bool bold, bool italic);

} // namespace platform::freetype
