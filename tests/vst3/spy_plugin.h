// SpyPlugIn: a small plug-in for the component tests. It declares one control
// of each kind the wrapper treats differently, a few presets, and records every
// call the wrapper makes, so tests can check what reached the plug-in.
#pragma once

#include "framework/plugin.h"

#include <string>
#include <utility>
#include <vector>

/// How the next SpyPlugIn is built (createPlugIn reads spyConfig()).
struct SpyConfig
{
    float latencySamples = 4.0f;
    float tailMs = 500.0f;
    int32_t infiniteTail = 0;
    bool instrument = false;
    bool processBuffers = false;
    bool forwardAllMidi = false;
    bool sampleAccurate = false;               ///< asks for per-control update queues
    int presetCount = 5;                       ///< names "P0".. in slots 0..count-1
    const char* buttonNames[3] = {"B1", "B2", "B3"};
};

SpyConfig& spyConfig();

class SpyPlugIn : public CPlugIn
{
public:
    /// Positions of the controls.
    /// Positions of the controls; kPad fills the list up to the equaliser's sixteen.
    enum Position : uint32_t { kBand, kGain, kSteps, kSwitch, kMeter, kHidden, kLog, kPad, kCount = 16 };

    explicit SpyPlugIn(const SpyConfig& config);

    bool processFrame(const float* input, float* output, uint32_t numIn, uint32_t numOut) override;
    bool processBuffers(float** inputs, float** outputs, uint32_t channels, uint32_t frames) override;
    bool controlChanged(uint32_t controlId) override;
    intptr_t receiveEditorMessage(EditorMessage* message) override;
    void receiveHostMessage(uint32_t kind, HostMessage* message) override;
    bool noteOn(uint32_t channel, uint32_t note, uint32_t velocity) override;
    bool noteOff(uint32_t channel, uint32_t note, uint32_t velocity, bool all) override;
    bool modWheel(uint32_t channel, uint32_t value) override;
    bool pitchBend(uint32_t channel, int32_t value, float normalized) override;
    bool rawMidiMessage(uint32_t channel, uint32_t status, uint32_t d1, uint32_t d2) override;

    float band = 0.0f;    ///< -12..12, float
    float gain = 1.0f;    ///< 0..2, float
    int32_t steps = 0;    ///< 0..10, int
    uint32_t toggle = 0;  ///< list "SWITCH_OFF,SWITCH_ON"
    float meter = 0.25f;  ///< meter variable
    float hidden = 0.0f;  ///< a control of a type that is not published
    double logValue = 20.0;  ///< 20..20000, double, logarithmic
    float pads[kCount - kPad] = {};

    // Records, in call order.
    int frames = 0;
    std::vector<uint32_t> frameChannels;    ///< channel count of each processFrame call
    std::vector<uint32_t> changed;          ///< controlChanged ids
    std::vector<int32_t> editorKinds;       ///< receiveEditorMessage kinds
    std::vector<int32_t> editorTags;        ///< ... and their parameter tags
    std::vector<std::string> midi;          ///< "noteOn 0 60 63 @frame" etc.
    std::vector<HostInfo> transport;        ///< kind 2 messages with host info
    int transportWithoutInfo = 0;           ///< kind 2 messages without it
    IMidiEventList* eventList = nullptr;    ///< from kind 5
    int bufferCalls = 0;
    unsigned int csrDuringFrame = 0;
    std::vector<std::pair<int, double>> gainRamp;  ///< kGain's update queue: (frame, value) handed out
    std::vector<double> bandRamp;           ///< kBand's update queue, read once per frame        ///< MXCSR seen by the last processFrame
};
