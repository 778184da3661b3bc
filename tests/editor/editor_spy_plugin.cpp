#include "editor_spy_plugin.h"

EditorSpyConfig& editorSpyConfig()
{
    static EditorSpyConfig config;
    return config;
}

CPlugIn* createPlugIn()
{
    return new EditorSpyPlugIn(editorSpyConfig());
}

EditorSpyPlugIn::EditorSpyPlugIn(const EditorSpyConfig& c) : config(c)
{
    m_bHasEditor = config.hasEditor;
    m_nKnobMode = config.knobMode;

    CControlDescriptor d;
    d.controlType = kControlTypeNormal;
    d.controlId = kLevelId;
    d.name = "Level";
    d.units = "dB";
    d.dataType = kDataFloat;
    d.minValue = -12.0f;
    d.maxValue = 12.0f;
    d.precision = 2;
    d.floatVariable = &level;
    m_controls.append(d);

    d.controlId = kFollowId;
    d.name = "Follow";
    d.units = "";
    d.minValue = 0.0f;
    d.maxValue = 10.0f;
    d.floatVariable = &follow;
    m_controls.append(d);
    buildControlTable();
}

intptr_t EditorSpyPlugIn::receiveEditorMessage(EditorMessage* message)
{
    if (onMessage)
        onMessage(*message);
    EditorMessage copy = *message;
    copy.viewName = nullptr;
    copy.secondText = nullptr;
    messages.push_back(copy);
    switch (message->kind)
    {
    case EditorMessage::kDrawsOwnEditor:
        message->answerFlag = config.drawsOwnEditor;
        return 0;
    case EditorMessage::kCreateEditorContent:
        message->width = config.contentWidth;
        message->height = config.contentHeight;
        return config.contentAnswer;
    default:
        return 0;
    }
}

bool EditorSpyPlugIn::getLinkedUpdates(uint32_t controlId, float plainValue, LinkedUpdate** list,
                                       bool flag)
{
    linkRequests.push_back({controlId, plainValue, flag});
    if (!config.linkFollow || controlId != kLevelId)
        return false;
    // Follow goes to half the level above its middle; a second record names a control
    // this plug-in does not have.
    auto* follows = new LinkedUpdate;
    follows->controlId = kFollowId;
    follows->plainValue = 5.0f + plainValue / 2.4f;
    auto* unknown = new LinkedUpdate;
    unknown->controlId = 999;
    unknown->plainValue = 1.0f;
    follows->next = unknown;
    *list = follows;
    return true;
}

void EditorSpyPlugIn::clearLinkedUpdates(LinkedUpdate** list)
{
    ++listsCleared;
    CPlugIn::clearLinkedUpdates(list);
}

std::vector<int32_t> EditorSpyPlugIn::kinds() const
{
    std::vector<int32_t> result;
    for (const EditorMessage& m : messages)
        result.push_back(m.kind);
    return result;
}
