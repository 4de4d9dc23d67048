#include "platform/linuxdesktop/FontconfigLibrary.h"

#include <dlfcn.h>

namespace platform::linuxdesktop {

namespace {

template <class Function> bool Resolve(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

} // namespace

bool FontconfigLibrary::Load() {
    if (handle != nullptr) {
        return true;
    }
    handle = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        return false;
    }
    const bool complete = Resolve(handle, "FcInitLoadConfigAndFonts", InitLoadConfigAndFonts) &&
                          Resolve(handle, "FcConfigDestroy", ConfigDestroy) &&
                          Resolve(handle, "FcConfigGetConfigFiles", ConfigGetConfigFiles) &&
                          Resolve(handle, "FcConfigGetConfigDirs", ConfigGetConfigDirs) &&
                          Resolve(handle, "FcConfigGetFontDirs", ConfigGetFontDirs) &&
                          Resolve(handle, "FcStrListNext", StrListNext) &&
                          Resolve(handle, "FcStrListDone", StrListDone) &&
                          Resolve(handle, "FcPatternCreate", PatternCreate) &&
                          Resolve(handle, "FcPatternDestroy", PatternDestroy) &&
                          Resolve(handle, "FcPatternAddString", PatternAddString) &&
                          Resolve(handle, "FcPatternAddInteger", PatternAddInteger) &&
                          Resolve(handle, "FcPatternAddBool", PatternAddBool) &&
                          Resolve(handle, "FcPatternGetString", PatternGetString) &&
                          Resolve(handle, "FcPatternGetInteger", PatternGetInteger) &&
                          Resolve(handle, "FcConfigSubstitute", ConfigSubstitute) &&
                          Resolve(handle, "FcDefaultSubstitute", DefaultSubstitute) &&
                          Resolve(handle, "FcFontMatch", FontMatch);
    if (!complete) {
        dlclose(handle);
        handle = nullptr;
    }
    return complete;
}

// The library stays loaded for the life of the process: fontconfig keeps process-wide caches that
// unloading would leave behind, unreachable, and its own exit handlers would point nowhere.
FontconfigLibrary::~FontconfigLibrary() = default;

} // namespace platform::linuxdesktop
