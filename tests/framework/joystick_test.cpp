#include "test_plugin.h"

#include <gtest/gtest.h>

TEST(Joystick, CornerAndAxisMixes)
{
    struct Case
    {
        double x, y;
        bool rotated;
        double a, b, c, d, ac, bd;
    };
    const Case cases[] = {
        {0.0, 0.0, true, 0.25, 0.25, 0.25, 0.25, 0.5, 0.5},
        {1.0, 0.0, false, 0.0, 0.500124, 0.504062, 0.001984, 0.75, 0.75},
        {-1.0, -1.0, true, 0.495922, 0.0, 0.0, 0.508031, 0.0, 0.0},
    };
    for (const Case& c : cases)
    {
        double m[6];
        CPlugIn::computeJoystickMix(c.x, c.y, &m[0], &m[1], &m[2], &m[3], &m[4], &m[5], c.rotated);
        const double expected[6] = {c.a, c.b, c.c, c.d, c.ac, c.bd};
        for (int i = 0; i < 6; ++i)
            EXPECT_NEAR(m[i], expected[i], 5e-7) << "(" << c.x << ", " << c.y << ") mix " << i;
    }
}

TEST(Joystick, UnsmoothedMoveAnnouncesOnceWithTheNewPosition)
{
    TestPlugIn plugIn;
    plugIn.setJoystickY(-0.25f, true);
    plugIn.mixes.clear();
    plugIn.setJoystickX(0.5f, true);
    ASSERT_EQ(plugIn.mixes.size(), 1u);
    double m[6];
    CPlugIn::computeJoystickMix(0.5, -0.25, &m[0], &m[1], &m[2], &m[3], &m[4], &m[5], true);
    for (int i = 0; i < 6; ++i)
        EXPECT_FLOAT_EQ(plugIn.mixes[0][i], static_cast<float>(m[i]));
    float x, y;
    plugIn.getJoystick(&x, &y);
    EXPECT_EQ(x, 0.5f);
    EXPECT_EQ(y, -0.25f);
}

TEST(Joystick, SmoothedAxesMoveInStepsAndAnnounceEveryFrame)
{
    TestPlugIn plugIn;
    plugIn.m_joystickX.smoothingEnabled = true;
    plugIn.m_joystickY.smoothingEnabled = true;
    ASSERT_TRUE(plugIn.prepareForProcessing());
    plugIn.setJoystickX(1.0f, true);
    EXPECT_TRUE(plugIn.mixes.empty());
    EXPECT_EQ(plugIn.m_joystickX.currentValue, 0.0f);
    plugIn.smoothControls();
    plugIn.smoothControls();
    EXPECT_EQ(plugIn.mixes.size(), 2u);
    EXPECT_GT(plugIn.m_joystickX.currentValue, 0.0f);
    EXPECT_LT(plugIn.m_joystickX.currentValue, 0.01f);
}

TEST(Joystick, PositionsOutsideTheSquareStillGiveMixesBetweenZeroAndOne)
{
    for (double x : {-5.0, -1.5, 2.0, 9.0})
        for (double y : {-7.0, 1.25, 3.0})
            for (bool rotated : {false, true})
            {
                double m[6];
                CPlugIn::computeJoystickMix(x, y, &m[0], &m[1], &m[2], &m[3], &m[4], &m[5], rotated);
                for (int i = 0; i < 4; ++i)
                {
                    EXPECT_GE(m[i], 0.0);
                    EXPECT_LE(m[i], 1.0);
                }
            }
}
