// Real X input (sent with the XTEST extension) reaches the frame's callback as the
// toolkit's events, in logical coordinates, at scales 1 and 2.
#include "frame_fixture.h"

#include <xkbcommon/xkbcommon-keysyms.h>

using namespace corvale::test;
using namespace VSTGUI;

namespace {

constexpr uint8_t kLeft = 1;

class FrameEventsTest : public FrameFixture, public ::testing::WithParamInterface<double>
{
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        openFrame({200, 100}, GetParam());
    }

    void moveTo(double x, double y) { display.moveTo(frameWindow(), device(x), device(y)); }
    bool waitForCount(FrameEvent::Kind kind, std::size_t count)
    {
        return waitFor([&] { return callback.ofKind(kind).size() >= count; });
    }
    /// Clicks inside the frame and waits until it has the keyboard focus.
    void focusByClick()
    {
        moveTo(5, 5);
        display.click(kLeft);
        ASSERT_TRUE(waitFor([&] {
            const auto focus = callback.ofKind(FrameEvent::Focus);
            return !focus.empty() && focus.back().focused;
        })) << "a consumed click takes the keyboard focus";
        callback.events.clear();
    }
};

} // namespace

TEST_P(FrameEventsTest, ClickAndDragArriveInLogicalCoordinatesAndFollowThePointerOutside)
{
    moveTo(10, 20);
    display.buttonDown(kLeft);
    ASSERT_TRUE(waitForCount(FrameEvent::Down, 1));
    moveTo(60, 40);
    ASSERT_TRUE(waitFor([&] { return !callback.ofKind(FrameEvent::Moved).empty()
                                  && callback.ofKind(FrameEvent::Moved).back().where == CPoint(60, 40); }));
    moveTo(260, 40); // beyond the window's right edge: the grab keeps the drag ours
    ASSERT_TRUE(waitFor([&] { return callback.ofKind(FrameEvent::Moved).back().where == CPoint(260, 40); }));
    display.buttonUp(kLeft);
    ASSERT_TRUE(waitFor([&] { return callback.has(FrameEvent::Up) && callback.has(FrameEvent::Exited); }));

    const FrameEvent down = callback.ofKind(FrameEvent::Down).at(0);
    EXPECT_EQ(down.where, CPoint(10, 20));
    EXPECT_EQ(down.buttons, kLButton);
    const FrameEvent dragged = callback.ofKind(FrameEvent::Moved).back();
    EXPECT_EQ(dragged.buttons, kLButton) << "moves while the button is down carry it";
    const FrameEvent up = callback.ofKind(FrameEvent::Up).at(0);
    EXPECT_EQ(up.where, CPoint(260, 40));
    EXPECT_EQ(up.buttons, kLButton);

    // The pointer left the window during the drag; that is told only once the drag is over.
    std::vector<FrameEvent::Kind> order;
    for (const FrameEvent& e : callback.events) {
        if (e.kind == FrameEvent::Up || e.kind == FrameEvent::Exited)
            order.push_back(e.kind);
    }
    EXPECT_EQ(order, (std::vector<FrameEvent::Kind> {FrameEvent::Up, FrameEvent::Exited}));
}

TEST_P(FrameEventsTest, WheelNotchesArriveWithAxisDirectionAndModifiers)
{
    struct Notch
    {
        uint8_t button;
        bool shift;
        CMouseWheelAxis axis;
        float distance;
        int32_t buttons;
    };
    const Notch notches[] = {
        {4, false, kMouseWheelAxisY, 1.0f, 0},       {5, false, kMouseWheelAxisY, -1.0f, 0},
        {6, false, kMouseWheelAxisX, -1.0f, 0},      {7, false, kMouseWheelAxisX, 1.0f, 0},
        {4, true, kMouseWheelAxisY, 1.0f, kShift},
    };
    moveTo(30, 40);
    const uint8_t shiftKey = display.keycodeFor(XKB_KEY_Shift_L);
    ASSERT_NE(shiftKey, 0);
    for (const Notch& n : notches) {
        if (n.shift)
            display.keyDown(shiftKey);
        display.click(n.button);
        if (n.shift)
            display.keyUp(shiftKey);
    }
    ASSERT_TRUE(waitForCount(FrameEvent::Wheel, std::size(notches)));
    const std::vector<FrameEvent> wheel = callback.ofKind(FrameEvent::Wheel);
    ASSERT_EQ(wheel.size(), std::size(notches));
    for (std::size_t i = 0; i < wheel.size(); ++i) {
        SCOPED_TRACE("button " + std::to_string(notches[i].button));
        EXPECT_EQ(wheel[i].where, CPoint(30, 40));
        EXPECT_EQ(wheel[i].axis, notches[i].axis);
        EXPECT_EQ(wheel[i].distance, notches[i].distance);
        EXPECT_EQ(wheel[i].buttons, notches[i].buttons);
    }
    EXPECT_FALSE(callback.has(FrameEvent::Down)) << "wheel buttons are no clicks";
    EXPECT_FALSE(callback.has(FrameEvent::Up));
}

TEST_P(FrameEventsTest, ModifierKeysAndDoubleClicksMarkThePress)
{
    struct Press
    {
        uint32_t heldKey; // 0: none
        int32_t expected;
    };
    const Press presses[] = {
        {XKB_KEY_Control_L, kLButton | kControl},
        {XKB_KEY_Shift_L, kLButton | kShift},
        {XKB_KEY_Alt_L, kLButton | kAlt},
        {XKB_KEY_Super_L, kLButton | kApple},
    };
    for (const Press& p : presses) {
        const uint8_t key = display.keycodeFor(p.heldKey);
        ASSERT_NE(key, 0);
        moveTo(20 + 30 * (&p - presses), 50); // apart, so no two presses make a double click
        display.keyDown(key);
        display.click(kLeft);
        display.keyUp(key);
    }
    // Then three quick clicks on one spot: the second is a double click, the third starts anew.
    moveTo(150, 50);
    for (int i = 0; i < 3; ++i)
        display.click(kLeft);
    ASSERT_TRUE(waitForCount(FrameEvent::Down, std::size(presses) + 3));

    const std::vector<FrameEvent> downs = callback.ofKind(FrameEvent::Down);
    for (std::size_t i = 0; i < std::size(presses); ++i)
        EXPECT_EQ(downs[i].buttons, presses[i].expected) << "press " << i;
    const std::size_t first = std::size(presses);
    EXPECT_EQ(downs[first].buttons, kLButton);
    EXPECT_EQ(downs[first + 1].buttons, kLButton | kDoubleClick);
    EXPECT_EQ(downs[first + 2].buttons, kLButton);
}

TEST_P(FrameEventsTest, TypedKeysReachTheFocusedFrameAsCharactersAndVirtualKeys)
{
    focusByClick();
    if (HasFatalFailure())
        return;
    const uint8_t eacute = display.bindSpareKeycode(XKB_KEY_eacute); // a layout change, as a user makes one
    ASSERT_NE(eacute, 0) << "no free keycode for a non-ASCII key";

    display.type(XKB_KEY_a);
    display.type(XKB_KEY_B);
    display.keyDown(eacute);
    display.keyUp(eacute);
    display.type(XKB_KEY_KP_Enter);
    display.type(XKB_KEY_Return);
    display.type(XKB_KEY_Escape);
    display.type(XKB_KEY_Left);
    display.type(XKB_KEY_BackSpace);
    display.type(XKB_KEY_F5);

    struct Expected
    {
        int32_t character;
        uint8_t virt;
        uint8_t modifier;
    };
    const Expected expected[] = {
        {'a', 0, 0},
        {0, VKEY_SHIFT, 0},
        {'B', 0, MODIFIER_SHIFT},
        {0xe9, 0, 0},
        {0, VKEY_ENTER, 0},
        {0, VKEY_RETURN, 0},
        {0, VKEY_ESCAPE, 0},
        {0, VKEY_LEFT, 0},
        {0, VKEY_BACK, 0},
        {0, VKEY_F5, 0},
    };
    ASSERT_TRUE(waitForCount(FrameEvent::KeyUp, std::size(expected)));
    const std::vector<FrameEvent> downs = callback.ofKind(FrameEvent::KeyDown);
    ASSERT_EQ(downs.size(), std::size(expected));
    for (std::size_t i = 0; i < downs.size(); ++i) {
        SCOPED_TRACE("key " + std::to_string(i));
        EXPECT_EQ(downs[i].key.character, expected[i].character);
        EXPECT_EQ(downs[i].key.virt, expected[i].virt);
        EXPECT_EQ(downs[i].key.modifier, expected[i].modifier);
    }

    // Focus moving to the host's window is a focus loss for the frame.
    xcb_set_input_focus(display.connection(), XCB_INPUT_FOCUS_POINTER_ROOT, window->windowId(), XCB_CURRENT_TIME);
    display.sync();
    ASSERT_TRUE(waitFor([&] { return callback.has(FrameEvent::Focus); }));
    EXPECT_FALSE(callback.ofKind(FrameEvent::Focus).back().focused);
}

TEST_P(FrameEventsTest, AnUnhandledClickLeavesTheKeyboardFocusAlone)
{
    callback.downResult = kMouseEventNotHandled;
    moveTo(5, 5);
    display.click(kLeft);
    ASSERT_TRUE(waitForCount(FrameEvent::Up, 1));
    frame->sync();
    EXPECT_FALSE(callback.has(FrameEvent::Focus));
}

TEST_P(FrameEventsTest, ACallbackMayDestroyTheFrameWhileItDispatches)
{
    callback.onMouseDown = [&] { frame.reset(); }; // a host closing the editor from an edit
    moveTo(40, 40);
    display.click(kLeft);
    moveTo(50, 40); // more events queued behind the press
    ASSERT_TRUE(waitFor([&] { return frame == nullptr; }));
    loop->runFor(30);
    EXPECT_EQ(loop->eventHandlerCount(), 1u);
    EXPECT_EQ(loop->timerCount(), 0u);
    EXPECT_EQ(callback.ofKind(FrameEvent::Down).size(), 1u);
    EXPECT_FALSE(callback.has(FrameEvent::Up)) << "nothing is dispatched by a destroyed frame";
}

INSTANTIATE_TEST_SUITE_P(Scales, FrameEventsTest, ::testing::Values(1.0, 2.0),
                         [](const ::testing::TestParamInfo<double>& scaleInfo) {
                             return "x" + std::to_string(static_cast<int>(scaleInfo.param));
                         });
