#include "platform/freetype/FreeTypeLibrary.h"

#include <dlfcn.h>

namespace platform::freetype {

namespace {

template <class Function> bool Resolve(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

// The file the dynamic loader found the library in, as its link map names it.
std::string FileOf(void* function) {
    Dl_info info{};
    return dladdr(function, &info) != 0 && info.dli_fname != nullptr ? info.dli_fname : "";
}

bool Load(FreeTypeLibrary& ft) {
    void* handle = dlopen("libfreetype.so.6", RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        return false;
    }
    const bool complete =
        Resolve(handle, "FT_Init_FreeType", ft.InitFreeType) &&
        Resolve(handle, "FT_Done_FreeType", ft.DoneFreeType) && Resolve(handle, "FT_New_Face", ft.NewFace) &&
        Resolve(handle, "FT_Done_Face", ft.DoneFace) && Resolve(handle, "FT_New_Size", ft.NewSize) &&
        Resolve(handle, "FT_Done_Size", ft.DoneSize) &&
        Resolve(handle, "FT_Activate_Size", ft.ActivateSize) &&
        Resolve(handle, "FT_Set_Pixel_Sizes", ft.SetPixelSizes) &&
        Resolve(handle, "FT_Get_Char_Index", ft.GetCharIndex) &&
        Resolve(handle, "FT_Load_Char", ft.LoadChar) && Resolve(handle, "FT_Render_Glyph", ft.RenderGlyph) &&
        Resolve(handle, "FT_Get_Sfnt_Table", ft.GetSfntTable) &&
        Resolve(handle, "FT_GlyphSlot_Oblique", ft.GlyphSlotOblique) &&
        Resolve(handle, "FT_GlyphSlot_Embolden", ft.GlyphSlotEmbolden);
    if (!complete) {
        dlclose(handle);
        return false;
    }
    ft.file = FileOf(reinterpret_cast<void*>(ft.InitFreeType));
    return true;
}

} // namespace

const FreeTypeLibrary* LoadFreeType() {
    static FreeTypeLibrary library;
    static const bool loaded = Load(library);
    return loaded ? &library : nullptr;
}

} // namespace platform::freetype
