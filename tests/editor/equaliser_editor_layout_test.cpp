// The equaliser's editor as a user sees it when it opens: a 926 × 213 panel that cannot
// be resized, fifteen sliders in frequency order and the gain knob where the layout puts
// them, each bound to its parameter and showing its value, the value fields with the
// parameters' texts, and the labels.
#include "equaliser_editor_fixture.h"

#include "vst3/processor_ids.h"

using namespace corvale::test;
using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;

namespace {

using EqualiserEditorLayoutTest = EqualiserEditorFixture;

} // namespace

TEST_F(EqualiserEditorLayoutTest, ThePanelIs926By213TimesTheScaleAndCannotBeResized)
{
    EXPECT_EQ(frame()->getViewSize(), CRect(0, 0, 926, 213));
    EXPECT_EQ(view->canResize(), kResultFalse);
    FUnknownPtr<IPlugViewContentScaleSupport> scaling(view);
    ASSERT_TRUE(scaling);
    const struct
    {
        float scale;
        int32 width;
        int32 height;
    } cases[] = {{1.0f, 926, 213}, {1.5f, 1389, 320}, {2.0f, 1852, 426}, {1.0f, 926, 213}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE("scale " + std::to_string(c.scale));
        ASSERT_EQ(scaling->setContentScaleFactor(c.scale), kResultTrue);
        ViewRect r;
        ASSERT_EQ(view->getSize(&r), kResultTrue);
        EXPECT_EQ(r.getWidth(), c.width);
        EXPECT_EQ(r.getHeight(), c.height);
        EXPECT_EQ(windows->scale, c.scale);
        EXPECT_EQ(frame()->getViewSize(), CRect(0, 0, 926, 213)) << "drawn larger, laid out the same";
    }
}

TEST_F(EqualiserEditorLayoutTest, FifteenSlidersInFrequencyOrderEachOnItsBand)
{
    const std::vector<CSlider*> sliders = byX<CSlider>();
    ASSERT_EQ(sliders.size(), static_cast<size_t>(kBands));
    for (int k = 0; k < kBands; ++k)
    {
        SCOPED_TRACE("band " + std::to_string(k) + " (" + title(k) + " Hz)");
        // The slider sits at (22, 22) in its group, the group at x = 35 + 50 k, y = 30.
        EXPECT_EQ(frameRectOf(sliders[k]), CRect(57 + 50 * k, 52, 89 + 50 * k, 147));
        EXPECT_EQ(sliders[k]->getTag(), k);
        EXPECT_TRUE(sliders[k]->getMouseEnabled());
    }
    EXPECT_EQ(title(4), "160") << "group 14, a direct child of the panel, holds the fifth band";
}

TEST_F(EqualiserEditorLayoutTest, TheGainKnobAndSixteenValueFields)
{
    const std::vector<CAnimKnob*> knobs = byX<CAnimKnob>();
    ASSERT_EQ(knobs.size(), 1u);
    EXPECT_EQ(frameRectOf(knobs[0]), CRect(831, 77, 873, 119));
    EXPECT_EQ(knobs[0]->getTag(), static_cast<int32_t>(kGain));

    const std::vector<CTextEdit*> edits = byX<CTextEdit>();
    ASSERT_EQ(edits.size(), static_cast<size_t>(kBands + 1));
    for (int k = 0; k <= kBands; ++k)
    {
        SCOPED_TRACE("field " + std::to_string(k));
        const CRect expected = k < kBands ? CRect(50 + 50 * k, 151, 95 + 50 * k, 166)
                                          : CRect(830, 122, 875, 137);
        EXPECT_EQ(frameRectOf(edits[k]), expected);
        EXPECT_EQ(edits[k]->getTag(), k);
        EXPECT_NE(std::string(edits[k]->getText()), "1234.56");
        EXPECT_EQ(edits[k]->getText(), text(static_cast<ParamID>(k)));
    }
}

TEST_F(EqualiserEditorLayoutTest, TheLabelsNameTheBandsTheGainTheProductAndTheMaker)
{
    struct Label
    {
        CRect where;
        std::string text;
    };
    std::vector<Label> expected;
    for (int k = 0; k < kBands; ++k)
        expected.push_back({CRect(35 + 50 * k, 35, 110 + 50 * k, 50), title(k)});
    expected.push_back({CRect(815, 60, 890, 75), "Gain"});
    expected.push_back({CRect(55, 175, 155, 191), "Corvale V0.0.2.0"});
    expected.push_back({CRect(370, 175, 470, 191), "dB"});
    expected.push_back({CRect(770, 175, 923, 191), "Brackwater"});

    std::vector<CTextLabel*> labels = plainLabels();
    ASSERT_EQ(labels.size(), expected.size());
    for (const Label& e : expected)
    {
        SCOPED_TRACE(e.text);
        auto it = std::find_if(labels.begin(), labels.end(),
                               [&](CTextLabel* l) { return frameRectOf(l) == e.where; });
        ASSERT_NE(it, labels.end());
        EXPECT_EQ((*it)->getText(), e.text);
    }
}

TEST_F(EqualiserEditorLayoutTest, EveryControlShowsItsParametersValue)
{
    for (int k = 0; k <= kBands; ++k)
        processor->setParamNormalized(static_cast<ParamID>(k), (k + 1) / 17.0);
    const std::vector<CSlider*> sliders = byX<CSlider>();
    for (int k = 0; k < kBands; ++k)
        EXPECT_FLOAT_EQ(sliders[k]->getValueNormalized(), static_cast<float>((k + 1) / 17.0)) << k;
    EXPECT_FLOAT_EQ(byX<CAnimKnob>()[0]->getValueNormalized(), 16.0f / 17.0f);
    const std::vector<CTextEdit*> edits = byX<CTextEdit>();
    for (int k = 0; k <= kBands; ++k)
        EXPECT_EQ(edits[k]->getText(), text(static_cast<ParamID>(k))) << k;
    EXPECT_EQ(std::string(edits[0]->getText()), "-10.59");
}

TEST_F(EqualiserEditorLayoutTest, AProgramChangeMovesEverySlider)
{
    const ParamID presets = Rive2ZOD3::ParamIds::kFactoryPresets;
    Parameter* list = processor->getParameterObject(presets);
    ASSERT_NE(list, nullptr);
    int moved = 0;
    ASSERT_EQ(processor->setParamNormalized(presets, list->toNormalized(8)), kResultOk) << "LL Drums";
    const std::vector<CSlider*> sliders = byX<CSlider>();
    const std::vector<CTextEdit*> edits = byX<CTextEdit>();
    for (int k = 0; k < kBands; ++k)
    {
        SCOPED_TRACE("band " + title(k));
        EXPECT_FLOAT_EQ(sliders[k]->getValueNormalized(), static_cast<float>(value(k)));
        EXPECT_EQ(edits[k]->getText(), text(static_cast<ParamID>(k)));
        moved += value(k) != 0.5;
    }
    EXPECT_GE(moved, 5) << "the program is not flat";
}
