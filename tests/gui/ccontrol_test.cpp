// CControl's value rules, gesture bracketing and wheel gestures.
#include "gui/cframe.h"
#include "gui/cknob.h"
#include "gui/vstgui_editor_interface.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using Events = std::vector<std::string>;

namespace {

/// Shares one event log between listeners and the frame's editor, to check order.
struct Log
{
    Events events;
};

class NamedListener : public IControlListener
{
public:
    NamedListener(Log& l, std::string n) : log(l), name(std::move(n)) {}
    void valueChanged(CControl*) override { log.events.push_back(name + " change"); }
    void controlBeginEdit(CControl*) override { log.events.push_back(name + " begin"); }
    void controlEndEdit(CControl*) override { log.events.push_back(name + " end"); }
    void controlTagWillChange(CControl* c) override { log.events.push_back(name + " will " + std::to_string(c->getTag())); }
    void controlTagDidChange(CControl* c) override { log.events.push_back(name + " did " + std::to_string(c->getTag())); }

private:
    Log& log;
    std::string name;
};

class LoggingEditor : public VSTGUIEditorInterface
{
public:
    explicit LoggingEditor(Log& l) : log(l) {}
    void beginEdit(int32_t index) override { log.events.push_back("frame begin " + std::to_string(index)); }
    void endEdit(int32_t index) override { log.events.push_back("frame end " + std::to_string(index)); }

private:
    Log& log;
};

/// A control with nothing of its own.
class PlainControl : public CControl
{
public:
    using CControl::CControl;
    using CControl::wheelStepBegin;
    using CControl::wheelStepDone;
};

} // namespace

TEST(ControlValue, ClampsAndMapsOverItsRange)
{
    PlainControl c(CRect(0, 0, 10, 10));
    c.setMin(-10.f);
    c.setMax(10.f);
    const struct
    {
        float set;
        float value;
        float normalized;
    } cases[] = {{0.f, 0.f, 0.5f}, {25.f, 10.f, 1.f}, {-11.f, -10.f, 0.f}, {5.f, 5.f, 0.75f}};
    for (const auto& k : cases)
    {
        c.setValue(k.set);
        EXPECT_FLOAT_EQ(c.getValue(), k.value);
        EXPECT_FLOAT_EQ(c.getValueNormalized(), k.normalized);
    }
    c.setValueNormalized(1.5f);
    EXPECT_FLOAT_EQ(c.getValue(), 10.f);
    c.setMax(2.f);  // narrowing the range bounces the value in
    EXPECT_FLOAT_EQ(c.getValue(), 2.f);
    c.setMin(2.f);  // an empty range: normalised 0, value = min
    c.setValueNormalized(0.7f);
    EXPECT_FLOAT_EQ(c.getValue(), 2.f);
    EXPECT_FLOAT_EQ(c.getValueNormalized(), 0.f);
}

TEST(ControlValue, DirtyMeansTheValueDiffersFromTheOneLastDrawn)
{
    PlainControl c(CRect(0, 0, 10, 10));
    c.setDirty(false);
    EXPECT_FALSE(c.isDirty());
    c.setValue(0.3f);
    EXPECT_TRUE(c.isDirty());
    c.setDirty(false);
    EXPECT_FALSE(c.isDirty());
    c.setDirty(true);
    EXPECT_TRUE(c.isDirty());
    c.setValue(-1.f);  // -1 is a legal value: marking dirty must still differ from it
    c.setMin(-1.f);
    c.setValue(-1.f);
    c.setDirty(true);
    EXPECT_TRUE(c.isDirty());
    EXPECT_EQ(c.getOldValue(), 0.f);
}

TEST(ControlGesture, ListenersAndFrameHearBeginAndEndInOrderOnce)
{
    Log log;
    LoggingEditor editor(log);
    NamedListener main(log, "main"), sub(log, "sub");
    auto frame = owned(new CFrame(CRect(0, 0, 100, 100), &editor));
    auto* c = new PlainControl(CRect(0, 0, 10, 10), &main, 12);
    c->registerControlListener(&sub);
    frame->addView(c);

    c->beginEdit();
    c->beginEdit();  // nested: no second notification
    c->valueChanged();
    c->endEdit();
    EXPECT_TRUE(c->isEditing());
    c->endEdit();
    c->endEdit();  // unbalanced end: ignored
    EXPECT_FALSE(c->isEditing());
    EXPECT_EQ(log.events, (Events{"main begin", "sub begin", "frame begin 12", "main change", "sub change",
                                  "frame end 12", "main end", "sub end"}));
    log.events.clear();
    c->setTag(13);
    EXPECT_EQ(log.events, (Events{"main will 12", "main did 13"}));
}

TEST(ControlGesture, ExactlyCtrlClickResetsAsOneGestureOnlyWhenTheValueDiffers)
{
    Log log;
    NamedListener main(log, "main");
    PlainControl c(CRect(0, 0, 10, 10), &main, 1);
    c.setDefaultValue(0.5f);
    c.setValue(0.5f);
    EXPECT_TRUE(c.checkDefaultValue(kLButton | kControl));  // consumed, nothing to do
    EXPECT_TRUE(log.events.empty());
    c.setValue(0.1f);
    EXPECT_FALSE(c.checkDefaultValue(kLButton));
    EXPECT_FALSE(c.checkDefaultValue(kLButton | kControl | kAlt));
    EXPECT_FALSE(c.checkDefaultValue(kRButton | kControl));
    EXPECT_TRUE(c.checkDefaultValue(kLButton | kControl));
    EXPECT_EQ(log.events, (Events{"main begin", "main change", "main end"}));
    EXPECT_FLOAT_EQ(c.getValue(), 0.5f);
}

TEST(ControlWheel, GestureEndsHalfASecondAfterTheLastNotch)
{
    test::ManualRunLoop loop;
    test::RecordingListener listener;
    auto frame = owned(new CFrame(CRect(0, 0, 100, 100), nullptr));
    auto* knob = new CKnob(CRect(0, 0, 40, 40), &listener, 3, nullptr, nullptr);
    frame->addView(knob);
    knob->setValue(0.f);
    knob->setDirty(false);
    ASSERT_TRUE(frame->open(nullptr, &loop));

    for (int notch = 0; notch < 3; ++notch)
    {
        EXPECT_TRUE(frame->platformOnMouseWheel(CPoint(20, 20), kMouseWheelAxisY, 1.f, 0));
        loop.advance(200);
    }
    EXPECT_EQ(listener.take(), (Events{"begin", "change 0.1", "change 0.2", "change 0.3"}));
    loop.advance(299);  // 499 ms after the last notch
    EXPECT_TRUE(listener.take().empty());
    loop.advance(1);
    EXPECT_EQ(listener.take(), (Events{"end"}));
    loop.advance(5000);
    EXPECT_TRUE(listener.take().empty());
    EXPECT_EQ(loop.timerCount(), 0u);

    // A new notch starts a new gesture.
    frame->platformOnMouseWheel(CPoint(20, 20), kMouseWheelAxisY, -1.f, 0);
    EXPECT_EQ(listener.take(), (Events{"begin", "change 0.2"}));
    // Closing the frame mid-gesture still ends it.
    frame.release()->close();
    EXPECT_EQ(listener.take(), (Events{"end"}));
    EXPECT_EQ(loop.timerCount(), 0u);
}

TEST(ControlWheel, WithoutARunLoopEachNotchIsAGestureOfItsOwn)
{
    test::RecordingListener listener;
    auto frame = owned(new CFrame(CRect(0, 0, 100, 100), nullptr));
    auto* knob = new CKnob(CRect(0, 0, 40, 40), &listener, 3, nullptr, nullptr);
    frame->addView(knob);
    knob->setValue(0.5f);
    knob->setDirty(false);
    frame->platformOnMouseWheel(CPoint(20, 20), kMouseWheelAxisY, 1.f, kShift);
    EXPECT_EQ(listener.take(), (Events{"begin", "change 0.51", "end"}));
}
