// Records exchanged between a plug-in, its host wrapper and its editor.
#pragma once

#include <cstdint>

class IMidiEventList;

namespace VSTGUI {
struct CColor;
class CView;
class IControlListener;
}
namespace Steinberg {
namespace Vst {
class VSTGUIEditor;
}
}

/// Transport information, filled by the wrapper for every frame.
struct HostInfo
{
    uint64_t samplePosition = 0;  ///< position of the current frame on the host's timeline
    double seconds = 0.0;         ///< samplePosition / sample rate
    double tempo = 0.0;           ///< beats per minute
    float timeSigNumerator = 0.0f;
    int32_t timeSigDenominator = 0;
};

/// One control's value: an element of the plug-in's update array, and a node of
/// the list returned by getLinkedUpdates.
struct LinkedUpdate
{
    int32_t position = 0;       ///< position in the control list (joystick: count, count + 1)
    uint32_t controlId = 0;
    float normalizedValue = 0.0f;  ///< 0..1 (for a meter: the meter's value)
    float plainValue = 0.0f;       ///< in the control's units (joystick: the axis position)
    bool updated = false;
    bool rotated = false;          ///< joystick x record only
    LinkedUpdate* next = nullptr;  ///< next node of a getLinkedUpdates list
};

/// Argument of CPlugIn::receiveHostMessage.
struct HostMessage
{
    LinkedUpdate* incomingUpdates = nullptr;  ///< kind 0
    LinkedUpdate* outgoingUpdates = nullptr;  ///< kind 1, set by the plug-in
    HostInfo* hostInfo = nullptr;             ///< kinds 0 and 2
    void* reserved1 = nullptr;
    IMidiEventList* midiEventList = nullptr;  ///< kind 5
    void* reserved2 = nullptr;
    int32_t updateCount = 0;                  ///< control count + 2 for kinds 0 and 1
    bool immediate = false;                   ///< kind 0: apply without smoothing
};

/// A stretch of frames of one block that the wrapper hands over in one call: no MIDI
/// event and no side-chain input falls between them. The wrapper keeps the record for
/// the whole block, so the frames keep their contents from one run to the next as they
/// would in a frame-by-frame loop.
struct FrameRun
{
    const float* const* inputs = nullptr;  ///< the block's input channels; null: silence
    float* const* outputs = nullptr;       ///< the block's output channels
    uint32_t channels = 0;                 ///< 1 or 2, input and output alike
    int32_t first = 0;                     ///< first frame of the run within the block
    int32_t count = 0;                     ///< frames in the run
    float inputFrame[2] = {};
    float outputFrame[2] = {};
    HostInfo* hostInfo = nullptr;          ///< advanced by one sample per frame
    HostMessage* transport = nullptr;      ///< sent as kind 2 after every frame
    double timeStep = 0.0;                 ///< seconds per sample
};

/// Side-chain samples for the coming frame (frame mode) or block (buffer mode).
struct AuxInputInfo
{
    int32_t version = 1;
    float* frame = nullptr;            ///< two floats, frame mode
    void* reserved = nullptr;
    float** channelBuffers = nullptr;  ///< the side-chain bus's channels, buffer mode
    int32_t channelCount = 0;
    bool valid = false;                ///< the side-chain bus exists and is active
};

/// Message from the editor side to the plug-in (see the kinds below).
struct EditorMessage
{
    enum Kind : int32_t
    {
        kOpened = 0,
        kClosing = 1,
        kTimerPing = 2,
        kCreateCustomView = 3,
        kDrawsOwnEditor = 5,
        kCreateEditorContent = 6,
        kEditorContentClosing = 7,
        kParameterChanged = 13,
    };

    int32_t kind = 0;
    const char* viewName = nullptr;
    int32_t viewTag = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t right = 0;
    int32_t backgroundOffsetX = 0;
    int32_t backgroundOffsetY = 0;
    const char* bitmap = nullptr;
    const char* handleBitmap = nullptr;
    const char* offBitmap = nullptr;
    const char* orientation = nullptr;
    const VSTGUI::CColor* backColor = nullptr;
    const VSTGUI::CColor* frameColor = nullptr;
    const VSTGUI::CColor* fontColor = nullptr;
    int32_t frameWidth = 0;
    int32_t roundRectRadius = 0;
    bool noFrame = false;
    bool roundRect = false;
    int32_t heightOfOneImage = 0;
    int32_t subPixmaps = 0;
    const char* secondText = nullptr;
    Steinberg::Vst::VSTGUIEditor* editor = nullptr;
    void* parentWindow = nullptr;
    VSTGUI::IControlListener* controlListener = nullptr;
    int32_t platformType = 0;
    double value = 0.0;
    int32_t parameterTag = 0;
    void* reservedPointer = nullptr;
    void* moduleInstance = nullptr;
    void* parameterConnector = nullptr;
    bool answerFlag = false;
    int32_t width = 0;
    int32_t height = 0;
};
