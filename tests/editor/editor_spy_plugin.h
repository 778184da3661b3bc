// EditorSpyPlugIn: a plug-in for the editor tests. Two controls ("Level" -12..12 dB,
// id 100, and "Follow" 0..10, id 101), answers to the editor's messages as the test
// configures them, linked updates on demand, and a record of every editor message and
// linked-update request.
#pragma once

#include "framework/plugin.h"

#include <functional>
#include <vector>

/// How the next EditorSpyPlugIn is built (createPlugIn reads editorSpyConfig()).
struct EditorSpyConfig
{
    bool hasEditor = true;
    int32_t knobMode = 2;
    bool drawsOwnEditor = false;  ///< the answer to kind 5
    intptr_t contentAnswer = 1;   ///< the result of kind 6
    int32_t contentWidth = 300;   ///< written into kind 6
    int32_t contentHeight = 200;
    bool linkFollow = false;      ///< Level's changes move Follow (and name an unknown id)
};

EditorSpyConfig& editorSpyConfig();

class EditorSpyPlugIn : public CPlugIn
{
public:
    enum Position : uint32_t { kLevel, kFollow, kCount };
    static constexpr uint32_t kLevelId = 100;
    static constexpr uint32_t kFollowId = 101;

    explicit EditorSpyPlugIn(const EditorSpyConfig& config);

    intptr_t receiveEditorMessage(EditorMessage* message) override;
    bool getLinkedUpdates(uint32_t controlId, float plainValue, LinkedUpdate** list, bool flag) override;
    void clearLinkedUpdates(LinkedUpdate** list) override;

    /// Kinds of the messages received so far.
    std::vector<int32_t> kinds() const;

    struct LinkRequest
    {
        uint32_t controlId;
        float plainValue;
        bool flag;
    };

    EditorSpyConfig config;
    float level = 0.0f;
    float follow = 5.0f;
    std::vector<EditorMessage> messages;         ///< copies, in order (texts not kept)
    std::vector<LinkRequest> linkRequests;
    int listsCleared = 0;
    /// Called with each message before it is answered (tests look at the editor then).
    std::function<void(EditorMessage&)> onMessage;
};
