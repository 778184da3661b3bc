// The editor of the built bundle, loaded as a DAW loads it and drawn off-screen through
// the view's snapshot extension: the view a host gets (its name, size, scale and fixed
// size), and, for each of the fifteen bands and the gain, that its parameter moves only
// the controls at that band's place in the layout.
#include "host/plugin_instance.h"
#include "sdk/ieditor_snapshot.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "pluginterfaces/vst/ivstplugview.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

struct Box
{
    int left, top, right, bottom;
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

class EditorBundleTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(plugin.load(CORVALE_BUNDLE_PATH)) << plugin.error(); }

    IPtr<IPlugView> createView(FIDString name)
    {
        return owned(plugin.controller()->createView(name));
    }
    /// The editor as a new view draws it now (926 × 213 at scale 1).
    std::vector<uint32_t> picture()
    {
        IPtr<IPlugView> view = createView(ViewType::kEditor);
        FUnknownPtr<corvale::IEditorSnapshot> snapshot(view);
        EXPECT_TRUE(snapshot);
        std::vector<uint32_t> pixels(926 * 213, 0u);
        if (snapshot)
        {
            EXPECT_EQ(snapshot->drawSnapshot(pixels.data(), 926, 213, 926 * 4), kResultOk);
        }
        return pixels;
    }

    corvale::host::PluginInstance plugin;
};

} // namespace

TEST_F(EditorBundleTest, TheHostGetsAFixedSizeEditorUnderTheNameEditor)
{
    EXPECT_FALSE(createView("Editor"));
    EXPECT_FALSE(createView(""));
    IPtr<IPlugView> view = createView(ViewType::kEditor);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultTrue);
    EXPECT_EQ(view->canResize(), kResultFalse);
    ViewRect r;
    ASSERT_EQ(view->getSize(&r), kResultTrue);
    EXPECT_EQ(r.getWidth(), 926);
    EXPECT_EQ(r.getHeight(), 213);
    EXPECT_TRUE(FUnknownPtr<IParameterFinder>(view));
    FUnknownPtr<IPlugViewContentScaleSupport> scaling(view);
    ASSERT_TRUE(scaling);
    ASSERT_EQ(scaling->setContentScaleFactor(2.0f), kResultTrue);
    ASSERT_EQ(view->getSize(&r), kResultTrue);
    EXPECT_EQ(r.getWidth(), 1852);
    EXPECT_EQ(r.getHeight(), 426);
}

TEST_F(EditorBundleTest, EachParameterMovesOnlyItsOwnControls)
{
    // All at the bottom of their range, so raising one moves one handle, one pointer.
    for (ParamID id = 0; id < 16; ++id)
        ASSERT_TRUE(plugin.setParameter(id, 0.0));
    const std::vector<uint32_t> base = picture();
    for (ParamID id = 0; id < 16; ++id)
    {
        SCOPED_TRACE("parameter " + std::to_string(id));
        // A band's slider group sits at x = 35 + 50 k; the gain's knob group at 815.
        const int k = static_cast<int>(id);
        const Box control = id < 15 ? Box {57 + 50 * k, 52, 89 + 50 * k, 147} : Box {831, 77, 873, 119};
        const Box field = id < 15 ? Box {50 + 50 * k, 151, 95 + 50 * k, 166} : Box {830, 122, 875, 137};
        ASSERT_TRUE(plugin.setParameter(id, 1.0));
        const std::vector<uint32_t> raised = picture();
        ASSERT_TRUE(plugin.setParameter(id, 0.0));
        int inControl = 0, inField = 0, elsewhere = 0;
        for (int y = 0; y < 213; ++y)
            for (int x = 0; x < 926; ++x)
            {
                const size_t i = static_cast<size_t>(y) * 926 + x;
                if (base[i] == raised[i])
                    continue;
                if (control.contains(x, y))
                    ++inControl;
                else if (field.contains(x, y))
                    ++inField;
                else
                    ++elsewhere;
            }
        EXPECT_GT(inControl, 50);
        EXPECT_GT(inField, 10);
        EXPECT_EQ(elsewhere, 0);
    }
}
