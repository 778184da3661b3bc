// The X11 frame under a real X server: its window, what it shows, its life cycle and
// how it survives a host that goes wrong.
#include "frame_fixture.h"

#include <xcb/xcb.h>

#include <dirent.h>

#include <cstdlib>
#include <cstring>
#include <string>

using namespace corvale::test;
using namespace VSTGUI;

namespace {

/// The process's open file descriptors.
int openDescriptors()
{
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir))
            ++count;
        ::closedir(dir);
    }
    return count;
}

/// Sets an environment variable for the life of the object.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old, hadOld_ = true;
        ::setenv(name, value, 1);
    }
    ~ScopedEnv()
    {
        if (hadOld_)
            ::setenv(name_, old_.c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool hadOld_ = false;
};

template <typename T>
struct Freed
{
    T* p;
    ~Freed() { std::free(p); }
};

} // namespace

using FrameTest = FrameFixture;

TEST_F(FrameTest, RefusesToOpenWithoutADisplayAParentOrARunLoop)
{
    window = std::make_unique<corvale::host::HostWindow>(loop.get(), "frame test", 200, 100);
    ASSERT_TRUE(window->isOpen()) << window->error();
    adapter = std::make_unique<RunLoopAdapter>(loop.get());
    const uintptr_t missingWindow = xcb_generate_id(display.connection()); // never created

    struct Case
    {
        const char* what;
        uintptr_t parent;
        bool withRunLoop;
        const char* displayName; // null: the test's display
        bool opens;
    };
    const Case cases[] = {
        {"everything there", window->windowId(), true, nullptr, true},
        {"no run loop", window->windowId(), false, nullptr, false},
        {"no parent", 0, true, nullptr, false},
        {"a parent that does not exist", missingWindow, true, nullptr, false},
        {"no X server on the display", window->windowId(), true, ":4095", false},
    };
    for (const Case& c : cases) {
        std::unique_ptr<ScopedEnv> env;
        if (c.displayName)
            env = std::make_unique<ScopedEnv>("DISPLAY", c.displayName);
        PlatformFrameConfig config;
        config.parentWindow = c.parent;
        config.size = {200, 100};
        config.runLoop = c.withRunLoop ? adapter.get() : nullptr;
        const std::unique_ptr<IPlatformFrame> opened = X11::createPlatformFrame(callback, config);
        EXPECT_EQ(opened != nullptr, c.opens) << c.what;
    }
    EXPECT_EQ(loop->eventHandlerCount(), 1u) << "only the host window's connection is left";
}

TEST_F(FrameTest, IsAMappedChildOfTheHostWindowThatAnnouncesXembed)
{
    openFrame({200, 100}, 1.0);
    xcb_connection_t* c = display.connection();

    Freed<xcb_query_tree_reply_t> tree {xcb_query_tree_reply(c, xcb_query_tree(c, frameWindow()), nullptr)};
    ASSERT_NE(tree.p, nullptr);
    EXPECT_EQ(tree.p->parent, window->windowId());
    Freed<xcb_get_geometry_reply_t> geometry {xcb_get_geometry_reply(c, xcb_get_geometry(c, frameWindow()), nullptr)};
    ASSERT_NE(geometry.p, nullptr);
    EXPECT_EQ(geometry.p->x, 0);
    EXPECT_EQ(geometry.p->y, 0);
    Freed<xcb_get_window_attributes_reply_t> attributes {
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, frameWindow()), nullptr)};
    ASSERT_NE(attributes.p, nullptr);
    EXPECT_EQ(attributes.p->map_state, XCB_MAP_STATE_VIEWABLE);
    EXPECT_EQ(attributes.p->_class, XCB_WINDOW_CLASS_INPUT_OUTPUT);

    const char* name = "_XEMBED_INFO";
    Freed<xcb_intern_atom_reply_t> atom {
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr)};
    ASSERT_NE(atom.p, nullptr);
    Freed<xcb_get_property_reply_t> info {xcb_get_property_reply(
        c, xcb_get_property(c, 0, frameWindow(), atom.p->atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 2), nullptr)};
    ASSERT_NE(info.p, nullptr);
    ASSERT_EQ(xcb_get_property_value_length(info.p), 8);
    const auto* words = static_cast<const uint32_t*>(xcb_get_property_value(info.p));
    EXPECT_EQ(words[0], 0u) << "XEmbed protocol version";
    EXPECT_EQ(words[1], 1u) << "XEMBED_MAPPED: the window wants to be (and is) shown";
}

struct ScaleCase
{
    double scale;
    CPoint size;
};

class FrameScaleTest : public FrameFixture, public ::testing::WithParamInterface<ScaleCase>
{
};

TEST_P(FrameScaleTest, WindowFollowsSizeAndScaleAndShowsTheSceneSharp)
{
    const ScaleCase c = GetParam();
    openFrame({100, 50}, 1.0);
    frame->setSize(c.size);
    frame->setScaleFactor(c.scale);
    callback.size = c.size;
    const Screenshot expected = expectedPicture(c.size, c.scale, callback.background);
    window->resize(expected.width, expected.height); // as the host does after resizeView
    settle();

    EXPECT_EQ(display.windowSize(frameWindow()), std::make_pair(expected.width, expected.height));
    const Screenshot shown = display.screenshot(frameWindow());
    EXPECT_EQ(differingPixels(shown, expected), 0u)
        << "the window must show exactly what cairo draws at scale " << c.scale;
    EXPECT_EQ(frame->xErrorCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Scales, FrameScaleTest,
                         ::testing::Values(ScaleCase {1.0, {200, 100}}, ScaleCase {1.5, {200, 100}},
                                           ScaleCase {2.0, {150, 90}}));

class FrameRepaintTest : public FrameFixture, public ::testing::WithParamInterface<double>
{
};

TEST_P(FrameRepaintTest, InvalidatingARectRepaintsOnlyThatRect)
{
    const double scale = GetParam();
    openFrame({200, 100}, scale);
    const Screenshot before = display.screenshot(frameWindow());
    ASSERT_EQ(differingPixels(before, expectedPicture(callback.size, scale, callback.background)), 0u);

    callback.drawn.clear();
    const uint32_t oldBackground = callback.background;
    callback.background = 0x10a040; // what the frame draws from now on
    const CRect dirty(20, 10, 70, 40);
    frame->invalidRect(dirty);
    settle();

    ASSERT_EQ(callback.drawn.size(), 1u);
    EXPECT_EQ(callback.drawn[0], dirty) << "the callback is asked for the rect, in logical coordinates";
    const Screenshot after = display.screenshot(frameWindow());
    const Screenshot expected =
        expectedPicture(callback.size, scale, oldBackground, dirty, callback.background);
    ASSERT_EQ(after.pixels.size(), before.pixels.size());
    std::size_t changedOutside = 0;
    for (int y = 0; y < after.height; ++y) {
        for (int x = 0; x < after.width; ++x) {
            const bool inside = x >= dirty.left * scale && x < dirty.right * scale && y >= dirty.top * scale
                && y < dirty.bottom * scale;
            if (!inside)
                changedOutside += after.at(x, y) != before.at(x, y);
        }
    }
    EXPECT_EQ(changedOutside, 0u) << "nothing outside the rect changed";
    EXPECT_EQ(differingPixels(after, expected), 0u) << "the rect shows the new drawing";
}

INSTANTIATE_TEST_SUITE_P(Scales, FrameRepaintTest, ::testing::Values(1.0, 2.0));

TEST_F(FrameTest, AttachAndRemoveTwentyTimesLeavesNothingBehind)
{
    window = std::make_unique<corvale::host::HostWindow>(loop.get(), "frame test", 200, 100);
    ASSERT_TRUE(window->isOpen()) << window->error();
    adapter = std::make_unique<RunLoopAdapter>(loop.get());
    const auto cycle = [&] {
        const std::size_t drawnBefore = callback.drawn.size();
        std::unique_ptr<X11::Frame> attached = attachFrame(1.0);
        ASSERT_NE(attached, nullptr);
        attached->setCursor(kCursorHand);
        ASSERT_TRUE(waitFor([&] { return callback.drawn.size() > drawnBefore; })) << "the frame paints";
        attached->sync();
        EXPECT_EQ(attached->xErrorCount(), 0);
        attached.reset();
        EXPECT_EQ(loop->eventHandlerCount(), 1u) << "the frame's connection is unregistered";
        EXPECT_EQ(loop->timerCount(), 0u) << "the frame's timer is unregistered";
    };
    cycle(); // libraries may open files once per process
    const int descriptors = openDescriptors();
    for (int i = 0; i < 20 && !HasFailure(); ++i)
        cycle();
    EXPECT_EQ(openDescriptors(), descriptors) << "every connection is closed";
    window->sync();
    EXPECT_EQ(window->xErrors(), 0);
}

TEST_F(FrameTest, EveryCursorShapeIsOneTheServerHas)
{
    openFrame({200, 100}, 1.0);
    for (int type = kCursorDefault; type <= kCursorCrosshair; ++type)
        frame->setCursor(static_cast<CCursorType>(type));
    frame->setCursor(kCursorDefault);
    frame->sync();
    EXPECT_EQ(frame->xErrorCount(), 0);
}

TEST_F(FrameTest, OutlivesTheHostWindowDestroyedBeforeIt)
{
    openFrame({200, 100}, 1.0);
    window.reset(); // hosts do close their window before removing the view
    display.sync();
    frame->sync();
    frame->invalidRect({0, 0, 200, 100});
    frame->setCursor(kCursorVSize);
    frame->setScaleFactor(2.0);
    frame->takeFocus();
    loop->runFor(50);
    frame->sync();
    EXPECT_EQ(loop->timerCount(), 0u) << "nothing is painted into a window that is gone";
    EXPECT_EQ(frame->xErrorCount(), 0) << "nothing is asked of a window that is gone";
}

TEST_F(FrameTest, GoesQuietWhenTheServerDropsItsConnection)
{
    openFrame({200, 100}, 1.0);
    xcb_kill_client(display.connection(), frameWindow()); // what `xkill` does
    display.sync();
    ASSERT_TRUE(waitFor([&] { return frame->isBroken(); }));
    EXPECT_EQ(loop->eventHandlerCount(), 1u) << "the dead connection is no longer watched";
    frame->invalidRect({0, 0, 50, 50});
    frame->setSize({300, 200});
    frame->setCursor(kCursorHand);
    frame->takeFocus();
    frame->sync();
    EXPECT_EQ(loop->timerCount(), 0u);
    loop->runFor(30);
    window->sync();
    EXPECT_TRUE(window->isOpen()) << "the host's own connection is untouched";
}
