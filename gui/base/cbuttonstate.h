// CButtonState: the mouse buttons and keyboard modifiers of an event, as bits.
#pragma once

#include <cstdint>

namespace VSTGUI {

enum CButton : int32_t
{
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kShift = 1 << 4,
    kControl = 1 << 5,
    kAlt = 1 << 6,
    kApple = 1 << 7,  ///< the "super" key
    kButton4 = 1 << 8,
    kButton5 = 1 << 9,
    kDoubleClick = 1 << 10,
    kMouseWheelInverted = 1 << 11,
};

struct CButtonState
{
    int32_t state = 0;

    constexpr CButtonState() = default;
    constexpr CButtonState(int32_t s) : state(s) {}

    constexpr int32_t getButtonState() const { return state & (kLButton | kMButton | kRButton | kButton4 | kButton5); }
    constexpr int32_t getModifierState() const { return state & (kShift | kControl | kAlt | kApple); }
    /// Left button and no other mouse button.
    constexpr bool isLeftButton() const { return getButtonState() == kLButton; }
    constexpr bool isRightButton() const { return getButtonState() == kRButton; }
    constexpr bool isDoubleClick() const { return (state & kDoubleClick) != 0; }
    constexpr bool operator&(int32_t bits) const { return (state & bits) != 0; }
    constexpr bool operator==(const CButtonState& o) const { return state == o.state; }
    constexpr bool operator!=(const CButtonState& o) const { return state != o.state; }
    CButtonState& operator|=(int32_t bits)
    {
        state |= bits;
        return *this;
    }
};

/// What a view answers to a mouse event.
enum CMouseEventResult
{
    kMouseEventNotImplemented = 0,
    kMouseEventHandled,
    kMouseEventNotHandled,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
    kMouseMoveEventHandledButDontNeedMoreEvents,
};

/// The axis of a wheel event.
enum CMouseWheelAxis
{
    kMouseWheelAxisX = 0,
    kMouseWheelAxisY,
};

/// Cursor shapes a view may ask the platform window for.
enum CCursorType
{
    kCursorDefault = 0,
    kCursorWait,
    kCursorHSize,
    kCursorVSize,
    kCursorSizeAll,
    kCursorNESWSize,
    kCursorNWSESize,
    kCursorCopy,
    kCursorNotAllowed,
    kCursorHand,
    kCursorIBeam,
    kCursorCrosshair,
};

} // namespace VSTGUI
