// The bases of the framework's own controls: kick button, VU meter, XY pad.
#include "gui/cframe.h"
#include "gui/ckickbutton.h"
#include "gui/cvumeter.h"
#include "gui/cxypad.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using Events = std::vector<std::string>;

namespace {

struct Fixture
{
    Fixture() : frame(owned(new CFrame(CRect(0, 0, 200, 200), nullptr))) {}
    void down(CPoint p, int32_t b = kLButton) { frame->platformOnMouseDown(p, b); }
    void move(CPoint p, int32_t b = kLButton) { frame->platformOnMouseMoved(p, b); }
    void up(CPoint p, int32_t b = kLButton) { frame->platformOnMouseUp(p, b); }

    test::RecordingListener listener;
    SharedPointer<CFrame> frame;
};

} // namespace

TEST(KickButton, ReportsPressAndReleaseOnlyForAReleaseInside)
{
    const struct
    {
        const char* gesture;
        CPoint releaseAt;
        Events events;
    } cases[] = {
        {"inside", CPoint(15, 15), {"begin", "change 1", "change 0", "end"}},
        {"on the edge", CPoint(30, 30), {"begin", "change 1", "change 0", "end"}},
        {"dragged off", CPoint(60, 15), {"begin", "change 0", "end"}},
    };
    for (const auto& c : cases)
    {
        Fixture f;
        auto* button = new CKickButton(CRect(10, 10, 30, 30), &f.listener, 1, nullptr);
        f.frame->addView(button);
        button->setDirty(false);
        f.down(CPoint(15, 15));
        EXPECT_FLOAT_EQ(button->getValue(), 1.f) << c.gesture;
        f.move(c.releaseAt);
        f.up(c.releaseAt);
        EXPECT_EQ(f.listener.take(), c.events) << c.gesture;
        EXPECT_FLOAT_EQ(button->getValue(), 0.f);
    }
}

TEST(KickButton, ReturnKeyAndCancel)
{
    Fixture f;
    auto* button = new CKickButton(CRect(10, 10, 30, 30), &f.listener, 1, nullptr);
    f.frame->addView(button);
    f.frame->setFocusView(button);
    VstKeyCode enter;
    enter.virt = VKEY_RETURN;
    f.frame->platformOnKeyDown(enter);
    f.frame->platformOnKeyUp(enter);
    EXPECT_EQ(f.listener.take(), (Events{"begin", "change 1", "change 0", "end"}));
    enter.modifier = MODIFIER_SHIFT;
    EXPECT_FALSE(f.frame->platformOnKeyDown(enter));
    f.down(CPoint(15, 15));
    button->setDirty(false);
    EXPECT_EQ(button->onMouseCancel(), kMouseEventHandled);
    EXPECT_EQ(f.listener.take(), (Events{"begin", "change 0", "end"}));
}

TEST(KickButton, DrawsThePressedFrameBelowTheNormalOne)
{
    Fixture f;
    auto strip = owned(new CBitmap(CResourceDescription("filmstrip.png")));
    auto* button = new CKickButton(CRect(0, 0, 20, 20), nullptr, 1, 20, strip);
    f.frame->addView(button);
    button->setValue(0.f);
    EXPECT_TRUE(test::Canvas::near(test::Canvas(*f.frame).at(10, 10), CColor(0, 0, 0), 1));
    button->setValue(1.f);
    EXPECT_TRUE(test::Canvas::near(test::Canvas(*f.frame).at(10, 10), CColor(20, 0, 0), 1));
}

TEST(XYPad, PacksBothCoordinatesInOneValue)
{
    const struct
    {
        float x, y;
    } cases[] = {{0.f, 0.f}, {1.f, 1.f}, {0.5f, 0.25f}, {0.123f, 0.987f}, {1.f, 0.f}, {0.f, 1.f}};
    for (const auto& c : cases)
    {
        float x = -1, y = -1;
        CXYPad::calculateXY(CXYPad::calculateValue(c.x, c.y), x, y);
        EXPECT_NEAR(x, c.x, 0.0006f);
        EXPECT_NEAR(y, c.y, 0.0006f);
    }
    EXPECT_FLOAT_EQ(CXYPad::calculateValue(1.f, 0.f), 1.f);
    CXYPad pad(CRect(0, 0, 60, 60));
    pad.setMax(5.f);  // fixed range
    EXPECT_FLOAT_EQ(pad.getMax(), 2.f);
    pad.setDefaultValue(0.5f);
    EXPECT_FLOAT_EQ(pad.getDefaultValue(), CXYPad::calculateValue(0.5f, 0.5f));
}

TEST(XYPad, DragMapsThePointerOntoThePadArea)
{
    Fixture f;
    auto* pad = new CXYPad(CRect(50, 50, 150, 150));  // radius 10: 90 px of travel each way
    pad->setRoundRectRadius(10);
    pad->setListener(&f.listener);
    f.frame->addView(pad);
    pad->setDirty(false);
    const struct
    {
        CPoint at;
        float x, y;
    } cases[] = {{CPoint(55, 55), 0.f, 0.f},
                 {CPoint(145, 145), 1.f, 1.f},
                 {CPoint(100, 55), 0.5f, 0.f},
                 {CPoint(300, -40), 1.f, 0.f}};
    f.down(CPoint(100, 100));
    for (const auto& c : cases)
    {
        f.move(c.at);
        float x, y;
        CXYPad::calculateXY(pad->getValue(), x, y);
        EXPECT_NEAR(x, c.x, 0.001f);
        EXPECT_NEAR(y, c.y, 0.001f);
    }
    f.up(CPoint(300, -40));
    const Events events = f.listener.take();
    EXPECT_EQ(events.front(), "begin");
    EXPECT_EQ(events.back(), "end");
    EXPECT_EQ(events.size(), 2u + 5u);  // the press and four moves each changed the value
}

TEST(XYPad, StopTrackingOnExitEndsTheGesture)
{
    Fixture f;
    auto* pad = new CXYPad(CRect(50, 50, 150, 150));
    pad->setListener(&f.listener);
    pad->setStopTrackingOnMouseExit(true);
    f.frame->addView(pad);
    f.down(CPoint(100, 100));
    f.move(CPoint(200, 100));
    const float value = pad->getValue();
    f.move(CPoint(120, 120));  // no longer tracked
    EXPECT_FLOAT_EQ(pad->getValue(), value);
    const Events events = f.listener.take();
    EXPECT_EQ(events.back(), "end");
    EXPECT_FALSE(pad->isEditing());
}

TEST(VuMeter, IdlePollingRedrawsOnlyWhenTheValueMoved)
{
    test::ManualRunLoop loop;
    Fixture f;
    auto on = owned(new CBitmap(CResourceDescription("vu_on.png")));
    auto* meter = new CVuMeter(CRect(10, 10, 20, 50), on, nullptr, 10, kVertical);
    f.frame->addView(meter);
    ASSERT_TRUE(f.frame->open(nullptr, &loop));
    EXPECT_EQ(loop.timerCount(), 1u);  // the frame's idle timer
    meter->setValue(0.5f);
    test::Canvas first(*f.frame);
    f.frame->takeInvalidArea();
    loop.advance(100);
    EXPECT_TRUE(f.frame->takeInvalidArea().isEmpty());  // shown as it is
    meter->setDecreaseStepValue(0.25f);
    meter->setValue(0.f);
    loop.advance(34);
    EXPECT_EQ(f.frame->takeInvalidArea(), meter->getViewSize());
    test::Canvas falling(*f.frame);  // shows 0.25
    f.frame->takeInvalidArea();
    loop.advance(34);
    EXPECT_EQ(f.frame->takeInvalidArea(), meter->getViewSize());  // still falling
    test::Canvas last(*f.frame);  // 0: settled
    f.frame->takeInvalidArea();
    loop.advance(100);
    EXPECT_TRUE(f.frame->takeInvalidArea().isEmpty());
    f.frame->removeView(meter);
    EXPECT_EQ(loop.timerCount(), 0u);  // nobody left to poll
    f.frame.release()->close();
}
