#include "test_plugin.h"

#include <gtest/gtest.h>

TEST(PlugInControls, NormalizedAndPlainConversionsPerDataType)
{
    struct Case
    {
        uint32_t position;
        bool plain;
        float value;
        double expected;
    };
    const Case cases[] = {
        {TestPlugIn::kInt, false, 0.29f, 3.0},     // floor(2.9 + 0.5)
        {TestPlugIn::kInt, true, 2.9f, 2.0},       // truncation
        {TestPlugIn::kInt, true, -2.9f, -2.0},
        {TestPlugIn::kFloat, false, 0.75f, 6.0},   // -12 + 24 * 0.75
        {TestPlugIn::kFloat, true, 3.5f, 3.5},
        {TestPlugIn::kDouble, false, 0.5f, 1.0},
        {TestPlugIn::kList, false, 0.74f, 1.0},    // floor(1.48 + 0.5)
        {TestPlugIn::kList, true, 1.6f, 2.0},
    };
    for (const Case& c : cases)
    {
        TestPlugIn plugIn;
        if (c.plain)
            plugIn.setControlPlain(c.position, c.value);
        else
            plugIn.setControlNormalized(c.position, c.value, false);
        EXPECT_DOUBLE_EQ(plugIn.getControlValue(c.position), c.expected)
            << "position " << c.position << " value " << c.value;
        ASSERT_EQ(plugIn.announced.size(), 1u);
        EXPECT_EQ(plugIn.announced[0], 100 + c.position) << "announced by controlId";
    }
}

TEST(PlugInControls, UnchangedListIndexIsNotAnnouncedOtherTypesAlwaysAre)
{
    TestPlugIn plugIn;
    plugIn.setControlNormalized(TestPlugIn::kList, 0.0f, false);
    plugIn.setControlPlain(TestPlugIn::kList, 0.2f);
    EXPECT_TRUE(plugIn.announced.empty());

    plugIn.setControlPlain(TestPlugIn::kFloat, 0.0f);
    plugIn.setControlPlain(TestPlugIn::kFloat, 0.0f);
    EXPECT_EQ(plugIn.announced.size(), 2u);
}

TEST(PlugInControls, NoVariableTypeIgnoresSetsAndReadsZero)
{
    TestPlugIn plugIn;
    plugIn.setControlNormalized(TestPlugIn::kNone, 1.0f, false);
    plugIn.setControlPlain(TestPlugIn::kNone, 1.0f);
    EXPECT_TRUE(plugIn.announced.empty());
    EXPECT_EQ(plugIn.getControlValue(TestPlugIn::kNone), 0.0f);
}

TEST(PlugInControls, WithoutAControlTableNothingHappens)
{
    class Empty : public CPlugIn
    {
    } plugIn;
    plugIn.setControlNormalized(0, 1.0f, false);
    plugIn.setControlPlain(0, 1.0f);
    plugIn.smoothControls();
    EXPECT_EQ(plugIn.getControlValue(0), 0.0f);
    EXPECT_TRUE(plugIn.prepareForProcessing());
}

TEST(PlugInControls, OutOfRangeValuesDoNotOverflowIntegerVariables)
{
    TestPlugIn plugIn;
    plugIn.setControlPlain(TestPlugIn::kInt, 1e20f);
    EXPECT_EQ(plugIn.intValue, INT32_MAX);
    plugIn.setControlPlain(TestPlugIn::kList, -5.0f);
    EXPECT_EQ(plugIn.listValue, 0u);
}

TEST(PlugInControls, MidiNoteFrequencies)
{
    const CPlugIn plugIn;
    EXPECT_FLOAT_EQ(plugIn.m_fMidiNoteFrequency[0], 8.175799369812012f);
    EXPECT_FLOAT_EQ(plugIn.m_fMidiNoteFrequency[60], 261.6255798339844f);
    EXPECT_EQ(plugIn.m_fMidiNoteFrequency[69], 440.0f);
    EXPECT_FLOAT_EQ(plugIn.m_fMidiNoteFrequency[126], 11839.8212890625f);
}

TEST(PlugInControls, LinkedUpdatesAndEditorMessagesAreDeclinedByTheBase)
{
    CPlugIn plugIn;
    LinkedUpdate* list = nullptr;
    EXPECT_FALSE(plugIn.getLinkedUpdates(0, 0.0f, &list, true));
    EXPECT_EQ(list, nullptr);
    plugIn.clearLinkedUpdates(&list);
    EXPECT_EQ(list, nullptr);

    list = new LinkedUpdate;
    list->next = new LinkedUpdate;
    plugIn.clearLinkedUpdates(&list);  // frees both nodes (checked by the sanitizer build)
    EXPECT_EQ(list, nullptr);

    for (int32_t kind : {0, 1, 2, 3, 5, 6, 7, 13})
    {
        EditorMessage message;
        message.kind = kind;
        EXPECT_EQ(plugIn.receiveEditorMessage(&message), 0) << "kind " << kind;
        EXPECT_FALSE(message.answerFlag);
    }
}
