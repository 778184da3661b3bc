// Decides which mouse presses are double clicks: the second press of the same button
// within 250 ms of the first and no more than 5 pixels away from it.
#pragma once

#include <cstdint>

namespace VSTGUI::X11 {

class DoubleClickDetector
{
public:
    static constexpr uint32_t kMaxIntervalMs = 250;
    static constexpr int kMaxDistancePx = 5;

    /// Records a press of `button` at device position (x, y) at X server time `timeMs`
    /// (wrapping milliseconds) and answers whether it completes a double click. The
    /// press after a double click starts a new pair. [UI thread]
    bool press(uint8_t button, uint32_t timeMs, int x, int y);

private:
    bool pending_ = false; // a first press waits for its second
    uint8_t button_ = 0;
    uint32_t timeMs_ = 0;
    int x_ = 0;
    int y_ = 0;
};

} // namespace VSTGUI::X11
