// FreeType, loaded the first time a face has to be opened: a start whose glyphs all come from a
// cache maps neither the library nor the image and compression libraries it brings.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <string>

namespace platform::freetype {

struct FreeTypeLibrary {
    decltype(&FT_Init_FreeType) InitFreeType = nullptr;
    decltype(&FT_Done_FreeType) DoneFreeType = nullptr;
    decltype(&FT_New_Face) NewFace = nullptr;
    decltype(&FT_Done_Face) DoneFace = nullptr;
    decltype(&FT_New_Size) NewSize = nullptr;
    decltype(&FT_Done_Size) DoneSize = nullptr;
    decltype(&FT_Activate_Size) ActivateSize = nullptr;
    decltype(&FT_Set_Pixel_Sizes) SetPixelSizes = nullptr;
    decltype(&FT_Get_Char_Index) GetCharIndex = nullptr;
    decltype(&FT_Load_Char) LoadChar = nullptr;
    decltype(&FT_Render_Glyph) RenderGlyph = nullptr;
    decltype(&FT_Get_Sfnt_Table) GetSfntTable = nullptr;
    decltype(&FT_GlyphSlot_Oblique) GlyphSlotOblique = nullptr;
    decltype(&FT_GlyphSlot_Embolden) GlyphSlotEmbolden = nullptr;
    std::string file; // the library file the functions were found in
};

// The library, loaded and its functions resolved at the first call; nullptr when it cannot be
// (then, and ever after, in this process). Once loaded it stays loaded: FreeType's faces may live
// as long as the process, and unloading would leave the state it keeps unreachable.
const FreeTypeLibrary* LoadFreeType();

} // namespace platform::freetype
