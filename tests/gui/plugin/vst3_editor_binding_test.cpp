// VST3Editor's parameter bindings: controls follow their parameter (values, texts,
// stepped and read-only parameters), the user's gestures reach the host as
// begin / perform / end, typed text goes through the parameter, and controls without
// a parameter only follow each other.
#include "vst3_editor_fixture.h"

using namespace corvale::test;
using namespace VSTGUI;
using Steinberg::Vst::ParamValue;

namespace {

class VST3EditorBindingTest : public VST3EditorFixture
{
protected:
    void SetUp() override
    {
        VST3EditorFixture::SetUp();
        ASSERT_TRUE(open());
    }
};

} // namespace

TEST_F(VST3EditorBindingTest, ControlsShowTheirParametersValueAndText)
{
    const auto levelSliders = tagged<CSlider>(0);
    ASSERT_EQ(levelSliders.size(), 2u);
    const auto levelEdits = tagged<CTextEdit>(0);
    ASSERT_EQ(levelEdits.size(), 1u);
    const auto modeLabels = tagged<CTextLabel>(1);
    ASSERT_EQ(modeLabels.size(), 1u);
    const auto modeSliders = tagged<CSlider>(1);
    ASSERT_EQ(modeSliders.size(), 1u);

    for (CSlider* s : levelSliders)
    {
        EXPECT_FLOAT_EQ(s->getValueNormalized(), 0.5f) << "0 dB of -12..12";
        EXPECT_FLOAT_EQ(s->getDefaultValue(), 0.5f) << "the parameter's default";
    }
    EXPECT_STREQ(levelEdits[0]->getText(), "0.00") << "not the description's placeholder";
    EXPECT_STREQ(modeLabels[0]->getText(), "A");

    controller->setParamNormalized(0, 0.75);
    controller->setParamNormalized(1, 1.0);
    for (CSlider* s : levelSliders)
        EXPECT_FLOAT_EQ(s->getValueNormalized(), 0.75f);
    EXPECT_STREQ(levelEdits[0]->getText(), "6.00");
    EXPECT_STREQ(modeLabels[0]->getText(), "C");
    // A stepped parameter's controls run over its plain values.
    EXPECT_EQ(modeSliders[0]->getMin(), 0.0f);
    EXPECT_EQ(modeSliders[0]->getMax(), 2.0f);
    EXPECT_EQ(modeSliders[0]->getValue(), 2.0f);
    EXPECT_TRUE(handler->edits().empty()) << "values from the controller are not the user's edits";
}

TEST_F(VST3EditorBindingTest, DraggingASliderIsOneGestureTheHostSees)
{
    CSlider* slider = tagged<CSlider>(0).at(0);
    const CRect r = frameRectOf(slider);
    drag(frame(), centreOf(slider), CPoint(r.getCenter().x, r.top - 20), 5);

    const auto edits = handler->edits();
    ASSERT_GE(edits.size(), 3u);
    EXPECT_EQ(edits.front(), (Edit {Kind::Begin, 0, 0.0}));
    EXPECT_EQ(edits.back(), (Edit {Kind::End, 0, 0.0}));
    // The press puts the handle's centre under the pointer, close to where it was.
    double last = edits[1].value;
    EXPECT_NEAR(last, 0.5, 0.02);
    for (size_t i = 1; i + 1 < edits.size(); ++i)
    {
        EXPECT_EQ(edits[i].kind, Kind::Perform);
        EXPECT_EQ(edits[i].id, 0u);
        EXPECT_GE(edits[i].value, last) << "dragging up raises the value";
        last = edits[i].value;
    }
    EXPECT_EQ(last, 1.0) << "dragged past the top";
    EXPECT_EQ(value(0), 1.0);
    EXPECT_STREQ(tagged<CTextEdit>(0).at(0)->getText(), "12.00");
    EXPECT_FLOAT_EQ(tagged<CSlider>(0).at(1)->getValueNormalized(), 1.0f) << "the other Level slider";
}

TEST_F(VST3EditorBindingTest, TypedTextIsReadByTheParameter)
{
    struct Case
    {
        const char* typed;
        bool cancel;
        bool sent;
        ParamValue expected;
        const char* shown;
    };
    const Case cases[] = {
        {"6", false, true, 0.75, "6.00"},    {"-3", false, true, 0.375, "-3.00"},
        {"abc", false, false, 0.375, "-3.00"}, {"", false, false, 0.375, "-3.00"},
        {"5", true, false, 0.375, "-3.00"},  {"99", false, true, 1.0, "12.00"},
    };
    CTextEdit* edit = tagged<CTextEdit>(0).at(0);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string("typed \"") + c.typed + (c.cancel ? "\" and Escape" : "\""));
        handler->clear();
        typeInto(frame(), edit, c.typed, c.cancel);
        EXPECT_FALSE(edit->isEditingText());
        EXPECT_EQ(value(0), c.expected);
        EXPECT_STREQ(edit->getText(), c.shown);
        if (c.sent)
        {
            const std::vector<Edit> expected {{Kind::Begin, 0, 0.0}, {Kind::Perform, 0, c.expected},
                                              {Kind::End, 0, 0.0}};
            EXPECT_EQ(handler->edits(), expected);
        }
        else
            EXPECT_TRUE(handler->edits().empty()) << "not even an empty gesture";
    }
}

TEST_F(VST3EditorBindingTest, ControlsWithoutAParameterFollowEachOtherAndTellTheHostNothing)
{
    const auto orphans = tagged<CSlider>(99);
    ASSERT_EQ(orphans.size(), 2u);
    const CRect r = frameRectOf(orphans[0]);
    drag(frame(), centreOf(orphans[0]), CPoint(r.getCenter().x, r.top + 20));
    EXPECT_LT(orphans[0]->getValueNormalized(), 1.0f);
    EXPECT_GT(orphans[0]->getValueNormalized(), 0.5f);
    EXPECT_FLOAT_EQ(orphans[1]->getValueNormalized(), orphans[0]->getValueNormalized());
    EXPECT_TRUE(handler->edits().empty());
}

TEST_F(VST3EditorBindingTest, AReadOnlyParametersControlTakesNoInputButFollows)
{
    CSlider* meter = tagged<CSlider>(2).at(0);
    EXPECT_FALSE(meter->getMouseEnabled());
    EXPECT_TRUE(tagged<CSlider>(0).at(0)->getMouseEnabled());
    const CRect r = frameRectOf(meter);
    drag(frame(), centreOf(meter), CPoint(r.getCenter().x, r.top));
    EXPECT_TRUE(handler->edits().empty());
    controller->setParamNormalized(2, 0.25);
    EXPECT_FLOAT_EQ(meter->getValueNormalized(), 0.25f);
}

TEST_F(VST3EditorBindingTest, AControlRemovedFromTheFrameNoLongerFollows)
{
    SharedPointer<CSlider> slider = tagged<CSlider>(0).at(0);
    auto* parent = dynamic_cast<CViewContainer*>(slider->getParentView());
    ASSERT_NE(parent, nullptr);
    parent->removeView(slider);
    EXPECT_FALSE(editor->getParameterChangeListener(0)->containsControl(slider));
    controller->setParamNormalized(0, 0.25);
    EXPECT_FLOAT_EQ(slider->getValueNormalized(), 0.5f);
    EXPECT_FLOAT_EQ(tagged<CSlider>(0).at(0)->getValueNormalized(), 0.25f) << "the other one does";
}

TEST_F(VST3EditorBindingTest, OnceTheEditorIsGoneTheParametersTouchNothing)
{
    editor->removed();
    EXPECT_EQ(editor->getParameterChangeListener(0), nullptr);
    editor->setFrame(nullptr);
    editor = nullptr;
    // A binding left behind as the parameter's dependent would be reached here.
    controller->setParamNormalized(0, 0.1);
    controller->setParamNormalized(1, 0.5);
    EXPECT_EQ(value(0), 0.1);
}
