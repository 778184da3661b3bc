// The host window a plug-in's view is attached to, under a real X server.
#include "host/host_window.h"

#include "x_test_display.h"

#include <cstdlib>
#include <cstring>
#include <string>

using namespace corvale::host;
using namespace corvale::test;
using namespace Steinberg;

namespace {

template <typename T>
struct Freed
{
    T* p;
    ~Freed() { std::free(p); }
};

uint32_t atom(xcb_connection_t* c, const char* name)
{
    Freed<xcb_intern_atom_reply_t> reply {
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr)};
    return reply.p ? reply.p->atom : 0;
}

std::string property(xcb_connection_t* c, xcb_window_t window, uint32_t name)
{
    Freed<xcb_get_property_reply_t> reply {xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr)};
    if (!reply.p)
        return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.p)),
                       static_cast<std::size_t>(xcb_get_property_value_length(reply.p)));
}

/// Ends run() after a while if nothing else does, so a broken close path fails instead of hanging.
class Watchdog : public Linux::ITimerHandler
{
public:
    explicit Watchdog(RunLoop* loop) : loop_(loop) { FUNKNOWN_CTOR }
    virtual ~Watchdog() { FUNKNOWN_DTOR }
    void PLUGIN_API onTimer() override
    {
        fired = true;
        loop_->quit();
    }
    bool fired = false;
    DECLARE_FUNKNOWN_METHODS

private:
    RunLoop* loop_;
};
IMPLEMENT_FUNKNOWN_METHODS(Watchdog, Linux::ITimerHandler, Linux::ITimerHandler::iid)

class HostWindowTest : public XDisplayTest
{
protected:
    IPtr<RunLoop> loop = owned(new RunLoop);
};

} // namespace

TEST_F(HostWindowTest, OpensAMappedTopLevelWindowThatAsksToBeToldOfClosing)
{
    HostWindow window(loop, "Host window test", 320, 120);
    ASSERT_TRUE(window.isOpen()) << window.error();
    xcb_connection_t* c = display.connection();

    Freed<xcb_query_tree_reply_t> tree {xcb_query_tree_reply(c, xcb_query_tree(c, window.windowId()), nullptr)};
    ASSERT_NE(tree.p, nullptr);
    EXPECT_EQ(tree.p->parent, display.root());
    EXPECT_EQ(display.windowSize(window.windowId()), std::make_pair(320, 120));
    Freed<xcb_get_window_attributes_reply_t> attributes {
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window.windowId()), nullptr)};
    ASSERT_NE(attributes.p, nullptr);
    EXPECT_EQ(attributes.p->map_state, XCB_MAP_STATE_VIEWABLE);
    EXPECT_EQ(property(c, window.windowId(), XCB_ATOM_WM_NAME), "Host window test");

    const std::string protocols = property(c, window.windowId(), atom(c, "WM_PROTOCOLS"));
    const uint32_t deleteWindow = atom(c, "WM_DELETE_WINDOW");
    ASSERT_EQ(protocols.size(), 4u);
    EXPECT_EQ(std::memcmp(protocols.data(), &deleteWindow, 4), 0);

    window.resize(200, 90);
    window.sync();
    EXPECT_EQ(display.windowSize(window.windowId()), std::make_pair(200, 90));
    EXPECT_EQ(window.xErrors(), 0);
}

TEST_F(HostWindowTest, TheWindowManagersCloseRequestEndsRun)
{
    HostWindow window(loop, "Host window test", 100, 100);
    ASSERT_TRUE(window.isOpen()) << window.error();

    // What a window manager sends when the user clicks the close button.
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window.windowId();
    message.type = atom(display.connection(), "WM_PROTOCOLS");
    message.data.data32[0] = atom(display.connection(), "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(display.connection(), 0, window.windowId(), XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    display.sync();

    IPtr<Watchdog> watchdog = owned(new Watchdog(loop));
    loop->registerTimer(watchdog, 5000);
    loop->run();
    loop->unregisterTimer(watchdog);
    EXPECT_FALSE(watchdog->fired) << "run() ended by the watchdog, not by the close request";
    EXPECT_TRUE(window.closed());
    EXPECT_FALSE(window.isOpen());
}

TEST(HostWindow, WithoutAnXServerSaysSo)
{
    const char* old = std::getenv("DISPLAY");
    const std::string saved = old ? old : "";
    ::setenv("DISPLAY", ":4095", 1);
    IPtr<RunLoop> loop = owned(new RunLoop);
    {
        HostWindow window(loop, "nowhere", 100, 100);
        EXPECT_FALSE(window.isOpen());
        EXPECT_NE(window.error().find("cannot connect to the X display ':4095'"), std::string::npos) << window.error();
    }
    EXPECT_EQ(loop->eventHandlerCount(), 0u);
    if (old)
        ::setenv("DISPLAY", saved.c_str(), 1);
    else
        ::unsetenv("DISPLAY");
}
