#include "test_plugin.h"

#include <gtest/gtest.h>

TEST(PlugInSmoothing, CoefficientsFor100MsAt44100Hz)
{
    TestPlugIn plugIn(true);
    plugIn.floatValue = 3.0f;
    ASSERT_TRUE(plugIn.prepareForProcessing());
    const CControlDescriptor* d = plugIn.m_controls.at(TestPlugIn::kFloat);
    EXPECT_EQ(d->smoothCoeffState, 0.998576283454895f);
    EXPECT_EQ(d->smoothCoeffTarget, 0.0014237165451049805f);
    EXPECT_EQ(d->smoothCoeffStateD, static_cast<double>(0.998576283454895f));
    EXPECT_EQ(d->smoothingTarget, 3.0f);
    EXPECT_EQ(d->smoothState, 3.0f);
}

TEST(PlugInSmoothing, StepMovesTowardTheTargetAndAnnounces)
{
    TestPlugIn plugIn(true);
    ASSERT_TRUE(plugIn.prepareForProcessing());

    plugIn.setControlNormalized(TestPlugIn::kFloat, 1.0f, false);  // target 12 dB
    EXPECT_EQ(plugIn.floatValue, 0.0f) << "the variable waits for the next step";
    ASSERT_EQ(plugIn.announced.size(), 1u);

    plugIn.smoothControls();
    EXPECT_NEAR(plugIn.floatValue, 12.0f * 0.0014237165f, 1e-6f);
    EXPECT_EQ(plugIn.announced.size(), 2u);
    EXPECT_EQ(plugIn.announced.back(), 101u);

    plugIn.setControlNormalized(TestPlugIn::kFloat, 0.5f, true);  // immediate
    EXPECT_EQ(plugIn.floatValue, 0.0f);
}

TEST(PlugInSmoothing, DoubleControlsSmoothInDoublePrecision)
{
    TestPlugIn plugIn(true);
    ASSERT_TRUE(plugIn.prepareForProcessing());
    plugIn.setControlPlain(TestPlugIn::kDouble, 2.0f);
    EXPECT_EQ(plugIn.doubleValue, 0.0);
    plugIn.smoothControls();
    EXPECT_DOUBLE_EQ(plugIn.doubleValue, 2.0 * static_cast<double>(0.0014237165451049805f));
}

TEST(PlugInSmoothing, SettledSmootherStopsAnnouncing)
{
    TestPlugIn plugIn(true);
    ASSERT_TRUE(plugIn.prepareForProcessing());
    plugIn.setControlPlain(TestPlugIn::kFloat, 1.0f);
    for (int i = 0; i < 200000; ++i)
        plugIn.smoothControls();
    EXPECT_EQ(plugIn.floatValue, 1.0f);
    const size_t announcedSoFar = plugIn.announced.size();
    plugIn.smoothControls();
    EXPECT_EQ(plugIn.announced.size(), announcedSoFar);
}

TEST(PlugInSmoothing, PrepareRestartsSmoothersAtThePresentValue)
{
    TestPlugIn plugIn(true);
    ASSERT_TRUE(plugIn.prepareForProcessing());
    plugIn.setControlPlain(TestPlugIn::kFloat, 12.0f);
    plugIn.smoothControls();
    const float midway = plugIn.floatValue;
    ASSERT_TRUE(plugIn.prepareForProcessing());
    plugIn.smoothControls();
    EXPECT_EQ(plugIn.floatValue, midway) << "a move in progress stops where it is";
}
