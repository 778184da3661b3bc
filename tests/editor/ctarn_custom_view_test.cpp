// CTarnCustomView: the editor of a plug-in that draws its own. The plug-in is asked to
// fill the frame (kind 6) and sizes it, hears every parameter (kind 13) and the closing
// (kind 7), and reports its users' edits through the connector it was handed.
#include "spy_editor_fixture.h"

#include "editor/ctarn_custom_view.h"
#include "gui/cviewcontainer.h"

#include <vector>

using namespace corvale::test;
using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Steinberg::Vst::Rive2ZOD3;
using namespace VSTGUI;

namespace {

class CTarnCustomViewTest : public SpyEditorFixture
{
protected:
    void SetUp() override
    {
        EditorSpyConfig config;
        config.drawsOwnEditor = true;
        SetUpProcessor(config);
    }
    void reconfigure(const EditorSpyConfig& config)
    {
        TearDown();
        EditorSpyConfig c = config;
        c.drawsOwnEditor = true;
        SetUpProcessor(c);
    }
    CTarnCustomView* customView() const { return dynamic_cast<CTarnCustomView*>(view.get()); }
    ViewRect size() const
    {
        ViewRect r;
        EXPECT_EQ(view->getSize(&r), kResultTrue);
        return r;
    }
    std::vector<EditorMessage> messagesOfKind(int32_t kind) const
    {
        std::vector<EditorMessage> result;
        for (const EditorMessage& m : spy().messages)
            if (m.kind == kind)
                result.push_back(m);
        return result;
    }
};

} // namespace

TEST_F(CTarnCustomViewTest, APlugInThatDrawsItsOwnEditorGetsAnEmptyOneOf100By100)
{
    ASSERT_NE(createEditor(), nullptr);
    ASSERT_NE(customView(), nullptr);
    EXPECT_EQ(customView()->getPlugIn(), processor->plugInObject());
    EXPECT_EQ(size().getWidth(), 100);
    EXPECT_EQ(size().getHeight(), 100);
    EXPECT_EQ(spy().kinds(), (std::vector<int32_t> {EditorMessage::kDrawsOwnEditor}));
}

TEST_F(CTarnCustomViewTest, OpeningAsksForTheContentThenTellsEveryParameter)
{
    ASSERT_NE(createEditor(), nullptr);
    processor->setParamNormalized(0, 0.25);
    spy().messages.clear();
    ASSERT_TRUE(attach());

    const auto requests = messagesOfKind(EditorMessage::kCreateEditorContent);
    ASSERT_EQ(requests.size(), 1u);
    const EditorMessage& request = requests[0];
    EXPECT_EQ(request.editor, customView());
    EXPECT_EQ(request.parentWindow, reinterpret_cast<void*>(0x42));
    EXPECT_EQ(request.platformType, kX11EmbedWindowID);
    EXPECT_EQ(request.parameterConnector, static_cast<CVSTParameterConnector*>(customView()));
    EXPECT_NE(request.moduleInstance, nullptr) << "the loaded code's base address";
    EXPECT_EQ(spy().messages.front().kind, EditorMessage::kCreateEditorContent);

    // Then one message per parameter, with its ID and value, in the controller's order.
    const auto parameters = messagesOfKind(EditorMessage::kParameterChanged);
    ASSERT_EQ(static_cast<int32>(parameters.size()), processor->getParameterCount());
    for (int32 i = 0; i < processor->getParameterCount(); ++i)
    {
        ParameterInfo info {};
        ASSERT_EQ(processor->getParameterInfo(i, info), kResultOk);
        EXPECT_EQ(parameters[static_cast<size_t>(i)].parameterTag, static_cast<int32_t>(info.id));
        EXPECT_EQ(parameters[static_cast<size_t>(i)].value, processor->getParamNormalized(info.id));
    }
    EXPECT_EQ(parameters[0].value, 0.25);

    // The plug-in's 300 × 200 sizes the frame, the view and the host's window.
    ASSERT_NE(frame(), nullptr);
    EXPECT_EQ(frame()->getViewSize(), CRect(0, 0, 300, 200));
    EXPECT_EQ(size().getWidth(), 300);
    EXPECT_EQ(size().getHeight(), 200);
    EXPECT_EQ(plugFrame->resizeCount(), 1);
    EXPECT_EQ(windows->alive, 1);
}

TEST_F(CTarnCustomViewTest, ClosingTellsThePlugInWithTheParentWindow)
{
    ASSERT_NE(createEditor(), nullptr);
    ASSERT_TRUE(attach());
    spy().messages.clear();
    view->removed();
    ASSERT_EQ(spy().kinds(), (std::vector<int32_t> {EditorMessage::kEditorContentClosing}));
    EXPECT_EQ(spy().messages[0].parentWindow, reinterpret_cast<void*>(0x42));
    EXPECT_EQ(frame(), nullptr);
    EXPECT_EQ(windows->alive, 0);
    EXPECT_EQ(loop->timerCount(), 0u);
}

TEST_F(CTarnCustomViewTest, APlugInThatDeclinesTheContentLeavesNoEditor)
{
    EditorSpyConfig config;
    config.contentAnswer = 0;
    reconfigure(config);
    ASSERT_NE(createEditor(), nullptr);
    spy().messages.clear();
    EXPECT_FALSE(attach());
    EXPECT_EQ(spy().kinds(), (std::vector<int32_t> {EditorMessage::kCreateEditorContent}))
        << "no parameters and no closing for an editor that never was";
    EXPECT_EQ(frame(), nullptr);
    EXPECT_EQ(windows->created, 0);
    EXPECT_EQ(loop->timerCount(), 0u);
}

TEST_F(CTarnCustomViewTest, WithoutASizeFromThePlugInTheViewKeepsItsOwn)
{
    EditorSpyConfig config;
    config.contentWidth = 0;
    config.contentHeight = -5;
    reconfigure(config);
    ASSERT_NE(createEditor(), nullptr);
    ASSERT_TRUE(attach());
    EXPECT_EQ(frame()->getViewSize(), CRect(0, 0, 100, 100));
    EXPECT_EQ(size().getWidth(), 100);
}

TEST_F(CTarnCustomViewTest, TheConnectorCarriesThePlugInsEditsToTheHost)
{
    ASSERT_NE(createEditor(), nullptr);
    ASSERT_TRUE(attach());
    auto* connector = static_cast<CVSTParameterConnector*>(
        messagesOfKind(EditorMessage::kCreateEditorContent).at(0).parameterConnector);
    handler->clear();
    spy().messages.clear();
    connector->beginParameterEdit(1);
    connector->parameterEdited(1, 0.25f);
    connector->endParameterEdit(1);
    const std::vector<Edit> expected {{Kind::Begin, 1, 0.0}, {Kind::Perform, 1, 0.25}, {Kind::End, 1, 0.0}};
    EXPECT_EQ(handler->edits(), expected);
    EXPECT_EQ(value(1), 0.25);
    const auto told = messagesOfKind(EditorMessage::kParameterChanged);
    ASSERT_EQ(told.size(), 1u) << "the component tells the plug-in the value it set";
    EXPECT_EQ(told[0].parameterTag, 1);
}

TEST_F(CTarnCustomViewTest, WhatThePlugInPutsInTheFrameIsWhatTheUserSees)
{
    ASSERT_NE(createEditor(), nullptr);
    spy().onMessage = [](EditorMessage& m) {
        if (m.kind != EditorMessage::kCreateEditorContent)
            return;
        CFrame* f = m.editor->getFrame();
        auto* panel = new CViewContainer(CRect(0, 0, 300, 200));
        panel->setBackgroundColor(kRedCColor);
        f->addView(panel);
    };
    ASSERT_TRUE(attach());
    std::vector<uint32_t> pixels(300 * 200, 0u);
    auto* snapshot = static_cast<corvale::IEditorSnapshot*>(customView());
    ASSERT_EQ(snapshot->drawSnapshot(pixels.data(), 300, 200, 1200), kResultOk);
    EXPECT_EQ(pixels[100 * 300 + 150], 0xffff0000u);
    EXPECT_EQ(pixels[199 * 300 + 299], 0xffff0000u);
}
