// Recognises double clicks the way the desktop platform does: a second press of the same
// button on the same window within the double-click time and near the first press. The
// press that completes a double click starts no new pair, so a third quick press is single.
#pragma once

#include <cstdint>

namespace platform::x11 {

inline constexpr unsigned kDoubleClickTimeMs = 500;
inline constexpr int kDoubleClickDistance = 4; // pixels in either direction

class DoubleClickDetector {
public:
    // Returns whether this press completes a double click. `timeMs` is the server's event
    // time, which wraps around after 49.7 days; differences are taken modulo 2^32.
    bool Press(unsigned long window, int button, int x, int y, std::uint32_t timeMs);
    void Reset() { pending_ = false; }

private:
    bool pending_ = false;
    unsigned long window_ = 0;
    int button_ = 0;
    int x_ = 0;
    int y_ = 0;
    std::uint32_t time_ = 0;
};

} // namespace platform::x11
