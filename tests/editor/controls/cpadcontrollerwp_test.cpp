// CPadControllerWP on a CXYPadWP: the pad's screen y and the parameters' upward y meet
// correctly through a real SDK EditController, with the edits a host would record.
#include "editor/controls/cpadcontrollerwp.h"
#include "editor/controls/cxypadwp.h"
#include "gui/cframe.h"
#include "gui/uidesc/uiattributes.h"
#include "host/component_handler.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace VSTGUI;
using namespace Steinberg;
using namespace Steinberg::Vst;
using EditKind = corvale::host::ComponentHandler::EditKind;

namespace {

constexpr ParamID kJoystickX = 32773;
constexpr ParamID kJoystickY = 32774;

class TestController : public EditController
{
public:
    Parameter* add(ParamID id, double defaultNormalized)
    {
        return parameters.addParameter(new Parameter(u"axis", id, nullptr, defaultNormalized));
    }
};

struct Fixture
{
    explicit Fixture(bool joystick)
        : controller(Steinberg::owned(new TestController)),
          handler(Steinberg::owned(new corvale::host::ComponentHandler)),
          frame(VSTGUI::owned(new CFrame(CRect(0, 0, 200, 200), nullptr)))
    {
        x = controller->add(kJoystickX, 0.5);
        y = controller->add(kJoystickY, 0.5);
        controller->setComponentHandler(handler);
        pad = new CXYPadWP(CRect(0, 0, 110, 110)); // pad area 100 x 100 from (5, 5)
        pad->joystickMode = joystick;
        pad->setRoundRectRadius(10);
        frame->addView(pad);
        auto* sub = new CPadControllerWP(nullptr, controller, x, y);
        pad->setController(sub);
        sub->verifyView(pad, UIAttributes(), nullptr);
    }
    ~Fixture() { controller->setComponentHandler(nullptr); }
    void mouse(int what, double px, double py)
    {
        CPoint p(px, py);
        if (what == 0)
            frame->platformOnMouseDown(p, kLButton);
        else if (what == 1)
            frame->platformOnMouseMoved(p, kLButton);
        else
            frame->platformOnMouseUp(p, kLButton);
    }
    std::pair<float, float> screen() const
    {
        float sx = 0.f, sy = 0.f;
        CXYPad::calculateXY(pad->getValue(), sx, sy);
        return {sx, sy};
    }

    IPtr<TestController> controller;
    IPtr<corvale::host::ComponentHandler> handler;
    Parameter* x = nullptr;
    Parameter* y = nullptr;
    SharedPointer<CFrame> frame;
    CXYPadWP* pad = nullptr;
};

} // namespace

TEST(PadControllerWP, ATrackPadDragSetsTheParametersWithYUpward)
{
    Fixture f(false);
    f.mouse(0, 55, 55);
    f.mouse(1, 105, 105); // the bottom-right corner
    f.mouse(2, 105, 105);
    EXPECT_NEAR(f.x->getNormalized(), 1.0, 1e-6);
    EXPECT_NEAR(f.y->getNormalized(), 0.0, 1e-6);
    const auto [sx, sy] = f.screen();
    EXPECT_FLOAT_EQ(sx, 1.f);
    EXPECT_FLOAT_EQ(sy, 1.f); // drawn at the bottom

    // The host's edits: begin both, the values, end both, inside one group.
    const auto edits = f.handler->edits();
    ASSERT_GE(edits.size(), 4u);
    EXPECT_EQ(edits[0].kind, EditKind::Begin);
    EXPECT_EQ(edits[1].kind, EditKind::Begin);
    EXPECT_EQ(edits[edits.size() - 2].kind, EditKind::End);
    EXPECT_EQ(edits.back().kind, EditKind::End);
    EXPECT_EQ(edits[edits.size() - 3].id, kJoystickY);
    EXPECT_NEAR(edits[edits.size() - 3].value, 0.0, 1e-6);
    EXPECT_EQ(f.handler->groupEditsStarted(), 1);
    EXPECT_EQ(f.handler->groupEditsFinished(), 1);
}

TEST(PadControllerWP, ParameterChangesPlaceTheHandle)
{
    Fixture f(true);
    f.controller->setParamNormalized(kJoystickX, 0.25);
    f.controller->setParamNormalized(kJoystickY, 0.375); // inside the diamond at each step
    auto [sx, sy] = f.screen();
    EXPECT_NEAR(sx, 0.25f, 1e-6f);
    EXPECT_NEAR(sy, 0.625f, 1e-6f);

    // A joystick keeps its last point inside the diamond when automation leaves it.
    f.controller->setParamNormalized(kJoystickY, 0.0); // (0.25, 0): outside
    std::tie(sx, sy) = f.screen();
    EXPECT_NEAR(sx, 0.25f, 1e-6f);
    EXPECT_NEAR(sy, 0.625f, 1e-6f);
    EXPECT_TRUE(f.handler->edits().empty());
}
