// Small helpers for the layout code of the program's windows: creating a control in the
// window's loading phase at its place, fonts, glyphs and the button colours both windows use.
#pragma once

#include "toolkit/runtime/Controls.h"

#include <string>

class TRzBitBtn;
class TCustomImageList;

namespace forms {

// Face colours of the bitmap buttons, the hot-track ring and the highlight.
inline constexpr TColor kFaceColor = 0x00DDE6E6;      // RGB(230, 230, 221)
inline constexpr TColor kStopFaceColor = 0x00F0F4F4;  // RGB(244, 244, 240)
inline constexpr TColor kHotTrackColor = 0x003CC7FF;  // RGB(255, 199, 60)
inline constexpr TColor kHighlightColor = 0x00F48D6A; // RGB(106, 141, 244)

// A component made while its owner loads takes part in the loading phase, so that its
// Loaded() runs once the whole window is set up.
template <class T> T* Make(TComponent* owner, const std::string& name) {
    T* component = new T(owner);
    if (owner->InState(csLoading)) {
        component->BeginLoading();
    }
    component->SetName(name);
    return component;
}

// A control made as above and placed in its parent at its bounds.
template <class T>
T* Place(TComponent* owner, TWinControl* parent, const std::string& name, int left, int top, int width,
         int height) {
    T* control = Make<T>(owner, name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

void SetFont(TFont* font, const std::string& name, int height, TFontStyles style, TColor color);

// The button's own bitmap from the program's artwork, with its number of glyph cells.
void LoadGlyph(TRzBitBtn* button, const std::string& resource, int numGlyphs);

// Adds the named artwork images to an image list, in order.
void AddImages(TCustomImageList* list, std::initializer_list<const char*> resources);

} // namespace forms
