// The plug frame a host gives a view: the run loop through queryInterface, and
// resizeView resizing the host window before it calls the view's onSize.
#include "host/plug_frame.h"

#include "x_test_display.h"

#include <functional>
#include <vector>

using namespace corvale::host;
using namespace corvale::test;
using namespace Steinberg;

namespace {

/// A view that records the sizes it is given and may ask for another from inside onSize.
class SizedView : public IPlugView
{
public:
    SizedView() { FUNKNOWN_CTOR }
    virtual ~SizedView() { FUNKNOWN_DTOR }

    tresult PLUGIN_API isPlatformTypeSupported(FIDString) override { return kResultTrue; }
    tresult PLUGIN_API attached(void*, FIDString) override { return kResultOk; }
    tresult PLUGIN_API removed() override { return kResultOk; }
    tresult PLUGIN_API onWheel(float) override { return kResultFalse; }
    tresult PLUGIN_API onKeyDown(char16, int16, int16) override { return kResultFalse; }
    tresult PLUGIN_API onKeyUp(char16, int16, int16) override { return kResultFalse; }
    tresult PLUGIN_API getSize(ViewRect* size) override
    {
        if (!sizes.empty())
            *size = sizes.back();
        return kResultOk;
    }
    tresult PLUGIN_API onSize(ViewRect* newSize) override
    {
        sizes.push_back(*newSize);
        if (inOnSize)
            nestedResult = inOnSize();
        return answer;
    }
    tresult PLUGIN_API onFocus(TBool) override { return kResultFalse; }
    tresult PLUGIN_API setFrame(IPlugFrame*) override { return kResultOk; }
    tresult PLUGIN_API canResize() override { return kResultFalse; }
    tresult PLUGIN_API checkSizeConstraint(ViewRect*) override { return kResultOk; }

    std::vector<ViewRect> sizes;
    tresult answer = kResultTrue;
    std::function<tresult()> inOnSize;
    tresult nestedResult = kResultOk;
    DECLARE_FUNKNOWN_METHODS
};
IMPLEMENT_FUNKNOWN_METHODS(SizedView, IPlugView, IPlugView::iid)

} // namespace

TEST(PlugFrame, OffersTheHostRunLoopThroughQueryInterface)
{
    IPtr<RunLoop> loop = owned(new RunLoop);
    IPtr<PlugFrame> frame = owned(new PlugFrame(loop, nullptr));
    Linux::IRunLoop* offered = nullptr;
    ASSERT_EQ(frame->queryInterface(Linux::IRunLoop::iid, reinterpret_cast<void**>(&offered)), kResultOk);
    EXPECT_EQ(offered, static_cast<Linux::IRunLoop*>(loop.get()));
    offered->release();

    IPtr<PlugFrame> withoutLoop = owned(new PlugFrame(nullptr, nullptr));
    void* none = nullptr;
    EXPECT_EQ(withoutLoop->queryInterface(Linux::IRunLoop::iid, &none), kNoInterface);
    EXPECT_EQ(none, nullptr);
}

TEST(PlugFrame, ResizeViewCallsOnSizeAndRefusesNonsense)
{
    IPtr<PlugFrame> frame = owned(new PlugFrame(nullptr, nullptr));
    IPtr<SizedView> view = owned(new SizedView);
    ViewRect rect(0, 0, 926, 213);
    EXPECT_EQ(frame->resizeView(view, &rect), kResultTrue);
    ASSERT_EQ(view->sizes.size(), 1u);
    EXPECT_EQ(view->sizes[0].getWidth(), 926);
    EXPECT_EQ(view->sizes[0].getHeight(), 213);

    ViewRect empty(0, 0, 0, 10);
    EXPECT_EQ(frame->resizeView(view, &empty), kInvalidArgument);
    EXPECT_EQ(frame->resizeView(view, nullptr), kInvalidArgument);
    EXPECT_EQ(frame->resizeView(nullptr, &rect), kInvalidArgument);
    EXPECT_EQ(view->sizes.size(), 1u);

    // A view asking again from inside onSize would resize for ever: refused.
    ViewRect again(0, 0, 10, 10);
    view->inOnSize = [&] { return frame->resizeView(view, &again); };
    EXPECT_EQ(frame->resizeView(view, &rect), kResultTrue);
    EXPECT_EQ(view->nestedResult, kResultFalse);
    EXPECT_EQ(view->sizes.size(), 2u);
    view->inOnSize = nullptr;

    view->answer = kResultFalse;
    EXPECT_EQ(frame->resizeView(view, &rect), kResultFalse) << "the view's refusal reaches the caller";
}

using PlugFrameWindowTest = XDisplayTest;

TEST_F(PlugFrameWindowTest, ResizeViewResizesTheHostWindowFirst)
{
    IPtr<RunLoop> loop = owned(new RunLoop);
    HostWindow window(loop, "plug frame test", 100, 100);
    ASSERT_TRUE(window.isOpen()) << window.error();
    IPtr<PlugFrame> frame = owned(new PlugFrame(loop, &window));
    IPtr<SizedView> view = owned(new SizedView);
    std::pair<int, int> sizeSeenInOnSize;
    view->inOnSize = [&] {
        window.sync();
        sizeSeenInOnSize = display.windowSize(window.windowId());
        return kResultOk;
    };
    ViewRect rect(0, 0, 463, 107);
    ASSERT_EQ(frame->resizeView(view, &rect), kResultTrue);
    EXPECT_EQ(sizeSeenInOnSize, std::make_pair(463, 107));
    EXPECT_EQ(window.width(), 463);
    EXPECT_EQ(window.height(), 107);
}
