// CKickButtonWP: what the listener hears of a click in each kick mode.
#include "editor/controls/ckickbuttonwp.h"
#include "gui/cframe.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using Events = std::vector<std::string>;

namespace {

enum class Ending
{
    ReleaseInside,
    ReleaseOutside, // dragged off the button first
    Cancel,         // Escape or a lost capture
};

struct KickFixture
{
    explicit KickFixture(int32_t mode, float minimum = 0.f)
        : frame(owned(new CFrame(CRect(0, 0, 100, 100), nullptr)))
    {
        button = new CKickButtonWP(CRect(10, 10, 30, 30), &listener, 7, nullptr);
        button->kickMode = mode;
        button->setMin(minimum);
        button->setValue(minimum);
        frame->addView(button);
    }
    void click(int32_t buttons, Ending ending)
    {
        CPoint at(20, 20);
        frame->platformOnMouseDown(at, buttons);
        if (ending == Ending::Cancel)
        {
            frame->onMouseCancel();
            return;
        }
        CPoint release = ending == Ending::ReleaseInside ? CPoint(25, 25) : CPoint(60, 20);
        frame->platformOnMouseMoved(release, buttons);
        frame->platformOnMouseUp(release, buttons);
    }

    test::RecordingListener listener;
    SharedPointer<CFrame> frame;
    CKickButtonWP* button = nullptr;
};

} // namespace

TEST(KickButtonWP, EachModeReportsItsPartOfTheClick)
{
    const struct
    {
        int32_t mode;
        int32_t buttons;
        Ending ending;
        float minimum;
        Events heard;
    } cases[] = {
        {0, kLButton, Ending::ReleaseInside, 0.f, {"begin", "change 1", "change 0", "end"}},
        {1, kLButton, Ending::ReleaseInside, 0.f, {"begin", "change 0", "end"}},
        {2, kLButton, Ending::ReleaseInside, 0.f, {"begin", "change 1", "end"}},
        {0, kLButton, Ending::ReleaseOutside, 0.f, {"begin", "change 1", "change 0", "end"}},
        {1, kLButton, Ending::ReleaseOutside, 0.f, {"begin", "change 0", "end"}},
        {2, kLButton, Ending::ReleaseOutside, 0.f, {"begin", "change 1", "end"}},
        // The release reports the minimum, whatever it is.
        {0, kLButton, Ending::ReleaseInside, 0.25f, {"begin", "change 1", "change 0.25", "end"}},
        // Another button held as well still counts as a left click.
        {0,
         kLButton | kRButton,
         Ending::ReleaseInside,
         0.f,
         {"begin", "change 1", "change 0", "end"}},
        // The right button alone does nothing, in every mode.
        {0, kRButton, Ending::ReleaseInside, 0.f, {}},
        {1, kRButton, Ending::ReleaseInside, 0.f, {}},
        {2, kRButton, Ending::ReleaseInside, 0.f, {}},
        // An interrupted click: only a listener that heard the press hears the release,
        // and a release-only button does not fire.
        {0, kLButton, Ending::Cancel, 0.f, {"begin", "change 1", "change 0", "end"}},
        {1, kLButton, Ending::Cancel, 0.f, {"begin", "end"}},
        {2, kLButton, Ending::Cancel, 0.f, {"begin", "change 1", "end"}},
    };
    for (const auto& c : cases)
    {
        KickFixture f(c.mode, c.minimum);
        f.click(c.buttons, c.ending);
        const std::string what = "mode " + std::to_string(c.mode) + ", buttons "
                                 + std::to_string(c.buttons) + ", ending "
                                 + std::to_string(static_cast<int>(c.ending));
        EXPECT_EQ(f.listener.take(), c.heard) << what;
        EXPECT_FLOAT_EQ(f.button->getValue(), c.minimum) << what;
        EXPECT_FALSE(f.button->isEditing()) << what;
    }
}

TEST(KickButtonWP, ShowsPressedOnlyWhileThePointerIsOverIt)
{
    KickFixture f(1);
    CPoint at(20, 20);
    f.frame->platformOnMouseDown(at, kLButton);
    EXPECT_FLOAT_EQ(f.button->getValue(), 1.f);
    CPoint off(60, 20);
    f.frame->platformOnMouseMoved(off, kLButton);
    EXPECT_FLOAT_EQ(f.button->getValue(), 0.f);
    f.frame->platformOnMouseMoved(at, kLButton);
    EXPECT_FLOAT_EQ(f.button->getValue(), 1.f);
    EXPECT_EQ(f.listener.take(), (Events {"begin"})); // tracking reports nothing
    f.frame->platformOnMouseUp(at, kLButton);
    EXPECT_EQ(f.listener.take(), (Events {"change 0", "end"}));
}
