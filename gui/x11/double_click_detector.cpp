#include "gui/x11/double_click_detector.h"

#include <cstdlib>

namespace VSTGUI::X11 {

bool DoubleClickDetector::press(uint8_t button, uint32_t timeMs, int x, int y)
{
    // Unsigned subtraction keeps the interval right across the server clock's wrap.
    const bool isDouble = pending_ && button == button_ && timeMs - timeMs_ <= kMaxIntervalMs
        && std::abs(x - x_) <= kMaxDistancePx && std::abs(y - y_) <= kMaxDistancePx;
    pending_ = !isDouble;
    button_ = button;
    timeMs_ = timeMs;
    x_ = x;
    y_ = y;
    return isDouble;
}

} // namespace VSTGUI::X11
