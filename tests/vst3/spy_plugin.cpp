#include "spy_plugin.h"

#include "framework/plugin_interfaces.h"

#include <cstdio>
#include <xmmintrin.h>

SpyConfig& spyConfig()
{
    static SpyConfig config;
    return config;
}

CPlugIn* createPlugIn()
{
    return new SpyPlugIn(spyConfig());
}

namespace {

CControlDescriptor control(uint32_t id, const char* name, int32_t dataType, float min, float max)
{
    CControlDescriptor d;
    d.controlType = kControlTypeNormal;
    d.controlId = id;
    d.name = name;
    d.dataType = dataType;
    d.minValue = min;
    d.maxValue = max;
    d.precision = 2;
    return d;
}

} // namespace

SpyPlugIn::SpyPlugIn(const SpyConfig& config)
{
    m_fLatencySamples = config.latencySamples;
    m_fTailTimeMs = config.tailMs;
    m_bInfiniteTail = config.infiniteTail;
    m_bNoAudioInput = config.instrument;
    m_bProcessBuffers = config.processBuffers;
    m_bForwardAllMidi = config.forwardAllMidi;
    m_bSampleAccurate = config.sampleAccurate ? 1 : 0;
    m_nAutomationGranularity = 1;
    for (int b = 0; b < 3; ++b)
        m_pszButtonNames[b] = config.buttonNames[b];

    CControlDescriptor d = control(10, "Band", kDataFloat, -12.0f, 12.0f);
    d.units = "dB";
    d.floatVariable = &band;
    m_controls.append(d);

    d = control(11, "Gain", kDataFloat, 0.0f, 2.0f);
    d.floatVariable = &gain;
    d.midiControlEnabled = true;
    d.midiControlNumber = 20;
    m_controls.append(d);

    d = control(12, "Steps", kDataInt, 0.0f, 10.0f);
    d.precision = 3;
    d.intVariable = &steps;
    d.midiControlEnabled = true;
    d.midiControlNumber = 7;  // the fixed volume mapping wins
    m_controls.append(d);

    d = control(13, "Switch", kDataUInt, 0.0f, 1.0f);
    d.enumString = "SWITCH_OFF,SWITCH_ON";
    d.uintVariable = &toggle;
    m_controls.append(d);

    d = control(14, "Meter", kDataFloat, 0.0f, 1.0f);
    d.controlType = kControlTypeMeter;
    d.meterVariable = &meter;
    d.floatVariable = &meter;
    m_controls.append(d);

    d = control(15, "Hidden", kDataFloat, 0.0f, 1.0f);
    d.controlType = 101;
    d.floatVariable = &hidden;
    m_controls.append(d);

    d = control(16, "Freq", kDataDouble, 20.0f, 20000.0f);
    d.logScale = true;
    d.doubleVariable = &logValue;
    m_controls.append(d);

    for (uint32_t p = kPad; p < kCount; ++p)
    {
        d = control(p + 10, "Pad", kDataFloat, -1.0f, 1.0f);
        d.floatVariable = &pads[p - kPad];
        m_controls.append(d);
    }

    static const char* const kNames[] = {"P0", "P1", "P2", "P3", "P4", "P5", "P6", "P7"};
    for (int s = 0; s < config.presetCount && s < 8; ++s)
        m_pszPresetNames[s] = kNames[s];
    for (int32_t p = 0; p < m_controls.count(); ++p)
    {
        CControlDescriptor* c = m_controls.at(p);
        for (int s = 0; s < CPlugIn::kPresetSlots; ++s)
            c->presetValues[s] = c->minValue + (c->maxValue - c->minValue) * (s % 5) / 4.0;
    }
    for (int s = 0; s < CPlugIn::kPresetSlots; ++s)
    {
        m_joystickX.presetValues[s] = 0.1 * s;
        m_joystickY.presetValues[s] = -0.05 * s;
    }
    buildControlTable();
}

bool SpyPlugIn::processFrame(const float* input, float* output, uint32_t numIn, uint32_t)
{
    ++frames;
    csrDuringFrame = _mm_getcsr();
    frameChannels.push_back(numIn);
    for (uint32_t c = 0; c < numIn; ++c)
        output[c] = input[c] * 2.0f;
    double v = 0.0;
    IParamUpdateQueue* queue = m_controls.at(kBand)->paramUpdateQueue;
    if (queue != nullptr && queue->nextValue(v))
        bandRamp.push_back(v);
    IParamUpdateQueue* gainQueue = m_controls.at(kGain)->paramUpdateQueue;
    if (gainQueue != nullptr && gainQueue->nextValue(v))
        gainRamp.emplace_back(frames - 1, v);
    return true;
}

bool SpyPlugIn::processBuffers(float** inputs, float** outputs, uint32_t channels, uint32_t n)
{
    ++bufferCalls;
    for (uint32_t c = 0; c < channels; ++c)
        for (uint32_t i = 0; i < n; ++i)
            outputs[c][i] = inputs[c][i] * 2.0f;
    return true;
}

bool SpyPlugIn::controlChanged(uint32_t controlId)
{
    changed.push_back(controlId);
    return true;
}

intptr_t SpyPlugIn::receiveEditorMessage(EditorMessage* message)
{
    editorKinds.push_back(message->kind);
    editorTags.push_back(message->parameterTag);
    return 0;
}

void SpyPlugIn::receiveHostMessage(uint32_t kind, HostMessage* message)
{
    if (kind == kMidiEventList)
        eventList = message->midiEventList;
    if (kind == kTransport)
    {
        if (message->hostInfo != nullptr)
            transport.push_back(*message->hostInfo);
        else
            ++transportWithoutInfo;
    }
    CPlugIn::receiveHostMessage(kind, message);
}

namespace {
std::string describe(const char* what, long a, long b, long c, int frame)
{
    char text[96];
    std::snprintf(text, sizeof text, "%s %ld %ld %ld @%d", what, a, b, c, frame);
    return text;
}
} // namespace

bool SpyPlugIn::noteOn(uint32_t channel, uint32_t note, uint32_t velocity)
{
    midi.push_back(describe("noteOn", channel, note, velocity, frames));
    return true;
}

bool SpyPlugIn::noteOff(uint32_t channel, uint32_t note, uint32_t velocity, bool all)
{
    midi.push_back(describe(all ? "allNotesOff" : "noteOff", channel, note, velocity, frames));
    return true;
}

bool SpyPlugIn::modWheel(uint32_t channel, uint32_t value)
{
    midi.push_back(describe("modWheel", channel, value, 0, frames));
    return true;
}

bool SpyPlugIn::pitchBend(uint32_t channel, int32_t value, float normalized)
{
    midi.push_back(describe("pitchBend", channel, value, static_cast<long>(normalized * 1000), frames));
    return true;
}

bool SpyPlugIn::rawMidiMessage(uint32_t channel, uint32_t status, uint32_t d1, uint32_t d2)
{
    midi.push_back(describe("raw", channel, status, d1 * 1000 + d2, frames));
    return true;
}
