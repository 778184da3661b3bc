// The built bundle's editor opened through VST 3 as a DAW opens it: attached to a host
// window with the host's run loop, it shows what corvale-render --editor-screenshot
// draws, takes a real click and drag on a slider as one gesture on the right parameter,
// and opens and closes twenty times leaving no window, handler, timer or X error.
#include "editor_window_fixture.h"
#include "tool_runner.h"

#include "host/plug_frame.h"
#include "host/plugin_instance.h"

#include "pluginterfaces/gui/iplugview.h"

#include <gtest/gtest.h>

using namespace corvale::test;
using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

class EditorWindowVst3Test : public EditorWindowFixture
{
protected:
    void SetUp() override
    {
        EditorWindowFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(plugin.load(CORVALE_BUNDLE_PATH)) << plugin.error();
        openHostWindow();
        plugFrame = owned(new corvale::host::PlugFrame(loop, window.get()));
    }
    void TearDown() override
    {
        closeEditor();
        plugin.destroy();
        EditorWindowFixture::TearDown();
    }
    /// Opens the editor in the host window; its window once it shows the panel.
    xcb_window_t openEditor()
    {
        view = owned(plugin.controller()->createView(ViewType::kEditor));
        if (!view)
            return 0;
        view->setFrame(plugFrame);
        if (view->attached(window->nativeParent(), kPlatformTypeX11EmbedWindowID) != kResultOk)
            return 0;
        return waitForPanel();
    }
    void closeEditor()
    {
        if (!view)
            return;
        view->removed();
        view->setFrame(nullptr);
        view = nullptr;
    }

    corvale::host::PluginInstance plugin;
    IPtr<corvale::host::PlugFrame> plugFrame;
    IPtr<IPlugView> view;
};

} // namespace

TEST_F(EditorWindowVst3Test, TheWindowShowsWhatTheScreenshotOptionDraws)
{
    const std::string png = tempPath("editor-window.png");
    const ToolResult tool = runTool({"--plugin", CORVALE_BUNDLE_PATH, "--editor-screenshot", png});
    ASSERT_EQ(tool.exitCode, 0) << tool.err;
    int width = 0, height = 0;
    const std::vector<uint32_t> expected = readPngRgb(png, width, height);
    ASSERT_EQ(width, kWidth);
    ASSERT_EQ(height, kHeight);

    const xcb_window_t editor = openEditor();
    ASSERT_NE(editor, 0u);
    EXPECT_EQ(display.windowSize(editor), std::make_pair(kWidth, kHeight));
    // The editor repaints everything on each tick; a picture after one matches exactly,
    // up to the last bit of anti-aliased edges.
    std::size_t off = 0;
    const bool matched = waitFor([&] {
        off = pixelsOff(display.screenshot(editor), width, height, expected, 2);
        return off == 0;
    });
    EXPECT_TRUE(matched) << off << " pixels differ from the screenshot option's picture";
}

TEST_F(EditorWindowVst3Test, AClickAndDragOnTheSliderOf160HzEditsParameter4)
{
    const xcb_window_t editor = openEditor();
    ASSERT_NE(editor, 0u);
    plugin.componentHandler().clear();
    // The 160 Hz slider: x 257..289, y 52..147, its handle in the middle at 0 dB.
    drag(editor, 273, 100, 273, 62);
    using Kind = corvale::host::ComponentHandler::EditKind;
    ASSERT_TRUE(waitFor([&] {
        const auto edits = plugin.componentHandler().edits();
        return !edits.empty() && edits.back().kind == Kind::End;
    }));
    const auto edits = plugin.componentHandler().edits();
    EXPECT_EQ(edits.front().kind, Kind::Begin);
    for (const auto& e : edits)
        EXPECT_EQ(e.id, 4u);
    EXPECT_GT(plugin.normalized(4), 0.85) << "dragged up towards +12 dB";
    EXPECT_LT(plugin.normalized(4), 1.0);
    EXPECT_EQ(edits[edits.size() - 2].value, plugin.normalized(4));
}

TEST_F(EditorWindowVst3Test, OpeningAndClosingTwentyTimesLeavesNothingBehind)
{
    // The host window serves its own connection on the same loop.
    const std::size_t handlers = loop->eventHandlerCount();
    const std::size_t timers = loop->timerCount();
    testing::internal::CaptureStderr();
    for (int round = 0; round < 20; ++round)
    {
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_NE(openEditor(), 0u);
        closeEditor();
        EXPECT_TRUE(children().empty()) << "the editor's window is gone";
        EXPECT_EQ(loop->eventHandlerCount(), handlers);
        EXPECT_EQ(loop->timerCount(), timers);
    }
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.find("X11 frame"), std::string::npos) << errors;
    EXPECT_EQ(window->xErrors(), 0);
}
