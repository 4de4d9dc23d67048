// The stock kinds of TRzBitBtn and the stock glyph cache shared by every button.
#include "controls/RzButton.h"

#include <array>
#include <memory>

namespace {

constexpr std::array<TBitBtnKindPreset, 11> kPresets{{
    {"", mrNone, false, false, nullptr},
    {"OK", mrOk, true, false, "RZCOMMON_OK"},
    {"Cancel", mrCancel, false, true, "RZCOMMON_CANCEL"},
    {"&Help", mrNone, false, false, "RZCOMMON_HELP"},
    {"&Yes", mrYes, true, false, "RZCOMMON_YES"},
    {"&No", mrNo, false, true, "RZCOMMON_NO"},
    {"&Close", mrNone, false, false, "RZCOMMON_CLOSE"},
    {"Abort", mrAbort, false, false, "RZCOMMON_ABORT"},
    {"&Retry", mrRetry, false, false, "RZCOMMON_RETRY"},
    {"&Ignore", mrIgnore, false, false, "RZCOMMON_IGNORE"},
    {"&All", 8, false, false, "RZCOMMON_ALL"},
}};

// One slot per kind, filled on first use and freed when the program ends.
std::array<std::unique_ptr<TBitmap>, 11>& StockGlyphCache() {
    static std::array<std::unique_ptr<TBitmap>, 11> cache;
    return cache;
}

std::size_t KindSlot(TBitBtnKind kind) {
    const auto slot = std::size_t(kind);
    return slot < kPresets.size() ? slot : 0;
}

} // namespace

const TBitBtnKindPreset& BitBtnKindPreset(TBitBtnKind kind) {
    return kPresets[KindSlot(kind)];
}

const TBitmap& StockGlyph(TBitBtnKind kind) {
    const std::size_t slot = KindSlot(kind);
    std::unique_ptr<TBitmap>& bitmap = StockGlyphCache()[slot];
    if (!bitmap) {
        bitmap = std::make_unique<TBitmap>();
        if (const char* name = kPresets[slot].ResourceName) {
            bitmap->LoadFromResourceName(name);
        }
    }
    return *bitmap;
}
