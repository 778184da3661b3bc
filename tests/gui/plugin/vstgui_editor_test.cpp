// VSTGUIEditor as a host sees it through IPlugView: attaching on the host's run loop
// (and refusing without one), letting go of everything on removed, sizes and content
// scale, keys and wheel forwarded by the host, the knob mode, gestures, the idle
// timer and the off-screen picture.
#include "headless_window.h"

#include "gui/cviewcontainer.h"
#include "gui/plugin/vstgui_editor.h"
#include "host/component_handler.h"
#include "host/plug_frame.h"
#include "host/run_loop.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;
using corvale::test::HeadlessWindowLog;

namespace {

/// A view with a key handler, a wheel handler and a colour, standing in for content.
class ProbeView : public CViewContainer
{
public:
    explicit ProbeView(const CRect& r) : CViewContainer(r) { setBackgroundColor(kRedCColor); }
    int32_t onKeyDown(VstKeyCode& key) override
    {
        keys.push_back(key);
        return consumeKeys ? 1 : -1;
    }
    bool onWheel(const CPoint&, const CMouseWheelAxis&, const float& distance,
                 const CButtonState&) override
    {
        wheel.push_back(distance);
        return true;
    }

    std::vector<VstKeyCode> keys;
    std::vector<float> wheel;
    bool consumeKeys = true;
};

/// The smallest editor: a 100 × 50 blue frame with a red probe at (10, 10, 40, 30).
class TestEditor : public VSTGUIEditor
{
public:
    TestEditor(EditController* c, ViewRect* r) : VSTGUIEditor(c, r) {}

    bool open(void* parent, const PlatformType&) override
    {
        ++opened;
        frame = new CFrame(CRect(0, 0, 100, 50), this);
        frame->setBackgroundColor(kBlueCColor);
        probe = new ProbeView(CRect(10, 10, 40, 30));
        frame->addView(probe);
        return openFrameWindow(parent);
    }
    void close() override
    {
        ++closed;
        probe = nullptr;
        if (CFrame* f = frame)
        {
            frame = nullptr;
            f->close();
        }
    }
    CMessageResult notify(CBaseObject* sender, IdStringPtr message) override
    {
        if (message == CVSTGUITimer::kMsgTimer)
            ++ticks;
        return VSTGUIEditor::notify(sender, message);
    }

    int opened = 0;
    int closed = 0;
    int ticks = 0;
    ProbeView* probe = nullptr;
};

class VSTGUIEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ViewRect size(0, 0, 100, 50);
        view = Steinberg::owned(new TestEditor(nullptr, &size));
        view->setPlatformFrameFactory(corvale::test::headlessWindows(windows));
    }
    void TearDown() override
    {
        view->removed();
        view->setFrame(nullptr);
    }
    tresult attach()
    {
        view->setFrame(plugFrame);
        return view->attached(reinterpret_cast<void*>(0x42), kPlatformTypeX11EmbedWindowID);
    }
    ViewRect size() const
    {
        ViewRect r;
        EXPECT_EQ(view->getSize(&r), kResultTrue);
        return r;
    }

    IPtr<corvale::host::RunLoop> loop = Steinberg::owned(new corvale::host::RunLoop);
    IPtr<corvale::host::PlugFrame> plugFrame = Steinberg::owned(new corvale::host::PlugFrame(loop, nullptr));
    std::shared_ptr<HeadlessWindowLog> windows = std::make_shared<HeadlessWindowLog>();
    IPtr<TestEditor> view;
};

} // namespace

TEST_F(VSTGUIEditorTest, OnlyX11EmbeddingIsSupported)
{
    const struct
    {
        FIDString type;
        tresult expected;
    } cases[] = {
        {kPlatformTypeX11EmbedWindowID, kResultTrue}, {kPlatformTypeHWND, kInvalidArgument},
        {kPlatformTypeNSView, kInvalidArgument},      {"", kInvalidArgument},
        {nullptr, kInvalidArgument},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.type ? c.type : "(null)");
        EXPECT_EQ(view->isPlatformTypeSupported(c.type), c.expected);
    }
    view->setFrame(plugFrame);
    EXPECT_EQ(view->attached(reinterpret_cast<void*>(0x42), kPlatformTypeHWND), kInvalidArgument);
    EXPECT_EQ(view->opened, 0);
}

TEST_F(VSTGUIEditorTest, WithoutTheHostsRunLoopAttachingFailsAndOpensNothing)
{
    // No plug frame at all, then a plug frame that offers no run loop.
    EXPECT_EQ(view->attached(reinterpret_cast<void*>(0x42), kPlatformTypeX11EmbedWindowID), kResultFalse);
    IPtr<corvale::host::PlugFrame> bare = Steinberg::owned(new corvale::host::PlugFrame(nullptr, nullptr));
    view->setFrame(bare);
    EXPECT_EQ(view->attached(reinterpret_cast<void*>(0x42), kPlatformTypeX11EmbedWindowID), kResultFalse);
    EXPECT_EQ(view->opened, 0);
    EXPECT_EQ(view->getFrame(), nullptr);
}

TEST_F(VSTGUIEditorTest, AWindowThatCannotBeMadeFailsTheAttachAndLeavesTheRunLoopClean)
{
    view->setPlatformFrameFactory(corvale::test::noWindows());
    EXPECT_EQ(attach(), kResultFalse);
    EXPECT_EQ(view->opened, 1);
    EXPECT_EQ(view->closed, 1) << "what open built is taken down again";
    EXPECT_EQ(view->getFrame(), nullptr);
    EXPECT_EQ(loop->timerCount(), 0u);
    EXPECT_EQ(loop->eventHandlerCount(), 0u);
    // A later attempt with a window works.
    view->setPlatformFrameFactory(corvale::test::headlessWindows(windows));
    EXPECT_EQ(attach(), kResultOk);
}

TEST_F(VSTGUIEditorTest, AttachOpensOnTheHostsRunLoopAndRemovedLetsGoOfEverything)
{
    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(attach(), kResultOk);
        ASSERT_NE(view->getFrame(), nullptr);
        EXPECT_TRUE(view->getFrame()->isOpen());
        EXPECT_EQ(windows->alive, 1);
        EXPECT_EQ(windows->parent, 0x42u);
        EXPECT_EQ(windows->size, CPoint(100, 50));
        EXPECT_GE(loop->timerCount(), 1u) << "the idle timer runs on the host's loop";
        EXPECT_EQ(view->attached(reinterpret_cast<void*>(0x42), kPlatformTypeX11EmbedWindowID),
                  kResultFalse)
            << "attached twice";

        EXPECT_EQ(view->removed(), kResultOk);
        EXPECT_EQ(view->getFrame(), nullptr);
        EXPECT_EQ(windows->alive, 0);
        EXPECT_EQ(loop->timerCount(), 0u);
        EXPECT_EQ(loop->eventHandlerCount(), 0u);
    }
    EXPECT_EQ(view->opened, 3);
    EXPECT_EQ(view->closed, 3);
}

TEST_F(VSTGUIEditorTest, TheIdleTimerNotifiesTheEditorAtTheIdleRate)
{
    view->setIdleRate(2);
    EXPECT_EQ(view->getIdleRate(), 2);
    ASSERT_EQ(attach(), kResultOk);
    EXPECT_TRUE(loop->runUntil([&] { return view->ticks >= 3; }, 5000));
    view->removed();
    EXPECT_EQ(loop->timerCount(), 0u) << "no tick after removed";
}

TEST_F(VSTGUIEditorTest, SizeFollowsTheContentScale)
{
    const struct
    {
        float factor;
        tresult result;
        int32 width;
        int32 height;
    } cases[] = {
        {1.0f, kResultTrue, 100, 50},
        {1.5f, kResultTrue, 150, 75},
        {2.0f, kResultTrue, 200, 100},
        {0.5f, kInvalidArgument, 200, 100},
        {0.0f, kInvalidArgument, 200, 100},
        {4.5f, kInvalidArgument, 200, 100},
        {std::numeric_limits<float>::quiet_NaN(), kInvalidArgument, 200, 100},
        {1.0f, kResultTrue, 100, 50},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE("factor " + std::to_string(c.factor));
        EXPECT_EQ(view->setContentScaleFactor(c.factor), c.result);
        const ViewRect r = size();
        EXPECT_EQ(r.getWidth(), c.width);
        EXPECT_EQ(r.getHeight(), c.height);
    }
    EXPECT_EQ(view->getSize(nullptr), kInvalidArgument);
}

TEST_F(VSTGUIEditorTest, AScaleChangeWhileOpenGrowsTheWindowAndAsksTheHost)
{
    ASSERT_EQ(attach(), kResultOk);
    const int resizes = plugFrame->resizeCount();
    ASSERT_EQ(view->setContentScaleFactor(2.0f), kResultTrue);
    EXPECT_EQ(windows->scale, 2.0);
    EXPECT_EQ(plugFrame->resizeCount(), resizes + 1);
    EXPECT_EQ(size().getWidth(), 200);
    EXPECT_EQ(size().getHeight(), 100);
    EXPECT_EQ(view->getFrame()->getViewSize(), CRect(0, 0, 100, 50)) << "logical size unchanged";
}

TEST_F(VSTGUIEditorTest, OnSizeResizesTheFrameInLogicalPixels)
{
    ASSERT_EQ(view->setContentScaleFactor(2.0f), kResultTrue);
    ASSERT_EQ(attach(), kResultOk);
    ViewRect wanted(0, 0, 300, 160);
    EXPECT_EQ(view->onSize(&wanted), kResultTrue);
    EXPECT_EQ(view->getFrame()->getViewSize(), CRect(0, 0, 150, 80));
    EXPECT_EQ(windows->size, CPoint(150, 80));
    EXPECT_EQ(size().getWidth(), 300);
    EXPECT_EQ(view->onSize(nullptr), kInvalidArgument);
    ViewRect empty(0, 0, 0, 10);
    EXPECT_EQ(view->onSize(&empty), kInvalidArgument);
}

TEST_F(VSTGUIEditorTest, KeysTheHostForwardsReachTheFocusView)
{
    EXPECT_EQ(view->onKeyDown('a', 0, 0), kResultFalse) << "closed";
    ASSERT_EQ(attach(), kResultOk);
    view->getFrame()->setFocusView(view->probe);

    // The host's modifier bits: shift 1, alternate 2, command 4, control 8.
    const struct
    {
        char16 key;
        int16 keyCode;
        int16 modifiers;
        VstKeyCode expected;
    } cases[] = {
        {'a', 0, 0, {'a', 0, 0}},
        {'A', 0, 1, {'A', 0, MODIFIER_SHIFT}},
        {0, VKEY_RETURN, 0, {0, VKEY_RETURN, 0}},
        {0, VKEY_UP, 8, {0, VKEY_UP, MODIFIER_CONTROL}},
        {' ', VKEY_SPACE, 0, {' ', VKEY_SPACE, 0}},
        {0, VKEY_ESCAPE, 2 | 4, {0, VKEY_ESCAPE, MODIFIER_ALTERNATE | MODIFIER_COMMAND}},
        {0x00e9, 0, 0, {0x00e9, 0, 0}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE("key " + std::to_string(c.key) + " code " + std::to_string(c.keyCode));
        view->probe->keys.clear();
        EXPECT_EQ(view->onKeyDown(c.key, c.keyCode, c.modifiers), kResultTrue);
        ASSERT_EQ(view->probe->keys.size(), 1u);
        EXPECT_EQ(view->probe->keys[0].character, c.expected.character);
        EXPECT_EQ(view->probe->keys[0].virt, c.expected.virt);
        EXPECT_EQ(view->probe->keys[0].modifier, c.expected.modifier);
    }
    view->probe->consumeKeys = false;
    EXPECT_EQ(view->onKeyDown('b', 0, 0), kResultFalse) << "a key nobody takes stays the host's";
    EXPECT_EQ(view->onKeyDown(0, 0, 0), kResultFalse) << "no key at all";
}

TEST_F(VSTGUIEditorTest, TheWheelActsWhereThePointerLastWas)
{
    ASSERT_EQ(attach(), kResultOk);
    EXPECT_EQ(view->onWheel(1.0f), kResultFalse) << "the pointer was never seen";
    CPoint inside(20, 20);
    view->getFrame()->platformOnMouseMoved(inside, CButtonState());
    EXPECT_EQ(view->onWheel(-1.0f), kResultTrue);
    EXPECT_EQ(view->probe->wheel, std::vector<float> {-1.0f});
    CPoint outside(80, 40);
    view->getFrame()->platformOnMouseMoved(outside, CButtonState());
    EXPECT_EQ(view->onWheel(1.0f), kResultFalse);
    EXPECT_EQ(view->probe->wheel.size(), 1u);
}

TEST_F(VSTGUIEditorTest, TheKnobModeIsTheHosts)
{
    IPtr<EditController> controller = Steinberg::owned(new EditController);
    const struct
    {
        KnobMode host;
        int32_t expected;
    } cases[] = {
        {Vst::kLinearMode, VSTGUI::kLinearMode},
        {Vst::kRelativCircularMode, VSTGUI::kRelativCircularMode},
        {Vst::kCircularMode, VSTGUI::kCircularMode},
    };
    for (const auto& c : cases)
    {
        controller->setKnobMode(c.host);
        EXPECT_EQ(view->getKnobMode(), c.expected) << "host mode " << c.host;
    }
}

TEST_F(VSTGUIEditorTest, GesturesOfTheFramesViewsReachTheHost)
{
    IPtr<EditController> controller = Steinberg::owned(new EditController);
    IPtr<corvale::host::ComponentHandler> handler = Steinberg::owned(new corvale::host::ComponentHandler);
    controller->setComponentHandler(handler);
    ViewRect r(0, 0, 100, 50);
    IPtr<TestEditor> editor = Steinberg::owned(new TestEditor(controller, &r));
    editor->beginEdit(7);
    editor->endEdit(7);
    using Kind = corvale::host::ComponentHandler::EditKind;
    const std::vector<corvale::host::ComponentHandler::Edit> expected {{Kind::Begin, 7, 0.0},
                                                                        {Kind::End, 7, 0.0}};
    EXPECT_EQ(handler->edits(), expected);
    controller->setComponentHandler(nullptr);
}

TEST_F(VSTGUIEditorTest, TheOffScreenPictureShowsTheFrameAtTheContentScale)
{
    std::vector<uint32_t> pixels(200 * 100, 0u);
    EXPECT_EQ(view->drawSnapshot(nullptr, 100, 50, 400), kInvalidArgument);
    EXPECT_EQ(view->drawSnapshot(pixels.data(), 100, 50, 396), kInvalidArgument);
    EXPECT_EQ(view->drawSnapshot(pixels.data(), 100, 50, 400), kResultFalse)
        << "this editor builds nothing while closed";

    ASSERT_EQ(view->setContentScaleFactor(2.0f), kResultTrue);
    ASSERT_EQ(attach(), kResultOk);
    ASSERT_EQ(view->drawSnapshot(pixels.data(), 200, 100, 800), kResultOk);
    auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y) * 200 + x]; };
    EXPECT_EQ(at(5, 5), 0xff0000ffu) << "the frame's blue, opaque";
    EXPECT_EQ(at(50, 30), 0xffff0000u) << "the probe's red at twice its logical place";
    EXPECT_EQ(at(17, 17), 0xff0000ffu) << "left of and above the probe";
    EXPECT_EQ(at(77, 57), 0xffff0000u);
    EXPECT_EQ(at(83, 63), 0xff0000ffu) << "right of and below the probe";
}
