// CKnob and CAnimKnob: the drag modes the frame's editor asks for, and the
// filmstrip frame chosen for a value.
#include "gui/cframe.h"
#include "gui/canimknob.h"
#include "gui/cknob.h"
#include "gui/vstgui_editor_interface.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace VSTGUI;

namespace {

class KnobModeEditor : public VSTGUIEditorInterface
{
public:
    int32_t getKnobMode() const override { return mode; }
    int32_t mode = -1;
};

class KnobTest : public ::testing::Test
{
protected:
    // A 40 x 40 knob at (100, 100): centre (120, 120), travel 135 deg to 405 deg.
    void SetUp() override
    {
        frame = owned(new CFrame(CRect(0, 0, 300, 300), &editor));
        knob = new CKnob(CRect(100, 100, 140, 140), &listener, 1, nullptr, nullptr);
        frame->addView(knob);
        knob->setDirty(false);
    }
    void drag(CPoint from, CPoint to, int32_t buttons = kLButton)
    {
        frame->platformOnMouseDown(from, buttons);
        frame->platformOnMouseMoved(to, buttons);
        frame->platformOnMouseUp(to, buttons);
    }
    /// The point at `degrees` (clockwise from 3 o'clock) on a circle around the centre.
    static CPoint at(double degrees, double radius = 15)
    {
        const double a = degrees * M_PI / 180.0;
        return {120 + radius * std::cos(a), 120 + radius * std::sin(a)};
    }

    KnobModeEditor editor;
    test::RecordingListener listener;
    SharedPointer<CFrame> frame;
    CKnob* knob = nullptr;
};

} // namespace

TEST_F(KnobTest, LinearModeFollowsUpAndRightMovement)
{
    editor.mode = kLinearMode;
    const struct
    {
        CPoint to;
        int32_t buttons;
        float expected;
    } cases[] = {
        {CPoint(120, 70), kLButton, 0.75f},           // 50 px up of 200
        {CPoint(170, 120), kLButton, 0.75f},          // 50 px right
        {CPoint(120, 170), kLButton, 0.25f},          // down decreases
        {CPoint(120, 45), kLButton | kShift, 0.75f},  // 75 px up of 300 (zoom 1.5)
        {CPoint(120, -500), kLButton, 1.f},           // bounded
    };
    for (const auto& c : cases)
    {
        knob->setValue(0.5f);
        knob->setDirty(false);
        drag(CPoint(120, 120), c.to, c.buttons);
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-5);
    }
}

TEST_F(KnobTest, LinearModeRebasesWhenModifiersChangeMidDrag)
{
    editor.mode = kLinearMode;
    knob->setValue(0.5f);
    CPoint p(120, 120);
    frame->platformOnMouseDown(p, kLButton);
    CPoint q(120, 80);  // +0.2
    frame->platformOnMouseMoved(q, kLButton);
    EXPECT_NEAR(knob->getValue(), 0.7f, 1e-5);
    frame->platformOnMouseMoved(q, kLButton | kShift);  // no jump on pressing Shift
    EXPECT_NEAR(knob->getValue(), 0.7f, 1e-5);
    CPoint r(120, 50);  // 30 px at 300 px per range: +0.1
    frame->platformOnMouseMoved(r, kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.8f, 1e-5);
}

TEST_F(KnobTest, CircularAndRelativeCircularFollowTheAngle)
{
    for (int32_t mode : {int32_t(-1), int32_t(kCircularMode), int32_t(kRelativCircularMode)})
    {
        editor.mode = mode;
        SCOPED_TRACE(mode);
        const struct
        {
            double fromDeg, toDeg;
            float expected;
        } cases[] = {
            {270, 270, 0.5f},          // top: the middle of the travel
            {270, 0, 0.5f + 90.f / 270.f},
            {270, 180, 0.5f - 90.f / 270.f},
            {270, 135, 0.f},
            {270, 45, 1.f},
        };
        for (const auto& c : cases)
        {
            knob->setValue(0.5f);
            drag(at(c.fromDeg), at(c.toDeg));
            EXPECT_NEAR(knob->getValue(), c.expected, 1e-4);
        }
        // Across the gap at the bottom the value does not wrap: it sticks at the end.
        knob->setValue(0.5f);
        CPoint a = at(0), b = at(100);
        frame->platformOnMouseDown(a, kLButton);
        frame->platformOnMouseMoved(b, kLButton);
        EXPECT_FLOAT_EQ(knob->getValue(), 1.f);
        frame->platformOnMouseUp(b, kLButton);
    }
}

TEST_F(KnobTest, AltSwapsLinearAndCircular)
{
    editor.mode = kLinearMode;
    knob->setValue(0.5f);
    drag(at(270), at(0), kLButton | kAlt);  // circular: the angle decides
    EXPECT_NEAR(knob->getValue(), 0.5f + 90.f / 270.f, 1e-4);
    editor.mode = kCircularMode;
    knob->setValue(0.5f);
    drag(CPoint(120, 120), CPoint(120, 70), kLButton | kAlt);  // linear
    EXPECT_NEAR(knob->getValue(), 0.75f, 1e-5);
}

TEST_F(KnobTest, DragIsOneGestureAndEscapeRestores)
{
    editor.mode = kLinearMode;
    knob->setValue(0.5f);
    knob->setDirty(false);
    listener.take();
    CPoint p(120, 120), q(120, 100);
    frame->platformOnMouseDown(p, kLButton);
    frame->platformOnMouseMoved(q, kLButton);
    VstKeyCode escape;
    escape.virt = VKEY_ESCAPE;
    frame->platformOnKeyDown(escape);
    EXPECT_EQ(listener.take(), (std::vector<std::string>{"begin", "change 0.6", "change 0.5", "end"}));
}

TEST(AnimKnob, FilmstripFrameForValue)
{
    // 10 frames of 20 px: frame = floor(n * 9), the last only at n = 1.
    auto strip = owned(new CBitmap(CResourceDescription("filmstrip.png")));
    ASSERT_TRUE(strip->isLoaded());
    CAnimKnob knob(CRect(0, 0, 20, 20), nullptr, 1, strip);
    EXPECT_EQ(knob.getNumSubPixmaps(), 10);
    const struct
    {
        float value;
        bool inverse;
        double offset;
    } cases[] = {{0.f, false, 0},    {0.11f, false, 0},  {0.12f, false, 20}, {0.5f, false, 80},
                 {0.999f, false, 160}, {1.f, false, 180}, {0.f, true, 180},  {1.f, true, 0}};
    for (const auto& c : cases)
    {
        knob.setInverseBitmap(c.inverse);
        knob.setValue(c.value);
        EXPECT_DOUBLE_EQ(knob.getFrameOffset(), c.offset) << c.value;
    }
    // Height of one image defaults to the view's height.
    knob.setViewSize(CRect(0, 0, 20, 40));
    EXPECT_EQ(knob.getNumSubPixmaps(), 5);
    knob.setHeightOfOneImage(20);
    EXPECT_EQ(knob.getNumSubPixmaps(), 10);
}
