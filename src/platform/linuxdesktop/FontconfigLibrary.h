// fontconfig, loaded the first time a lookup needs it: a start whose answers all come from the
// font cache maps neither the library nor the XML parser it brings.
#pragma once

#include <fontconfig/fontconfig.h>

namespace platform::linuxdesktop {

struct FontconfigLibrary {
    // Loads the library and its functions; false (and no function) when it cannot.
    bool Load();
    FontconfigLibrary() = default;
    ~FontconfigLibrary();
    FontconfigLibrary(const FontconfigLibrary&) = delete;
    FontconfigLibrary& operator=(const FontconfigLibrary&) = delete;

    void* handle = nullptr;
    decltype(&FcInitLoadConfigAndFonts) InitLoadConfigAndFonts = nullptr;
    decltype(&FcConfigDestroy) ConfigDestroy = nullptr;
    decltype(&FcConfigGetConfigFiles) ConfigGetConfigFiles = nullptr;
    decltype(&FcConfigGetConfigDirs) ConfigGetConfigDirs = nullptr;
    decltype(&FcConfigGetFontDirs) ConfigGetFontDirs = nullptr;
    decltype(&FcStrListNext) StrListNext = nullptr;
    decltype(&FcStrListDone) StrListDone = nullptr;
    decltype(&FcPatternCreate) PatternCreate = nullptr;
    decltype(&FcPatternDestroy) PatternDestroy = nullptr;
    decltype(&FcPatternAddString) PatternAddString = nullptr;
    decltype(&FcPatternAddInteger) PatternAddInteger = nullptr;
    decltype(&FcPatternAddBool) PatternAddBool = nullptr;
    decltype(&FcPatternGetString) PatternGetString = nullptr;
    decltype(&FcPatternGetInteger) PatternGetInteger = nullptr;
    decltype(&FcConfigSubstitute) ConfigSubstitute = nullptr;
    decltype(&FcDefaultSubstitute) DefaultSubstitute = nullptr;
    decltype(&FcFontMatch) FontMatch = nullptr;
};

} // namespace platform::linuxdesktop
