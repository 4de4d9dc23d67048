#include "platform/x11/DoubleClick.h"

#include <cstdlib>

namespace platform::x11 {

bool DoubleClickDetector::Press(unsigned long window, int button, int x, int y, std::uint32_t timeMs) {
    const bool isDouble = pending_ && window == window_ && button == button_ &&
                          std::uint32_t(timeMs - time_) <= kDoubleClickTimeMs &&
                          std::abs(x - x_) <= kDoubleClickDistance &&
                          std::abs(y - y_) <= kDoubleClickDistance;
    pending_ = !isDouble;
    window_ = window;
    button_ = button;
    x_ = x;
    y_ = y;
    time_ = timeMs;
    return isDouble;
}

} // namespace platform::x11
