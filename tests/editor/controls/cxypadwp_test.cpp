// CXYPadWP: the track pad and the diamond joystick; the two orientations of y (screen
// for drawing, upward for the listener and the host); drawing.
#include "editor/controls/cxypadwp.h"
#include "gui/cframe.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

using namespace VSTGUI;

namespace {

/// Packing as the pad's value holds it, written out here so the tests do not lean on
/// the code under test: three decimals of x, then three of y in the 4th to 7th place.
float pack(float x, float y)
{
    return std::floor(x * 1000.f + 0.5f) * 0.001f + std::floor(y * 1000.f + 0.5f) * 0.0000001f;
}

std::pair<float, float> unpack(float v)
{
    const float x = std::floor(v * 1000.f + 0.5f) * 0.001f;
    return {x, std::floor((v - x) * 10000000.f + 0.5f) * 0.001f};
}

/// Records each call with the pad's value at that moment.
struct PadListener : IControlListener
{
    void valueChanged(CControl* c) override { events.push_back({"change", c->getValue()}); }
    void controlBeginEdit(CControl* c) override { events.push_back({"begin", c->getValue()}); }
    void controlEndEdit(CControl* c) override { events.push_back({"end", c->getValue()}); }
    std::vector<std::string> kinds() const
    {
        std::vector<std::string> out;
        for (const auto& e : events)
            out.push_back(e.first);
        return out;
    }
    float lastChange() const
    {
        for (auto it = events.rbegin(); it != events.rend(); ++it)
            if (it->first == "change")
                return it->second;
        return -1.f;
    }
    std::vector<std::pair<std::string, float>> events;
};

struct PadFixture
{
    PadFixture(const CRect& rect, bool joystick, double radius = 10)
        : frame(owned(new CFrame(CRect(0, 0, 200, 200), nullptr)))
    {
        pad = new CXYPadWP(rect);
        pad->joystickMode = joystick;
        pad->setRoundRectRadius(radius);
        pad->setListener(&listener);
        frame->addView(pad);
    }
    void down(double x, double y, int32_t buttons = kLButton)
    {
        CPoint p(x, y);
        frame->platformOnMouseDown(p, buttons);
    }
    void move(double x, double y, int32_t buttons = kLButton)
    {
        CPoint p(x, y);
        frame->platformOnMouseMoved(p, buttons);
    }
    void up(double x, double y)
    {
        CPoint p(x, y);
        frame->platformOnMouseUp(p, kLButton);
    }
    /// The handle's position in screen terms (y = 0 at the top).
    std::pair<float, float> handle() const { return unpack(pad->getValue()); }

    PadListener listener;
    SharedPointer<CFrame> frame;
    CXYPadWP* pad = nullptr;
};

constexpr float kTolerance = 1e-6f;

} // namespace

TEST(XYPadWP, TrackPadDraggedToTheCornerReportsYUpward)
{
    // 100 x 100 at (20, 30), handle 10: the pad area is 90 x 90 from (25, 35).
    PadFixture f(CRect(20, 30, 120, 130), false);
    f.down(70, 80);   // the middle
    f.move(120, 130); // the bottom-right corner of the view
    f.up(120, 130);

    ASSERT_EQ(f.listener.kinds(), (std::vector<std::string> {"begin", "change", "change", "end"}));
    // The gesture is open before the first position is reported.
    EXPECT_NEAR(f.listener.events[1].second, pack(0.5f, 0.5f), kTolerance);
    EXPECT_FLOAT_EQ(f.listener.events[2].second, 1.0f); // x 1, y 0 (bottom)
    const auto [x, y] = f.handle();
    EXPECT_FLOAT_EQ(x, 1.f);
    EXPECT_FLOAT_EQ(y, 1.f); // screen: the bottom edge
}

TEST(XYPadWP, AMoveMirroredAboutTheMiddleIsReported)
{
    PadFixture f(CRect(0, 0, 100, 100), false);
    f.pad->setValue(pack(0.5f, 0.7f)); // host: screen (0.5, 0.3)
    test::Canvas drawn(*f.frame);      // what was drawn last is the screen value
    f.down(50, 5 + 0.3 * 90);          // on the handle: nothing to report
    f.move(50, 5 + 0.7 * 90);          // reported upward: (0.5, 0.3), the value drawn before
    f.up(50, 5 + 0.7 * 90);
    EXPECT_EQ(f.listener.kinds(), (std::vector<std::string> {"begin", "change", "end"}));
    EXPECT_NEAR(f.listener.lastChange(), pack(0.5f, 0.3f), kTolerance);
}

TEST(XYPadWP, JoystickStaysInsideItsDiamond)
{
    PadFixture f(CRect(0, 0, 100, 100), true);
    f.pad->setValue(pack(0.5f, 0.5f)); // the host puts it in the middle

    // From the middle toward the bottom-right corner: each pointer position in pad
    // terms is (p - 5) / 90; the diamond is |x - 0.5| + |y - 0.5| <= 0.5.
    const double path[] = {50, 60, 70, 75, 80, 90, 99};
    float insideX = 0.5f, insideY = 0.5f;
    f.down(50, 50);
    for (double p : path)
    {
        f.move(p, p);
        const float t = static_cast<float>((p - 5) / 90);
        if (std::fabs(t - 0.5f) * 2 < 0.5f)
            insideX = insideY = t;
        const auto expected = unpack(pack(insideX, insideY));
        const auto [x, y] = f.handle();
        EXPECT_NEAR(x, expected.first, kTolerance) << p;
        EXPECT_NEAR(y, expected.second, kTolerance) << p;
    }
    f.up(99, 99);
    // What the host heard last: the pinned point, y upward.
    EXPECT_NEAR(f.listener.lastChange(), pack(insideX, 1.f - insideY), kTolerance);
    EXPECT_NEAR(insideX, 65.f / 90.f, kTolerance); // from 75 on the pointer is outside
}

TEST(XYPadWP, JoystickClickOutsideTheDiamondNeverLeavesIt)
{
    PadFixture f(CRect(0, 0, 100, 100), true);
    // A new pad's value puts the handle on the top-left corner, outside the diamond;
    // a click outside must not pin the handle (and the host) there.
    f.down(2, 2);
    f.up(2, 2);
    const auto [x, y] = f.handle();
    EXPECT_FLOAT_EQ(x, 0.5f);
    EXPECT_FLOAT_EQ(y, 0.5f);

    // Moved by the host since, a click outside keeps the host's position.
    f.pad->setValue(pack(0.3f, 0.4f)); // screen (0.3, 0.6)
    f.down(98, 2);
    f.up(98, 2);
    const auto [x2, y2] = f.handle();
    EXPECT_NEAR(x2, 0.3f, kTolerance);
    EXPECT_NEAR(y2, 0.6f, kTolerance);
}

TEST(XYPadWP, HostValuesHaveYUpward)
{
    const struct
    {
        bool joystick;
        float before; // host value first given (accepted)
        float host;
        float screenX;
        float screenY;
    } cases[] = {
        {false, 0.f, 0.5f, 0.5f, 1.0f}, // x 0.5, y 0 -> handle at the bottom
        {false, 0.f, pack(0.75f, 0.5f), 0.75f, 0.5f},
        {false, 0.f, pack(0.25f, 1.f), 0.25f, 0.f}, // y 1 -> the top
        {false, 0.f, 2.5f, 1.f, 1.f},               // beyond the range: clamped
        {true, pack(0.5f, 0.5f), pack(0.5f, 0.25f), 0.5f, 0.75f},
        {true, pack(0.5f, 0.5f), 0.0f, 0.5f, 0.5f},               // bottom-left corner: ignored
        {true, pack(0.5f, 0.5f), pack(1.f, 1.f), 0.5f, 0.5f},     // top-right corner: ignored
        {true, pack(0.5f, 0.5f), pack(0.8f, 0.25f), 0.5f, 0.5f},  // outside, near the edge
        {true, pack(0.5f, 0.5f), pack(0.7f, 0.35f), 0.7f, 0.65f}, // inside, near the edge
    };
    for (const auto& c : cases)
    {
        PadFixture f(CRect(0, 0, 100, 100), c.joystick);
        f.pad->setValue(c.before);
        f.pad->setValue(c.host);
        const auto [x, y] = f.handle();
        EXPECT_NEAR(x, c.screenX, kTolerance) << c.host;
        EXPECT_NEAR(y, c.screenY, kTolerance) << c.host;
        EXPECT_TRUE(f.listener.events.empty()); // host values are not echoed
    }
}

TEST(XYPadWP, PointInRegionIsTheEvenOddRule)
{
    const float diamondX[] = {0.0f, 0.5f, 1.0f, 0.5f};
    const float diamondY[] = {0.5f, 0.0f, 0.5f, 1.0f};
    // A U shape: the notch between its arms is outside.
    const float uX[] = {0, 3, 3, 2, 2, 1, 1, 0};
    const float uY[] = {0, 0, 3, 3, 1, 1, 3, 3};
    const struct
    {
        int32_t count;
        const float* xs;
        const float* ys;
        float x, y;
        bool inside;
    } cases[] = {
        {4, diamondX, diamondY, 0.5f, 0.5f, true},
        {4, diamondX, diamondY, 0.1f, 0.1f, false},
        {4, diamondX, diamondY, 0.9f, 0.9f, false},
        {4, diamondX, diamondY, 0.26f, 0.5f, true},
        {4, diamondX, diamondY, 0.5f, 0.02f, true},
        {4, diamondX, diamondY, 0.74f, 0.74f, true},
        {4, diamondX, diamondY, 0.76f, 0.76f, false},
        {4, diamondX, diamondY, 1.5f, 0.5f, false},
        {4, diamondX, diamondY, -0.5f, 0.5f, false},
        {8, uX, uY, 0.5f, 2.5f, true},  // left arm
        {8, uX, uY, 2.5f, 2.5f, true},  // right arm
        {8, uX, uY, 1.5f, 2.5f, false}, // the notch
        {8, uX, uY, 1.5f, 0.5f, true},  // the base
        {8, uX, uY, 3.5f, 0.5f, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CXYPadWP::pointInRegion(c.count, c.xs, c.ys, c.x, c.y), c.inside)
            << c.count << " corners, (" << c.x << ", " << c.y << ")";
}

TEST(XYPadWP, CancelAndWheelReportYUpwardToo)
{
    PadFixture f(CRect(0, 0, 100, 100), false);
    f.pad->setValue(pack(0.2f, 0.9f)); // host: screen (0.2, 0.1)
    f.down(95, 95);
    f.frame->onMouseCancel();
    EXPECT_NEAR(f.listener.lastChange(), pack(0.2f, 0.9f), kTolerance); // back, y upward
    EXPECT_EQ(f.listener.kinds().back(), "end");
    auto [x, y] = f.handle();
    EXPECT_NEAR(x, 0.2f, kTolerance);
    EXPECT_NEAR(y, 0.1f, kTolerance);
    // After the gesture, host values are read y upward again.
    f.pad->setValue(pack(0.2f, 0.7f));
    EXPECT_NEAR(f.handle().second, 0.3f, kTolerance);

    // One wheel notch moves the handle by the wheel step in screen terms, reported y upward.
    f.listener.events.clear();
    f.pad->onWheel(CPoint(50, 50), kMouseWheelAxisY, 1.f, CButtonState());
    std::tie(x, y) = f.handle();
    EXPECT_NEAR(x, 0.2f, kTolerance);
    EXPECT_NEAR(y, 0.4f, kTolerance);
    EXPECT_NEAR(f.listener.lastChange(), pack(0.2f, 0.6f), kTolerance);
}

TEST(XYPadWP, LeavingWithStopTrackingEndsTheDrag)
{
    PadFixture f(CRect(0, 0, 100, 100), false);
    f.pad->setStopTrackingOnMouseExit(true);
    f.down(50, 50);
    f.move(150, 50); // off the pad: the gesture ends, no mouse-up will come
    EXPECT_FALSE(f.pad->isEditing());
    EXPECT_EQ(f.listener.kinds().back(), "end");
    f.up(150, 50);
    f.pad->setValue(pack(0.5f, 0.25f));
    EXPECT_NEAR(f.handle().second, 0.75f, kTolerance); // read as a host value
}

TEST(XYPadWP, DrawsTheDiamondOrTheBackgroundAndTheHandle)
{
    const CColor back(200, 0, 0), frameColor(0, 0, 200), handle(0, 200, 0), behind(0, 0, 0);
    for (bool joystick : {false, true})
    {
        PadFixture f(CRect(0, 0, 100, 100), joystick, 20);
        f.frame->setBackgroundColor(behind);
        f.pad->setBackColor(back);
        f.pad->setFrameColor(frameColor);
        f.pad->setFontColor(handle);
        f.pad->setValue(pack(0.3f, 0.6f)); // host: screen (0.3, 0.4)
        test::Canvas canvas(*f.frame);
        // The handle: a 20 x 20 disc from (0.3 * 80, 0.4 * 80).
        EXPECT_TRUE(test::Canvas::near(canvas.at(34, 42), handle)) << joystick;
        EXPECT_FALSE(test::Canvas::near(canvas.at(34, 22), handle)) << joystick; // not above it
        // Inside the diamond, away from the handle and the axes.
        EXPECT_TRUE(test::Canvas::near(canvas.at(70, 60), back)) << joystick;
        // A corner of the view: the track pad's background, outside the joystick's diamond.
        EXPECT_TRUE(test::Canvas::near(canvas.at(92, 92), joystick ? behind : back)) << joystick;
        EXPECT_FALSE(f.pad->isDirty());
    }
}
