// PadController: one XY pad on two parameters of a real SDK EditController, whose
// edits reach a recording host handler.
#include "gui/plugin/pad_controller.h"

#include "gui/cframe.h"
#include "gui/cxypad.h"
#include "gui/uidesc/uiattributes.h"
#include "host/component_handler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace VSTGUI;
using namespace Steinberg;
using namespace Steinberg::Vst;
using Edit = corvale::host::ComponentHandler::Edit;
using EditKind = corvale::host::ComponentHandler::EditKind;

namespace {

constexpr ParamID kX = 4;
constexpr ParamID kY = 9;

/// A controller with the parameters a test gives it.
class TestController : public EditController
{
public:
    Parameter* add(ParamID id, double defaultNormalized)
    {
        return parameters.addParameter(new Parameter(u"axis", id, nullptr, defaultNormalized));
    }
};

/// The editor under the pad controller: records what is handed on to it.
struct BaseController : IController
{
    void valueChanged(CControl* c) override
    {
        calls.push_back("change " + std::to_string(c->getTag()));
    }
    void controlBeginEdit(CControl* c) override
    {
        calls.push_back("begin " + std::to_string(c->getTag()));
    }
    void controlEndEdit(CControl* c) override
    {
        calls.push_back("end " + std::to_string(c->getTag()));
    }
    CView* verifyView(CView* view, const UIAttributes&, const IUIDescription*) override
    {
        calls.push_back("verify");
        return view;
    }
    std::vector<std::string> calls;
};

float pack(float x, float y)
{
    return std::floor(x * 1000.f + 0.5f) * 0.001f + std::floor(y * 1000.f + 0.5f) * 0.0000001f;
}

class PadControllerTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        controller = Steinberg::owned(new TestController);
        x = controller->add(kX, 0.25);
        y = controller->add(kY, 0.5);
        handler = Steinberg::owned(new corvale::host::ComponentHandler);
        controller->setComponentHandler(handler);
        frame = VSTGUI::owned(new CFrame(CRect(0, 0, 200, 200), nullptr));
        pad = new CXYPad(CRect(0, 0, 110, 110));
        pad->setRoundRectRadius(10); // the pad area is 100 x 100 from (5, 5)
        frame->addView(pad);
    }
    void TearDown() override { controller->setComponentHandler(nullptr); }

    /// A pad controller as a description would make it: the pad is verified under it.
    PadController* makeController(Parameter* px, Parameter* py)
    {
        auto* c = new PadController(&base, controller, px, py);
        pad->setController(c); // the view owns its sub-controller
        EXPECT_EQ(c->verifyView(pad, UIAttributes(), nullptr), pad);
        return c;
    }
    void drag(const std::vector<CPoint>& points)
    {
        CPoint p = points.front();
        frame->platformOnMouseDown(p, kLButton);
        for (size_t i = 1; i < points.size(); ++i)
        {
            p = points[i];
            frame->platformOnMouseMoved(p, kLButton);
        }
        frame->platformOnMouseUp(p, kLButton);
    }

    IPtr<TestController> controller;
    Parameter* x = nullptr;
    Parameter* y = nullptr;
    IPtr<corvale::host::ComponentHandler> handler;
    BaseController base;
    SharedPointer<CFrame> frame;
    CXYPad* pad = nullptr;
};

} // namespace

TEST_F(PadControllerTest, TakesThePadOverAndShowsBothParameters)
{
    PadController* c = makeController(x, y);
    EXPECT_EQ(c->getPad(), pad);
    EXPECT_EQ(pad->getListener(), c);
    EXPECT_TRUE(base.calls.empty()); // the base controller never sees the pad
    EXPECT_FLOAT_EQ(pad->getValue(), pack(0.25f, 0.5f));

    // Host (or automation) changes move the pad, each axis on its own.
    controller->setParamNormalized(kX, 0.75);
    EXPECT_FLOAT_EQ(pad->getValue(), pack(0.75f, 0.5f));
    controller->setParamNormalized(kY, 0.125);
    EXPECT_FLOAT_EQ(pad->getValue(), pack(0.75f, 0.125f));
    EXPECT_TRUE(handler->edits().empty()); // nothing is echoed to the host
}

TEST_F(PadControllerTest, ADragEditsBothParametersInOneGroup)
{
    makeController(x, y);
    CPoint start(55, 30); // pad (0.5, 0.25)
    frame->platformOnMouseDown(start, kLButton);
    EXPECT_EQ(handler->groupEditsStarted(), 1);
    EXPECT_EQ(handler->groupEditsFinished(), 0);
    CPoint to(105, 80); // pad (1.0, 0.75)
    frame->platformOnMouseMoved(to, kLButton);
    EXPECT_EQ(handler->groupEditsFinished(), 0);
    frame->platformOnMouseUp(to, kLButton);
    EXPECT_EQ(handler->groupEditsFinished(), 1);

    const std::vector<Edit> expected = {
        {EditKind::Begin, kX, 0},      {EditKind::Begin, kY, 0},     {EditKind::Perform, kX, 0.5},
        {EditKind::Perform, kY, 0.25}, {EditKind::Perform, kX, 1.0}, {EditKind::Perform, kY, 0.75},
        {EditKind::End, kX, 0},        {EditKind::End, kY, 0},
    };
    const std::vector<Edit> edits = handler->edits();
    ASSERT_EQ(edits.size(), expected.size());
    for (size_t i = 0; i < edits.size(); ++i)
    {
        EXPECT_EQ(edits[i].kind, expected[i].kind) << i;
        EXPECT_EQ(edits[i].id, expected[i].id) << i;
        EXPECT_NEAR(edits[i].value, expected[i].value, 1e-6) << i;
    }
    EXPECT_NEAR(x->getNormalized(), 1.0, 1e-6);
    EXPECT_NEAR(y->getNormalized(), 0.75, 1e-6);
}

TEST_F(PadControllerTest, AMissingParameterLeavesItsAxisAlone)
{
    makeController(nullptr, y);
    EXPECT_FLOAT_EQ(pad->getValue(), pack(0.f, 0.5f));
    drag({CPoint(55, 30), CPoint(30, 105)}); // pad (0.25, 1.0)
    EXPECT_NEAR(y->getNormalized(), 1.0, 1e-6);
    EXPECT_NEAR(x->getNormalized(), 0.25, 1e-12); // its own value, untouched
    for (const Edit& e : handler->edits())
        EXPECT_EQ(e.id, kY);
    EXPECT_EQ(handler->groupEditsStarted(), 1);
    EXPECT_EQ(handler->groupEditsFinished(), 1);
}

TEST_F(PadControllerTest, OtherControlsGoToTheBaseController)
{
    PadController* c = makeController(x, y);
    auto* second = new CXYPad(CRect(150, 150, 190, 190));
    second->setTag(3);
    frame->addView(second);
    EXPECT_EQ(c->verifyView(second, UIAttributes(), nullptr), second); // only the first pad
    c->controlBeginEdit(second);
    c->valueChanged(second);
    c->controlEndEdit(second);
    EXPECT_EQ(base.calls, (std::vector<std::string> {"verify", "begin 3", "change 3", "end 3"}));
    EXPECT_TRUE(handler->edits().empty());
}

TEST_F(PadControllerTest, LetsGoOfAParameterAboutToBeDestroyedAndOfBothWhenDestroyed)
{
    makeController(x, y);
    x->changed(IDependent::kWillDestroy);
    controller->setParamNormalized(kX, 0.9);
    EXPECT_FLOAT_EQ(pad->getValue(), pack(0.25f, 0.5f)); // x no longer reaches the pad
    controller->setParamNormalized(kY, 0.1);
    float padX = 0.f, padY = 0.f;
    CXYPad::calculateXY(pad->getValue(), padX, padY);
    EXPECT_NEAR(padY, 0.1f, 1e-6f); // y still does

    // The view owns the controller: removing the pad destroys it; later changes reach
    // nobody (the sanitizers would see a call into freed memory).
    frame->removeView(pad);
    pad = nullptr;
    controller->setParamNormalized(kY, 0.6);
    controller->setParamNormalized(kX, 0.2);
}
