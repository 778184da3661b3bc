// The component's editor view and VST3EditorWP: which names give a view, the knob
// mode table, what the plug-in hears when the editor opens, ticks, is recreated and
// closes (and in which order), and the linked updates after a user's edit.
#include "spy_editor_fixture.h"

#include "editor/ctarn_custom_view.h"
#include "gui/cslider.h"
#include "gui/cvstguitimer.h"

using namespace corvale::test;
using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Steinberg::Vst::Rive2ZOD3;
using namespace VSTGUI;

namespace {

class VST3EditorWPTest : public SpyEditorFixture
{
protected:
    VST3EditorWP* editorWP() const { return dynamic_cast<VST3EditorWP*>(view.get()); }
};

} // namespace

TEST_F(VST3EditorWPTest, OnlyTheNameEditorGivesAView)
{
    const struct
    {
        const char* name;
        bool view;
    } cases[] = {{"editor", true}, {"Editor", false}, {"EDITOR", false}, {"editor ", false},
                 {"", false},      {nullptr, false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name ? c.name : "(null)");
        IPtr<IPlugView> v = Steinberg::owned(processor->createView(c.name));
        EXPECT_EQ(v != nullptr, c.view);
        if (c.view)
        {
            EXPECT_NE(dynamic_cast<VST3EditorWP*>(v.get()), nullptr) << "the description editor";
        }
    }
    // The plug-in was asked once, for the one right name, with the answer flag cleared.
    ASSERT_EQ(spy().kinds(), (std::vector<int32_t> {EditorMessage::kDrawsOwnEditor}));
    EXPECT_FALSE(spy().messages[0].answerFlag);
}

TEST_F(VST3EditorWPTest, APlugInWithoutAnEditorGetsNoView)
{
    EditorSpyConfig config;
    config.hasEditor = false;
    TearDown();
    SetUpProcessor(config);
    EXPECT_EQ(processor->createView(ViewType::kEditor), nullptr);
    EXPECT_TRUE(spy().messages.empty());
}

TEST_F(VST3EditorWPTest, TheEditorKnowsThePlugInAndTicksEvery50Ms)
{
    ASSERT_NE(createEditor(), nullptr);
    VST3EditorWP* editor = editorWP();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->getIdleRate(), 50);
    EXPECT_EQ(editor->getKnobModeSetting(), 2) << "the plug-in's m_nKnobMode";
    EXPECT_EQ(editor->getPlugIn(), processor->plugInObject());
    EXPECT_EQ(editor->getControls().count(), 2);
    EXPECT_EQ(editor->controlIndexForId(EditorSpyPlugIn::kLevelId), 0);
    EXPECT_EQ(editor->controlIndexForId(EditorSpyPlugIn::kFollowId), 1);
    EXPECT_EQ(editor->controlIndexForId(999), -1);

    IPtr<VST3EditorWP> bare = Steinberg::owned(new VST3EditorWP(processor, "Editor", "tarn.uidesc"));
    EXPECT_EQ(bare->getKnobModeSetting(), 3);
    EXPECT_EQ(bare->controlIndexForId(EditorSpyPlugIn::kLevelId), -1) << "no plug-in attached";
    ViewRect r;
    ASSERT_EQ(bare->getSize(&r), kResultTrue);
    EXPECT_EQ(r.getWidth(), 120);
    EXPECT_EQ(r.getHeight(), 100);
    EXPECT_EQ(bare->canResize(), kResultFalse);
}

TEST_F(VST3EditorWPTest, TheKnobModeTable)
{
    IPtr<VST3EditorWP> editor = Steinberg::owned(new VST3EditorWP(processor, "Editor", "tarn.uidesc"));
    const struct
    {
        int32 setting;
        KnobMode host;
        int32_t expected;
    } cases[] = {
        {0, Vst::kLinearMode, VSTGUI::kCircularMode},
        {1, Vst::kLinearMode, VSTGUI::kRelativCircularMode},
        {2, Vst::kCircularMode, VSTGUI::kLinearMode},
        {3, Vst::kCircularMode, VSTGUI::kCircularMode},
        {3, Vst::kRelativCircularMode, VSTGUI::kRelativCircularMode},
        {3, Vst::kLinearMode, VSTGUI::kLinearMode},
        {7, Vst::kCircularMode, VSTGUI::kLinearMode},
        {-1, Vst::kCircularMode, VSTGUI::kLinearMode},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE("setting " + std::to_string(c.setting) + ", host " + std::to_string(c.host));
        processor->setKnobMode(c.host);
        editor->setKnobMode(c.setting);
        EXPECT_EQ(editor->getKnobMode(), c.expected);
    }
    processor->setKnobMode(Vst::kCircularMode);
}

TEST_F(VST3EditorWPTest, ThePlugInHearsTheEditorOpenAndClose)
{
    ASSERT_NE(createEditor(), nullptr);
    spy().messages.clear();
    ASSERT_TRUE(attach());
    EXPECT_EQ(spy().kinds(), (std::vector<int32_t> {EditorMessage::kOpened}));
    view->removed();
    EXPECT_EQ(spy().kinds(), (std::vector<int32_t> {EditorMessage::kOpened, EditorMessage::kClosing}));
}

TEST_F(VST3EditorWPTest, EachTickPingsThePlugInAndRepaintsEverything)
{
    ASSERT_NE(createEditor(), nullptr);
    ASSERT_TRUE(attach());
    // The paints the frame already owes are done; a tick asks for the whole frame again.
    frame()->takeInvalidArea();
    spy().messages.clear();
    const int invalidations = windows->invalidations;
    editorWP()->notify(nullptr, CVSTGUITimer::kMsgTimer);
    EXPECT_EQ(spy().kinds(), (std::vector<int32_t> {EditorMessage::kTimerPing}));
    EXPECT_GT(windows->invalidations, invalidations);

    spy().messages.clear();
    editorWP()->notify(nullptr, "something else");
    EXPECT_TRUE(spy().messages.empty());

    // The real timer does the same on the host's run loop.
    EXPECT_TRUE(loop->runUntil([&] { return spy().messages.size() >= 2; }, 5000));
    EXPECT_EQ(spy().kinds(), (std::vector<int32_t> {EditorMessage::kTimerPing, EditorMessage::kTimerPing}));
}

TEST_F(VST3EditorWPTest, ARecreationComesBetweenThePingAndTheRecreateViewMessage)
{
    ASSERT_NE(createEditor(), nullptr);
    ASSERT_TRUE(attach());
    // What the frame holds when the plug-in hears each message.
    std::vector<int32_t> viewsSeen;
    spy().onMessage = [&](EditorMessage&) {
        auto* root = dynamic_cast<CViewContainer*>(frame()->getView(0));
        viewsSeen.push_back(root ? root->getNbViews() : -1);
    };
    spy().messages.clear();
    ASSERT_TRUE(editorWP()->exchangeView("Second"));
    editorWP()->notify(nullptr, CVSTGUITimer::kMsgTimer);
    EXPECT_EQ(spy().kinds(), (std::vector<int32_t> {EditorMessage::kTimerPing, EditorMessage::kOpened}));
    EXPECT_EQ(viewsSeen, (std::vector<int32_t> {3, 1})) << "the old template, then the new one";
    spy().onMessage = nullptr;
    ViewRect r;
    view->getSize(&r);
    EXPECT_EQ(r.getWidth(), 140);

    spy().messages.clear();
    editorWP()->notify(nullptr, CVSTGUITimer::kMsgTimer);
    EXPECT_EQ(spy().kinds(), (std::vector<int32_t> {EditorMessage::kTimerPing})) << "nothing pending";
}

TEST_F(VST3EditorWPTest, TheComponentPassesTheEditorsTextsOn)
{
    const struct
    {
        const char* text;
        std::vector<int32_t> kinds;
    } cases[] = {
        {"VSTGUITimerPing", {EditorMessage::kTimerPing}},
        {"RecreateView", {EditorMessage::kOpened}},
        {"recreateview", {}},
        {"", {}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        spy().messages.clear();
        EXPECT_EQ(processor->receiveText(c.text), kResultOk);
        EXPECT_EQ(spy().kinds(), c.kinds);
    }
}

TEST_F(VST3EditorWPTest, AnEditAsksThePlugInForLinkedControlsAndSetsThem)
{
    EditorSpyConfig config;
    config.linkFollow = true;
    TearDown();
    SetUpProcessor(config);
    ASSERT_NE(createEditor(), nullptr);
    ASSERT_TRUE(attach());
    handler->clear();

    CTextEdit* edit = tagged<CTextEdit>(0).at(0);
    typeInto(frame(), edit, "6");
    ASSERT_EQ(spy().linkRequests.size(), 1u);
    EXPECT_EQ(spy().linkRequests[0].controlId, EditorSpyPlugIn::kLevelId);
    EXPECT_FLOAT_EQ(spy().linkRequests[0].plainValue, 6.0f) << "the typed value, in plain units";
    EXPECT_FALSE(spy().linkRequests[0].flag);
    EXPECT_EQ(spy().listsCleared, 1);

    const ParamValue follow = processor->plainParamToNormalized(1, 5.0 + 6.0 / 2.4);
    EXPECT_NEAR(value(1), follow, 1e-6);
    EXPECT_NEAR(tagged<CSlider>(1).at(0)->getValueNormalized(), follow, 1e-6) << "its slider follows";
    const auto edits = handler->edits();
    ASSERT_EQ(edits.size(), 4u);
    EXPECT_EQ(edits[0], (Edit {Kind::Begin, 0, 0.0}));
    EXPECT_EQ(edits[1], (Edit {Kind::Perform, 0, 0.75}));
    EXPECT_EQ(edits[2].kind, Kind::Perform) << "the linked control: no gesture of its own";
    EXPECT_EQ(edits[2].id, 1u);
    EXPECT_NEAR(edits[2].value, follow, 1e-6);
    EXPECT_EQ(edits[3], (Edit {Kind::End, 0, 0.0}));

    // Text the parameter cannot read asks the plug-in nothing.
    handler->clear();
    typeInto(frame(), edit, "abc");
    EXPECT_EQ(spy().linkRequests.size(), 1u);
    EXPECT_TRUE(handler->edits().empty());

    // A drag asks at every step.
    CSlider* slider = tagged<CSlider>(0).at(0);
    drag(frame(), centreOf(slider), CPoint(centreOf(slider).x, frameRectOf(slider).bottom + 10), 3);
    EXPECT_GE(spy().linkRequests.size(), 4u);
    EXPECT_FLOAT_EQ(spy().linkRequests.back().plainValue, -12.0f) << "dragged to the bottom";
    EXPECT_EQ(spy().listsCleared, static_cast<int>(spy().linkRequests.size()));
}

TEST_F(VST3EditorWPTest, ControlsThePlugInDoesNotLinkAreLeftAlone)
{
    ASSERT_NE(createEditor(), nullptr);
    ASSERT_TRUE(attach());
    handler->clear();
    const ParamValue follow = value(1);
    CSlider* slider = tagged<CSlider>(0).at(0);
    drag(frame(), centreOf(slider), CPoint(centreOf(slider).x, frameRectOf(slider).top), 2);
    EXPECT_FALSE(spy().linkRequests.empty());
    EXPECT_EQ(spy().listsCleared, 0) << "nothing to clear when the plug-in answers false";
    EXPECT_EQ(value(1), follow);
    for (const Edit& e : handler->edits())
        EXPECT_EQ(e.id, 0u);
}
