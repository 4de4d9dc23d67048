// Icons of the system made from the program's pixels.
#pragma once

#include "platform/Geometry.h"
#include "platform/win32/SystemHeaders.h"

namespace platform::win32 {

// An icon of the pixels' size from ARGB pixels (alpha in the top byte); pixels without any
// alpha are taken as opaque. Null for an empty view. The caller destroys it (DestroyIcon).
HICON CreateIconFromPixels(const PixelView& pixels);

// Owns one icon handle.
class IconHandle {
public:
    IconHandle() = default;
    explicit IconHandle(HICON icon) : icon_(icon) {}
    ~IconHandle() { Reset(nullptr); }
    IconHandle(const IconHandle&) = delete;
    IconHandle& operator=(const IconHandle&) = delete;
    IconHandle(IconHandle&& other) noexcept : icon_(other.icon_) { other.icon_ = nullptr; }
    IconHandle& operator=(IconHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.icon_);
            other.icon_ = nullptr;
        }
        return *this;
    }

    HICON Get() const { return icon_; }
    void Reset(HICON icon) {
        if (icon_ != nullptr) {
            DestroyIcon(icon_);
        }
        icon_ = icon;
    }

private:
    HICON icon_ = nullptr;
};

} // namespace platform::win32
