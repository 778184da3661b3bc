// The test description built into a frame and drawn without a window: what a
// user would see, checked with pixel probes.
#include "gui/cframe.h"
#include "gui/canimknob.h"
#include "gui/cknob.h"
#include "gui/cslider.h"
#include "gui/ctextedit.h"
#include "gui/cvumeter.h"
#include "gui/cxypad.h"
#include "gui/uidesc/uidescription.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using test::Canvas;

namespace {

template <class T>
T* firstOf(CViewContainer& c)
{
    std::vector<T*> views;
    c.getChildViewsOfType<T>(views);
    return views.empty() ? nullptr : views.front();
}

class HeadlessRender : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(description.parse());
        CView* view = description.createView("Main", nullptr);
        ASSERT_NE(view, nullptr);
        frame = owned(new CFrame(view->getViewSize(), nullptr));
        frame->addView(view);
        slider = firstOf<CSlider>(*frame);
        knob = firstOf<CAnimKnob>(*frame);
        ASSERT_NE(slider, nullptr);
        ASSERT_NE(knob, nullptr);
    }

    UIDescription description{"test.uidesc"};
    SharedPointer<CFrame> frame;
    CSlider* slider = nullptr;
    CAnimKnob* knob = nullptr;
};

const CColor kPanel(0x40, 0x40, 0x40);
const CColor kTrack(64, 64, 64);
const CColor kHandle(0, 0, 255);

} // namespace

TEST_F(HeadlessRender, ViewsSitWhereTheDescriptionPutsThem)
{
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 300, 200));
    EXPECT_EQ(slider->getViewSize(), CRect(10, 40, 20, 90));
    EXPECT_EQ(knob->getViewSize(), CRect(40, 40, 60, 60));
    EXPECT_EQ(knob->getNumSubPixmaps(), 10);
    // The template used as a child takes the entry's origin and size.
    auto* main = dynamic_cast<CViewContainer*>(frame->getView(0));
    ASSERT_NE(main, nullptr);
    auto* box = dynamic_cast<CViewContainer*>(main->getView(main->getNbViews() - 1));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->getViewSize(), CRect(130, 100, 190, 140));
    ASSERT_EQ(box->getNbViews(), 1);
    CPoint inner(0, 0);
    box->getView(0)->localToFrame(inner.offset(5, 5));
    EXPECT_EQ(inner, CPoint(135, 105));
}

TEST_F(HeadlessRender, SliderHandleIsWhereItsValueSays)
{
    // 50 px track, 6 px handle: 44 px of travel, value 1 at the top.
    const struct
    {
        float value;
        double handleTop;
    } cases[] = {{1.f, 40}, {0.f, 84}, {0.25f, 73}, {0.5f, 62}};
    for (const auto& c : cases)
    {
        slider->setValue(c.value);
        Canvas canvas(*frame);
        SCOPED_TRACE(c.value);
        EXPECT_EQ(slider->getHandleRect(), CRect(10, c.handleTop, 20, c.handleTop + 6));
        EXPECT_EQ(canvas.countDiffering(CRect(10, c.handleTop, 20, c.handleTop + 6), kHandle), 0);
        const double trackY = c.handleTop > 60 ? 45 : 88;
        EXPECT_TRUE(Canvas::near(canvas.at(15, trackY), kTrack));
    }
}

TEST_F(HeadlessRender, KnobShowsTheFilmstripFrameOfItsValue)
{
    // Frame i of the strip is red 20 * i; frame = floor(value * 9).
    const struct
    {
        float value;
        int frame;
    } cases[] = {{0.f, 0}, {0.5f, 4}, {0.99f, 8}, {1.f, 9}};
    for (const auto& c : cases)
    {
        knob->setValue(c.value);
        Canvas canvas(*frame);
        SCOPED_TRACE(c.value);
        EXPECT_EQ(canvas.countDiffering(CRect(40, 40, 60, 60), CColor(20 * c.frame, 0, 0), 1), 0);
    }
}

TEST_F(HeadlessRender, DoubleScaleUsesTheHighResolutionBitmap)
{
    knob->setValue(0.5f);
    Canvas canvas(*frame, 2.0);
    ASSERT_EQ(canvas.width(), 600);
    EXPECT_EQ(canvas.countDiffering(CRect(40, 40, 60, 60), CColor(80, 200, 0), 1), 0);
    Canvas oneAndHalf(*frame, 1.5);
    EXPECT_TRUE(Canvas::near(oneAndHalf.at(50, 50), CColor(80, 200, 0)));
    Canvas single(*frame, 1.0);
    EXPECT_TRUE(Canvas::near(single.at(50, 50), CColor(80, 0, 0)));
}

TEST_F(HeadlessRender, TextIsDrawnCentredInItsRect)
{
    Canvas canvas(*frame);
    // The label "HHHH" in white, centred in (10, 10, 90, 30).
    int left = 1000, right = -1, top = 1000, bottom = -1;
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 130; ++x)
            if (Canvas::near(canvas.device(x, y), kWhiteCColor, 60))
            {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "no text drawn";
    EXPECT_GE(left, 10);
    EXPECT_LT(right, 90);
    EXPECT_NEAR((left + right) / 2.0, 50.0, 2.0);
    EXPECT_NEAR((top + bottom) / 2.0, 20.0, 2.0);
    EXPECT_GT(right - left, 30);  // four 14 px capitals
    // The text edit: yellow text on its black field.
    auto* edit = firstOf<CTextEdit>(*frame);
    ASSERT_NE(edit, nullptr);
    EXPECT_STREQ(edit->getText(), "1.5");
    EXPECT_GT(canvas.countDiffering(edit->getViewSize(), kBlackCColor, 60), 10);
    EXPECT_TRUE(Canvas::near(canvas.at(71, 41), kBlackCColor));
}

TEST_F(HeadlessRender, MeterFallsByTheDecreaseStepPerRedraw)
{
    auto* meter = firstOf<CVuMeter>(*frame);
    ASSERT_NE(meter, nullptr);
    meter->setValue(1.f);
    { Canvas full(*frame); }
    meter->setValue(0.5f);
    const CColor on(0, 255, 0), off(128, 0, 0);
    // Falls from 1: 0.9, 0.8 ... 0.5, then stays. 10 LEDs over 40 px.
    for (int redraw = 1; redraw <= 6; ++redraw)
    {
        Canvas canvas(*frame);
        const double level = std::max(0.5, 1.0 - 0.1 * redraw);
        const double offPixels = 4.0 * std::lround(10.0 * (1.0 - level));
        SCOPED_TRACE(redraw);
        EXPECT_EQ(canvas.countDiffering(CRect(170, 40, 180, 40 + offPixels), off, 2), 0);
        EXPECT_EQ(canvas.countDiffering(CRect(170, 40 + offPixels, 180, 80), on, 2), 0);
    }
}

TEST_F(HeadlessRender, PadHandleAndNinePartBackground)
{
    auto* pad = firstOf<CXYPad>(*frame);
    ASSERT_NE(pad, nullptr);
    pad->setValue(CXYPad::calculateValue(1.f, 0.f));
    Canvas canvas(*frame);
    // Radius 10 on a 50 px pad: the handle centre at the top-right of the 40 px travel.
    EXPECT_TRUE(Canvas::near(canvas.at(235, 45), kRedCColor, 20));
    EXPECT_TRUE(Canvas::near(canvas.at(196, 84), kBlackCColor));
    // Nine parts: red corners, green edges (repeated), blue middle.
    EXPECT_TRUE(Canvas::near(canvas.at(131, 101), kRedCColor));
    EXPECT_TRUE(Canvas::near(canvas.at(188, 138), kRedCColor));
    EXPECT_TRUE(Canvas::near(canvas.at(160, 101), kGreenCColor));
    EXPECT_TRUE(Canvas::near(canvas.at(131, 120), kGreenCColor));
    EXPECT_TRUE(Canvas::near(canvas.at(160, 125), kBlueCColor));
}

TEST_F(HeadlessRender, OnlyTheInvalidRectIsRepainted)
{
    Canvas full(*frame);
    EXPECT_TRUE(Canvas::near(full.at(295, 195), kPanel));
    const CRect dirty(100, 0, 150, 30);
    Canvas partial(*frame, 1.0, dirty);
    EXPECT_TRUE(Canvas::near(partial.at(120, 5), kPanel));
    EXPECT_EQ(partial.at(99, 5).alpha, 0);
    EXPECT_EQ(partial.at(150, 31).alpha, 0);
    EXPECT_EQ(partial.countDiffering(dirty, kPanel), 0);
}

TEST_F(HeadlessRender, ValueChangesInvalidateOnlyTheirView)
{
    frame->takeInvalidArea();
    slider->setValue(0.3f);
    slider->invalid();
    EXPECT_EQ(frame->takeInvalidArea(), slider->getViewSize());
    knob->invalid();
    EXPECT_EQ(frame->takeInvalidArea(), knob->getViewSize());
    EXPECT_TRUE(frame->takeInvalidArea().isEmpty());
}
