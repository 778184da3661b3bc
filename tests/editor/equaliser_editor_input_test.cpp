// The equaliser's editor under the user's hands: a dragged slider, a typed value, the
// gain knob dragged in the plug-in's linear knob mode, the wheel and the Ctrl-click
// back to 0 dB, each reaching the host as one gesture on the right parameter.
#include "equaliser_editor_fixture.h"

#include "gui/cvstguitimer.h"

using namespace corvale::test;
using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;

namespace {

class EqualiserEditorInputTest : public EqualiserEditorFixture
{
protected:
    void SetUp() override
    {
        EqualiserEditorFixture::SetUp();
        handler->clear();
    }
    /// The ids of every edit the host heard, and whether they form one gesture on `id`:
    /// a begin, performs, an end.
    void expectOneGesture(ParamID id) const
    {
        const auto edits = handler->edits();
        ASSERT_GE(edits.size(), 3u);
        EXPECT_EQ(edits.front(), (Edit {Kind::Begin, id, 0.0}));
        EXPECT_EQ(edits.back(), (Edit {Kind::End, id, 0.0}));
        for (size_t i = 1; i + 1 < edits.size(); ++i)
        {
            EXPECT_EQ(edits[i].kind, Kind::Perform);
            EXPECT_EQ(edits[i].id, id);
        }
        EXPECT_EQ(edits[edits.size() - 2].value, value(id)) << "the host heard the final value";
    }
    double plain(ParamID id) const { return processor->normalizedParamToPlain(id, value(id)); }
};

} // namespace

TEST_F(EqualiserEditorInputTest, DraggingThe160HzSliderEditsParameter4)
{
    CSlider* slider = control<CSlider>(4);
    ASSERT_NE(slider, nullptr);
    ASSERT_EQ(title(4), "160");
    const CRect r = frameRectOf(slider);
    drag(frame(), centreOf(slider), CPoint(r.getCenter().x, r.top + 20), 6);
    expectOneGesture(4);
    EXPECT_GT(value(4), 0.5) << "up is boost";
    EXPECT_LT(value(4), 1.0);
    EXPECT_FLOAT_EQ(slider->getValueNormalized(), static_cast<float>(value(4)));
    EXPECT_EQ(control<CTextEdit>(4)->getText(), text(4));
    for (ParamID other = 0; other <= kGain; ++other)
    {
        if (other != 4)
        {
            EXPECT_EQ(value(other), processor->getParameterObject(other)->getInfo().defaultNormalizedValue)
                << other;
        }
    }
}

TEST_F(EqualiserEditorInputTest, TypingIntoAValueFieldSetsItsBand)
{
    CTextEdit* field = control<CTextEdit>(8);
    ASSERT_NE(field, nullptr);
    ASSERT_EQ(title(8), "1000");
    typeInto(frame(), field, "6");
    expectOneGesture(8);
    EXPECT_DOUBLE_EQ(plain(8), 6.0);
    EXPECT_STREQ(field->getText(), "6.00");
    EXPECT_FLOAT_EQ(control<CSlider>(8)->getValueNormalized(), 0.75f) << "the slider follows";

    handler->clear();
    typeInto(frame(), field, "abc");
    EXPECT_TRUE(handler->edits().empty());
    EXPECT_DOUBLE_EQ(plain(8), 6.0);
    EXPECT_STREQ(field->getText(), "6.00") << "the old text is back";
}

TEST_F(EqualiserEditorInputTest, TheGainKnobDragsLinearly)
{
    CAnimKnob* knob = control<CAnimKnob>(static_cast<int32_t>(kGain));
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(frame()->getKnobMode(), VSTGUI::kLinearMode) << "the equaliser's knob mode 2";
    // Linear mode: 200 pixels for the whole range, whatever the direction from the centre;
    // in circular mode the point straight above the centre would mean the middle.
    const CPoint centre = centreOf(knob);
    drag(frame(), centre, CPoint(centre.x, centre.y - 50), 5);
    expectOneGesture(kGain);
    EXPECT_NEAR(value(kGain), 0.75, 1e-6);
    EXPECT_NEAR(plain(kGain), 1.5, 1e-6);
}

TEST_F(EqualiserEditorInputTest, AWheelNotchIsOneGestureThatEndsAfterAPause)
{
    CSlider* slider = control<CSlider>(0);
    CPoint where = centreOf(slider);
    ASSERT_TRUE(frame()->platformOnMouseWheel(where, kMouseWheelAxisY, 1.0f, CButtonState()));
    EXPECT_NEAR(value(0), 0.6, 1e-6);
    // The gesture stays open for further notches, then ends on the run loop.
    ASSERT_TRUE(loop->runUntil([&] { return handler->edits().size() >= 3; }, 5000));
    expectOneGesture(0);
}

TEST_F(EqualiserEditorInputTest, CtrlClickPutsABandBackTo0dB)
{
    processor->setParamNormalized(3, 0.9);
    CSlider* slider = control<CSlider>(3);
    CPoint where = centreOf(slider);
    frame()->platformOnMouseDown(where, CButtonState(kLButton | kControl));
    frame()->platformOnMouseUp(where, CButtonState(kLButton | kControl));
    expectOneGesture(3);
    EXPECT_DOUBLE_EQ(plain(3), 0.0);
}
