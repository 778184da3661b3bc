#include "test_plugin.h"

#include <gtest/gtest.h>

TEST(PlugInMessages, TransportCopiesTheHostInfo)
{
    TestPlugIn plugIn;
    HostInfo info;
    info.samplePosition = 1234;
    info.tempo = 120.0;
    HostMessage message;
    message.hostInfo = &info;
    message.updateCount = -1;
    plugIn.receiveHostMessage(CPlugIn::kTransport, &message);
    EXPECT_EQ(plugIn.m_hostInfo.samplePosition, 1234u);
    EXPECT_EQ(plugIn.m_hostInfo.tempo, 120.0);

    message.hostInfo = nullptr;
    plugIn.receiveHostMessage(CPlugIn::kTransport, &message);
    EXPECT_EQ(plugIn.m_hostInfo.samplePosition, 1234u);
}

TEST(PlugInMessages, MeterReadOutNeedsTheRightCount)
{
    TestPlugIn plugIn;
    plugIn.meterValue = 0.625f;
    HostMessage message;
    message.updateCount = TestPlugIn::kCount + 1;  // wrong
    plugIn.receiveHostMessage(CPlugIn::kReadMeters, &message);
    EXPECT_EQ(message.outgoingUpdates, nullptr);

    message.updateCount = TestPlugIn::kCount + 2;
    plugIn.receiveHostMessage(CPlugIn::kReadMeters, &message);
    ASSERT_EQ(message.outgoingUpdates, plugIn.m_pLinkedUpdateArray);
    EXPECT_TRUE(message.outgoingUpdates[TestPlugIn::kMeter].updated);
    EXPECT_EQ(message.outgoingUpdates[TestPlugIn::kMeter].normalizedValue, 0.625f);
    EXPECT_FALSE(message.outgoingUpdates[TestPlugIn::kFloat].updated);
}

TEST(PlugInMessages, ApplyUpdatesSetsFlaggedControlsAndTheJoystick)
{
    TestPlugIn plugIn;
    LinkedUpdate records[TestPlugIn::kCount + 2] = {};
    records[TestPlugIn::kFloat].updated = true;
    records[TestPlugIn::kFloat].normalizedValue = 1.0f;
    records[TestPlugIn::kInt].normalizedValue = 1.0f;  // not flagged: untouched
    records[TestPlugIn::kCount].updated = true;
    records[TestPlugIn::kCount].plainValue = 0.5f;
    records[TestPlugIn::kCount].rotated = true;
    records[TestPlugIn::kCount + 1].plainValue = -0.5f;
    HostInfo info;
    info.tempo = 90.0;
    HostMessage message;
    message.incomingUpdates = records;
    message.hostInfo = &info;
    message.updateCount = TestPlugIn::kCount + 2;
    message.immediate = true;

    plugIn.receiveHostMessage(CPlugIn::kApplyUpdates, &message);
    EXPECT_EQ(plugIn.floatValue, 12.0f);
    EXPECT_EQ(plugIn.intValue, 0);
    EXPECT_EQ(plugIn.m_hostInfo.tempo, 90.0);
    EXPECT_EQ(plugIn.m_joystickX.currentValue, 0.5f);
    EXPECT_EQ(plugIn.m_joystickY.currentValue, -0.5f);
    EXPECT_TRUE(plugIn.m_joystickY.rotated);
    EXPECT_EQ(plugIn.mixes.size(), 1u);

    message.updateCount = 3;  // a mismatched count is refused whole
    records[TestPlugIn::kFloat].normalizedValue = 0.0f;
    plugIn.receiveHostMessage(CPlugIn::kApplyUpdates, &message);
    EXPECT_EQ(plugIn.floatValue, 12.0f);
}
