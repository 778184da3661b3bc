// CFrame with a recording platform window, and CVSTGUITimer on its run loop.
#include "gui/cframe.h"
#include "gui/cknob.h"
#include "gui/ctextedit.h"
#include "gui/cvstguitimer.h"
#include "gui/vstgui_editor_interface.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace {

struct PlatformLog
{
    std::vector<CRect> invalid;
    std::vector<CCursorType> cursors;
    CPoint size;
    double scale = 1.0;
    int focusRequests = 0;
    bool destroyed = false;
};

class RecordingPlatformFrame : public IPlatformFrame
{
public:
    explicit RecordingPlatformFrame(PlatformLog& l) : log(l) {}
    ~RecordingPlatformFrame() override { log.destroyed = true; }
    void invalidRect(const CRect& rect) override { log.invalid.push_back(rect); }
    void setSize(const CPoint& size) override { log.size = size; }
    void setScaleFactor(double scale) override { log.scale = scale; }
    void setCursor(CCursorType type) override { log.cursors.push_back(type); }
    void takeFocus() override { ++log.focusRequests; }
    uintptr_t getNativeWindow() const override { return 42; }

private:
    PlatformLog& log;
};

class TimerTarget : public CBaseObject
{
public:
    CMessageResult notify(CBaseObject* sender, IdStringPtr message) override
    {
        lastSender = sender;
        if (message == CVSTGUITimer::kMsgTimer)
            ++ticks;
        return kMessageNotified;
    }
    CBaseObject* lastSender = nullptr;
    int ticks = 0;
};

class SizeEditor : public VSTGUIEditorInterface
{
public:
    bool beforeSizeChange(const CRect& newSize, const CRect&) override
    {
        asked = newSize;
        return accept;
    }
    CRect asked;
    bool accept = true;
};

} // namespace

TEST(Timer, NeedsAnOpenFrame)
{
    test::ManualRunLoop loop;
    TimerTarget target;
    auto frame = owned(new CFrame(CRect(0, 0, 100, 100), nullptr));
    auto timer = owned(new CVSTGUITimer(frame.get(), &target, 50));
    EXPECT_FALSE(timer->start());
    ASSERT_TRUE(frame->open(nullptr, &loop));
    EXPECT_TRUE(timer->start());
    loop.advance(160);
    EXPECT_EQ(target.ticks, 3);
    EXPECT_EQ(target.lastSender, timer.get());
    // The message is compared by pointer: an equal text elsewhere is another message.
    const char sameText[] = "timer fired";
    EXPECT_NE(static_cast<IdStringPtr>(sameText), CVSTGUITimer::kMsgTimer);
    EXPECT_TRUE(timer->setFireTime(100));  // restarts with the new period
    loop.advance(100);
    EXPECT_EQ(target.ticks, 4);
    frame.release()->close();
    EXPECT_FALSE(timer->isRunning());  // closing stopped it
    EXPECT_EQ(loop.timerCount(), 0u);
    EXPECT_FALSE(timer->start());      // and the closed frame has no run loop
}

TEST(Timer, MayStopOrReleaseItselfInItsCallback)
{
    test::ManualRunLoop loop;
    int ticks = 0;
    auto stopping = owned(new CVSTGUITimer(&loop, [&](CVSTGUITimer* t) {
        ++ticks;
        t->stop();
    }, 10, true));
    loop.advance(100);
    EXPECT_EQ(ticks, 1);

    int released = 0;
    CVSTGUITimer* selfOwned = new CVSTGUITimer(&loop, [&](CVSTGUITimer* t) {
        ++released;
        t->forget();  // its last reference: destroyed once the callback returns
    }, 10, true);
    ASSERT_TRUE(selfOwned->isRunning());
    loop.advance(100);
    EXPECT_EQ(released, 1);
    EXPECT_EQ(loop.timerCount(), 0u);
}

TEST(Frame, InvalidationGoesToTheWindow)
{
    PlatformLog log;
    test::ManualRunLoop loop;
    auto frame = owned(new CFrame(CRect(0, 0, 200, 100), nullptr));
    auto* inner = new CViewContainer(CRect(50, 20, 150, 80));
    auto* knob = new CKnob(CRect(10, 10, 30, 30), nullptr, 1, nullptr, nullptr);
    inner->addView(knob);
    frame->addView(inner);
    ASSERT_TRUE(frame->open(std::make_unique<RecordingPlatformFrame>(log), &loop));
    log.invalid.clear();
    knob->invalid();
    ASSERT_EQ(log.invalid.size(), 1u);
    EXPECT_EQ(log.invalid[0], CRect(60, 30, 80, 50));  // in frame coordinates
    log.invalid.clear();
    inner->setVisible(false);
    log.invalid.clear();
    knob->invalid();  // hidden with its container: nothing to repaint
    EXPECT_TRUE(log.invalid.empty());
    frame->setScaleFactor(2.0);
    EXPECT_EQ(log.scale, 2.0);
    frame.release()->close();
    EXPECT_TRUE(log.destroyed);
}

TEST(Frame, SizeChangesNeedTheEditorsConsent)
{
    PlatformLog log;
    test::ManualRunLoop loop;
    SizeEditor editor;
    auto frame = owned(new CFrame(CRect(0, 0, 200, 100), &editor));
    ASSERT_TRUE(frame->open(std::make_unique<RecordingPlatformFrame>(log), &loop));
    EXPECT_TRUE(frame->setSize(300, 150));
    EXPECT_EQ(editor.asked, CRect(0, 0, 300, 150));
    EXPECT_EQ(log.size, CPoint(300, 150));
    editor.accept = false;
    EXPECT_FALSE(frame->setSize(10, 10));
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 300, 150));
    frame.release()->close();
}

TEST(Frame, MouseCaptureFollowsTheGestureOutsideTheView)
{
    test::RecordingListener listener;
    auto frame = owned(new CFrame(CRect(0, 0, 200, 200), nullptr));
    auto* inner = new CViewContainer(CRect(100, 100, 200, 200));
    auto* knob = new CKnob(CRect(0, 0, 40, 40), &listener, 1, nullptr, nullptr);
    inner->addView(knob);
    frame->addView(inner);
    knob->setDirty(false);
    CPoint down(120, 120), far(5, 5);
    EXPECT_EQ(frame->platformOnMouseDown(down, kLButton), kMouseEventHandled);
    EXPECT_EQ(frame->platformOnMouseMoved(far, kLButton), kMouseEventHandled);
    EXPECT_EQ(frame->platformOnMouseUp(far, kLButton), kMouseEventHandled);
    EXPECT_EQ(listener.events.front(), "begin");
    EXPECT_EQ(listener.events.back(), "end");
    listener.take();
    EXPECT_EQ(frame->platformOnMouseMoved(far, kLButton), kMouseEventNotHandled);
    EXPECT_TRUE(listener.events.empty());
    // Removing the captured view mid-gesture leaves nothing dangling.
    frame->platformOnMouseDown(down, kLButton);
    inner->removeView(knob);
    EXPECT_EQ(frame->platformOnMouseMoved(far, kLButton), kMouseEventNotHandled);
}

TEST(Frame, HoverSetsCursorsAndObserversSeeViewsAndKeys)
{
    struct Observer : IViewAddedRemovedObserver, IKeyboardHook
    {
        void onViewAdded(CFrame*, CView* v) override { added.push_back(v); }
        void onViewRemoved(CFrame*, CView* v) override { removed.push_back(v); }
        int32_t onKeyDown(const VstKeyCode& k, CFrame*) override { return k.character == 'h' ? 1 : -1; }
        int32_t onKeyUp(const VstKeyCode&, CFrame*) override { return -1; }
        std::vector<CView*> added, removed;
    } observer;
    PlatformLog log;
    test::ManualRunLoop loop;
    auto frame = owned(new CFrame(CRect(0, 0, 200, 200), nullptr));
    frame->registerViewAddedRemovedObserver(&observer);
    frame->registerKeyboardHook(&observer);
    ASSERT_TRUE(frame->open(std::make_unique<RecordingPlatformFrame>(log), &loop));
    auto* knob = new CKnob(CRect(0, 0, 40, 40), nullptr, 1, nullptr, nullptr);
    auto* edit = new CTextEdit(CRect(50, 0, 100, 20), nullptr, 2, "x");
    frame->addView(knob);
    frame->addView(edit);
    EXPECT_EQ(observer.added, (std::vector<CView*>{knob, edit}));

    CPoint overKnob(10, 10), overEdit(60, 10), outside(150, 150);
    frame->platformOnMouseMoved(overKnob, 0);
    frame->platformOnMouseMoved(overEdit, 0);
    frame->platformOnMouseMoved(outside, 0);
    EXPECT_EQ(log.cursors, (std::vector<CCursorType>{kCursorHand, kCursorIBeam, kCursorDefault}));

    frame->platformOnMouseDown(overEdit, kLButton);
    EXPECT_EQ(log.focusRequests, 1);
    VstKeyCode hooked;
    hooked.character = 'h';
    frame->platformOnKeyDown(hooked);  // the hook takes it first
    EXPECT_EQ(edit->getEditText(), "x");
    VstKeyCode typed;
    typed.character = 'y';
    frame->platformOnKeyDown(typed);
    EXPECT_EQ(edit->getEditText(), "y");

    frame->removeView(knob);
    EXPECT_EQ(observer.removed, (std::vector<CView*>{knob}));
    frame->unregisterViewAddedRemovedObserver(&observer);
    frame->unregisterKeyboardHook(&observer);
    frame.release()->close();
}

TEST(Frame, ViewsOfAContainerCanBeVisitedRecursively)
{
    auto frame = owned(new CFrame(CRect(0, 0, 200, 200), nullptr));
    auto* a = new CViewContainer(CRect(0, 0, 100, 100));
    auto* b = new CKnob(CRect(0, 0, 10, 10), nullptr, 1, nullptr, nullptr);
    auto* c = new CViewContainer(CRect(0, 0, 50, 50));
    auto* d = new CKnob(CRect(0, 0, 10, 10), nullptr, 2, nullptr, nullptr);
    c->addView(d);
    a->addView(b);
    a->addView(c);
    frame->addView(a);
    std::vector<CView*> seen;
    frame->forEachViewRecursive([&](CView* v) { seen.push_back(v); });
    EXPECT_EQ(seen, (std::vector<CView*>{a, b, c, d}));
    std::vector<CKnob*> knobs;
    frame->getChildViewsOfType<CKnob>(knobs);
    EXPECT_EQ(knobs, (std::vector<CKnob*>{b, d}));
    EXPECT_EQ(d->getFrame(), frame.get());
    CPoint p(1, 1);
    EXPECT_EQ(frame->getViewAt(p, true), d);
}
