// Processor: the audio path. Everything here runs on the host's audio thread
// and neither locks nor allocates.
#include "vst3/midi/midi_event_delivery.h"
#include "vst3/midi/midi_event_list.h"
#include "vst3/midi/param_update_queue.h"
#include "vst3/processor.h"

#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

// Two shared silent channels that stand in for an instrument's input.
float gSilence[2][32] = {};
float* gSilentInputs[2] = {gSilence[0], gSilence[1]};

// Flushes denormals to zero (FTZ and DAZ) for the scope of a process call and
// restores the host's setting afterwards.
class DenormalGuard
{
public:
#if defined(__x86_64__) || defined(__i386__)
    DenormalGuard() : m_saved(_mm_getcsr()) { _mm_setcsr(m_saved | 0x8040u); }
    ~DenormalGuard() { _mm_setcsr(m_saved); }

private:
    unsigned int m_saved;
#endif
};

} // namespace

tresult PLUGIN_API Processor::process(ProcessData& data)
{
    if (plugIn_ == nullptr)
        return kResultFalse;
    DenormalGuard denormals;

    // Main-thread writes first, then the host's changes of this block on top.
    drainMailbox();
    applyParameterChanges(data);

    AudioBusBuffers* in = data.numInputs > 0 ? data.inputs : nullptr;
    AudioBusBuffers* out = data.numOutputs > 0 ? data.outputs : nullptr;
    const bool buffersMissing = out == nullptr || out->channelBuffers32 == nullptr
                                || (!isInstrument() && (in == nullptr || in->channelBuffers32 == nullptr));
    if (data.numSamples <= 0 || buffersMissing || data.symbolicSampleSize != kSample32)
    {
        // Nothing to play: the changes are applied, the audio is left alone.
        releaseUpdateQueues();
        publishCurrentValues();
        return data.symbolicSampleSize == kSample32 ? kResultOk : kResultFalse;
    }

    SpeakerArrangement arr = 0;
    getBusArrangement(kOutput, 0, arr);
    uint32 channels = channelsOf(arr);
    channels = std::min<uint32>(channels, 2);
    channels = std::min<uint32>(channels, static_cast<uint32>(std::max(out->numChannels, 0)));
    if (!isInstrument())
        channels = std::min<uint32>(channels, static_cast<uint32>(std::max(in->numChannels, 0)));

    HostInfo info;
    HostMessage message;
    const double timeStep = plugIn_->m_nSampleRate > 0 ? 1.0 / plugIn_->m_nSampleRate : 0.0;
    if (data.processContext != nullptr)
    {
        const ProcessContext& ctx = *data.processContext;
        info.samplePosition = static_cast<uint64_t>(static_cast<uint32_t>(ctx.projectTimeSamples));
        info.seconds = static_cast<double>(info.samplePosition) * timeStep;
        info.tempo = ctx.tempo;
        info.timeSigNumerator = static_cast<float>(ctx.timeSigNumerator);
        info.timeSigDenominator = ctx.timeSigDenominator;
        message.hostInfo = &info;
        message.updateCount = -1;
        plugIn_->receiveHostMessage(CPlugIn::kTransport, &message);
    }

    if (!isInstrument() && bypass_)
    {
        processBypassed(data, channels);
        writeMeters(data, true);
    }
    else
    {
        processFrames(data, channels, info, message, timeStep);
    }
    releaseUpdateQueues();
    publishCurrentValues();
    return kResultOk;
}

void Processor::processBypassed(ProcessData& data, uint32 channels)
{
    float** src = data.inputs[0].channelBuffers32;
    float** dst = data.outputs[0].channelBuffers32;
    float frame[2] = {0.0f, 0.0f};
    for (int32 i = 0; i < data.numSamples; ++i)
    {
        for (uint32 c = 0; c < channels; ++c)
            frame[c] = src[c][i];
        bypassDelay_.processFrame(frame, frame, channels);
        for (uint32 c = 0; c < channels; ++c)
            dst[c][i] = frame[c];
    }
}

void Processor::processFrames(ProcessData& data, uint32 channels, HostInfo& info,
                              HostMessage& message, double timeStep)
{
    IEventList* events = data.inputEvents;
    const int32 eventCount = events != nullptr ? events->getEventCount() : 0;
    if (midiEventList_ != nullptr)
        midiEventList_->bind(events);

    AudioBus* aux = sidechainEnabled_ ? audioBus(kInput, 1) : nullptr;
    const bool auxActive = aux != nullptr && aux->isActive() && data.numInputs > 1
                           && data.inputs[1].channelBuffers32 != nullptr;
    AuxInputInfo auxInfo;
    float** dst = data.outputs[0].channelBuffers32;
    float** src = isInstrument() ? nullptr : data.inputs[0].channelBuffers32;
    // The dry delay line keeps the input's history while not bypassed; it is fed
    // before anything is written, as the host may process in place.
    if (!isInstrument())
        bypassDelay_.feed(src, channels, static_cast<uint32>(data.numSamples));

    if (plugIn_->m_bProcessBuffers)
    {
        if (auxActive)
        {
            auxInfo.valid = true;
            auxInfo.channelCount = data.inputs[1].numChannels;
            auxInfo.channelBuffers = data.inputs[1].channelBuffers32;
            plugIn_->receiveSideChain(&auxInfo);
        }
        // The shared silence is 32 samples long; a longer instrument block gets
        // its output buffers, cleared, as its silent input.
        float** inputs = src;
        if (isInstrument())
        {
            inputs = gSilentInputs;
            if (data.numSamples > 32)
            {
                for (uint32 c = 0; c < channels; ++c)
                    std::memset(dst[c], 0, sizeof(float) * static_cast<size_t>(data.numSamples));
                inputs = dst;
            }
        }
        plugIn_->processBuffers(inputs, dst, channels, static_cast<uint32_t>(data.numSamples));
        writeMeters(data, true);
        return;
    }

    float inFrame[2] = {0.0f, 0.0f};
    float outFrame[2] = {0.0f, 0.0f};
    float auxFrame[2] = {0.0f, 0.0f};
    Event event {};
    int32 readPosition = 0;
    bool pending = eventCount >= 1 && events->getEvent(0, event) == kResultOk;
    HostMessage perFrame;
    perFrame.hostInfo = message.hostInfo;
    perFrame.updateCount = message.updateCount;

    for (int32 i = 0; i < data.numSamples; ++i)
    {
        if (auxActive)
        {
            const AudioBusBuffers& bus = data.inputs[1];
            auxFrame[0] = bus.channelBuffers32[0][i];
            if (bus.numChannels == 2)
                auxFrame[1] = bus.channelBuffers32[1][i];
            auxInfo.valid = true;
            auxInfo.channelCount = bus.numChannels;
            auxInfo.frame = auxFrame;
            plugIn_->receiveSideChain(&auxInfo);
        }
        // Events come in list order. One listed out of order, or past the block's
        // end, is delivered as soon as its frame has come (at the latest on the
        // last frame) rather than dropped with everything after it: a lost note-off
        // would leave a note hanging.
        while (pending && (event.sampleOffset <= i || i + 1 == data.numSamples))
        {
            handleMidiEvent(plugIn_, event);
            ++readPosition;
            pending = events->getEvent(readPosition, event) == kResultOk;
        }
        if (!isInstrument())
        {
            for (uint32 c = 0; c < channels; ++c)
                inFrame[c] = src[c][i];
        }
        plugIn_->processFrame(inFrame, outFrame, channels, channels);
        for (uint32 c = 0; c < channels; ++c)
            dst[c][i] = outFrame[c];

        info.samplePosition += 1;
        info.seconds = static_cast<double>(info.samplePosition) * timeStep;
        plugIn_->receiveHostMessage(CPlugIn::kTransport, &perFrame);
    }
    writeMeters(data, false);
}

void Processor::writeMeters(ProcessData& data, bool zero)
{
    if (plugIn_ == nullptr || data.outputParameterChanges == nullptr)
        return;
    for (size_t k = 0; k < meterControls_.size(); ++k)
    {
        const int32 position = meterControls_[k];
        const CControlDescriptor* c = position >= 0 && position < controlCount()
                                          ? controls_[static_cast<size_t>(position)]
                                          : nullptr;
        if (c == nullptr)
            continue;
        int32 queueIndex = 0;
        IParamValueQueue* queue =
            data.outputParameterChanges->addParameterData(static_cast<ParamID>(position), queueIndex);
        if (queue == nullptr || c->meterVariable == nullptr)
            continue;
        int32 pointIndex = 0;
        queue->addPoint(static_cast<int32>(k), zero ? 0.0 : *c->meterVariable, pointIndex);
    }
}

void Processor::releaseUpdateQueues()
{
    for (auto& q : updateQueues_)
        if (q != nullptr)
            q->release();
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
