#include "forms/FormLayout.h"

#include "controls/RzButton.h"

namespace forms {

void SetFont(TFont* font, const std::string& name, int height, TFontStyles style, TColor color) {
    font->SetName(name);
    font->SetHeight(height);
    font->SetStyle(style);
    font->SetColor(color);
    font->SetCharset(ANSI_CHARSET);
}

void LoadGlyph(TRzBitBtn* button, const std::string& resource, int numGlyphs) {
    TBitmap glyph;
    if (glyph.LoadFromResourceName(resource)) {
        button->SetGlyph(&glyph);
        button->SetNumGlyphs(numGlyphs);
    }
}

void AddImages(TCustomImageList* list, std::initializer_list<const char*> resources) {
    for (const char* resource : resources) {
        TIcon image;
        if (image.LoadFromResourceName(resource)) {
            list->AddIcon(image);
        }
    }
}

} // namespace forms
