#include "framework/control_descriptor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(ControlDescriptor, DefaultsMatchAnOrdinaryUnboundControl)
{
    const CControlDescriptor d;
    EXPECT_EQ(d.dataType, kDataNone);
    EXPECT_EQ(d.meterDetectMode, 2);
    EXPECT_FLOAT_EQ(d.smoothingTimeMs, 100.0f);
    EXPECT_EQ(d.midiStatus, 176);
    EXPECT_EQ(d.midiControlNumber, 3);
    EXPECT_EQ(d.updatePosition, -1);
    EXPECT_STREQ(d.name, "");
    EXPECT_EQ(d.paramUpdateQueue, nullptr);
}

TEST(ControlDescriptor, CopyOwnsItsTexts)
{
    char source[] = "Gain";
    CControlDescriptor original;
    original.name = source;
    original.units = "dB";
    original.presetValues[3] = 1.5;
    original.smoothState = 0.25f;
    original.smoothCoeffStateD = 0.5;

    const CControlDescriptor copy(original);
    source[0] = 'P';  // the original's text changes after copying
    EXPECT_STREQ(copy.name, "Gain");
    EXPECT_STREQ(copy.units, "dB");
    EXPECT_NE(copy.name, original.name);
    EXPECT_DOUBLE_EQ(copy.presetValues[3], 1.5);
    EXPECT_EQ(copy.smoothState, 0.0f) << "a copy starts with fresh smoothers";
    EXPECT_EQ(copy.smoothCoeffStateD, 0.0);
}

TEST(ControlDescriptor, LongTextsAreCutTo1023Characters)
{
    const std::string longUnits(2000, 'u');
    CControlDescriptor original;
    original.units = longUnits.c_str();
    const CControlDescriptor copy(original);
    EXPECT_EQ(std::strlen(copy.units), 1023u);
    EXPECT_EQ(std::string(copy.units), longUnits.substr(0, 1023));
}

TEST(ControlDescriptor, AssignmentKeepsTheTargetsSmoothersAndOwnStorage)
{
    CControlDescriptor target;
    target.smoothState = 0.75f;
    target.smoothCoeffTargetD = 0.125;
    CControlDescriptor source;
    source.name = "1000";
    source.controlId = 8;
    source.smoothState = 0.5f;

    target = source;
    EXPECT_STREQ(target.name, "1000");
    EXPECT_NE(target.name, source.name);
    EXPECT_EQ(target.controlId, 8u);
    EXPECT_EQ(target.smoothState, 0.75f);
    EXPECT_EQ(target.smoothCoeffTargetD, 0.125);

    target = target;  // self-assignment changes nothing
    EXPECT_STREQ(target.name, "1000");
}

TEST(ControlDescriptor, CopyOfACopyReadsItsOwnStorage)
{
    CControlDescriptor first;
    first.name = "25";
    CControlDescriptor second(first);
    const CControlDescriptor third(second);
    second.name = "changed";
    EXPECT_STREQ(third.name, "25");
}
