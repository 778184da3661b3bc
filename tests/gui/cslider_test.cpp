// CSlider driven as a user drives it, through the frame's input entry points.
#include "gui/cframe.h"
#include "gui/cslider.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using Events = std::vector<std::string>;

namespace {

constexpr int32_t kLeftButton = kLButton;

class SliderTest : public ::testing::Test
{
protected:
    // A 10 x 50 vertical slider at (10, 40) with a 10 x 6 handle: 44 px of
    // travel, value 1 at the top. A free click centres the handle on the pointer.
    void SetUp() override
    {
        frame = owned(new CFrame(CRect(0, 0, 200, 200), nullptr));
        handle = owned(new CBitmap(CResourceDescription("handle.png")));
        ASSERT_TRUE(handle->isLoaded());
        slider = new CSlider(CRect(10, 40, 20, 90), &listener, 7, handle, nullptr, CPoint(),
                             kVertical | kBottom);
        frame->addView(slider);
        slider->setDirty(false);  // as after the first paint
    }

    void press(double y, int32_t buttons = kLeftButton)
    {
        CPoint p(15, y);
        frame->platformOnMouseDown(p, buttons);
    }
    void move(double y, int32_t buttons = kLeftButton)
    {
        CPoint p(15, y);
        frame->platformOnMouseMoved(p, buttons);
    }
    void release(double y)
    {
        CPoint p(15, y);
        frame->platformOnMouseUp(p, kLeftButton);
    }

    test::RecordingListener listener;
    SharedPointer<CFrame> frame;
    SharedPointer<CBitmap> handle;
    CSlider* slider = nullptr;
};

} // namespace

TEST_F(SliderTest, FreeClickJumpsThenFollowsThePointer)
{
    press(64);    // (64 - 42) / 44 = 0.5 from the top
    move(53);     // 0.25 from the top
    move(-100);   // beyond the end: clamped
    release(-100);
    EXPECT_EQ(listener.take(), (Events{"begin", "change 0.5", "change 0.75", "change 1", "end"}));
    EXPECT_FLOAT_EQ(slider->getValue(), 1.f);
}

TEST_F(SliderTest, ModesDecideWhetherTheValueJumps)
{
    // Value 0: the handle sits at the bottom, y 84..90.
    const struct
    {
        CSlider::Mode mode;
        double pressY;
        double moveY;
        Events events;
    } cases[] = {
        {CSlider::kTouchMode, 45, 34, {}},                                      // beside the handle: ignored
        {CSlider::kTouchMode, 86, 75, {"begin", "change 0.25", "end"}},         // on it: drag, no jump
        {CSlider::kRelativeTouchMode, 45, 34, {"begin", "change 0.25", "end"}}, // anywhere, no jump
        {CSlider::kFreeClickMode, 64, 53, {"begin", "change 0.5", "change 0.75", "end"}},
        {CSlider::kUseGlobal, 64, 53, {"begin", "change 0.5", "change 0.75", "end"}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.mode);
        slider->setMode(c.mode);
        slider->setValue(0.f);
        slider->setDirty(false);
        listener.take();
        press(c.pressY);
        move(c.moveY);
        release(c.moveY);
        EXPECT_EQ(listener.take(), c.events);
    }
}

TEST_F(SliderTest, ShiftDragsFinerByTheZoomFactor)
{
    press(64);                     // 0.5
    move(20, kLeftButton | kShift); // would be 1.5: 0.5 + 1.0 / 10
    EXPECT_NEAR(slider->getValue(), 0.6f, 1e-6);
    move(9, kLeftButton | kShift);  // a further quarter of travel: +0.025
    EXPECT_NEAR(slider->getValue(), 0.625f, 1e-6);
    move(53);                       // Shift released: absolute again
    EXPECT_NEAR(slider->getValue(), 0.75f, 1e-6);
    release(53);

    // Shift held at the press: no jump at all.
    slider->setValue(0.f);
    slider->setDirty(false);
    listener.take();
    press(64, kLeftButton | kShift);
    EXPECT_EQ(listener.take(), (Events{"begin"}));
    move(20, kLeftButton | kShift);  // 0 + 1.5 / 10
    EXPECT_NEAR(slider->getValue(), 0.15f, 1e-6);
}

TEST_F(SliderTest, HorizontalSliderRunsLeftToRight)
{
    auto* h = new CSlider(CRect(10, 150, 60, 160), &listener, 8, nullptr, nullptr);
    frame->addView(h);
    h->setDirty(false);
    // No handle bitmap: a 1 px handle, 49 px of travel.
    CPoint p(34, 155);  // (34 - (10 + 0.5 - 1)) / 49 = 0.5
    frame->platformOnMouseDown(p, kLeftButton);
    EXPECT_NEAR(h->getValue(), 0.5f, 1e-6);
    CPoint q(200, 155);
    frame->platformOnMouseMoved(q, kLeftButton);
    EXPECT_FLOAT_EQ(h->getValue(), 1.f);
    frame->platformOnMouseUp(q, kLeftButton);
    h->setStyle(kHorizontal | kRight);  // reversed: value 1 at the left
    EXPECT_EQ(h->getHandleRect().left, 10);
}

TEST_F(SliderTest, WheelAndArrowKeysStepByTheWheelIncrement)
{
    slider->setValue(0.5f);
    slider->setDirty(false);
    const struct
    {
        CMouseWheelAxis axis;
        float distance;
        int32_t buttons;
        int32_t style;
        float expected;
    } wheel[] = {
        {kMouseWheelAxisY, 1.f, 0, kVertical | kBottom, 0.6f},
        {kMouseWheelAxisY, -1.f, 0, kVertical | kBottom, 0.4f},
        {kMouseWheelAxisY, 1.f, kShift, kVertical | kBottom, 0.51f},
        {kMouseWheelAxisY, 1.f, 0, kVertical | kTop, 0.4f},
    };
    for (const auto& w : wheel)
    {
        slider->setStyle(w.style);
        slider->setValue(0.5f);
        EXPECT_TRUE(frame->platformOnMouseWheel(CPoint(15, 60), w.axis, w.distance, w.buttons));
        EXPECT_NEAR(slider->getValue(), w.expected, 1e-6);
    }
    slider->setStyle(kVertical | kBottom);
    listener.take();
    frame->setFocusView(slider);
    const struct
    {
        uint8_t key;
        uint8_t modifier;
        float expected;
    } keys[] = {{VKEY_UP, 0, 0.6f}, {VKEY_DOWN, 0, 0.4f}, {VKEY_RIGHT, MODIFIER_SHIFT, 0.51f}};
    for (const auto& k : keys)
    {
        slider->setValue(0.5f);
        slider->setDirty(false);
        VstKeyCode code;
        code.virt = k.key;
        code.modifier = k.modifier;
        EXPECT_TRUE(frame->platformOnKeyDown(code));
        EXPECT_NEAR(slider->getValue(), k.expected, 1e-6);
        const Events events = listener.take();
        ASSERT_EQ(events.size(), 3u);
        EXPECT_EQ(events.front(), "begin");
        EXPECT_EQ(events.back(), "end");
    }
}

TEST_F(SliderTest, ExactlyCtrlClickRestoresTheDefault)
{
    slider->setDefaultValue(0.5f);
    const struct
    {
        int32_t buttons;
        Events events;
    } cases[] = {
        {kLeftButton | kControl, {"begin", "change 0.5", "end"}},
        {kLeftButton | kControl | kShift, {"begin"}},  // not exactly Ctrl: a zoomed press
        {kRButton | kControl, {}},
        {kLeftButton | kAlt, {"begin", "change 0"}},   // Alt is an ordinary click here
    };
    for (const auto& c : cases)
    {
        slider->setValue(0.2f);
        slider->setDirty(false);
        listener.take();
        press(86, c.buttons);
        move(64, c.buttons);  // after a default click nothing follows
        SCOPED_TRACE(c.buttons);
        Events events = listener.take();
        events.resize(std::min(events.size(), c.events.size()));
        EXPECT_EQ(events, c.events);
        release(64);
        listener.take();
    }
    slider->setValue(0.2f);
    press(86, kLeftButton | kControl);
    move(20);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
}

TEST_F(SliderTest, EscapeDuringADragRestoresTheStartValue)
{
    slider->setValue(0.25f);
    slider->setDirty(false);
    press(64);
    EXPECT_NEAR(slider->getValue(), 0.5f, 1e-6);
    VstKeyCode escape;
    escape.virt = VKEY_ESCAPE;
    EXPECT_TRUE(frame->platformOnKeyDown(escape));
    EXPECT_NEAR(slider->getValue(), 0.25f, 1e-6);
    EXPECT_EQ(listener.take(), (Events{"begin", "change 0.5", "change 0.25", "end"}));
    move(20);  // the gesture is over
    EXPECT_TRUE(listener.take().empty());
}

TEST_F(SliderTest, RampModeStepsTowardsTheClickOnTheRunLoop)
{
    test::ManualRunLoop loop;
    ASSERT_TRUE(frame->open(nullptr, &loop));
    slider->setMode(CSlider::kRampMode);
    slider->setValue(0.f);
    slider->setDirty(false);
    press(64);  // target 0.5, steps of 0.1 * wheel increment 0.1
    EXPECT_FLOAT_EQ(slider->getValue(), 0.f);
    loop.advance(16 * 10);
    EXPECT_NEAR(slider->getValue(), 0.1f, 1e-5);
    loop.advance(16 * 60);
    EXPECT_NEAR(slider->getValue(), 0.5f, 1e-5);
    EXPECT_EQ(loop.timerCount(), 0u);  // the ramp stopped itself at the target
    release(64);
    const Events events = listener.take();
    EXPECT_EQ(events.front(), "begin");
    EXPECT_EQ(events.back(), "end");
    frame.release()->close();
}
