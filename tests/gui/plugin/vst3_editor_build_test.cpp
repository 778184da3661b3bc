// VST3Editor building its template: sizes and limits from the template, a description
// or template that cannot be built, the delegate's part (custom views, sub-controllers,
// verifyView, didOpen / willClose), view exchange on the idle tick, the parameter
// finder and the off-screen picture.
#include "vst3_editor_fixture.h"

#include "gui/cvstguitimer.h"

using namespace corvale::test;
using namespace VSTGUI;
using namespace Steinberg;

namespace Steinberg {
// For the comparisons below; the SDK's rectangle has none.
inline bool operator==(const ViewRect& a, const ViewRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const ViewRect& r)
{
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
} // namespace Steinberg

namespace {

class VST3EditorBuildTest : public VST3EditorFixture
{
protected:
    ViewRect size() const
    {
        ViewRect r;
        EXPECT_EQ(editor->getSize(&r), kResultTrue);
        return r;
    }
    int viewCount() const
    {
        int count = 0;
        frame()->forEachViewRecursive([&](CView*) { ++count; });
        return count;
    }
};

} // namespace

TEST_F(VST3EditorBuildTest, TheTemplateGivesTheSizeAndItsLimits)
{
    editor = Steinberg::owned(new VST3Editor(controller, "Main", "vst3_editor_test.uidesc"));
    EXPECT_EQ(size().getWidth(), 200);
    EXPECT_EQ(size().getHeight(), 100);
    EXPECT_EQ(editor->getIdleRate(), 300);
    EXPECT_EQ(editor->canResize(), kResultFalse) << "minimum and maximum are the size";
    ViewRect any(5, 7, 900, 900);
    EXPECT_EQ(editor->checkSizeConstraint(&any), kResultTrue);
    EXPECT_EQ(any, ViewRect(5, 7, 205, 107));

    editor = Steinberg::owned(new VST3Editor(controller, "Wide", "vst3_editor_test.uidesc"));
    EXPECT_EQ(size().getWidth(), 300);
    EXPECT_EQ(editor->canResize(), kResultTrue);
    const struct
    {
        float scale;
        ViewRect asked;
        ViewRect given;
    } cases[] = {
        {1.0f, {0, 0, 100, 50}, {0, 0, 200, 100}},     {1.0f, {10, 20, 410, 220}, {10, 20, 410, 220}},
        {1.0f, {0, 0, 900, 900}, {0, 0, 600, 300}},    {2.0f, {0, 0, 100, 50}, {0, 0, 400, 200}},
        {2.0f, {3, 4, 2000, 2000}, {3, 4, 1203, 604}}, {2.0f, {0, 0, 800, 500}, {0, 0, 800, 500}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE("scale " + std::to_string(c.scale) + ", asked " + std::to_string(c.asked.getWidth())
                     + " x " + std::to_string(c.asked.getHeight()));
        ASSERT_EQ(editor->setContentScaleFactor(c.scale), kResultTrue);
        ViewRect r = c.asked;
        EXPECT_EQ(editor->checkSizeConstraint(&r), kResultTrue);
        EXPECT_EQ(r, c.given);
    }
    EXPECT_EQ(editor->checkSizeConstraint(nullptr), kInvalidArgument);
}

TEST_F(VST3EditorBuildTest, ADescriptionOrTemplateThatCannotBeBuiltOpensNothing)
{
    const struct
    {
        const char* templateName;
        const char* description;
    } cases[] = {{"Nope", "vst3_editor_test.uidesc"}, {"Main", "no-such.uidesc"}, {"", ""}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.templateName) + " of " + c.description);
        EXPECT_FALSE(open(c.templateName, c.description));
        EXPECT_EQ(editor->getFrame(), nullptr);
        EXPECT_EQ(windows->created, 0);
        EXPECT_EQ(loop->timerCount(), 0u);
        EXPECT_EQ(loop->eventHandlerCount(), 0u);
        std::vector<uint32_t> pixels(4);
        EXPECT_EQ(editor->drawSnapshot(pixels.data(), 2, 2, 8), kResultFalse);
    }
    EXPECT_TRUE(controller->events.empty()) << "the delegate hears of no editor";
}

TEST_F(VST3EditorBuildTest, TheDelegateIsAskedWhileTheTemplateIsBuilt)
{
    ASSERT_TRUE(open());
    EXPECT_EQ(controller->customViewNames, (std::vector<std::string> {"Probe", ""}))
        << "only entries that carry a custom view name, empty or not";
    EXPECT_EQ(controller->subControllerNames, (std::vector<std::string> {"Sub"}));
    EXPECT_EQ(controller->verified, viewCount()) << "every view built, the root included";
    EXPECT_EQ(controller->events, (std::vector<std::string> {"didOpen with views"}));
    editor->removed();
    EXPECT_EQ(controller->events,
              (std::vector<std::string> {"didOpen with views", "willClose with views"}));
}

TEST_F(VST3EditorBuildTest, TheDelegatesOwnViewTakesTheEntrysAttributesAndBinding)
{
    controller->makeProbe = true;
    ASSERT_TRUE(open());
    ASSERT_NE(controller->probe, nullptr);
    EXPECT_EQ(controller->probe->getViewSize(), CRect(150, 10, 170, 91));
    EXPECT_EQ(controller->probe->getTag(), 0);
    controller->setParamNormalized(0, 0.25);
    EXPECT_FLOAT_EQ(controller->probe->getValueNormalized(), 0.25f);
}

TEST_F(VST3EditorBuildTest, AnExchangedViewArrivesWithTheNextIdleTick)
{
    ASSERT_TRUE(open());
    auto* before = dynamic_cast<CViewContainer*>(frame()->getView(0));
    ASSERT_NE(before, nullptr);
    ASSERT_EQ(before->getNbViews(), 8) << "the Main template";
    EXPECT_FALSE(editor->exchangeView("Nope"));
    EXPECT_FALSE(editor->isRecreateViewPending());
    ASSERT_TRUE(editor->exchangeView("Wide"));
    EXPECT_TRUE(editor->isRecreateViewPending());
    editor->notify(nullptr, "another message");
    EXPECT_EQ(frame()->getView(0), before) << "only the idle tick recreates";
    EXPECT_EQ(before->getNbViews(), 8);

    const int resizes = plugFrame->resizeCount();
    editor->notify(nullptr, CVSTGUITimer::kMsgTimer);
    EXPECT_FALSE(editor->isRecreateViewPending());
    ASSERT_EQ(frame()->getNbViews(), 1);
    auto* after = dynamic_cast<CViewContainer*>(frame()->getView(0));
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->getNbViews(), 1) << "the Wide template";
    EXPECT_EQ(frame()->getViewSize(), CRect(0, 0, 300, 150));
    EXPECT_EQ(size().getWidth(), 300);
    EXPECT_EQ(plugFrame->resizeCount(), resizes + 1) << "the host is asked for the new size";
    EXPECT_EQ(editor->canResize(), kResultTrue) << "the new template's limits";
    ASSERT_EQ(tagged<CSlider>(0).size(), 1u);
    controller->setParamNormalized(0, 1.0);
    EXPECT_FLOAT_EQ(tagged<CSlider>(0).at(0)->getValueNormalized(), 1.0f);
    EXPECT_EQ(controller->events, (std::vector<std::string> {"didOpen with views"}))
        << "a recreation is no new opening";
}

TEST_F(VST3EditorBuildTest, TheParameterFinderNamesTheControlUnderThePoint)
{
    ASSERT_TRUE(open());
    struct Case
    {
        CPoint where;  // logical
        bool delegateAnswers;
        Vst::ParamID privateId;
        tresult result;
        Vst::ParamID id;
    };
    const CPoint level = centreOf(tagged<CSlider>(0).at(0));
    const CPoint mode = centreOf(tagged<CTextLabel>(1).at(0));
    const CPoint meter = centreOf(tagged<CSlider>(2).at(0));
    const CPoint orphan = centreOf(tagged<CSlider>(99).at(0));
    const Case cases[] = {
        {level, false, 0xffffffff, kResultTrue, 0},   {mode, false, 0xffffffff, kResultTrue, 1},
        {meter, false, 0xffffffff, kResultFalse, 0},  {meter, true, 0xffffffff, kResultTrue, 1234},
        {orphan, true, 0xffffffff, kResultTrue, 1234}, {level, true, 0, kResultTrue, 1234},
        {level, false, 0, kResultFalse, 0},
    };
    for (float scale : {1.0f, 2.0f})
    {
        ASSERT_EQ(editor->setContentScaleFactor(scale), kResultTrue);
        for (const Case& c : cases)
        {
            SCOPED_TRACE("at " + std::to_string(c.where.x) + ", " + std::to_string(c.where.y)
                         + " scale " + std::to_string(scale));
            controller->answerFind = c.delegateAnswers;
            controller->privateId = c.privateId;
            Vst::ParamID id = 0;
            EXPECT_EQ(editor->findParameter(static_cast<int32>(c.where.x * scale),
                                            static_cast<int32>(c.where.y * scale), id),
                      c.result);
            if (c.result == kResultTrue)
            {
                EXPECT_EQ(id, c.id);
            }
        }
    }
}

TEST_F(VST3EditorBuildTest, TheOffScreenPictureIsNoOpening)
{
    editor = Steinberg::owned(new VST3Editor(controller, "Main", "vst3_editor_test.uidesc"));
    std::vector<uint32_t> pixels(200 * 100, 0u);
    ASSERT_EQ(editor->drawSnapshot(pixels.data(), 200, 100, 800), kResultOk);
    EXPECT_EQ(pixels[5 * 200 + 5], 0xff7f7f7fu) << "the template's grey";
    EXPECT_TRUE(controller->events.empty()) << "the delegate hears of no editor";
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_EQ(editor->getParameterChangeListener(0), nullptr) << "the bindings went with the picture";
    editor->setPlatformFrameFactory(headlessWindows(windows));
    editor->setFrame(plugFrame);
    EXPECT_EQ(editor->attached(reinterpret_cast<void*>(0x42), kPlatformTypeX11EmbedWindowID), kResultOk);
}
