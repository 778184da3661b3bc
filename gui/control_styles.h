// Style bits shared by the controls (a control's `style` combines them).
#pragma once

#include <cstdint>

namespace VSTGUI {

enum CControlStyle : int32_t
{
    kHorizontal = 1 << 0,
    kVertical = 1 << 1,
    kShadowText = 1 << 2,
    kLeft = 1 << 3,
    kRight = 1 << 4,
    kTop = 1 << 5,
    kBottom = 1 << 6,
    k3DIn = 1 << 7,
    k3DOut = 1 << 8,
    kNoTextStyle = 1 << 11,
    kNoDrawStyle = 1 << 12,
    kDoubleClickStyle = 1 << 13,
    kNoFrame = 1 << 14,
    kRoundRectStyle = 1 << 15,
};

} // namespace VSTGUI
