// The built module's editor opened through its VST 2 entry as a VST 2 host opens it:
// the size from effEditGetRect, the window from effEditOpen, everything served from
// effEditIdle (the host's only lifeline to the editor). A real drag on the 160 Hz slider
// reaches the host as automation of parameter 4, and opening and closing twenty times
// leaves no window and no X error.
#include "editor_window_fixture.h"
#include "vst2_test_host.h"

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/gui/iplugview.h"

#include <gtest/gtest.h>

#include <functional>

using namespace corvale::test;
using namespace Steinberg;
using namespace vst2test;

namespace {

/// Calls effEditIdle from the run loop, as often as a VST 2 host does.
class IdleTicker : public Linux::ITimerHandler
{
public:
    explicit IdleTicker(std::function<void()> tick) : tick_(std::move(tick)) { FUNKNOWN_CTOR }
    virtual ~IdleTicker() { FUNKNOWN_DTOR }
    void PLUGIN_API onTimer() override { tick_(); }
    DECLARE_FUNKNOWN_METHODS

private:
    std::function<void()> tick_;
};

IMPLEMENT_FUNKNOWN_METHODS(IdleTicker, Linux::ITimerHandler, Linux::ITimerHandler::iid)

class EditorWindowVst2Test : public EditorWindowFixture
{
protected:
    void SetUp() override
    {
        EditorWindowFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(module.loaded()) << module.error();
        effect = std::make_unique<Vst2Effect>(module.open(&Vst2TestHost::callback));
        ASSERT_NE(effect->get(), nullptr);
        ASSERT_NE(effect->get()->flags & effFlagsHasEditor, 0);
        openHostWindow();
        idle = owned(new IdleTicker([this] {
            if (editorOpen)
                effect->dispatch(effEditIdle);
        }));
        loop->registerTimer(idle, 10);
    }
    void TearDown() override
    {
        closeEditor();
        if (idle)
            loop->unregisterTimer(idle);
        effect.reset();
        EditorWindowFixture::TearDown();
    }
    xcb_window_t openEditor()
    {
        ERect* rect = nullptr;
        if (effect->dispatch(effEditGetRect, 0, 0, &rect) == 0 || rect == nullptr)
            return 0;
        EXPECT_EQ(rect->right - rect->left, kWidth);
        EXPECT_EQ(rect->bottom - rect->top, kHeight);
        if (effect->dispatch(effEditOpen, 0, 0, window->nativeParent()) == 0)
            return 0;
        editorOpen = true;
        return waitForPanel();
    }
    void closeEditor()
    {
        if (editorOpen)
            effect->dispatch(effEditClose);
        editorOpen = false;
    }

    Vst2TestHost host;
    Vst2Module module {CORVALE_BUNDLE_SO};
    std::unique_ptr<Vst2Effect> effect;
    IPtr<IdleTicker> idle;
    bool editorOpen = false;
};

} // namespace

TEST_F(EditorWindowVst2Test, ADragOnTheSliderOf160HzAutomatesParameter4)
{
    const xcb_window_t editor = openEditor();
    ASSERT_NE(editor, 0u);
    host.calls.clear();
    drag(editor, 273, 100, 273, 62);
    ASSERT_TRUE(waitFor([&] { return !host.callsOf(audioMasterEndEdit).empty(); }));
    const auto begins = host.callsOf(audioMasterBeginEdit);
    const auto automated = host.callsOf(audioMasterAutomate);
    const auto ends = host.callsOf(audioMasterEndEdit);
    ASSERT_EQ(begins.size(), 1u);
    ASSERT_EQ(ends.size(), 1u);
    ASSERT_FALSE(automated.empty());
    EXPECT_EQ(begins[0].index, 4);
    EXPECT_EQ(ends[0].index, 4);
    for (const HostCall& call : automated)
        EXPECT_EQ(call.index, 4);
    EXPECT_GT(automated.back().opt, 0.85f);
    EXPECT_FLOAT_EQ(effect->get()->getParameter(effect->get(), 4), automated.back().opt);
}

TEST_F(EditorWindowVst2Test, OpeningAndClosingTwentyTimesLeavesNothingBehind)
{
    testing::internal::CaptureStderr();
    for (int round = 0; round < 20; ++round)
    {
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_NE(openEditor(), 0u);
        closeEditor();
        EXPECT_TRUE(children().empty()) << "the editor's window is gone";
    }
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.find("X11 frame"), std::string::npos) << errors;
    EXPECT_EQ(window->xErrors(), 0);
}
